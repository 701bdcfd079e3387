#pragma once

// Reading label and card template files: an XML document whose root holds
// Template elements (brand, part, paper size or a paper of its own,
// description, categories, an `equiv` alias, and one label shape with its
// Layout), or Paper-size elements naming the papers they refer to.
//
// The reader trusts nothing: a file that is too large, not XML, nested
// deeply or declaring entities is refused as a whole; a template with a
// length that is not a positive number, an unknown paper, a count out of
// range or a sheet of more than kMaxTemplateCells cells is skipped; each
// leaves one line for the diagnostics.

#include "output/label_templates.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vlm {

// Files larger than this are not read at all.
inline constexpr qint64 kMaxTemplateFileBytes = 8 * 1024 * 1024;
// A file holding more templates than this is refused.
inline constexpr int kMaxTemplatesPerFile = 20000;

struct PaperSize
{
    QString id;
    QString name;
    double width = 0.0; // points
    double height = 0.0;
};

// A few common papers, for template files read without the installed list.
std::vector<PaperSize> builtinPaperSizes();

// A length as the files write it: a number and a unit (pt, in, mm, cm, pc;
// none means points), in points. Empty for anything else, for a negative,
// infinite or not-a-number value, and beyond 100 metres.
std::optional<double> parseTemplateLength(QStringView text);

// What one file held. Aliases come back with their base's product number
// in `equivOf` and no geometry: the loader fills them in once every file
// has been read.
struct TemplateFile
{
    std::vector<LabelTemplate> templates;
    std::vector<PaperSize> papers;
    QStringList diagnostics; // one line per template skipped
};

// Reads the bytes of `source`. Papers named by templates are looked up in
// `papers` and then in the file's own Paper-size elements. On a refused file
// the reason comes back (one line, the file's name first) and `out` is left
// as it was.
std::optional<QString> readTemplateDocument(const QByteArray& bytes, const QString& source,
                                            const std::vector<PaperSize>& papers, TemplateFile& out);

} // namespace vlm
