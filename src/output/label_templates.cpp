#include "output/label_templates.h"

#include "output/quick_select_catalogue.h"
#include "platform/ui_text.h"
#include "texts/page_setup_texts.h"
#include "texts/template_texts.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

// Cells that meet within this much (points) touch rather than overlap: the
// files round their lengths.
constexpr double kTouching = 1e-3;

double inUnit(double points, std::int32_t unit)
{
    return unit == UnitInches ? points / kPointsPerInch : points / kPointsPerMm;
}

QString formatNumber(double value, int decimals)
{
    QString s = QString::number(value, 'f', decimals);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QStringLiteral("-0"))
        s = QStringLiteral("0");
    return s;
}

// A size as shown: "2.625 x 1 in", "70 x 37 mm".
QString sizeText(double w, double h, std::int32_t unit)
{
    const int decimals = unit == UnitInches ? 4 : 2;
    return formatNumber(inUnit(w, unit), decimals) + uiText(texts::kTemplateTimes) + formatNumber(inUnit(h, unit), decimals) +
           uiText(unit == UnitInches ? texts::kTemplateIn : texts::kTemplateMm);
}

// "85 x 54", "85x54" and "85 × 54" become "85x54", so a size is one word.
QString joinSizes(const QString& lower)
{
    QString out;
    out.reserve(lower.size());
    const qsizetype n = lower.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = lower[i];
        if (c.isDigit() || c == QLatin1Char('.')) {
            out += c;
            // A digit, blanks, an x or a times sign, blanks and a digit.
            qsizetype j = i + 1;
            while (j < n && lower[j].isSpace())
                ++j;
            if (c.isDigit() && j < n && (lower[j] == QLatin1Char('x') || lower[j] == QChar(0x00D7))) {
                qsizetype k = j + 1;
                while (k < n && lower[k].isSpace())
                    ++k;
                if (k < n && lower[k].isDigit()) {
                    out += QLatin1Char('x');
                    i = k - 1;
                }
            }
            continue;
        }
        out += c == QChar(0x00D7) ? QLatin1Char('x') : c;
    }
    return out;
}

QString prepared(const QString& text)
{
    return joinSizes(text.toLower());
}

const char16_t* shapeNote(LabelShape shape)
{
    switch (shape) {
    case LabelShape::Round: return texts::kTemplateRoundNote;
    case LabelShape::Ellipse: return texts::kTemplateEllipseNote;
    case LabelShape::Disc: return texts::kTemplateDiscNote;
    case LabelShape::Rectangle: break;
    }
    return nullptr;
}

const char16_t* limitText(TemplateLimit limit)
{
    switch (limit) {
    case TemplateLimit::SeveralLayouts: return texts::kTemplateSeveralLayouts;
    case TemplateLimit::SeveralShapes: return texts::kTemplateSeveralShapes;
    case TemplateLimit::OverlappingCells: return texts::kTemplateOverlapping;
    case TemplateLimit::None: break;
    }
    return nullptr;
}

} // namespace

TemplateLimit limitOf(const LabelTemplate& t)
{
    if (t.limit == TemplateLimit::SeveralLayouts || t.limit == TemplateLimit::SeveralShapes)
        return t.limit;
    if (t.columnGap() < -kTouching || t.rowGap() < -kTouching)
        return TemplateLimit::OverlappingCells;
    return TemplateLimit::None;
}

std::int32_t templateDesignType(const LabelTemplate& t)
{
    if (t.builtin())
        return t.builtinType;
    const auto has = [&t](const char* category) {
        return t.categories.contains(QLatin1String(category), Qt::CaseInsensitive);
    };
    // Categories of our own, written by "Save as Template...", come first.
    if (has("tent-card"))
        return DesignTentCards;
    if (has("postcard"))
        return DesignPostcards;
    if (t.shape == LabelShape::Disc)
        return DesignCdDvdLabels;
    if (has("business-card"))
        return DesignBusinessCards;
    if (has("foldable"))
        return DesignGreetingCards;
    if (has("card") || has("name-badge"))
        return DesignPostcards;
    return DesignLabels;
}

std::u16string lengthText(double points, std::int32_t unit)
{
    return formatNumber(inUnit(points, unit), unit == UnitInches ? 6 : 5).toStdU16String();
}

bool writeTemplate(const LabelTemplate& t, std::int32_t unit, miry_t& set, std::int32_t& orientation)
{
    if (!t.usable() || t.builtin() || (unit != UnitMillimeters && unit != UnitInches))
        return false;
    const double usedWidth = t.columns * t.width + (t.columns - 1) * t.columnGap();
    const double usedHeight = t.rows * t.height + (t.rows - 1) * t.rowGap();
    const auto text = [unit](double points) { return lengthText(points, unit); };
    DimensionTexts& x = set.texts;
    x[TextPaperWidth] = text(t.paperWidth);
    x[TextPaperHeight] = text(t.paperHeight);
    x[TextCardWidth] = text(t.width);
    x[TextCardHeight] = text(t.height);
    x[TextMarginLeft] = text(t.x0);
    x[TextMarginTop] = text(t.y0);
    x[TextMarginRight] = text(std::max(0.0, t.paperWidth - t.x0 - usedWidth));
    x[TextMarginBottom] = text(std::max(0.0, t.paperHeight - t.y0 - usedHeight));
    x[TextRows] = QString::number(t.rows).toStdU16String();
    x[TextColumns] = QString::number(t.columns).toStdU16String();
    x[TextRowGap] = text(std::max(0.0, t.rowGap()));
    x[TextColumnGap] = text(std::max(0.0, t.columnGap()));
    orientation = t.paperWidth > t.paperHeight ? Landscape : Portrait;
    return true;
}

