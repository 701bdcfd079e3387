#include "shell_fixture.h"

#include "shell/commands/customize_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/picture_commands.h"
#include "shell/dialogs/customize_list_dialogs.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/shadow_dialog.h"
#include "shell/panels/clip_look_controls.h"
#include "shell/panels/clip_panel.h"
#include "shell/panels/fine_tune_panel.h"
#include "shell/window/left_column.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

namespace vlm::test {
namespace {

// The main window with the editing and customizing commands wired as the
// program wires them.
struct CustomizeTest : ShellTest
{
    EditCommands* edit = nullptr;
    CustomizeCommands* customize = nullptr;

    MainWindow& startCustomizing()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        customize = new CustomizeCommands(m);
        return m;
    }

    FineTunePanel* panel() { return dynamic_cast<FineTunePanel*>(main->leftColumn().currentPanelWidget()); }
    QComboBox* list(const char16_t* label)
    {
        return dynamic_cast<QComboBox*>(panel()->control(QString::fromUtf16(label)));
    }

    // The frame's button with this caption, clicked.
    static void press(QWidget* frame, const char* caption)
    {
        for (QPushButton* b : frame->findChildren<QPushButton*>())
            if (b->text() == QLatin1String(caption)) {
                b->click();
                return;
            }
        ADD_FAILURE() << "no button " << caption;
    }
};

TEST_F(CustomizeTest, TheMenuOpensEachDialogInItsWindow)
{
    MainWindow& m = startCustomizing();
    QString captions;
    for (QAction* a : customize->menu()->actions())
        captions += a->text() + QLatin1Char('|');
    EXPECT_EQ(captions,
              QStringLiteral("Colors|Line Weights|Line Patterns|Alignments|Font sizes|Text angles|Shadows|"));
    struct Case
    {
        int page;
        bool narrow;
        const char* title;
    };
    const Case cases[] = {{9, true, "Customize Line Weights"},  {10, false, "Customize Line Patterns"},
                          {11, false, "Customize Line Angles"}, {40, false, "Customize Text Angles"},
                          {41, false, "Customize Font Sizes"},  {63, true, "Customize Shadows"}};
    for (const Case& c : cases) {
        customize->pageEntry(c.page)->trigger();
        PopupWindow& shown = c.narrow ? m.narrowWindow() : m.wideWindow();
        PopupWindow& other = c.narrow ? m.wideWindow() : m.narrowWindow();
        EXPECT_TRUE(shown.isVisible()) << c.page;
        EXPECT_FALSE(other.isVisible()) << c.page;
        EXPECT_EQ(shown.windowTitle(), QString::fromLatin1(c.title));
        ASSERT_NE(dynamic_cast<CustomizeDialog*>(shown.frame()), nullptr) << c.page;
        press(shown.frame(), "Cancel");
        EXPECT_FALSE(shown.isVisible()) << c.page;
    }
    EXPECT_FALSE(customize->OpenPage(26)); // not a customization page
    flushDeletes();
}

TEST_F(CustomizeTest, AWeightSavedInTheDialogIsTheLinePanelsNextWeight)
{
    MainWindow& m = startCustomizing();
    m.ShowPanel(98); // the next line
    ASSERT_NE(panel(), nullptr);
    QComboBox* weight = list(u"Weight");
    ASSERT_NE(weight, nullptr);

    customize->pageEntry(9)->trigger();
    auto* frame = dynamic_cast<WeightsDialog*>(m.narrowWindow().frame());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->pane(), nullptr); // empty until an entry is chosen
    EXPECT_EQ(frame->entryButton(3)->text(), QStringLiteral("Weight C"));
    EXPECT_TRUE(frame->guidanceTexts().front().startsWith(QStringLiteral("Click on the line weight name")));

    frame->entryButton(3)->click();
    EXPECT_TRUE(frame->entryButton(3)->isChecked());
    EXPECT_FALSE(frame->entryButton(1)->isChecked());
    EXPECT_TRUE(frame->guidance()->text().contains(QStringLiteral("<b>zero to remove</b>")));
    frame->nameField()->setText(QStringLiteral(" Hairline "));
    EXPECT_EQ(frame->entryButton(3)->text(), QStringLiteral("Hairline"));
    frame->valueField()->setText(QStringLiteral("0.1"));
    frame->unitsList()->setCurrentIndex(1);
    emit frame->unitsList()->activated(1); // "Millimeters"
    // Nothing changes before Save.
    EXPECT_EQ(m.settings().customWidths[2].inUse, 0);
    press(frame, "Save");

