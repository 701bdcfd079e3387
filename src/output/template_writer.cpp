#include "output/template_writer.h"

#include <QDir>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace vlm {

namespace {

QStringList categoriesOf(std::int32_t designType)
{
    switch (designType) {
    case DesignBusinessCards: return {QStringLiteral("business-card"), QStringLiteral("card")};
    case DesignGreetingCards: return {QStringLiteral("foldable"), QStringLiteral("card")};
    case DesignPostcards: return {QStringLiteral("postcard"), QStringLiteral("card")};
    case DesignTentCards: return {QStringLiteral("tent-card"), QStringLiteral("card")};
    default: return {QStringLiteral("label"), QStringLiteral("rectangle-label")};
    }
}

QString lengthAttribute(double points, std::int32_t unit)
{
    return QString::fromStdU16String(lengthText(points, unit)) +
           (unit == UnitInches ? QStringLiteral("in") : QStringLiteral("mm"));
}

} // namespace

std::optional<LabelTemplate> templateFromSet(const miry_t& set, std::int32_t unit, std::int32_t designType,
                                             const QString& brand, const QString& part,
                                             const QString& description)
{
    if (unit != UnitMillimeters && unit != UnitInches)
        return std::nullopt;
    const double scale = unit == UnitInches ? kPointsPerInch : kPointsPerMm;
    bool sound = true;
    const auto length = [&](DimensionText k, bool positive) {
        const std::optional<double> v = parseDimension(set.texts[static_cast<std::size_t>(k)], unit);
        if (!v || *v < 0.0 || (positive && *v <= 0.0))
            sound = false;
        return v.value_or(0.0) * scale;
    };
    const auto count = [&](DimensionText k) {
        const std::optional<std::int32_t> v = ParseWholeNumber(set.texts[static_cast<std::size_t>(k)]);
        if (!v || *v < 1 || *v > kMaxTemplateCount)
            sound = false;
        return v.value_or(1);
    };
    LabelTemplate t;
    t.brand = brand.simplified();
    t.part = part.simplified();
    t.description = description.simplified();
    t.paperId = QStringLiteral("Other");
    t.paperWidth = length(TextPaperWidth, true);
    t.paperHeight = length(TextPaperHeight, true);
    t.width = length(TextCardWidth, true);
    t.height = length(TextCardHeight, true);
    t.x0 = length(TextMarginLeft, false);
    t.y0 = length(TextMarginTop, false);
    t.columns = count(TextColumns);
    t.rows = count(TextRows);
    t.dx = t.width + length(TextColumnGap, false);
    t.dy = t.height + length(TextRowGap, false);
    t.categories = categoriesOf(designType);
    t.naturalUnit = unit;
    if (!sound || t.brand.isEmpty() || t.part.isEmpty() || t.columns * t.rows > kMaxTemplateCells)
        return std::nullopt;
    return t;
}

QByteArray templateXml(const LabelTemplate& t)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("Glabels-templates"));
    xml.writeStartElement(QStringLiteral("Template"));
    xml.writeAttribute(QStringLiteral("brand"), t.brand);
    xml.writeAttribute(QStringLiteral("part"), t.part);
    xml.writeAttribute(QStringLiteral("size"), QStringLiteral("Other"));
    const std::int32_t u = t.naturalUnit;
    xml.writeAttribute(QStringLiteral("width"), lengthAttribute(t.paperWidth, u));
    xml.writeAttribute(QStringLiteral("height"), lengthAttribute(t.paperHeight, u));
    if (!t.description.isEmpty())
        xml.writeAttribute(QStringLiteral("description"), t.description);
    for (const QString& c : t.categories) {
        xml.writeEmptyElement(QStringLiteral("Meta"));
        xml.writeAttribute(QStringLiteral("category"), c);
    }
    xml.writeStartElement(QStringLiteral("Label-rectangle"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("width"), lengthAttribute(t.width, u));
    xml.writeAttribute(QStringLiteral("height"), lengthAttribute(t.height, u));
    xml.writeAttribute(QStringLiteral("round"), QStringLiteral("0"));
    xml.writeEmptyElement(QStringLiteral("Layout"));
    xml.writeAttribute(QStringLiteral("nx"), QString::number(t.columns));
    xml.writeAttribute(QStringLiteral("ny"), QString::number(t.rows));
    xml.writeAttribute(QStringLiteral("x0"), lengthAttribute(t.x0, u));
    xml.writeAttribute(QStringLiteral("y0"), lengthAttribute(t.y0, u));
    xml.writeAttribute(QStringLiteral("dx"), lengthAttribute(t.dx, u));
    xml.writeAttribute(QStringLiteral("dy"), lengthAttribute(t.dy, u));
    xml.writeEndElement(); // Label-rectangle
    xml.writeEndElement(); // Template
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QString userTemplatePath(const QString& folder, const QString& brand, const QString& part)
{
    QString name = brand.simplified() + QLatin1Char('-') + part.simplified();
    for (QChar& c : name)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.')))
            c = QLatin1Char('_');
    if (name.startsWith(QLatin1Char('.')))
        name.prepend(QLatin1Char('_'));
    return folder + QLatin1Char('/') + name.left(120) + QStringLiteral(".xml");
}

std::optional<QString> saveUserTemplate(const QString& folder, const LabelTemplate& t, QString& error)
{
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        error = folder;
        return std::nullopt;
    }
    const QString path = userTemplatePath(folder, t.brand, t.part);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(templateXml(t)) < 0 || !file.commit()) {
        error = file.errorString();
        return std::nullopt;
    }
    return path;
}

} // namespace vlm