bool applyTemplate(const LabelTemplate& t, std::int32_t designType, std::int32_t unit, pageset_t& pageset)
{
    if (t.builtin()) {
        if (!ApplyQuickSelectRow(t.builtinType, t.builtinUnit, t.builtinRow, pageset.set(t.builtinUnit),
                                 pageset.orientation))
            return false;
        pageset.units = t.builtinUnit;
        return true;
    }
    if (unit != UnitMillimeters && unit != UnitInches)
        unit = t.naturalUnit;
    miry_t& set = pageset.set(unit);
    if (!writeTemplate(t, unit, set, pageset.orientation))
        return false;
    pageset.units = unit;
    set.quickSelect = matchQuickSelect(designType, unit, set, pageset.orientation);
    return true;
}

QString templateListText(const LabelTemplate& t)
{
    const QString dash = uiText(texts::kTemplateDash);
    QString s;
    if (t.builtin()) {
        s = t.description + dash + uiText(texts::kTemplateBuiltIn);
        return s;
    }
    s = t.brand + QLatin1Char(' ') + t.part;
    if (!t.description.isEmpty())
        s += dash + t.description;
    s += dash + sizeText(t.width, t.height, t.naturalUnit) + QStringLiteral(", ") + QString::number(t.columns) +
         uiText(texts::kTemplateTimes) + QString::number(t.rows) + QStringLiteral(" (") +
         QString::number(t.columns * t.rows) + uiText(texts::kTemplatePerSheet) + QStringLiteral("), ");
    s += t.paperName.isEmpty() ? sizeText(t.paperWidth, t.paperHeight, t.naturalUnit) : t.paperName;
    if (const char16_t* note = shapeNote(t.shape))
        s += dash + uiText(note);
    if (!t.equivOf.isEmpty())
        s += dash + uiText(texts::kTemplateSameAs) + t.brand + QLatin1Char(' ') + t.equivOf;
    if (const char16_t* why = limitText(t.limit))
        s += dash + uiText(texts::kTemplateNotOffered) + uiText(why);
    return s;
}

void indexTemplate(LabelTemplate& t)
{
    QString h = prepared(templateListText(t));
    if (!t.builtin()) {
        // The size in the other unit too, so "66.7 x 25.4" finds 2.625 x 1 in.
        const std::int32_t other = t.naturalUnit == UnitInches ? UnitMillimeters : UnitInches;
        h += QLatin1Char(' ') + formatNumber(inUnit(t.width, other), other == UnitInches ? 3 : 1) + QLatin1Char('x') +
             formatNumber(inUnit(t.height, other), other == UnitInches ? 3 : 1);
    } else {
        h += QLatin1Char(' ') + uiText(texts::kDesignTypeNames[t.builtinType - 1]).toLower();
    }
    t.haystack = h;
}

std::vector<LabelTemplate> builtinTemplates()
{
    std::vector<LabelTemplate> out;
    for (std::int32_t type : {DesignPostcards, DesignGreetingCards, DesignBusinessCards, DesignTentCards, DesignLabels})
        for (std::int32_t unit : {UnitMillimeters, UnitInches}) {
            const std::vector<QuickSelectRow>& rows = QuickSelectRows(type, unit);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const QuickSelectRow& row = rows[i];
                LabelTemplate t;
                t.description = QString::fromStdU16String(row.text);
                t.builtinType = type;
                t.builtinUnit = unit;
                t.builtinRow = static_cast<std::int32_t>(i);
                t.naturalUnit = unit;
                const auto length = [&row, unit](int k) {
                    const auto v = row.values[k] ? parseDimension(row.values[k], unit) : std::nullopt;
                    return v.value_or(0.0) * (unit == UnitInches ? kPointsPerInch : kPointsPerMm);
                };
                t.paperWidth = length(TextPaperWidth);
                t.paperHeight = length(TextPaperHeight);
                t.width = length(TextCardWidth);
                t.height = length(TextCardHeight);
                indexTemplate(t);
                out.push_back(std::move(t));
            }
        }
    return out;
}

TemplateQuery::TemplateQuery(const QString& text)
    : words_(prepared(text).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts))
{
}

bool TemplateQuery::matches(const LabelTemplate& t) const
{
    for (const QString& w : words_)
        if (!t.haystack.contains(w))
            return false;
    return true;
}

std::vector<int> narrowTemplates(const TemplateCatalogue& catalogue, const QString& text)
{
    const TemplateQuery query(text);
    std::vector<int> kept;
    kept.reserve(catalogue.templates.size());
    for (std::size_t i = 0; i < catalogue.templates.size(); ++i)
        if (query.matches(catalogue.templates[i]))
            kept.push_back(static_cast<int>(i));
    return kept;
}

const LabelTemplate* findTemplate(const TemplateCatalogue& catalogue, const QString& name)
{
    const QString wanted = name.simplified().toLower();
    if (wanted.isEmpty())
        return nullptr;
    const auto& all = catalogue.templates;
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (!it->builtin() && (it->brand + QLatin1Char(' ') + it->part).simplified().toLower() == wanted)
            return &*it;
    for (const LabelTemplate& t : all)
        if (t.builtin() && t.description.simplified().toLower() == wanted)
            return &t;
    return nullptr;
}

} // namespace vlm