    EXPECT_FALSE(m.narrowWindow().isVisible());
    const custThicknessRec_t& saved = m.settings().customWidths[2];
    EXPECT_EQ(saved.name, u"Hairline");
    EXPECT_EQ(saved.units, 2);
    EXPECT_EQ(saved.inUse, 1);
    // Kept in the store at once.
    EXPECT_EQ(store.readText("CustomWidths", "nameC"), u"Hairline");
    // The first user weight follows "Customize..." at 6 and is chosen.
    ASSERT_EQ(weight->count(), 8);
    EXPECT_EQ(weight->itemText(7), QStringLiteral("Hairline"));
    EXPECT_EQ(weight->currentIndex(), 7);
    EXPECT_EQ(m.settings().lineWidthTab, 7);
    EXPECT_DOUBLE_EQ(m.settings().lineWidth, 0.1);
    EXPECT_EQ(saved.selectOnRefill, 0);
    flushDeletes();
}

TEST_F(CustomizeTest, APatternSavedFromTheListsCustomizeIsSelectedWithItsEntryNumber)
{
    MainWindow& m = startCustomizing();
    Settings& s = m.settings();
    for (int k : {2, 5}) {
        s.customPatterns[static_cast<std::size_t>(k - 1)].valueTexts[0] = u"3";
        s.customPatterns[static_cast<std::size_t>(k - 1)].valueTexts[1] = u"1";
        s.customPatterns[static_cast<std::size_t>(k - 1)].inUse = 1;
    }
    m.ShowPanel(98);
    QComboBox* pattern = list(u"Pattern");
    ASSERT_NE(pattern, nullptr);
    ASSERT_EQ(pattern->count(), 8);
    emit pattern->activated(5); // "Customize..."
    auto* frame = dynamic_cast<PatternsDialog*>(m.wideWindow().frame());
    ASSERT_NE(frame, nullptr);

    frame->clickEntry(9);
    frame->nameField()->setText(QStringLiteral("Dots"));
    frame->unitsList()->setCurrentIndex(1);
    emit frame->unitsList()->activated(1);
    frame->lengthField(1)->setText(QStringLiteral("1"));
    frame->lengthField(2)->setText(QStringLiteral("2"));
    frame->Save();

    ASSERT_EQ(pattern->count(), 9);
    EXPECT_EQ(pattern->itemText(8), QStringLiteral("Dots"));
    EXPECT_EQ(pattern->currentIndex(), 8);
    EXPECT_EQ(s.linePattern, 8);
    EXPECT_EQ(s.linePatternTab, 9);
    EXPECT_EQ(s.customPatterns[8].count, 2);
    flushDeletes();
}

TEST_F(CustomizeTest, CancelLeavesTheSettingsAlone)
{
    MainWindow& m = startCustomizing();
    customize->OpenPage(41);
    auto* frame = dynamic_cast<DirectionsDialog*>(m.wideWindow().frame());
    ASSERT_NE(frame, nullptr);
    frame->clickEntry(1);
    EXPECT_EQ(frame->unitsList(), nullptr); // sizes have no unit
    frame->valueField()->setText(QStringLiteral("30"));
    frame->Cancel();
    EXPECT_EQ(m.settings().customSizes[0].inUse, 0);
    EXPECT_FALSE(store.readText("CustomSizes", "valueA").has_value());

    // Closing the window is a Cancel too.
    customize->OpenPage(11);
    frame = dynamic_cast<DirectionsDialog*>(m.wideWindow().frame());
    ASSERT_NE(frame, nullptr);
    frame->clickEntry(2);
    ASSERT_NE(frame->unitsList(), nullptr);
    EXPECT_EQ(frame->unitsList()->count(), 2);
    frame->valueField()->setText(QStringLiteral("45"));
    m.wideWindow().close();
    EXPECT_EQ(m.settings().customDirections[1].inUse, 0);
    flushDeletes();
}

