#include "pictures/svg_picture.h"

#include "model/rounding.h"
#include "pictures/picture_decoders.h"

#include <QByteArray>
#include <QPainter>
#include <QStringView>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

constexpr double kPixelsPerInch = 96.0;

bool localReference(QStringView value)
{
    const QStringView v = value.trimmed();
    return v.isEmpty() || v.startsWith(u'#') || v.startsWith(u"data:", Qt::CaseInsensitive);
}

// Whether a text holds a url(...) that points outside the file.
bool reachesOut(QStringView text)
{
    qsizetype at = 0;
    while ((at = text.indexOf(u"url(", at, Qt::CaseInsensitive)) >= 0) {
        at += 4;
        QStringView rest = text.mid(at).trimmed();
        if (rest.startsWith(u'"') || rest.startsWith(u'\''))
            rest = rest.mid(1);
        if (!rest.startsWith(u'#') && !rest.startsWith(u"data:", Qt::CaseInsensitive))
            return true;
    }
    return text.contains(u"@import", Qt::CaseInsensitive);
}

// A length of the root element in pixels; none for a percentage, a unit
// relative to a font, or no number at all.
std::optional<double> Length(QStringView text)
{
    const QStringView t = text.trimmed();
    qsizetype n = 0;
    while (n < t.size() && (t[n].isDigit() || t[n] == u'.' || t[n] == u'-' || t[n] == u'+' || t[n] == u'e' ||
                            t[n] == u'E'))
        ++n;
    // "1em": the "e" belongs to the unit.
    if (n > 0 && (t[n - 1] == u'e' || t[n - 1] == u'E'))
        --n;
    bool ok = false;
    const double value = t.left(n).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0.0)
        return std::nullopt;
    const QStringView unit = t.mid(n).trimmed();
    if (unit.isEmpty() || unit == u"px")
        return value;
    if (unit == u"in")
        return value * kPixelsPerInch;
    if (unit == u"cm")
        return value * kPixelsPerInch / 2.54;
    if (unit == u"mm")
        return value * kPixelsPerInch / 25.4;
    if (unit == u"pt")
        return value * kPixelsPerInch / 72.0;
    if (unit == u"pc")
        return value * kPixelsPerInch / 6.0;
    return std::nullopt;
}

// The width and height of a viewBox, none when it does not read.
std::optional<QSizeF> viewBoxSize(QStringView text)
{
    QString s = text.toString();
    s.replace(u',', u' ');
    const QStringList parts = s.split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    bool okW = false, okH = false;
    const double w = parts[2].toDouble(&okW), h = parts[3].toDouble(&okH);
    if (!okW || !okH || !std::isfinite(w) || !std::isfinite(h) || w <= 0.0 || h <= 0.0)
        return std::nullopt;
    return QSizeF(w, h);
}

std::optional<QSizeF> rootSize(const QXmlStreamAttributes& attributes)
{
    const std::optional<double> w = Length(attributes.value(QStringLiteral("width")));
    const std::optional<double> h = Length(attributes.value(QStringLiteral("height")));
    const std::optional<QSizeF> box = viewBoxSize(attributes.value(QStringLiteral("viewBox")));
    if (w && h)
        return QSizeF(*w, *h);
    if (box && w)
        return QSizeF(*w, *w * box->height() / box->width());
    if (box && h)
        return QSizeF(*h * box->width() / box->height(), *h);
    if (box)
        return *box;
    return std::nullopt;
}

QByteArray svgBytes(std::span<const std::uint8_t> bytes)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

} // namespace

SvgFacts inspectSvg(std::span<const std::uint8_t> bytes)
{
    SvgFacts facts;
    // Compressed files (.svgz) would be inflated by Qt Svg without a bound.
    if (bytes.empty() || bytes.size() > kMaxSvgBytes || (bytes.size() >= 2 && bytes[0] == 0x1f && bytes[1] == 0x8b))
        return facts;
    QXmlStreamReader reader(svgBytes(bytes));
    int elements = 0;
    int styleDepth = 0;
    std::optional<QSizeF> size;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            // A document type that declares entities is how a file grows
            // while it is read (and how it names other files).
            if (!reader.entityDeclarations().isEmpty() || !reader.notationDeclarations().isEmpty())
                return facts;
            break;
        case QXmlStreamReader::EntityReference:
            return facts;
        case QXmlStreamReader::ProcessingInstruction:
            if (reader.processingInstructionTarget() == QStringLiteral("xml-stylesheet"))
                return facts;
            break;
        case QXmlStreamReader::StartElement: {
            if (++elements > kMaxSvgElements)
                return facts;
            const QXmlStreamAttributes attributes = reader.attributes();
            if (elements == 1) {
                if (reader.name() != QStringLiteral("svg"))
                    return facts;
                size = rootSize(attributes);
            }
            for (const QXmlStreamAttribute& a : attributes) {
                if (a.name() == QStringLiteral("href") && !localReference(a.value()))
                    return facts;
                if (reachesOut(a.value()))
                    return facts;
            }
            if (reader.name() == QStringLiteral("style") || styleDepth > 0)
                ++styleDepth;
            break;
        }
        case QXmlStreamReader::EndElement:
            if (styleDepth > 0)
                --styleDepth;
            break;
        case QXmlStreamReader::Characters:
            if (styleDepth > 0 && reachesOut(reader.text()))
                return facts;
            break;
        default:
            break;
        }
    }
    if (reader.hasError() || elements == 0)
        return facts;
    if (!size) {
        // No size of its own: the one Qt Svg gives it.
        const QSvgRenderer renderer(svgBytes(bytes));
        if (!renderer.isValid() || renderer.defaultSize().isEmpty())
            return facts;
        size = QSizeF(renderer.defaultSize());
    }
    facts.usable = true;
    facts.size = *size;
    return facts;
}

SvgPlay playSvg(std::span<const std::uint8_t> bytes, int enlargement)
{
    SvgPlay out;
    const SvgFacts facts = inspectSvg(bytes);
    if (!facts.usable)
        return out;
    const double w = std::max(1.0, std::round(facts.size.width()));
    const double h = std::max(1.0, std::round(facts.size.height()));
    if (w * h > static_cast<double>(kMaxDecodedPixels) || w > 1e6 || h > 1e6) {
        out.tooLarge = true;
        return out;
    }
    int e = std::clamp(enlargement, 1, kMaxEnlargement);
    while (e > 1 && w * e * h * e > static_cast<double>(kMaxPlayedPixels))
        --e;
    QSvgRenderer renderer(svgBytes(bytes));
    if (!renderer.isValid())
        return out;
    const int pw = static_cast<int>(w) * e, ph = static_cast<int>(h) * e;
    Bitmap played(pw, ph, RGBRef(255, 255, 255));
    if (played.isNull())
        return out;
    QPainter painter(&played.image());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, pw, ph));
    painter.end();
    out.bitmap = std::move(played);
    out.enlargement = e;
    return out;
}

} // namespace vlm
