#pragma once

// Label and card products as their makers sell them ("Avery 5160", "Herma
// 4360"): one sheet of equal cells in columns and rows. A template maps onto
// the page setup model exactly: paper, card size, left and top margin,
// columns and rows, the two gaps, and a design type from its categories.
// Round, elliptical and disc labels are laid out by the cell around them. A
// product the model cannot hold (several layouts or shapes on one sheet,
// cells that overlap) stays in the list, greyed, with its reason.
//
// Lengths are kept in points (1/72 inch), as the template files measure.

#include "model/page_setup.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace vlm {

enum class LabelShape : std::uint8_t { Rectangle, Round, Ellipse, Disc };

// Why a listed template cannot be chosen.
enum class TemplateLimit : std::uint8_t { None, SeveralLayouts, SeveralShapes, OverlappingCells };

inline constexpr double kPointsPerInch = 72.0;
inline constexpr double kPointsPerMm = 72.0 / 25.4;
// A sheet holds at most this many cells, each way at most kMaxTemplateCount.
inline constexpr int kMaxTemplateCells = 10000;
inline constexpr int kMaxTemplateCount = 1000;

struct LabelTemplate
{
    QString brand;
    QString part;
    QString description;
    QString paperId;   // as the file names it: "A4", "US-Letter", "Other"
    QString paperName; // as shown: "A4", "US Letter"; empty for "Other"
    double paperWidth = 0.0;
    double paperHeight = 0.0;
    QStringList categories;
    LabelShape shape = LabelShape::Rectangle;
    double width = 0.0; // the cell
    double height = 0.0;
    int columns = 1;
    int rows = 1;
    double x0 = 0.0; // left and top edge of the first cell
    double y0 = 0.0;
    double dx = 0.0; // from one cell's edge to the next one's
    double dy = 0.0;
    TemplateLimit limit = TemplateLimit::None;
    std::int32_t naturalUnit = UnitMillimeters; // the unit the maker measured in
    QString equivOf; // an alias: the product number of the one it equals
    QString source;  // the file it came from; empty for a Quick select row

    // A Quick select row offered among the templates (source empty).
    std::int32_t builtinType = 0;
    std::int32_t builtinUnit = 0;
    std::int32_t builtinRow = -1;

    // Lower-case text the search narrows by (brand, part, description,
    // sizes, "30 per sheet", paper); filled by indexTemplate.
    QString haystack;

    bool builtin() const { return builtinRow >= 0; }
    bool usable() const { return limit == TemplateLimit::None; }
    double columnGap() const { return columns > 1 ? dx - width : 0.0; }
    double rowGap() const { return rows > 1 ? dy - height : 0.0; }
};

// Everything the template sources held, in the order read, and one line per
// file or template that was skipped.
struct TemplateCatalogue
{
    std::vector<LabelTemplate> templates;
    QStringList diagnostics;
};

// Checks what a template's geometry allows: the limit it is listed with.
TemplateLimit limitOf(const LabelTemplate& t);

// The design type a template makes: business cards, folding cards, disc
// labels, other cards, and labels for labels, mail and everything else.
std::int32_t templateDesignType(const LabelTemplate& t);

// A length in points as a dimension text of `unit` (millimetres to 1/100000,
// inches to 1/1000000, trailing zeros dropped).
std::u16string lengthText(double points, std::int32_t unit);

// Writes the template into `set` in `unit` (millimetres or inches) the way a
// Quick select row writes: paper, card, margins (right and bottom are what
// the cells leave over), rows and columns, gaps, and the orientation from
// the paper. The folds are left alone and the quick-select index is the
// caller's to match. False, with nothing changed, for a template that cannot
// be chosen, a Quick select row, or another unit.
bool writeTemplate(const LabelTemplate& t, std::int32_t unit, miry_t& set, std::int32_t& orientation);

// Chooses the template for a page setup of `designType`, as a Quick select
// row is chosen: a product is written into the set of `unit` (its own unit
// when `unit` is pixels) and that unit becomes current, the set's
// quick-select index is matched afresh; a Quick select row is applied in
// its own unit. False, with nothing changed, for a greyed template.
bool applyTemplate(const LabelTemplate& t, std::int32_t designType, std::int32_t unit, pageset_t& pageset);

// The list text: brand and part, description, size in its unit, columns x
// rows and the count per sheet, the paper, and a note for round shapes,
// aliases and greyed entries.
QString templateListText(const LabelTemplate& t);

// Fills t.haystack from the list text and the size in both units.
void indexTemplate(LabelTemplate& t);

// The Quick select card and label rows of both units, as templates.
std::vector<LabelTemplate> builtinTemplates();

// The search a user types, prepared once: every word must occur in a
// template's haystack; "85 x 54", "85x54" and "85 × 54" all mean one size.
class TemplateQuery {
public:
    explicit TemplateQuery(const QString& text);
    bool matches(const LabelTemplate& t) const;
    bool empty() const { return words_.isEmpty(); }

private:
    QStringList words_;
};

// The indices of the templates a query keeps, in catalogue order.
std::vector<int> narrowTemplates(const TemplateCatalogue& catalogue, const QString& text);

// The template named "BRAND PART" (case and surrounding blanks ignored), or
// a Quick select row by its list text. The user's own files come after the
// installed database, and a later one of the same name wins. Null when
// none is called so.
const LabelTemplate* findTemplate(const TemplateCatalogue& catalogue, const QString& name);

} // namespace vlm
