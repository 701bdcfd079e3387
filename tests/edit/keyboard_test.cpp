#include <gtest/gtest.h>

#include "edit/item_geometry.h"
#include "edit/keyboard.h"
#include "edit/markers.h"
#include "edit/pointer_delegate.h"
#include "edit/selection.h"
#include "model/document_file.h"
#include "model/undo.h"
#include "render/text_render.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace vlm {
namespace {

// A document window without a window: a pixel document at 100 %, so canvas
// and document pixels coincide; the real pointer tool and canvas keys.
struct Keys {
    explicit Keys(int panel = 0)
    {
        DocumentDefaults defaults;
        defaults.units = 1;
        defaults.pixelsPerUnitX = defaults.pixelsPerUnitY = 1.0;
        defaults.blocks[0] = {25.0, 25.0, 0.0, 0.0, 600.0, 500.0};
        InitDocument(doc, defaults, OpenDocumentList{});
        settings.tfont = u"Arial";
        view = std::make_unique<DocumentView>(doc, ViewSettings{});
        view->LayoutView(QSize(700, 600), 16);
        SandboxHooks hooks;
        hooks.showPanel = [this](int code) { panels.push_back(code); };
        hooks.requestHintPage = [this](int page) { hints.push_back(page); };
        box = std::make_unique<Sandbox>(doc, *view, settings, hooks);
        SelectionToolHooks toolHooks;
        toolHooks.showPanel = [this](int code) { panels.push_back(code); };
        pointer = std::make_unique<SelectionPointer>(*box, toolHooks);
        view->hooks().beginEdit = [this] { BeginEditCopies(doc.items, box->historyCursor()); };
        CanvasKeyHooks keyHooks;
        keyHooks.selectionDeleted = [this] { ++deletions; };
        keyHooks.showPanel = [this](int code) { panels.push_back(code); };
        keyHooks.schedulePanel = [this](int code) { scheduled.push_back(code); };
        keyHooks.shownPanel = [this] { return shown; };
        keyHooks.deleteHighlightedAnchor = [this] { return anchorHighlighted; };
        keys = std::make_unique<CanvasKeys>(*box, pointer->tool(), keyHooks);
        if (panel != 0)
            box->EnterToolMode(panel);
    }

    static CanvasMouse At(QPoint p, bool shift = false)
    {
        CanvasMouse m;
        m.x = p.x();
        m.y = p.y();
        m.button = MouseButton::Left;
        m.shift = shift;
        return m;
    }
    void move(QPoint p)
    {
        CanvasMouse m = At(p);
        m.button = MouseButton::None;
        box->Image1MouseMove(m);
    }
    void click(QPoint p, bool shift = false)
    {
        move(p);
        box->Image1MouseDown(At(p, shift));
        box->Image1MouseUp(At(p, shift));
    }
    void type(std::u32string_view s)
    {
        for (char32_t c : s) {
            if (c == U'\r')
                keys->HandleKeyDown(Vk::Return);
            keys->HandleChar(c);
        }
    }
    void key(int vk) { keys->HandleKeyDown(vk); }

    std::vector<Item*> live(std::int32_t kind)
    {
        std::vector<Item*> out;
        for (Item& it : doc.items)
            if (IsLive(it) && it.rec.d.kind == kind)
                out.push_back(&it);
        return out;
    }
    Item& text()
    {
        auto all = live(KindText);
        EXPECT_EQ(all.size(), 1u);
        return *all.back();
    }
    static std::vector<QPoint> nodes(const Item& it)
    {
        std::vector<QPoint> out;
        for (const Vertex& v : it.vertices)
            out.emplace_back(v.x, v.y);
        return out;
    }
    Item& spline(std::vector<QPoint> points, std::int32_t variant = 0)
    {
        settings.polyshape = variant;
        box->EnterToolMode(PanelCode::Spline);
        for (std::size_t i = 0; i + 1 < points.size(); ++i)
            click(points[i]);
        click(points.back(), true);
        box->EnterToolMode(PanelCode::Insert);
        Item& s = *live(KindSpline).back();
        SelectOnly(doc.items, &s);
        return s;
    }
    int lineHeight() { return LineHeight(text(), TextSettingsOf(view->drawContext())); }

