#include "output/template_reader.h"

#include "platform/ui_text.h"
#include "texts/template_texts.h"

#include <QXmlStreamReader>

#include <cmath>

namespace vlm {

namespace {

// Template files nest four levels (root, Template, label shape, Layout);
// anything much deeper is not one, and is not followed down.
constexpr int kMaxDepth = 16;
// 100 metres in points.
constexpr double kMaxLength = 100000.0 * kPointsPerMm;

struct Pending
{
    LabelTemplate t;
    qint64 line = 0;
    int shapes = 0;
    int layouts = 0;
    QString fault; // why it is skipped; empty while it is sound
};

QString attribute(const QXmlStreamAttributes& a, const char* name)
{
    return a.value(QLatin1String(name)).toString().trimmed();
}

bool hasAttribute(const QXmlStreamAttributes& a, const char* name)
{
    return a.hasAttribute(QLatin1String(name));
}

class Reader
{
public:
    Reader(const QString& source, const std::vector<PaperSize>& papers, TemplateFile& out)
        : source_(source), papers_(papers), out_(out)
    {}

    std::optional<QString> run(const QByteArray& bytes);

private:
    QString fileError(const QString& why) const { return source_ + QStringLiteral(": ") + why + uiText(texts::kFileSkipped); }
    const PaperSize* paper(const QString& id) const;
    // A length attribute; `required` ones must be there and above zero.
    double length(Pending& p, const QXmlStreamAttributes& a, const char* name, bool required);
    int count(Pending& p, const QXmlStreamAttributes& a, const char* name);
    void startTemplate(const QXmlStreamAttributes& a, qint64 line);
    void startShape(QStringView element, const QXmlStreamAttributes& a);
    void startLayout(const QXmlStreamAttributes& a);
    void finishTemplate();
    void addPaper(const QXmlStreamAttributes& a);

