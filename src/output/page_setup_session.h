#pragma once

// What the Page Setup dialog works on, without its widgets: the working copy
// of the eleven page setups, the current design type and stage, and every
// change the dialog's controls make to them. The widgets only show this
// state and forward the user's edits, so the dialog's rules are tested here.

#include "model/page_setup.h"
#include "settings/settings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vlm {

struct Item;
struct LabelTemplate;

// The design types the menu offers, in menu order.
inline constexpr std::int32_t kOfferedDesignTypes[8] = {
    DesignIllustrations, DesignBrochures, DesignPostcards, DesignGreetingCards,
    DesignBusinessCards, DesignTentCards, DesignLabels,    DesignDigitalImages,
};

// One place of the dimension panel: a text field for a DimensionText or one
// of the two fold boxes, with its label.
struct DimensionCell
{
    enum class Kind { Text, ColumnFold, RowFold };
    Kind kind = Kind::Text;
    DimensionText text = TextPaperWidth; // Kind::Text only
    const char16_t* label = nullptr;

    bool operator==(const DimensionCell&) const = default;
};

// The panel's rows, each a left and a right cell.
using DimensionLayout = std::vector<std::pair<DimensionCell, DimensionCell>>;
DimensionLayout DimensionLayoutFor(std::int32_t designType, std::int32_t unit);

// Which hints stand beside the dimension panel.
enum class HintFamily { Sheet, Card, Digital };
HintFamily HintFamilyOf(std::int32_t designType);

class PageSetupSession
{
public:
    enum class Stage { DesignTypeMenu, Dimensions };

    // For new files: the current type is Brochures.
    explicit PageSetupSession(const pagesetArr_t& settingsPageSetups);
    // For a document: its header's type and current set are taken over when
    // they are valid; a type outside 1..11 opens on the design-type menu.
    PageSetupSession(const pagesetArr_t& settingsPageSetups, const Item& header);

    Stage stage() const { return stage_; }
    std::int32_t designType() const { return type_; }
    const pagesetArr_t& working() const { return working_; }
    // False while a document of an unknown type waits for one to be chosen.
    bool typeChosen() const { return IsDesignType(type_); }
    // The current type's page setup (a blank one before a type is chosen).
    const pageset_t& pageset() const;
    std::int32_t units() const { return pageset().units; }
    // The current unit's set; null when the units are outside 1..3.
    const miry_t* currentSet() const;

    // A type of the menu was chosen: it becomes current and its panel shows.
    void chooseDesignType(std::int32_t designType);
    void showDesignTypeMenu() { stage_ = Stage::DesignTypeMenu; }

    // The panel's controls. Each keeps the list selection (the set's index)
    // true to the texts.
    void setText(DimensionText field, const std::u16string& text);
    void setFold(DimensionCell::Kind fold, bool on);
    void chooseQuickSelect(std::int32_t index);
    // A label or card product was chosen: a card design type it makes
    // becomes the current type, and the product is applied like a Quick
    // select row in the unit shown until then (applyTemplate). False when
    // it cannot be chosen.
    bool chooseTemplate(const LabelTemplate& t);
    void setUnits(std::int32_t unit);
    void setOrientation(std::int32_t orientation);

    std::vector<std::u16string> quickSelectTexts() const;
    std::int32_t quickSelectIndex() const;

    // "Apply" for a document: its header takes the current type's setup and
    // is marked modified. False when nothing could be applied (no type was
    // chosen, or the units are outside 1..3).
    bool applyTo(Item& header, const PageSetupEnvironment& env) const;
    // "Apply" for new files.
    void applyTo(Settings& settings) const;

private:
    miry_t* set();
    void rematch();

    pagesetArr_t working_;
    std::int32_t type_ = DesignBrochures;
    Stage stage_ = Stage::Dimensions;
};

} // namespace vlm
