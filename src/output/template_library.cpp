#include "output/template_library.h"

#include "output/template_reader.h"
#include "platform/ui_text.h"
#include "texts/template_texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace vlm {

namespace {

const QString kPaperFile = QStringLiteral("paper-sizes.xml");

// The XML files of a folder, paper sizes first, the rest by name.
QStringList templateFiles(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    QDir dir(folder);
    QStringList names = dir.entryList({QStringLiteral("*.xml")}, QDir::Files | QDir::Readable, QDir::Name);
    if (names.removeAll(kPaperFile) > 0)
        names.prepend(kPaperFile);
    QStringList paths;
    for (const QString& n : names)
        paths << dir.filePath(n);
    return paths;
}

void readFile(const QString& path, std::vector<PaperSize>& papers, TemplateFile& into, QStringList& diagnostics)
{
    const QFileInfo info(path);
    // Devices and pipes have no honest size; only plain files are read.
    if (!info.isFile()) {
        diagnostics << path + QStringLiteral(": ") + uiText(texts::kUnreadableFile) + uiText(texts::kFileSkipped);
        return;
    }
    if (info.size() > kMaxTemplateFileBytes) {
        diagnostics << path + QStringLiteral(": ") + uiText(texts::kTooLargeFile) + uiText(texts::kFileSkipped);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        diagnostics << path + QStringLiteral(": ") + uiText(texts::kUnreadableFile) + uiText(texts::kFileSkipped);
        return;
    }
    // A file that grew since it was measured is still read no further.
    const QByteArray bytes = file.read(kMaxTemplateFileBytes + 1);
    TemplateFile read;
    if (const std::optional<QString> refused = readTemplateDocument(bytes, path, papers, read)) {
        diagnostics << *refused;
        return;
    }
    for (PaperSize& p : read.papers)
        papers.push_back(std::move(p));
    for (LabelTemplate& t : read.templates)
        into.templates.push_back(std::move(t));
    diagnostics << read.diagnostics;
}

QString aliasKey(const QString& brand, const QString& part)
{
    return brand.toLower() + QLatin1Char('\n') + part.toLower();
}

} // namespace

QString installedTemplateDatabase()
{
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("libglabels-3.0/templates"),
                                  QStandardPaths::LocateDirectory);
}

QString userTemplateFolder(const QString& dataHome)
{
    return dataHome.isEmpty() ? QString() : dataHome + QStringLiteral("/vellumora/templates");
}

TemplateSources installedTemplateSources(const QString& dataHome)
{
    return {installedTemplateDatabase(), userTemplateFolder(dataHome), true};
}

TemplateCatalogue loadTemplates(const TemplateSources& sources)
{
    TemplateCatalogue catalogue;
    std::vector<PaperSize> papers = builtinPaperSizes();
    TemplateFile all;
    // The papers of each file read count for the files after it.
    for (const QString& folder : {sources.database, sources.userFolder})
        for (const QString& path : templateFiles(folder))
            readFile(path, papers, all, catalogue.diagnostics);

    // Aliases take the sheet of their base: the same brand's product named,
    // from the alias's own file when it is there, else the first one read.
    QHash<QString, qsizetype> inFile;
    QHash<QString, qsizetype> anywhere;
    for (std::size_t i = 0; i < all.templates.size(); ++i) {
        const LabelTemplate& t = all.templates[i];
        if (!t.equivOf.isEmpty())
            continue;
        const QString key = aliasKey(t.brand, t.part);
        inFile.insert(t.source + QLatin1Char('\n') + key, static_cast<qsizetype>(i));
        if (!anywhere.contains(key))
            anywhere.insert(key, static_cast<qsizetype>(i));
    }
    catalogue.templates.reserve(all.templates.size() + 64);
    for (const LabelTemplate& t : all.templates) {
        if (!t.equivOf.isEmpty()) {
            const QString key = aliasKey(t.brand, t.equivOf);
            const qsizetype none = -1;
            qsizetype base = inFile.value(t.source + QLatin1Char('\n') + key, none);
            if (base == none)
                base = anywhere.value(key, none);
            if (base == none) {
                catalogue.diagnostics << t.source + QStringLiteral(": ") + t.brand + QLatin1Char(' ') + t.part +
                                             QStringLiteral(": ") + uiText(texts::kUnknownBase) + t.equivOf +
                                             uiText(texts::kTemplateSkipped);
                continue;
            }
            LabelTemplate alias = all.templates[static_cast<std::size_t>(base)];
            alias.part = t.part;
            alias.equivOf = t.equivOf;
            alias.source = t.source;
            if (!t.description.isEmpty())
                alias.description = t.description;
            catalogue.templates.push_back(std::move(alias));
            continue;
        }
        // Copied, not moved: an alias further on may still take it as its base.
        catalogue.templates.push_back(t);
    }
    for (LabelTemplate& t : catalogue.templates)
        indexTemplate(t);
    if (sources.builtins)
        for (LabelTemplate& t : builtinTemplates())
            catalogue.templates.push_back(std::move(t));
    return catalogue;
}

const TemplateCatalogue& TemplateLibrary::catalogue()
{
    if (!catalogue_)
        catalogue_ = std::make_unique<TemplateCatalogue>(loadTemplates(sources_));
    return *catalogue_;
}

} // namespace vlm
