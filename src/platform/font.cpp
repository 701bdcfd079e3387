#include "platform/font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHashFunctions>
#include <QPointer>
#include <QSet>

#include <algorithm>
#include <cstdint>

namespace vlm {

namespace {

// Character-set numbers as documents store them, mapped to the script a face
// must cover. Western sets need nothing special: every face covers Latin.
QFontDatabase::WritingSystem ScriptOfCharset(int charset)
{
    switch (charset) {
    case 2:
        return QFontDatabase::Symbol;
    case 128:
        return QFontDatabase::Japanese;
    case 129:
    case 130:
        return QFontDatabase::Korean;
    case 134:
        return QFontDatabase::SimplifiedChinese;
    case 136:
        return QFontDatabase::TraditionalChinese;
    case 161:
        return QFontDatabase::Greek;
    case 163:
        return QFontDatabase::Vietnamese;
    case 177:
        return QFontDatabase::Hebrew;
    case 178:
        return QFontDatabase::Arabic;
    case 204:
        return QFontDatabase::Cyrillic;
    case 222:
        return QFontDatabase::Thai;
    default:
        return QFontDatabase::Any;
    }
}

// Points to pixels the way the platform's own conversion does it: integer
// arithmetic, halves rounded away from zero.
std::int64_t PixelsOfPoints(int points, int dpi)
{
    const std::int64_t num = std::int64_t{points} * dpi;
    return num >= 0 ? (2 * num + 72) / 144 : -((-2 * num + 72) / 144);
}

std::uint64_t fontListGeneration = 1;

// Whether any font family is installed. The font database answers by listing
// every family, so the answer is kept until the list changes.
bool AnyFontInstalled()
{
    static std::uint64_t knownAt = 0;
    static bool any = false;
    const std::uint64_t now = FontListGeneration();
    if (knownAt != now || knownAt == 0) {
        any = !QFontDatabase::families().isEmpty();
        // Without an application to tell us of changes, nothing is kept.
        knownAt = qGuiApp ? now : 0;
    }
    return any;
}

} // namespace

std::uint64_t FontListGeneration()
{
    // Follows the application that runs now; a new one may come with other
    // fonts, so it starts a new generation too.
    static QPointer<QGuiApplication> watched;
    if (qGuiApp && watched != qGuiApp) {
        watched = qGuiApp;
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp,
                         [] { ++fontListGeneration; });
        ++fontListGeneration;
    }
    return fontListGeneration;
}

std::size_t FontCache::KeyHash::operator()(const Key& key) const
{
    const FontRequest& r = key.request;
    return qHashMulti(0, r.faceName, r.sizePoints, r.weight, r.italic, r.underline, r.strikeout, r.charset,
                      r.escapement, r.quality, key.dpi);
}

std::optional<Font> FontCache::get(const FontRequest& request, int dpi)
{
    const std::uint64_t generation = FontListGeneration();
    if (generation != generation_) {
        fonts_.clear();
        generation_ = generation;
    }
    Key key{request, dpi};
    if (auto it = fonts_.find(key); it != fonts_.end())
        return it->second;
    if (fonts_.size() >= kMaxFonts)
        fonts_.clear();
    std::optional<Font> font = Font::make(request, dpi);
    fonts_.emplace(std::move(key), font);
    return font;
}

std::optional<Font> Font::make(const FontRequest& request, int dpi)
{
    if (dpi <= 0)
        return std::nullopt;
    const std::int64_t px = PixelsOfPoints(request.sizePoints, dpi);
    if (px < 1 || px > kMaxPixelSize)
        return std::nullopt;
    if (!AnyFontInstalled())
        return std::nullopt;

    QFont f(request.faceName);
    f.setPixelSize(static_cast<int>(px));
    const int weight = request.weight <= 0 ? 400 : std::clamp(request.weight, 1, 1000);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setItalic(request.italic);
    f.setUnderline(request.underline);
    f.setStrikeOut(request.strikeout);
    // Widths are sums of whole-pixel advances, as the layout expects: no
    // kerning, and hinting that rounds every advance.
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    const bool smooth = request.quality == 4 || request.quality == 5;
    f.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);

    if (request.charset > 0) {
        const QFontDatabase::WritingSystem script = ScriptOfCharset(request.charset);
        if (script != QFontDatabase::Any) {
            const QString resolved = QFontInfo(f).family();
            if (!QFontDatabase::writingSystems(resolved).contains(script)) {
                // The first face that covers the script, in name order, so the
                // choice does not depend on the order fonts were installed in.
                QStringList candidates = QFontDatabase::families(script);
                candidates.sort(Qt::CaseInsensitive);
                if (!candidates.isEmpty())
                    f.setFamily(candidates.front());
            }
        }
    }

    const QFontMetrics fm(f);
    if (fm.ascent() + fm.descent() <= 0)
        return std::nullopt;

    Font font;
    font.font_ = f;
    font.family_ = QFontInfo(f).family();
    font.pixelSize_ = static_cast<int>(px);
    font.ascent_ = fm.ascent();
    font.descent_ = fm.descent();
    font.leading_ = std::max(0, fm.leading());
    font.averageWidth_ = fm.averageCharWidth();
    font.overhang_ = QFontDatabase::isScalable(font.family_) ? 0 : std::max(0, -fm.minRightBearing());
    font.escapement_ = request.escapement;
    font.widths_ = std::make_shared<QHash<QString, int>>();
    return font;
}

int Font::textWidth(const QString& text) const
{
    // Enough for the labels of a busy page; beyond it the memory starts over.
    constexpr qsizetype kKeptWidths = 4096;
    if (widths_) {
        if (const auto it = widths_->constFind(text); it != widths_->constEnd())
            return it.value();
    }
    const int width = QFontMetrics(font_).horizontalAdvance(text);
    if (widths_) {
        if (widths_->size() >= kKeptWidths)
            widths_->clear();
        widths_->insert(text, width);
    }
    return width;
}

QStringList InstalledFontFamilies()
{
    QStringList out;
    QSet<QString> seen;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        const QString plain = plainFamilyName(family);
        if (seen.contains(plain.toCaseFolded()))
            continue;
        seen.insert(plain.toCaseFolded());
        out.append(plain);
    }
    out.sort(Qt::CaseInsensitive);
    return out;
}

QString plainFamilyName(const QString& family)
{
    const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
    if (open > 0 && family.endsWith(QLatin1Char(']')))
        return family.left(open);
    return family;
}

QString drawnFamilyName(const QString& faceName, int charset)
{
    FontRequest request;
    request.faceName = faceName;
    request.charset = charset;
    // Any resolution picks the same face.
    const std::optional<Font> font = Font::make(request, 96);
    return font ? plainFamilyName(font->family()) : QString();
}

} // namespace vlm
