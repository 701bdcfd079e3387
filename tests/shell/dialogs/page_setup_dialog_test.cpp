#include "shell_fixture.h"

#include "model/grid_line.h"
#include "model/item.h"
#include "model/rounding.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/page_setup_commands.h"
#include "shell/dialogs/page_setup_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/panels/tool_panels.h"
#include "shell/window/left_column.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace vlm::test {
namespace {

struct PageSetupShellTest : ShellTest
{
    PageSetupCommands* pageSetup = nullptr;
    EditCommands* edit = nullptr;

    MainWindow& startWithPageSetup()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        pageSetup = new PageSetupCommands(m);
        return m;
    }
    PageSetupDialog& dialog()
    {
        EXPECT_NE(pageSetup->dialog(), nullptr);
        return *pageSetup->dialog();
    }
    InsertPanel* insertPanel() const
    {
        return dynamic_cast<InsertPanel*>(main->hooks().makePanel(MainWindow::kDefaultPanel));
    }
    // A type chosen in the menu, once its panel has replaced the menu.
    DimensionPanel& choose(std::int32_t type)
    {
        PageSetupDialog& page = dialog();
        page.showDesignTypeMenu();
        EXPECT_NE(page.menu(), nullptr);
        page.menu()->button(type)->click();
        EXPECT_TRUE(page.switchTimer().isActive());
        EXPECT_EQ(page.dimensions(), nullptr) << "the menu stays for a moment";
        page.switchTimerTimeout();
        EXPECT_NE(page.dimensions(), nullptr);
        return *page.dimensions();
    }
};

TEST_F(PageSetupShellTest, CurrentFileOpensOnTheDocumentsPanelAndApplyChangesIt)
{
    MainWindow& m = startWithPageSetup();
    EXPECT_TRUE(m.menus().menu(CommandId::PageSetupMenu)->menuAction()->isVisible());
    m.Timer2Timer();
    ASSERT_EQ(m.documentWindows().size(), 1u);
    DocumentWindow* w = m.activeWindow();
    Item& header = *w->document().items.header();
    ASSERT_EQ(+header.rec.h.designType, DesignBrochures);
    const std::size_t records = w->document().items.size();

    m.menus().entry(CommandId::PageSetupCurrent)->trigger();
    EXPECT_EQ(m.wideWindow().windowTitle(), QStringLiteral("Page Setup - Untitled 1"));
    EXPECT_TRUE(m.wideWindow().isVisible());
    ASSERT_NE(dialog().dimensions(), nullptr);
    EXPECT_EQ(dialog().session().designType(), DesignBrochures);
    ASSERT_NE(insertPanel(), nullptr);
    EXPECT_TRUE(insertPanel()->pageSetupLink()->isHidden()) << "hidden while the dialog shows";

    DimensionPanel& dim = choose(DesignBusinessCards);
    dim.unitList()->setCurrentRow(1); // Millimeters
    ASSERT_EQ(dim.quickSelectList()->count(), 12);
    dim.quickSelectList()->setCurrentRow(7); // 85 x 54, 10 per page
    EXPECT_EQ(dim.field(TextCardWidth)->text(), QStringLiteral("85"));
    EXPECT_EQ(dim.labelOf(TextCardWidth)->text(), QStringLiteral("Card width"));
    EXPECT_EQ(dim.field(TextMarginRight), nullptr) << "cards have no right margin field";
    dialog().applyButton()->click();

    const HeaderFields& h = header.rec.h;
    EXPECT_EQ(+h.designType, DesignBusinessCards);
    EXPECT_EQ(+h.units, UnitMillimeters);
    EXPECT_EQ(+h.pageDims[DimCardWidth], 85.0);
    EXPECT_EQ(+h.pageDims[DimCardHeight], 54.0);
    EXPECT_EQ(+h.rows, 5);
    EXPECT_EQ(+h.columns, 2);
    EXPECT_EQ(+h.areaWidth, 85.0);
    EXPECT_TRUE(modified(w));
    EXPECT_EQ(w->document().items.size(), records) << "nothing enters the undo history";
    // The grid now spans the 85 x 54 mm card at 10 mm: lines at 10, 20, ...
    const Item* grid = FindByKind(w->document().items, KindGridLines);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->verticalGridLines.size(), 8u);
    EXPECT_EQ(grid->horizontalGridLines.size(), 5u);
    EXPECT_EQ(GridLinePosition(GridHorizontal, grid->horizontalGridLines[0]),
              GridOffsetY(h) + Round(h.gridSpacingY * h.pixelsPerUnitY));

    flushDeletes();
    EXPECT_FALSE(m.wideWindow().isVisible());
    EXPECT_EQ(pageSetup->dialog(), nullptr);
    EXPECT_FALSE(insertPanel()->pageSetupLink()->isHidden());
}

TEST_F(PageSetupShellTest, CancelLeavesTheDocumentAndTheSettingsAlone)
{
    MainWindow& m = startWithPageSetup();
    m.Timer2Timer();
    DocumentWindow* w = m.activeWindow();
    const HeaderFields before = w->document().items.header()->rec.h;
    const pagesetArr_t settingsBefore = m.settings().pageSetups;

    pageSetup->CurrentFileCommand();
    DimensionPanel& dim = choose(DesignLabels);
    dim.quickSelectList()->setCurrentRow(2);
    dialog().cancelButton()->click();
    flushDeletes();

    const HeaderFields& after = w->document().items.header()->rec.h;
    EXPECT_EQ(+after.designType, +before.designType);
    EXPECT_EQ(+after.areaWidth, +before.areaWidth);
    EXPECT_FALSE(modified(w));
    EXPECT_EQ(m.settings().pageSetups[DesignLabels].set(UnitInches).texts,
              settingsBefore[DesignLabels].set(UnitInches).texts);
    EXPECT_FALSE(m.wideWindow().isVisible());
}

