// templates and new: the label and card templates from the command line, so
// designs on a product's sheet can be started from scripts.

#include "app/cli_commands.h"
#include "app/cli_texts.h"

#include "model/document.h"
#include "model/document_file.h"
#include "model/grid_line.h"
#include "output/template_library.h"
#include "settings/document_defaults.h"
#include "settings/settings.h"

#include <QStandardPaths>

#include <ostream>

namespace vlm::cli {

namespace {

TemplateCatalogue loadForCommand(const Context& ctx)
{
    TemplateCatalogue c = loadTemplates(
        installedTemplateSources(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    for (const QString& line : c.diagnostics)
        ctx.err << line.toStdString() << '\n';
    return c;
}

} // namespace

int runTemplates(const Context& ctx, const std::vector<std::string>&)
{
    const TemplateCatalogue c = loadForCommand(ctx);
    const std::vector<int> kept = narrowTemplates(c, QString::fromStdString(ctx.search));
    for (int i : kept) {
        const LabelTemplate& t = c.templates[static_cast<std::size_t>(i)];
        ctx.out << templateListText(t).toStdString() << '\t' << (t.builtin() ? texts::kBuiltInSource : t.source.toStdString())
                << '\n';
    }
    if (kept.empty())
        ctx.err << texts::kNoTemplateMatches << '\n';
    return ExitOk;
}

int runNew(const Context& ctx, const std::vector<std::string>& args)
{
    if (ctx.templateName.empty()) {
        ctx.err << texts::kNewNeedsTemplate << '\n' << texts::kSeeHelp << '\n';
        return ExitUsage;
    }
    const TemplateCatalogue c = loadForCommand(ctx);
    const LabelTemplate* t = findTemplate(c, QString::fromStdString(ctx.templateName));
    if (!t) {
        ctx.err << texts::kNoSuchTemplate << '"' << ctx.templateName << "\"\n";
        return ExitUsage;
    }
    if (!t->usable()) {
        ctx.err << ctx.templateName << texts::kTemplateNotOffered << templateListText(*t).toStdString() << '\n';
        return ExitUsage;
    }

    // File > New with the Settings a first start has, then Page Setup's
    // Apply with the template chosen.
    const Settings settings(ctx.screen);
    Document doc;
    doc.items.setMetrics(ctx.screen);
    InitDocument(doc, DocumentDefaultsFrom(settings), OpenDocumentList{});
    const std::int32_t type = templateDesignType(*t);
    pageset_t pageset = settings.pageSetups[type];
    applyTemplate(*t, type, t->naturalUnit, pageset);
    Item* header = Header(doc.items);
    if (!header || !applyPageSetup(*header, pageset, type, PageSetupEnvironmentOf(settings), false))
        return ExitFileFailed;
    if (Item* grid = FindByKind(doc.items, KindGridLines))
        FitGridLines(*grid, header->rec.h);

    if (!WriteDocument(args[0], doc.items)) {
        ctx.err << texts::kCannotWrite << args[0] << '\n';
        return ExitFileFailed;
    }
    return ExitOk;
}

} // namespace vlm::cli