    const QString& source_;
    const std::vector<PaperSize>& papers_;
    TemplateFile& out_;
    TemplateFile read_; // committed only when the whole file reads
    std::optional<Pending> pending_;
};

const PaperSize* Reader::paper(const QString& id) const
{
    for (const std::vector<PaperSize>* list : {&read_.papers, &papers_})
        for (const PaperSize& p : *list)
            if (p.id.compare(id, Qt::CaseInsensitive) == 0)
                return &p;
    return nullptr;
}

double Reader::length(Pending& p, const QXmlStreamAttributes& a, const char* name, bool required)
{
    // An optional length left out or written empty is nothing.
    if (!required && attribute(a, name).isEmpty())
        return 0.0;
    const QString text = attribute(a, name);
    const std::optional<double> v = parseTemplateLength(text);
    if ((!v || (required && *v <= 0.0)) && p.fault.isEmpty())
        p.fault = uiText(texts::kBadLength) + QLatin1String(name) + QStringLiteral("=\"") + text + QLatin1Char('"');
    return v.value_or(0.0);
}

int Reader::count(Pending& p, const QXmlStreamAttributes& a, const char* name)
{
    bool ok = false;
    const int n = attribute(a, name).toInt(&ok);
    if ((!ok || n < 1 || n > kMaxTemplateCount) && p.fault.isEmpty())
        p.fault = uiText(texts::kBadCount);
    return ok && n >= 1 && n <= kMaxTemplateCount ? n : 1;
}

void Reader::startTemplate(const QXmlStreamAttributes& a, qint64 line)
{
    Pending p;
    p.line = line;
    LabelTemplate& t = p.t;
    t.source = source_;
    t.brand = attribute(a, "brand");
    t.part = attribute(a, "part");
    t.description = hasAttribute(a, "_description") ? attribute(a, "_description") : attribute(a, "description");
    t.equivOf = attribute(a, "equiv");
    if (t.brand.isEmpty() || t.part.isEmpty())
        p.fault = uiText(texts::kNoName);
    if (t.equivOf.isEmpty() && p.fault.isEmpty()) {
        t.paperId = attribute(a, "size");
        const PaperSize* known = nullptr;
        if (t.paperId.compare(QLatin1String("Other"), Qt::CaseInsensitive) == 0 ||
            (t.paperId.isEmpty() && hasAttribute(a, "width"))) {
            t.paperWidth = length(p, a, "width", true);
            t.paperHeight = length(p, a, "height", true);
        } else if ((known = paper(t.paperId))) {
            t.paperName = known->name;
            t.paperWidth = known->width;
            t.paperHeight = known->height;
        } else {
            p.fault = uiText(texts::kUnknownPaper) + QLatin1Char('"') + t.paperId + QLatin1Char('"');
        }
    }
    pending_ = std::move(p);
}

void Reader::startShape(QStringView element, const QXmlStreamAttributes& a)
{
    Pending& p = *pending_;
    if (++p.shapes > 1)
        return;
    LabelTemplate& t = p.t;
    const char* sizeAttribute = "width";
    if (element == QLatin1String("Label-rectangle")) {
        t.shape = LabelShape::Rectangle;
        t.width = length(p, a, "width", true);
        t.height = length(p, a, "height", true);
    } else if (element == QLatin1String("Label-ellipse")) {
        t.shape = LabelShape::Ellipse;
        t.width = length(p, a, "width", true);
        t.height = length(p, a, "height", true);
    } else if (element == QLatin1String("Label-round") || element == QLatin1String("Label-cd")) {
        t.shape = element == QLatin1String("Label-cd") ? LabelShape::Disc : LabelShape::Round;
        sizeAttribute = "radius";
        const double side = 2.0 * length(p, a, "radius", true);
        // A disc label cut straight at its sides gives its width (and height).
        t.width = hasAttribute(a, "width") ? length(p, a, "width", true) : side;
        t.height = hasAttribute(a, "height") ? length(p, a, "height", true) : side;
    } else {
        --p.shapes; // an unknown shape is no label
        return;
    }
    const QString size = attribute(a, sizeAttribute);
    if (size.endsWith(QLatin1String("in")))
        t.naturalUnit = UnitInches;
    else if (size.endsWith(QLatin1String("mm")) || size.endsWith(QLatin1String("cm")))
        t.naturalUnit = UnitMillimeters;
    else
        t.naturalUnit = t.paperId.startsWith(QLatin1String("US"), Qt::CaseInsensitive) ? UnitInches : UnitMillimeters;
}

void Reader::startLayout(const QXmlStreamAttributes& a)
{
    Pending& p = *pending_;
    if (++p.layouts > 1)
        return;
    LabelTemplate& t = p.t;
    t.columns = count(p, a, "nx");
    t.rows = count(p, a, "ny");
    t.x0 = length(p, a, "x0", false);
    t.y0 = length(p, a, "y0", false);
    t.dx = length(p, a, "dx", false);
    t.dy = length(p, a, "dy", false);
    if (t.columns * t.rows > kMaxTemplateCells && p.fault.isEmpty())
        p.fault = uiText(texts::kTooManyCells);
}

void Reader::finishTemplate()
{
    Pending p = std::move(*pending_);
    pending_.reset();
    LabelTemplate& t = p.t;
    if (t.equivOf.isEmpty() && p.fault.isEmpty() && (p.shapes == 0 || p.layouts == 0))
        p.fault = uiText(texts::kNoLabel);
    if (!p.fault.isEmpty()) {
        read_.diagnostics << source_ + QLatin1Char(':') + QString::number(p.line) + QStringLiteral(": ") + t.brand +
                                 QLatin1Char(' ') + t.part + QStringLiteral(": ") + p.fault +
                                 uiText(texts::kTemplateSkipped);
        return;
    }
    if (t.equivOf.isEmpty()) {
        t.limit = p.shapes > 1    ? TemplateLimit::SeveralShapes
                  : p.layouts > 1 ? TemplateLimit::SeveralLayouts
                                  : TemplateLimit::None;
        t.limit = limitOf(t);
    }
    read_.templates.push_back(std::move(t));
}

void Reader::addPaper(const QXmlStreamAttributes& a)
{
    PaperSize s;
    s.id = attribute(a, "id");
    s.name = hasAttribute(a, "_name") ? attribute(a, "_name") : attribute(a, "name");
    const std::optional<double> w = parseTemplateLength(attribute(a, "width"));
    const std::optional<double> h = parseTemplateLength(attribute(a, "height"));
    if (s.id.isEmpty() || !w || !h || *w <= 0.0 || *h <= 0.0)
        return; // a paper nobody can use; templates naming it say so
    s.width = *w;
    s.height = *h;
    read_.papers.push_back(std::move(s));
}

std::optional<QString> Reader::run(const QByteArray& bytes)
{
    if (bytes.size() > kMaxTemplateFileBytes)
        return fileError(uiText(texts::kTooLargeFile));
    QXmlStreamReader xml(bytes);
    // Entities are refused outright below; this bounds the expansion of any
    // that slip through the declarations check.
    xml.setEntityExpansionLimit(64);
    int depth = 0;
    enum class Root { None, Templates, Papers, Other } root = Root::None;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD && !xml.entityDeclarations().isEmpty())
            return fileError(uiText(texts::kEntitiesRefused));
        if (token == QXmlStreamReader::EntityReference)
            return fileError(uiText(texts::kEntitiesRefused));
        if (token == QXmlStreamReader::EndElement) {
            if (depth == 2 && pending_)
                finishTemplate();
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (++depth > kMaxDepth)
            return fileError(uiText(texts::kNotTemplateFile));
        const QStringView name = xml.name();
        const QXmlStreamAttributes a = xml.attributes();
        if (depth == 1) {
            root = name == QLatin1String("Glabels-templates")     ? Root::Templates
                   : name == QLatin1String("Glabels-paper-sizes") ? Root::Papers
                   : name.startsWith(QLatin1String("Glabels-"))   ? Root::Other
                                                                   : Root::None;
            if (root == Root::None)
                return fileError(uiText(texts::kNotTemplateFile));
        } else if (depth == 2 && root == Root::Papers && name == QLatin1String("Paper-size")) {
            addPaper(a);
        } else if (depth == 2 && root == Root::Templates && name == QLatin1String("Template")) {
            if (static_cast<int>(read_.templates.size()) >= kMaxTemplatesPerFile)
                return fileError(uiText(texts::kTooManyTemplates));
            startTemplate(a, xml.lineNumber());
        } else if (depth == 3 && pending_ && name == QLatin1String("Meta")) {
            const QString category = attribute(a, "category");
            if (!category.isEmpty() && pending_->t.categories.size() < 32)
                pending_->t.categories << category;
        } else if (depth == 3 && pending_ && name.startsWith(QLatin1String("Label-"))) {
            startShape(name, a);
        } else if (depth == 4 && pending_ && pending_->shapes == 1 && name == QLatin1String("Layout")) {
            startLayout(a);
        }
    }
    if (xml.hasError())
        return source_ + QLatin1Char(':') + QString::number(xml.lineNumber()) + QStringLiteral(": ") +
               xml.errorString() + uiText(texts::kFileSkipped);
    if (root == Root::None)
        return fileError(uiText(texts::kNotTemplateFile));
    for (LabelTemplate& t : read_.templates)
        out_.templates.push_back(std::move(t));
    for (PaperSize& p : read_.papers)
        out_.papers.push_back(std::move(p));
    out_.diagnostics << read_.diagnostics;
    return std::nullopt;
}

} // namespace