TEST_F(PageSetupShellTest, ThePanelFollowsEditsUnitsAndOrientation)
{
    MainWindow& m = startWithPageSetup();
    m.Timer2Timer();
    pageSetup->CurrentFileCommand();
    DimensionPanel& dim = choose(DesignBusinessCards);
    dim.unitList()->setCurrentRow(1);
    dim.quickSelectList()->setCurrentRow(1);

    dim.field(TextMarginLeft)->setText(QStringLiteral("30"));
    EXPECT_EQ(dim.quickSelectList()->currentRow(), -1);
    dim.field(TextMarginLeft)->setText(QStringLiteral("31"));
    EXPECT_EQ(dim.quickSelectList()->currentRow(), 1);

    dim.landscapeBox()->click();
    EXPECT_TRUE(dim.landscapeBox()->isChecked());
    EXPECT_FALSE(dim.portraitBox()->isChecked());
    EXPECT_EQ(dim.field(TextMarginLeft)->text(), QStringLiteral("18"));
    EXPECT_EQ(dim.field(TextMarginTop)->text(), QStringLiteral("31"));
    EXPECT_EQ(dim.quickSelectList()->currentRow(), 4);
    // A click on the box already ticked leaves it ticked and the set as it is.
    dim.landscapeBox()->click();
    EXPECT_TRUE(dim.landscapeBox()->isChecked());
    EXPECT_EQ(dim.field(TextMarginLeft)->text(), QStringLiteral("18"));

    dim.unitList()->setCurrentRow(0);
    EXPECT_EQ(dim.field(TextPaperWidth)->accessibleName(), QStringLiteral("Image width"));
    EXPECT_EQ(dim.field(TextCardWidth), nullptr);
    EXPECT_EQ(dim.quickSelectList()->count(), 14);
    dim.unitList()->setCurrentRow(1);
    EXPECT_EQ(dim.field(TextMarginLeft)->text(), QStringLiteral("18"));

    dim.foldBox(DimensionCell::Kind::RowFold)->click();
    EXPECT_EQ(dim.quickSelectList()->currentRow(), 5) << "the fold of the vertical cards";
}

TEST_F(PageSetupShellTest, NewFilesWriteTheSettingsAndTheLinkOpensTheCurrentFile)
{
    MainWindow& m = startWithPageSetup();
    ASSERT_TRUE(m.documentWindows().empty());
    pageSetup->CurrentFileCommand();
    EXPECT_EQ(m.wideWindow().windowTitle(), QStringLiteral("Page Setup - New Files"));
    DimensionPanel& dim = choose(DesignTentCards);
    dim.unitList()->setCurrentRow(1);
    dim.quickSelectList()->setCurrentRow(1);
    dialog().applyButton()->click();
    flushDeletes();
    EXPECT_EQ(m.settings().pspage, DesignTentCards);
    EXPECT_EQ(m.settings().pageSetups[DesignTentCards].set(UnitMillimeters).texts[TextCardHeight], u"46");
    EXPECT_EQ(m.settings().defaults.unit, UnitMillimeters);

    m.Timer2Timer();
    ASSERT_EQ(m.documentWindows().size(), 1u);
    EXPECT_EQ(+m.activeWindow()->document().items.header()->rec.h.designType, DesignTentCards);
    emit insertPanel()->pageSetupLink()->linkActivated(QStringLiteral("page-setup"));
    EXPECT_EQ(m.wideWindow().windowTitle(), QStringLiteral("Page Setup - Untitled 1"));
    EXPECT_EQ(dialog().session().designType(), DesignTentCards);
    EXPECT_EQ(dialog().dimensions()->quickSelectList()->currentRow(), 1);
    dialog().cancelButton()->click();
    flushDeletes();
}

TEST_F(PageSetupShellTest, ADocumentOfNoKnownTypeOpensOnTheMenu)
{
    MainWindow& m = startWithPageSetup();
    m.Timer2Timer();
    m.activeWindow()->document().items.header()->rec.h.designType = 0;
    pageSetup->CurrentFileCommand();
    ASSERT_NE(dialog().menu(), nullptr);
    EXPECT_EQ(dialog().dimensions(), nullptr);
    // Eight buttons in menu order.
    QStringList captions;
    for (std::int32_t t : kOfferedDesignTypes)
        captions << dialog().menu()->button(t)->text();
    EXPECT_EQ(
        captions.join(QLatin1Char(',')),
        QStringLiteral("Illustrations,Brochures,Postcards,Greeting Cards,Business Cards,Tent Cards,Labels,"
                       "Digital Images"));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(dialog().menu()->button(DesignLabels), &enter);
    EXPECT_EQ(dialog().menu()->shownType(), DesignLabels);
    dialog().applyButton()->click();
    EXPECT_EQ(+m.activeWindow()->document().items.header()->rec.h.designType, 0) << "no type was chosen";
    flushDeletes();
}

} // namespace
} // namespace vlm::test