    Document doc;
    Settings settings;
    std::unique_ptr<DocumentView> view;
    std::unique_ptr<Sandbox> box;
    std::unique_ptr<SelectionPointer> pointer;
    std::unique_ptr<CanvasKeys> keys;
    std::vector<int> panels;
    std::vector<int> scheduled;
    std::vector<int> hints;
    int deletions = 0;
    int shown = 0;
    bool anchorHighlighted = false;
};

TEST(Typing, TwoLinesJoinedBySeparatorWithTheBaselineOneLineLower)
{
    Keys k(300);
    k.click({100, 200});
    ASSERT_EQ(k.box->clickCount(), 1);
    k.type(U"ab\rc");
    Item& t = k.text();
    EXPECT_EQ(t.text, u"ab\u07ECc");
    const int h = k.lineHeight();
    ASSERT_GT(h, 10);
    EXPECT_EQ(t.rec.d.y1, 200 + h);
    EXPECT_EQ(t.rec.d.y2, 200 + h);
    EXPECT_EQ(t.rec.d.x1, 100);
    EXPECT_GT(t.rec.d.x2, 100) << "the box grew with the first line";
    EXPECT_EQ(k.keys->caret(), (Caret{2, 2}));
    EXPECT_TRUE(k.keys->caretBlinking());

    // Backspace at line 2, column 1 joins the lines again.
    EXPECT_TRUE(k.keys->HandleKeyDown(Vk::Home));
    EXPECT_EQ(k.keys->caret(), (Caret{2, 1}));
    k.keys->HandleChar(8);
    EXPECT_EQ(t.text, u"abc");
    EXPECT_EQ(t.rec.d.y1, 200);
    EXPECT_EQ(k.keys->caret(), (Caret{1, 3}));

    // Control characters other than the ones above are not stored.
    for (char32_t c : {U'\x1b', U'\t', U'\x7f', U'\x03'})
        k.keys->HandleChar(c);
    EXPECT_EQ(t.text, u"abc");
    // Esc ends the typing; the text stays.
    k.key(Vk::Escape);
    EXPECT_EQ(k.box->clickCount(), 0);
    EXPECT_FALSE(k.keys->caretBlinking());
    EXPECT_EQ(k.live(KindText).size(), 1u);
}

TEST(Typing, EachKeyThatChangesTheTextIsOneEditStepTheShellHears)
{
    Keys k(300);
    k.click({100, 200});
    k.type(U"x"); // the first key makes the text Item
    std::vector<DocumentChange> told;
    k.box->documentChanged().subscribe([&](const DocumentChange& c) { told.push_back(c); });
    SetModified(k.doc.items, false);
    k.type(U"ab");
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[0].items && told[1].items);
    EXPECT_TRUE(IsModified(k.doc.items));
    // Keys that change nothing are no step.
    k.keys->HandleChar(U'\x1b');
    k.key(Vk::Home);
    EXPECT_EQ(told.size(), 2u);
    k.keys->HandleChar(8); // Backspace at the start of the only line
    EXPECT_EQ(told.size(), 2u);
    EXPECT_EQ(k.text().text, u"xab");
}

TEST(Typing, TheCaretKeysStopAtTheLineEnds)
{
    Keys k(300);
    k.click({100, 200});
    k.type(U"abc\rde");
    struct Step {
        int key;
        Caret after;
    };
    const Step steps[] = {
        {Vk::Right, {2, 3}},  // at the end of the line: stays
        {Vk::Up, {1, 3}},     {Vk::End, {1, 4}}, {Vk::Right, {1, 4}}, {Vk::Down, {2, 3}},
        {Vk::Down, {2, 3}},   // below the last line: stays
        {Vk::Home, {2, 1}},   {Vk::Left, {2, 1}}, // never to the previous line
        {Vk::PageDown, {2, 3}}, {Vk::PageUp, {1, 1}},
    };
    for (const Step& s : steps) {
        EXPECT_TRUE(k.keys->HandleKeyDown(s.key));
        EXPECT_EQ(k.keys->caret(), s.after) << "key " << s.key;
    }
    k.key(Vk::Escape);
    EXPECT_FALSE(k.keys->HandleKeyDown(Vk::Left)) << "no caret: the key is not taken";
}

