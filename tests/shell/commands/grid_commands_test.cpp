#include "shell_fixture.h"

#include "edit/grid_edit.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/grid_commands.h"
#include "shell/dialogs/grid_options_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/speed_dialog.h"
#include "shell/window/view_widget.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include <algorithm>

namespace vlm::test {
namespace {

using Answer = Prompts::Answer;

// The main window with the editing and the grid commands, as the program
// starts it, and the hint pages asked for.
struct GridShellTest : ShellTest
{
    EditCommands* edit = nullptr;
    GridCommands* grid = nullptr;
    std::vector<int> hints;

    MainWindow& startWithDocument()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        grid = new GridCommands(m, *edit);
        edit->showHintPage = [this](int page) { hints.push_back(page); };
        m.Timer2Timer();
        return m;
    }
    HeaderFields& header(MainWindow& m) { return Header(m.activeWindow()->document().items)->rec.h; }
    int gridVersions(MainWindow& m)
    {
        int n = 0;
        for (const Item& it : m.activeWindow()->document().items)
            n += it.rec.d.kind == KindGridLines;
        return n;
    }
    std::vector<int> checked(int which)
    {
        std::vector<int> on;
        for (int c = 0; c < 4; ++c) {
            QAction* a = which == 0   ? grid->gridEntry(c)
                         : which == 1 ? grid->anchorsEntry(c)
                                      : grid->snapEntry(c);
            if (a->isChecked())
                on.push_back(c);
        }
        return on;
    }
};

TEST_F(GridShellTest, MenusAndTogglesSetTheFlagsAndFollowTheActiveDocument)
{
    MainWindow& m = startWithDocument();
    ASSERT_EQ(m.documentWindows().size(), 1u);
    EXPECT_TRUE(m.menus().menu(CommandId::GridAndSnapMenu)->menuAction()->isVisible());
    EXPECT_EQ(checked(0), std::vector<int>{0});
    EXPECT_FALSE(grid->resetMenu()->isEnabled());
    EXPECT_FALSE(grid->anchorsMenu()->isEnabled());
    EXPECT_FALSE(grid->gridButton()->isChecked());

    grid->gridEntry(1)->trigger();
    EXPECT_EQ(GridChoice(header(m), GridFeature::Grid), 1);
    EXPECT_EQ(checked(0), std::vector<int>{1});
    EXPECT_TRUE(grid->resetMenu()->isEnabled());
    EXPECT_TRUE(grid->resetEntry(0)->isEnabled());
    EXPECT_FALSE(grid->resetEntry(1)->isEnabled());
    EXPECT_FALSE(grid->resetEntry(2)->isEnabled());
    grid->gridEntry(0)->trigger();
    EXPECT_EQ(hints, std::vector<int>{1028}); // none for "None"

    grid->gridButton()->click();
    EXPECT_EQ(GridChoice(header(m), GridFeature::Grid), 3);
    EXPECT_EQ(checked(0), std::vector<int>{3});
    EXPECT_TRUE(grid->resetEntry(2)->isEnabled());
    grid->snapEntry(1)->trigger();
    grid->snapButton()->click(); // it showed Horizontal as pressed: off
    EXPECT_EQ(GridChoice(header(m), GridFeature::Snap), 0);
    grid->snapButton()->click();
    EXPECT_EQ(GridChoice(header(m), GridFeature::Snap), 3);
    grid->anchorsEntry(2)->trigger();
    EXPECT_EQ(GridChoice(header(m), GridFeature::Anchors), 2);
    EXPECT_EQ(hints, (std::vector<int>{1028, 1028, 1029, 1042}));

    // "Reset" asks; No keeps the lines, Yes makes a new grid version.
    const int before = gridVersions(m);
    prompts.answers = {Answer::No, Answer::Yes};
    grid->resetEntry(2)->trigger();
    EXPECT_EQ(gridVersions(m), before);
    grid->resetEntry(2)->trigger();
    EXPECT_EQ(gridVersions(m), before + 1);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0].text,
              QStringLiteral("Make the distances between the gridlines equal?\n"
                             "(Use 'Tools|Grid|Customize...' to set the default distance)."));

    // A line drawn with two clicks ends on grid positions.
    edit->ChooseTool(98, true);
    Sandbox* box = edit->activeSandbox();
    ASSERT_TRUE(box);
    for (QPoint p : {QPoint(37, 41), QPoint(130, 95)}) {
        CanvasMouse c;
        c.x = p.x();
        c.y = p.y();
        c.button = MouseButton::Left;
        box->Image1MouseDown(c);
        box->Image1MouseUp(c);
    }
    const ItemList& items = m.activeWindow()->document().items;
    const Item* line = nullptr;
    for (const Item& it : items)
        if (IsLive(it) && it.rec.d.kind == KindLine)
            line = &it;
    ASSERT_TRUE(line);
    const Item* lines = FindVisibleByKind(items, KindGridLines);
    auto onGrid = [&](GridOrientation o, int v) {
        const int off = o == GridVertical ? GridOffsetX(header(m)) : GridOffsetY(header(m));
        const auto& all = GridLinesOf(*lines, o);
        return std::any_of(all.begin(), all.end(),
                           [&](const GridLine& g) { return GridLinePosition(o, g) == v + off; });
    };
    EXPECT_TRUE(onGrid(GridVertical, line->rec.d.x1) && onGrid(GridVertical, line->rec.d.x2));
    EXPECT_TRUE(onGrid(GridHorizontal, line->rec.d.y1) && onGrid(GridHorizontal, line->rec.d.y2));

    // After the last window the toggles show the grid defaults.
    m.settings().defaults.snapH = 1;
    prompts.answers = {Answer::No};
    m.CloseCommand();
    flushDeletes();
    ASSERT_TRUE(m.documentWindows().empty());
    EXPECT_FALSE(grid->gridButton()->isChecked());
    EXPECT_TRUE(grid->snapButton()->isChecked());
}