std::vector<PaperSize> builtinPaperSizes()
{
    const auto mm = [](const char* id, const char* name, double w, double h) {
        return PaperSize{QLatin1String(id), QLatin1String(name), w * kPointsPerMm, h * kPointsPerMm};
    };
    const auto in = [](const char* id, const char* name, double w, double h) {
        return PaperSize{QLatin1String(id), QLatin1String(name), w * kPointsPerInch, h * kPointsPerInch};
    };
    return {mm("A3", "A3", 297, 420),          mm("A4", "A4", 210, 297),
            mm("A5", "A5", 148, 210),          mm("A6", "A6", 105, 148),
            in("US-Letter", "US Letter", 8.5, 11), in("US-Legal", "US Legal", 8.5, 14),
            in("US-Executive", "US Executive", 7.25, 10.5)};
}

std::optional<double> parseTemplateLength(QStringView text)
{
    text = text.trimmed();
    const auto digitAt = [&text](qsizetype i) { return i < text.size() && text[i].isDigit(); };
    const auto signAt = [&text](qsizetype i) {
        return i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'));
    };
    qsizetype n = signAt(0) ? 1 : 0;
    while (digitAt(n) || (n < text.size() && text[n] == QLatin1Char('.')))
        ++n;
    // An exponent, as some files write lengths next to nothing: "3.9e-16pt".
    if (n < text.size() && (text[n] == QLatin1Char('e') || text[n] == QLatin1Char('E'))) {
        qsizetype e = n + 1;
        if (signAt(e))
            ++e;
        if (digitAt(e)) {
            while (digitAt(e))
                ++e;
            n = e;
        }
    }
    bool ok = false;
    const double value = text.first(n).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0.0)
        return std::nullopt;
    const QStringView unit = text.sliced(n).trimmed();
    double scale = 0.0;
    if (unit.isEmpty() || unit == QLatin1String("pt"))
        scale = 1.0;
    else if (unit == QLatin1String("in"))
        scale = kPointsPerInch;
    else if (unit == QLatin1String("mm"))
        scale = kPointsPerMm;
    else if (unit == QLatin1String("cm"))
        scale = 10.0 * kPointsPerMm;
    else if (unit == QLatin1String("pc"))
        scale = 12.0;
    const double points = value * scale;
    if (scale == 0.0 || !(points <= kMaxLength))
        return std::nullopt;
    return points;
}

std::optional<QString> readTemplateDocument(const QByteArray& bytes, const QString& source,
                                            const std::vector<PaperSize>& papers, TemplateFile& out)
{
    Reader reader(source, papers, out);
    return reader.run(bytes);
}

} // namespace vlm