TEST(Typing, OtherScriptsAndEmojiAreTypedEditedAndSavedWhole)
{
    Keys k(300);
    k.click({100, 200});
    k.type(U"Привет 中文 \U0001F600");
    Item& t = k.text();
    EXPECT_EQ(t.text, u"Привет 中文 \U0001F600");
    // Backspace takes the emoji's two code units together, Left steps over them.
    k.keys->HandleChar(8);
    EXPECT_EQ(t.text, u"Привет 中文 ");
    k.type(U"\U0001F600!");
    k.key(Vk::Left);
    k.key(Vk::Left);
    k.keys->HandleKeyDown(Vk::Delete);
    EXPECT_EQ(t.text, u"Привет 中文 !");
    k.type(U"\U0001F44D");
    EXPECT_EQ(t.text, u"Привет 中文 \U0001F44D!");

    QTemporaryDir dir;
    const std::string file = QDir(dir.path()).filePath(QStringLiteral("typed.vlmr")).toStdString();
    ASSERT_TRUE(WriteDocument(file, k.doc.items));
    struct Quiet final : FilePrompts {
        bool askOpenInvalidFile() override { return false; }
        void warnNewerVersion() override {}
        void reportReadError(const std::string&) override {}
    } quiet;
    ItemList back(k.doc.items.metrics());
    ASSERT_TRUE(ReadDocument(file, back, quiet));
    const Item* read = nullptr;
    for (const Item& it : back)
        if (IsLive(it) && it.rec.d.kind == KindText)
            read = &it;
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->text, u"Привет 中文 \U0001F44D!");
}

TEST(Typing, DeleteTakesAHighlightedAnchorFirstThenTheCaretThenTheSelection)
{
    Keys k(300);
    k.click({100, 200});
    k.type(U"xy");
    k.key(Vk::Home);
    k.anchorHighlighted = true;
    k.key(Vk::Delete);
    EXPECT_EQ(k.text().text, u"xy") << "only the GridLine goes";
    k.anchorHighlighted = false;
    k.key(Vk::Delete);
    EXPECT_EQ(k.text().text, u"y");
    EXPECT_EQ(k.deletions, 0);

    k.key(Vk::Escape);
    k.box->EnterToolMode(PanelCode::Insert);
    SelectOnly(k.doc.items, &k.text());
    k.anchorHighlighted = true;
    k.key(Vk::Delete);
    EXPECT_EQ(k.live(KindText).size(), 1u) << "an Anchor goes before the selection";
    k.anchorHighlighted = false;
    k.key(Vk::Delete);
    EXPECT_TRUE(k.live(KindText).empty());
    EXPECT_EQ(k.deletions, 1);
}

TEST(Typing, ADoubleClickEditsInPlaceAndClicksPlaceTheCaret)
{
    Keys k(300);
    k.click({100, 200});
    k.type(U"abc");
    k.key(Vk::Escape);
    k.box->EnterToolMode(PanelCode::Insert);
    SelectOnly(k.doc.items, &k.text());
    const Item* typed = &k.text();

    k.box->Image1DblClick(Keys::At({110, 195}));
    ASSERT_TRUE(k.keys->doubleClickPending());
    k.keys->DoubleClickDelayTimer();
    EXPECT_EQ(k.box->toolMode(), ToolMode::TextEdit);
    EXPECT_NE(&k.text(), typed) << "edited as a new version";
    EXPECT_EQ(k.keys->caret(), (Caret{1, 4})) << "after the last character";

    // Inside the box, left of the first character: after the first one.
    const Item& t = k.text();
    k.box->Image1MouseDown(Keys::At({t.rec.d.x1 + 1, t.rec.d.y1 - 4}));
    k.box->Image1MouseUp(Keys::At({t.rec.d.x1 + 1, t.rec.d.y1 - 4}));
    EXPECT_EQ(k.keys->caret(), (Caret{1, 2}));
    EXPECT_EQ(k.box->toolMode(), ToolMode::TextEdit);
    k.type(U"X");
    EXPECT_EQ(k.text().text, u"aXbc");

    // A press outside ends the editing; one Undo brings the text back.
    k.click({400, 400});
    EXPECT_EQ(k.box->toolMode(), ToolMode::Pointer);
    EXPECT_FALSE(k.keys->caretBlinking());
    ASSERT_TRUE(UndoLastAction(k.doc.items, k.box->historyCursor()));
    EXPECT_EQ(k.text().text, u"abc");
}

