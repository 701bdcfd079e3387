#include <gtest/gtest.h>

#include "edit/clipboard_edit.h"
#include "edit/sandbox.h"
#include "edit/selection.h"
#include "model/undo.h"
#include "platform/font.h"
#include "shell/panels/fine_tune_panel.h"
#include "shell/panels/list_samples.h"

#include <QComboBox>
#include <QLabel>
#include <QSet>

#include <memory>

namespace vlm {
namespace {

// A window's document, view and Sandbox without the window.
struct Window
{
    Window()
    {
        InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
        view = std::make_unique<DocumentView>(doc, ViewSettings{});
        view->LayoutView(QSize(700, 600), 16);
        box = std::make_unique<Sandbox>(doc, *view, settings);
    }

    Item& line(QPoint a, QPoint b, std::int32_t color)
    {
        Item& it = NewItem(doc.items, KindLine);
        it.rec.d.x1 = a.x();
        it.rec.d.y1 = a.y();
        it.rec.d.x2 = b.x();
        it.rec.d.y2 = b.y();
        it.rec.d.lineColor = color;
        it.rec.d.direction = -1.0;
        it.rec.d.fillColor = -2;
        SetStackOrder(doc.items, it, MaxStackOrder(doc.items) + 1);
        it.rec.d.selected = 255;
        return it;
    }

    FineTunePanelHooks hooks()
    {
        FineTunePanelHooks h;
        h.sandbox = [this] { return box.get(); };
        h.changed = [this] { ++changes; };
        h.textSettingsChanged = [this](bool) {
            ++textChanges;
            return false;
        };
        return h;
    }

    Settings settings;
    Document doc;
    std::unique_ptr<DocumentView> view;
    std::unique_ptr<Sandbox> box;
    int changes = 0;
    int textChanges = 0;
};

QComboBox* List(FineTunePanel& panel, const char16_t* label)
{
    return dynamic_cast<QComboBox*>(panel.control(QString::fromUtf16(label)));
}

std::int32_t LiveColor(const Document& doc, int n)
{
    for (const Item& it : doc.items)
        if (IsLive(it) && it.rec.d.kind == KindLine && n-- == 0)
            return it.rec.d.lineColor;
    return -100;
}

TEST(FineTunePanel, MixedColoursShowNothingAndRedRecoloursBothInOneStep)
{
    Window w;
    w.line({10, 10}, {100, 10}, 0x000000);
    w.line({10, 50}, {100, 80}, 0x008000);
    const std::int32_t step = NextEditStep(w.doc.items);
    FineTunePanel panel(99, w.settings, w.hooks());
    QComboBox* color = List(panel, u"Color");
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->currentIndex(), -1);
    EXPECT_EQ(List(panel, u"Weight")->currentIndex(), 0); // both "Thin"
    EXPECT_EQ(NextEditStep(w.doc.items), step) << "filling applied something";
    EXPECT_EQ(w.changes, 0);

    emit color->activated(9); // "Red"
    EXPECT_EQ(LiveColor(w.doc, 0), 0x0000FF);
    EXPECT_EQ(LiveColor(w.doc, 1), 0x0000FF);
    EXPECT_EQ(NextEditStep(w.doc.items), step + 1);
    EXPECT_EQ(w.changes, 1);
    panel.Refill();
    EXPECT_EQ(color->currentIndex(), 9);

