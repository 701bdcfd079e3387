#pragma once

// "Save as Template...": the current page setup as a template file of the
// user's own, in the format the templates are read in, so it is listed with
// the products next time and can be chosen like one of them.

#include "output/label_templates.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vlm {

// The template a dimension set of `unit` (millimetres or inches) describes
// for `designType`. Empty when the unit is pixels, when a length does not
// parse or is not above zero where it must be, or when the counts are not
// whole numbers from 1 to kMaxTemplateCount.
std::optional<LabelTemplate> templateFromSet(const miry_t& set, std::int32_t unit, std::int32_t designType,
                                             const QString& brand, const QString& part,
                                             const QString& description);

// The file's text: one Template with its categories, shape and layout, the
// lengths in `t.naturalUnit`.
QByteArray templateXml(const LabelTemplate& t);

// The file a template of `brand` and `part` is saved as in `folder`.
QString userTemplatePath(const QString& folder, const QString& brand, const QString& part);

// Writes the file (replacing an earlier one of the same name) without ever
// leaving half a file. The path written, or the reason it failed in `error`.
std::optional<QString> saveUserTemplate(const QString& folder, const LabelTemplate& t, QString& error);

} // namespace vlm