TEST(Typing, TheTypedTextTakesTheNextTextSettingsWithinItsTypingStep)
{
    Keys k(300);
    k.click({100, 200});
    k.type(U"abc");
    Item& t = k.text();
    const std::int32_t step = NextEditStep(k.doc.items);
    const std::int32_t widthBefore = t.rec.d.x2 - t.rec.d.x1;

    k.settings.tsize = 36;
    k.settings.tcolor = 0x0000FF;
    k.settings.tbold = 700;
    k.settings.toptions = {1, 1, 0, 1};
    k.settings.tcharset = 204;
    k.settings.tfont = u"A face name far longer than the thirty-two characters stored";
    ASSERT_TRUE(k.keys->CarryTextSettings(false));
    EXPECT_EQ(&k.text(), &t) << "changed in place, not as a new version";
    EXPECT_EQ(NextEditStep(k.doc.items), step) << "no undo step of its own";
    EXPECT_EQ(+t.rec.d.fontSize, 36);
    EXPECT_EQ(+t.rec.d.textColor, 0x0000FF);
    EXPECT_EQ(+t.rec.d.fontWeight, 700);
    EXPECT_EQ(+t.rec.d.italic, 1);
    EXPECT_EQ(+t.rec.d.underline, 1);
    EXPECT_EQ(+t.rec.d.strikeout, 0);
    EXPECT_EQ(+t.rec.d.charset, 204);
    EXPECT_EQ(FontName(t), std::string("A face name far longer than the "));
    EXPECT_EQ(+t.rec.d.x1, 100) << "left justified: the start stays";
    EXPECT_GT(t.rec.d.x2 - t.rec.d.x1, widthBefore) << "the box grew for the larger letters";
    EXPECT_LT(+t.rec.d.top, 200 - 20) << "the bounding box follows the size";
    EXPECT_TRUE(k.keys->caretShown());
    EXPECT_EQ(k.keys->caret(), (Caret{1, 4}));

    // Grow-only: a smaller size leaves the box as wide as it was.
    const std::int32_t grown = t.rec.d.x2;
    k.settings.tsize = 8;
    ASSERT_TRUE(k.keys->CarryTextSettings(false));
    EXPECT_EQ(+t.rec.d.x2, grown);

    // An angle change turns the typed text about its midpoint.
    const QPoint mid((t.rec.d.x1 + t.rec.d.x2) / 2, (t.rec.d.y1 + t.rec.d.y2) / 2);
    k.settings.tdir = 90;
    ASSERT_TRUE(k.keys->CarryTextSettings(true));
    EXPECT_EQ(+t.rec.d.textDirection, 90);
    EXPECT_EQ(+t.rec.d.textAngle, 900);
    EXPECT_NEAR(+t.rec.d.x1, mid.x(), 1);
    EXPECT_NEAR(+t.rec.d.x2, mid.x(), 1);
    EXPECT_GT(+t.rec.d.y1, t.rec.d.y2) << "running upwards";
    EXPECT_EQ(NextEditStep(k.doc.items), step);
    k.type(U"d");
    EXPECT_EQ(t.text, u"abcd") << "typing goes on in the same text";

    // Once the typing has ended the text is left alone.
    k.key(Vk::Escape);
    k.settings.tcolor = 0x00FF00;
    EXPECT_FALSE(k.keys->CarryTextSettings(false));
    EXPECT_EQ(+t.rec.d.textColor, 0x0000FF);
}

TEST(Typing, ADoubleClickOnAClipSelectsItShowsItsPanelAndOpensIt)
{
    Keys k;
    auto clip = [&k](QPoint a, QPoint b) -> Item& {
        Item& c = NewItem(k.doc.items, KindClip);
        c.rec.d.x1 = a.x();
        c.rec.d.y1 = a.y();
        c.rec.d.x2 = b.x();
        c.rec.d.y2 = b.y();
        SetStackOrder(k.doc.items, c, MaxStackOrder(k.doc.items) + 1);
        return c;
    };
    clip({50, 50}, {150, 120});
    Item& upper = clip({100, 80}, {200, 160});
    std::vector<const Item*> opened;
    k.keys->hooks().openPictureDialog = [&opened](Item& c) { opened.push_back(&c); };

    k.box->Image1DblClick(Keys::At({120, 100})); // inside both: the upper one wins
    k.keys->DoubleClickDelayTimer();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], &upper);
    EXPECT_EQ(SingleSelected(k.doc.items), &upper);
    ASSERT_FALSE(k.panels.empty());
    EXPECT_EQ(k.panels.back(), 401) << "the clip panel shows before the dialog opens";

    // Outside every clip nothing opens and the panel stays.
    const std::size_t panels = k.panels.size();
    k.box->Image1DblClick(Keys::At({400, 400}));
    k.keys->DoubleClickDelayTimer();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(k.panels.size(), panels);
}

