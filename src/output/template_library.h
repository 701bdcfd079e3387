#pragma once

// Where the label and card templates come from, and the catalogue read from
// them once, the first time something asks: the installed products
// database, then the user's own folder in the same format, then the Quick
// select card and label rows. Nothing here runs at start-up.

#include "output/label_templates.h"

#include <QString>

#include <memory>

namespace vlm {

struct TemplateSources
{
    QString database;   // the installed database's folder; empty for none
    QString userFolder; // the user's own templates; empty for none
    bool builtins = true;
};

// The installed products database: the first data folder of the system
// holding it, empty when none does.
QString installedTemplateDatabase();

// The user's folder below their data home ($XDG_DATA_HOME).
QString userTemplateFolder(const QString& dataHome);

// Both, for the program as installed.
TemplateSources installedTemplateSources(const QString& dataHome);

// Reads every source in order. Aliases take their base's sheet; one that
// names no known product is skipped with a diagnostic line.
TemplateCatalogue loadTemplates(const TemplateSources& sources);

// The catalogue of one program run, read on first use.
class TemplateLibrary
{
public:
    explicit TemplateLibrary(TemplateSources sources) : sources_(std::move(sources)) {}

    const TemplateSources& sources() const { return sources_; }
    bool loaded() const { return catalogue_ != nullptr; }
    // Reads the sources the first time.
    const TemplateCatalogue& catalogue();
    // Reads them again, after the user saved a template of their own.
    void reload() { catalogue_.reset(); }

private:
    TemplateSources sources_;
    std::unique_ptr<TemplateCatalogue> catalogue_;
};

} // namespace vlm