TEST_F(CustomizeTest, TheShadowDialogOffersAnEditedShadowAndCarriesTheLight)
{
    MainWindow& m = startCustomizing();
    DocumentWindow* w = m.OpenDocument(QString());
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->document().items.header()->rec.h.lightDirection, 0);

    customize->OpenPage(63);
    auto* frame = dynamic_cast<ShadowDialog*>(m.narrowWindow().frame());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->lightBox(0)->isChecked());
    frame->entryButton(1)->click();
    EXPECT_EQ(frame->showBox()->text(), QStringLiteral("Show 'Shadow A' in the shadows selection menu"));
    EXPECT_FALSE(frame->showBox()->isChecked());
    EXPECT_EQ(frame->sliderLabel(0)->text(), QStringLiteral("33%"));
    EXPECT_EQ(frame->slider(0)->focusPolicy(), Qt::NoFocus);

    // The label follows the slider; the shadow takes the values on release.
    QSlider* elevation = frame->slider(0);
    elevation->setValue(0);
    EXPECT_EQ(frame->sliderLabel(0)->text(), QStringLiteral("None"));
    EXPECT_EQ(frame->copy().openEntry()->elevation, 85);
    elevation->setValue(170);
    QTest::mouseRelease(elevation, Qt::LeftButton);
    EXPECT_EQ(frame->copy().openEntry()->elevation, 170);
    EXPECT_TRUE(frame->showBox()->isChecked()); // edited: offered
    // The wheel does not move it.
    QWheelEvent wheel(QPointF(5, 5), elevation->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(elevation, &wheel);
    EXPECT_EQ(elevation->value(), 170);

    frame->nameField()->setText(QStringLiteral("High"));
    EXPECT_EQ(frame->showBox()->text(), QStringLiteral("Show 'High' in the shadows selection menu"));
    EXPECT_FALSE(frame->sample()->pixmap().isNull());

    frame->lightBox(3)->click();
    EXPECT_TRUE(frame->lightBox(3)->isChecked());
    EXPECT_FALSE(frame->lightBox(0)->isChecked());
    frame->Save();

    EXPECT_EQ(m.settings().lgtdir, 3);
    EXPECT_EQ(m.settings().customShadows[0].name, u"High");
    EXPECT_EQ(m.settings().customShadows[0].offered, 1);
    const auto stored = store.readInteger("CustomShadows", "valueA");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(*stored & 0xFF, 170);
    EXPECT_EQ((*stored >> 24) & 0xFF, 1);
    // Timer7 brings the light into the open document.
    EXPECT_TRUE(m.timer(7).isActive());
    m.Timer7Timer();
    EXPECT_EQ(w->document().items.header()->rec.h.lightDirection, 3);
    flushDeletes();
}

TEST_F(CustomizeTest, ATextAngleSavedInItsDialogIsTheNextTextsAngle)
{
    MainWindow& m = startCustomizing();
    m.ShowPanel(300); // the next text
    QComboBox* angle = list(u"Angle");
    ASSERT_NE(angle, nullptr);
    customize->OpenPage(40);
    auto* frame = dynamic_cast<DirectionsDialog*>(m.wideWindow().frame());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(m.wideWindow().windowTitle(), QStringLiteral("Customize Text Angles"));
    frame->clickEntry(2);
    EXPECT_TRUE(frame->guidanceTexts().back().contains(QStringLiteral("angle of the text")));
    frame->nameField()->setText(QStringLiteral("Slanted"));
    frame->valueField()->setText(QStringLiteral("-330"));
    frame->Save();
    const Settings& s = m.settings();
    EXPECT_DOUBLE_EQ(s.customAngles[1].value, 30.0);
    EXPECT_EQ(angle->itemText(6), QStringLiteral("Slanted"));
    EXPECT_EQ(angle->currentIndex(), 6);
    EXPECT_EQ(s.tangletab, 6);
    EXPECT_EQ(s.tangle, 300);
    EXPECT_EQ(s.tdir, 30);
    flushDeletes();
}

TEST_F(CustomizeTest, TheShadowGuidanceFollowsThePointer)
{
    MainWindow& m = startCustomizing();
    customize->OpenPage(63);
    auto* frame = dynamic_cast<ShadowDialog*>(m.narrowWindow().frame());
    ASSERT_NE(frame, nullptr);
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(frame->lightBox(1), &enter);
    EXPECT_EQ(frame->guidanceTexts().back(),
              QStringLiteral("The light direction applies to all shadows in your design."));
    QApplication::sendEvent(frame->lightBox(1), &leave);
    EXPECT_TRUE(frame->guidanceTexts().front().startsWith(QStringLiteral("Click on the shadow name")));

    frame->clickEntry(4);
    QApplication::sendEvent(frame->slider(1), &enter);
    ASSERT_EQ(frame->guidanceTexts().size(), 2);
    EXPECT_EQ(frame->guidanceTexts().front(), QStringLiteral("Customize the shadow name and appearance."));
    EXPECT_TRUE(frame->guidanceTexts().back().startsWith(QStringLiteral("The shadow edges should fade")));
    QApplication::sendEvent(frame->slider(1), &leave);
    EXPECT_TRUE(frame->guidanceTexts().back().startsWith(QStringLiteral("When done")));
    frame->Cancel();
    flushDeletes();
}