TEST(SplineKeys, BackspaceEnterAndCloseWhileBuilding)
{
    Keys k(PanelCode::Spline);
    k.click({100, 100});
    k.click({200, 100});
    k.move({250, 150});
    ASSERT_EQ(k.box->creationPoints().size(), 3u); // two fixed and the moving node
    k.key(Vk::Back);
    ASSERT_EQ(k.box->creationPoints().size(), 2u);
    EXPECT_EQ(k.box->creationPoints().back(), QPoint(250, 150)) << "the last fixed point follows the pointer";
    k.key(Vk::Back);
    EXPECT_TRUE(k.box->creationPoints().empty());
    EXPECT_EQ(k.box->clickCount(), 0);
    EXPECT_EQ(k.panels.back(), PanelCode::Spline);

    // Enter with only the first point does nothing lasting.
    k.click({100, 100});
    k.key(Vk::Return);
    EXPECT_TRUE(k.live(KindSpline).empty());
    EXPECT_EQ(k.box->clickCount(), 0);

    // C needs three fixed points.
    k.click({100, 100});
    k.click({200, 100});
    k.move({150, 200});
    k.key(Vk::C);
    EXPECT_TRUE(k.live(KindSpline).empty());
    k.click({150, 200});
    k.move({120, 180});
    k.key(Vk::C);
    ASSERT_EQ(k.live(KindSpline).size(), 1u);
    const Item& closed = *k.live(KindSpline)[0];
    EXPECT_EQ(+closed.rec.d.shapeVariant, 1);
    EXPECT_EQ(Keys::nodes(closed), (std::vector<QPoint>{{100, 100}, {200, 100}, {150, 200}}));
    EXPECT_EQ(k.hints.back(), 1059);

    // Enter commits the fixed points as they are.
    k.click({300, 300});
    k.click({400, 300});
    k.move({450, 350});
    k.key(Vk::Return);
    ASSERT_EQ(k.live(KindSpline).size(), 2u);
    EXPECT_EQ(Keys::nodes(*k.live(KindSpline)[1]), (std::vector<QPoint>{{300, 300}, {400, 300}}));
    EXPECT_EQ(k.box->toolMode(), ToolMode::Spline) << "the tool stays";
}

TEST(SplineKeys, TheContinuedSplineIsFoundWhileItIsContinued)
{
    Keys k;
    k.settings.hints[26] = 0; // no turning-point page: the continuation panel
    Item& s = k.spline({{100, 100}, {200, 100}, {200, 200}});
    EXPECT_EQ(ContinuedItem(k.doc.items), nullptr);
    k.shown = 209;
    k.move({300, 250});
    ASSERT_TRUE(k.keys->HandleChar(1));
    EXPECT_EQ(ContinuedItem(k.doc.items), &s);
    EXPECT_EQ(k.panels.back(), ToolMode::ContinueSpline);
    k.key(Vk::Escape);
    EXPECT_EQ(ContinuedItem(k.doc.items), nullptr);
}

TEST(SplineKeys, EscWhileContinuingLeavesTheSplineAsItWas)
{
    Keys k;
    Item& s = k.spline({{100, 100}, {200, 100}, {200, 200}});
    const std::vector<QPoint> before = Keys::nodes(s);
    const DrawingFields saved = s.rec.d;
    k.shown = 209;
    k.move({300, 250});
    EXPECT_TRUE(k.keys->HandleChar(1)); // Ctrl-A
    EXPECT_EQ(k.box->toolMode(), ToolMode::ContinueSpline);
    EXPECT_EQ(s.rec.d.extending, 255);
    k.click({300, 250});
    k.key(Vk::Escape);
    EXPECT_EQ(k.box->toolMode(), ToolMode::Pointer);
    EXPECT_EQ(s.rec.d.extending, 0);
    EXPECT_EQ(s.rec.d.selected, 0);
    EXPECT_TRUE(IsLive(s));
    EXPECT_EQ(Keys::nodes(s), before);
    EXPECT_EQ(std::make_pair(+s.rec.d.left, +s.rec.d.bottom), std::make_pair(+saved.left, +saved.bottom));
    EXPECT_EQ(k.scheduled.back(), PanelCode::Insert);

    // Continued with two more points and Enter: one new version with five.
    SelectOnly(k.doc.items, &s);
    k.move({300, 250});
    ASSERT_TRUE(k.keys->HandleChar(1));
    k.click({300, 250});
    k.click({350, 300});
    k.move({400, 400});
    k.key(Vk::Return);
    ASSERT_EQ(k.live(KindSpline).size(), 1u);
    EXPECT_EQ(Keys::nodes(*k.live(KindSpline)[0]),
              (std::vector<QPoint>{{100, 100}, {200, 100}, {200, 200}, {300, 250}, {350, 300}}));
    EXPECT_EQ(k.panels.back(), 209);
    ASSERT_TRUE(UndoLastAction(k.doc.items, k.box->historyCursor()));
    EXPECT_EQ(Keys::nodes(*k.live(KindSpline)[0]), before);
}