TEST_F(GridShellTest, TheGridOptionsSaveIntoTheDocumentOrTheDefaultsAndSpeedApplies)
{
    MainWindow& m = startWithDocument();
    grid->OpenGridOptions(true);
    auto* frame = dynamic_cast<GridOptionsDialog*>(m.wideWindow().frame());
    ASSERT_TRUE(frame);
    EXPECT_EQ(m.wideWindow().windowTitle(), QStringLiteral("Grid and Snap - Untitled 1"));
    EXPECT_EQ(frame->density(0)->text(), QStringLiteral("0.25"));
    EXPECT_EQ(frame->density(0)->accessibleName(), QStringLiteral("Horizontal Grid Density (Inches)"));
    frame->density(0)->setText(QStringLiteral("1/2"));
    frame->showGridlines(1)->setChecked(true);
    const int before = gridVersions(m);
    frame->Save();
    EXPECT_DOUBLE_EQ(header(m).gridSpacingX, 0.5);
    EXPECT_EQ(header(m).gridV, 1);
    EXPECT_EQ(gridVersions(m), before + 2);
    EXPECT_EQ(m.wideWindow().frame(), nullptr);
    EXPECT_EQ(checked(0), std::vector<int>{2});

    grid->OpenGridOptions(false);
    frame = dynamic_cast<GridOptionsDialog*>(m.wideWindow().frame());
    ASSERT_TRUE(frame);
    EXPECT_EQ(m.wideWindow().windowTitle(), QStringLiteral("Grid and Snap - New Files"));
    frame->density(1)->setText(QStringLiteral("0.3\""));
    frame->Save();
    EXPECT_DOUBLE_EQ(m.settings().defaults.block(UnitInches).values[GridSpacingY], 0.3);
    EXPECT_DOUBLE_EQ(header(m).gridSpacingY, 0.25); // the document keeps its own

    grid->OpenSpeed();
    auto* speed = dynamic_cast<SpeedDialog*>(m.narrowWindow().frame());
    ASSERT_TRUE(speed);
    EXPECT_EQ(m.narrowWindow().windowTitle(), QStringLiteral("Speed - Untitled 1"));
    EXPECT_TRUE(speed->pictures()->isChecked());
    speed->shadows()->setChecked(false);
    speed->Apply();
    const SpeedOptions now = m.activeWindow()->view().view().speedOptions();
    EXPECT_TRUE(now.showPictures);
    EXPECT_FALSE(now.showShadows);
    EXPECT_TRUE(now.show3DEffects);
}

} // namespace
} // namespace vlm::test