TEST_F(CustomizeTest, ACustomColourOfTheLineColourListIsSelectedAndApplied)
{
    MainWindow& m = startCustomizing();
    m.ShowPanel(98);
    QComboBox* color = list(u"Color");
    ASSERT_NE(color, nullptr);
    prompts.chosenColor = 0x123456;
    emit color->activated(16); // "Customize..."
    EXPECT_EQ(m.settings().recentColors[0], 0x123456);
    EXPECT_EQ(m.settings().lineColor, 0x123456);
    EXPECT_EQ(color->currentIndex(), 17); // the recent colour's swatch
    ASSERT_EQ(prompts.colorDialogs.size(), 1u);

    // Cancelled: the colour stays.
    prompts.chosenColor.reset();
    emit color->activated(16);
    EXPECT_EQ(m.settings().lineColor, 0x123456);
    EXPECT_EQ(color->currentIndex(), 17);
    flushDeletes();
}

TEST_F(CustomizeTest, TheClipPanelsFrameListOpensTheWeightsAndShowsTheSavedOne)
{
    MainWindow& m = start();
    auto* pictures = new PictureCommands(m);
    edit = new EditCommands(m);
    pictures->attach(*edit);
    customize = new CustomizeCommands(m);
    m.ShowPanel(kClipPanelCode);
    auto* clips = dynamic_cast<ClipPanel*>(m.leftColumn().currentPanelWidget());
    ASSERT_NE(clips, nullptr);
    QComboBox* frames = clips->look()->frameList();
    ASSERT_EQ(frames->count(), 8);
    emit frames->activated(7); // "Customize..."
    auto* frame = dynamic_cast<WeightsDialog*>(m.narrowWindow().frame());
    ASSERT_NE(frame, nullptr);
    frame->clickEntry(1);
    frame->nameField()->setText(QStringLiteral("Gallery"));
    frame->valueField()->setText(QStringLiteral("1/8"));
    frame->Save();
    ASSERT_EQ(frames->count(), 9);
    EXPECT_EQ(frames->itemText(8), QStringLiteral("Gallery"));
    flushDeletes();
}

TEST_F(CustomizeTest, TheClipLooksOpenTheirDialogsAndShowSavedEntriesAfterwards)
{
    MainWindow& m = startCustomizing();
    Settings& s = m.settings();
    ClipLookControls look(s);
    std::vector<int> pages;
    look.customize = [&pages](int page) { pages.push_back(page); };
    look.showValues(0.0, 0x0000FF, ShadowChoice{30, 10, 100}, 0);
    QComboBox* frames = look.frameList();
    ASSERT_EQ(frames->count(), 8);
    emit frames->activated(7); // "Customize..."
    emit look.shadowList()->activated(4);
    EXPECT_EQ(pages, (std::vector<int>{9, 63}));
    EXPECT_EQ(frames->currentIndex(), 0);
    EXPECT_EQ(look.shadowList()->currentIndex(), 1);

    s.customWidths[0].name = u"Broad frame";
    s.customWidths[0].millimetres = 3.0;
    s.customWidths[0].inUse = 1;
    s.customWidths[0].selectOnRefill = 1;
    s.customShadows[1].name = u"Far";
    s.customShadows[1].offered = 1;
    look.refill();
    ASSERT_EQ(frames->count(), 9);
    EXPECT_EQ(frames->itemText(8), QStringLiteral("Broad frame"));
    EXPECT_EQ(frames->currentIndex(), 0); // the frame list takes no saved weight
    EXPECT_EQ(s.customWidths[0].selectOnRefill, 1);
    EXPECT_EQ(look.shadowList()->itemText(5), QStringLiteral("Far"));
    EXPECT_EQ(look.shadowList()->currentIndex(), 1);
    (void)m;
}

} // namespace
} // namespace vlm::test