    w.box->Undo();
    EXPECT_EQ(LiveColor(w.doc, 0), 0x000000);
    EXPECT_EQ(LiveColor(w.doc, 1), 0x008000);
}

TEST(FineTunePanel, NextLineModeWritesTheSettingsAndTheFillRule)
{
    Window w;
    w.settings.recentColors.fill(kNoColor);
    w.settings.lineFill = 0x010203; // a colour the list does not offer
    FineTunePanel panel(98, w.settings, w.hooks());
    EXPECT_EQ(panel.kind(), FineTunePanel::Kind::Line);
    EXPECT_FALSE(panel.fineTune());

    emit List(panel, u"Weight")->activated(3); // "Heavy"
    EXPECT_DOUBLE_EQ(w.settings.lineWidth, 2.0);
    EXPECT_EQ(w.settings.lineWidthTab, 3);
    emit List(panel, u"Direction")->activated(2);
    EXPECT_DOUBLE_EQ(w.settings.lineDirection, 90.0);
    EXPECT_EQ(w.settings.lineDirectionTab, 2);
    emit List(panel, u"Color")->activated(12); // "Blue"
    EXPECT_EQ(w.settings.lineColor, 0xFF0000);
    EXPECT_EQ(w.settings.lineFill, 0xFF0000);
    // A list position past the end is ignored.
    emit List(panel, u"Pattern")->activated(40);
    EXPECT_EQ(w.settings.linePattern, 0);
    EXPECT_EQ(NextEditStep(w.doc.items), 1);
}

TEST(FineTunePanel, ShapeFillIsDisabledForOpenSplinesAndTextChangesReachTheHook)
{
    Window w;
    w.settings.polyshape = 0;
    FineTunePanel spline(109, w.settings, w.hooks());
    EXPECT_FALSE(List(spline, u"Fill Color")->isEnabled());
    EXPECT_NE(List(spline, u"Shape"), nullptr);
    w.settings.polyshape = 2;
    FineTunePanel solid(110, w.settings, w.hooks());
    EXPECT_TRUE(List(solid, u"Fill Color")->isEnabled());

    FineTunePanel text(300, w.settings, w.hooks());
    emit List(text, u"Size")->activated(5); // 14 points
    EXPECT_EQ(w.settings.tsize, 14);
    EXPECT_EQ(w.settings.tsizetab, 5);
    emit List(text, u"Angle")->activated(2);
    EXPECT_EQ(w.settings.tangle, 900);
    EXPECT_EQ(w.settings.tdir, 90);
    EXPECT_EQ(w.textChanges, 2);
}

TEST(FineTunePanel, TheMultiSelectionLinksFollowTheSelection)
{
    Window w;
    w.line({10, 10}, {100, 10}, 0x000000);
    w.line({10, 50}, {100, 80}, 0x008000);
    FineTunePanel panel(59, w.settings, w.hooks());
    ASSERT_NE(panel.joinLink(), nullptr);
    EXPECT_FALSE(panel.joinLink()->isHidden()) << "two Items: they can be joined";
    EXPECT_TRUE(panel.splitLink()->isHidden()) << "no group to split";
    // The guidance does not say the two lines a second time.
    for (QLabel* line : panel.lineLabels())
        EXPECT_TRUE(line->isHidden() || line->text() != panel.joinLink()->accessibleDescription());

    ASSERT_TRUE(JoinSelection(*w.box));
    panel.updateLinks();
    EXPECT_FALSE(panel.splitLink()->isHidden()) << "the group is selected";
    SelectOnly(w.doc.items, nullptr);
    panel.updateLinks();
    EXPECT_TRUE(panel.joinLink()->isHidden());
    EXPECT_TRUE(panel.splitLink()->isHidden());
}

TEST(FineTunePanel, NextTextAngleTurnsTheSelectedTextsUnlessOneIsBeingTyped)
{
    Window w;
    Item& t = NewItem(w.doc.items, KindText);
    SetText(t, u"abc");
    t.rec.d.x1 = 100;
    t.rec.d.y1 = 200;
    t.rec.d.x2 = 160;
    t.rec.d.y2 = 200;
    t.rec.d.fontSize = 12;
    t.rec.d.textDirection = -1;
    SetStackOrder(w.doc.items, t, 1);
    t.rec.d.selected = 255;
    std::vector<bool> turns;
    bool typing = false;
    FineTunePanelHooks h = w.hooks();
    h.textSettingsChanged = [&](bool turn) {
        turns.push_back(turn);
        return typing;
    };

    FineTunePanel text(300, w.settings, h);
    const std::int32_t step = NextEditStep(w.doc.items);
    emit List(text, u"Angle")->activated(2); // 90 degrees
    EXPECT_EQ(turns, std::vector<bool>{true}) << "carried once, with the turn";
    EXPECT_EQ(NextEditStep(w.doc.items), step + 1) << "the selected text turned as one undo step";
    const Item* turned = SingleSelected(w.doc.items);
    ASSERT_NE(turned, nullptr);
    EXPECT_EQ(+turned->rec.d.textDirection, 90);
    EXPECT_EQ(+turned->rec.d.textAngle, 900);
    EXPECT_EQ(+turned->rec.d.x1, 130);
    EXPECT_EQ(+turned->rec.d.x2, 130);

    // A text being typed took the turn itself: no undo step besides.
    typing = true;
    emit List(text, u"Angle")->activated(1);
    EXPECT_EQ(turns.size(), 2u);
    EXPECT_EQ(NextEditStep(w.doc.items), step + 1);
    // Other changes are carried without the turn.
    emit List(text, u"Size")->activated(5);
    EXPECT_EQ(turns.back(), false);
}

// Without the face a text names, the Name box shows the face the text is
// drawn with instead of nothing; the name kept in the Settings and in the
// document stays. The box lists each family once, by its plain name.
TEST(FineTunePanel, AMissingFaceShowsTheFaceItIsDrawnWithAndKeepsItsName)
{
    const QString missing = QStringLiteral("Arial");
    const QStringList installed = InstalledFontFamilies();
    if (installed.contains(missing, Qt::CaseInsensitive))
        GTEST_SKIP() << "the face is installed here";
    Window w;
    for (const QString& family : installed)
        w.settings.installedFonts.push_back(family.toStdU16String());
    w.settings.tfont = missing.toStdU16String();
    const QString drawn = drawnFamilyName(missing, w.settings.tcharset);
    ASSERT_FALSE(drawn.isEmpty());

    FineTunePanel next(300, w.settings, w.hooks());
    QComboBox* name = List(next, u"Name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->currentText(), drawn);
    EXPECT_EQ(w.settings.tfont, missing.toStdU16String());
    QSet<QString> seen;
    for (int i = 0; i < name->count(); ++i) {
        const QString family = name->itemText(i);
        EXPECT_FALSE(family.endsWith(QLatin1Char(']'))) << family.toStdString();
        EXPECT_FALSE(seen.contains(family.toCaseFolded())) << family.toStdString() << " twice";
        seen.insert(family.toCaseFolded());
    }

    Item& t = NewItem(w.doc.items, KindText);
    SetText(t, u"abc");
    SetFontName(t, "Arial");
    t.rec.d.fontSize = 12;
    SetStackOrder(w.doc.items, t, 1);
    t.rec.d.selected = 255;
    const std::int32_t step = NextEditStep(w.doc.items);
    FineTunePanel fine(301, w.settings, w.hooks());
    EXPECT_EQ(List(fine, u"Name")->currentText(), drawn);
    EXPECT_EQ(FontName(*SingleSelected(w.doc.items)), "Arial");
    EXPECT_EQ(NextEditStep(w.doc.items), step);
}

} // namespace
} // namespace vlm