TEST(SplineKeys, TheContinuationIsPreviewedInTheContinuedItemsColour)
{
    Keys k;
    Item& s = k.spline({{100, 100}, {300, 100}});
    s.rec.d.lineColor = RGBRef(255, 0, 0);
    k.shown = 209;
    k.move({300, 250});
    ASSERT_TRUE(k.keys->HandleChar(1));
    const QPoint on(k.view->toCanvasX(200), k.view->toCanvasY(100));
    EXPECT_EQ(k.view->canvas().pixel(on.x(), on.y()), RGBRef(255, 0, 0));
}

TEST(SplineKeys, BackspaceToFewerThanTwoPointsWhileContinuingRestoresTheSpline)
{
    Keys k;
    Item& s = k.spline({{100, 100}, {200, 100}});
    k.shown = 209;
    k.move({300, 250});
    ASSERT_TRUE(k.keys->HandleChar(1));
    k.key(Vk::Back);
    k.key(Vk::Back);
    EXPECT_EQ(k.box->toolMode(), ToolMode::Pointer);
    EXPECT_EQ(s.rec.d.extending, 0) << "never left invisible";
    EXPECT_TRUE(IsLive(s));
}

TEST(PointKeys, CtrlIChoosesTheSegmentByItsLineNotItsSpan)
{
    Keys k;
    Item& s = k.spline({{100, 100}, {200, 100}, {200, 300}});
    // Beyond the end of the first segment, but 2 pixels from its line.
    k.move({260, 102});
    k.keys->HandleChar(9);
    const Item& now = *k.live(KindSpline)[0];
    EXPECT_NE(&now, &s) << "an undoable new version";
    EXPECT_EQ(Keys::nodes(now), (std::vector<QPoint>{{100, 100}, {260, 100}, {200, 100}, {200, 300}}));
}

TEST(PointKeys, CtrlDOnATwoPointSplineIsUndoable)
{
    Keys k;
    k.spline({{100, 100}, {300, 100}});
    PlaceSelectionMarkers(*k.view);
    k.move({300, 100}); // on the second edge point's Marker
    k.keys->HandleChar(4);
    EXPECT_TRUE(k.live(KindSpline).empty());
    EXPECT_EQ(k.deletions, 1);
    ASSERT_TRUE(UndoLastAction(k.doc.items, k.box->historyCursor()));
    EXPECT_EQ(k.live(KindSpline).size(), 1u);

    Item& three = k.spline({{100, 300}, {200, 300}, {300, 300}});
    PlaceSelectionMarkers(*k.view);
    k.move({200, 300});
    k.keys->HandleChar(4);
    Item& now = *k.live(KindSpline).back();
    EXPECT_NE(&now, &three);
    EXPECT_EQ(Keys::nodes(now), (std::vector<QPoint>{{100, 300}, {300, 300}}));
}

TEST(PointKeys, EscDuringALineDragPutsTheLineBack)
{
    Keys k(PanelCode::LineTool);
    k.click({100, 100});
    k.click({300, 100});
    k.box->EnterToolMode(PanelCode::Insert);
    Item& line = *k.live(KindLine)[0];
    SelectOnly(k.doc.items, &line);
    PlaceSelectionMarkers(*k.view);
    const std::size_t records = k.doc.items.size();
    k.move({300, 100});
    k.box->Image1MouseDown(Keys::At({300, 100}));
    k.move({350, 200});
    ASSERT_EQ(k.box->toolMode(), ToolMode::LineDrag);
    k.key(Vk::Escape);
    k.box->Image1MouseUp(Keys::At({350, 200}));
    ASSERT_EQ(k.live(KindLine).size(), 1u);
    EXPECT_EQ(k.live(KindLine)[0], &line) << "the line as it was before the drag";
    EXPECT_EQ(std::make_pair(+line.rec.d.x2, +line.rec.d.y2), std::make_pair(300, 100));
    EXPECT_EQ(k.doc.items.size(), records);
    EXPECT_FALSE(k.box->CanRedo());
}

} // namespace
} // namespace vlm
