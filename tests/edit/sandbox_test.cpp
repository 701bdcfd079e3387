#include <gtest/gtest.h>

#include "edit/sandbox.h"

#include "edit/markers.h"
#include "edit/pointer_delegate.h"
#include "edit/transform.h"
#include "model/undo.h"

#include <cmath>
#include <memory>
#include <vector>

namespace vlm {
namespace {

// The pointer tool as a recorder of what it was handed.
struct FakePointer final : PointerInput {
    void mouseDown(QPoint p, QPoint snapped, Qt::KeyboardModifiers m) override { downs.push_back({p, m, snapped}); }
    void mouseMove(QPoint, Qt::KeyboardModifiers) override { ++moves; }
    void mouseUp(QPoint p, Qt::KeyboardModifiers m) override { ups.push_back({p, m, {}}); }
    int toolMode() const override { return mode; }
    void cancel() override { mode = 0; }
    struct Event {
        QPoint at;
        Qt::KeyboardModifiers modifiers;
        QPoint snapped;
    };
    std::vector<Event> downs;
    std::vector<Event> ups;
    int moves = 0;
    int mode = 0;
};

// A document window without a window: a pixel document at 100 %, so canvas
// and document pixels coincide.
struct Window {
    explicit Window(int panel = 0)
    {
        DocumentDefaults defaults;
        defaults.units = 1;
        defaults.pixelsPerUnitX = defaults.pixelsPerUnitY = 1.0;
        defaults.blocks[0] = {25.0, 25.0, 0.0, 0.0, 600.0, 500.0};
        InitDocument(doc, defaults, OpenDocumentList{});
        view = std::make_unique<DocumentView>(doc, ViewSettings{});
        view->LayoutView(QSize(700, 600), 16);
        SandboxHooks hooks;
        hooks.requestHintPage = [this](int page) { hints.push_back(page); };
        hooks.showPanel = [this](int code) { panels.push_back(code); };
        box = std::make_unique<Sandbox>(doc, *view, settings, hooks);
        box->documentChanged().subscribe([this](const DocumentChange& change) {
            if (!change.history)
                return;
            canUndo = box->CanUndo();
            canRedo = box->CanRedo();
        });
        box->setPointerInput(&pointer);
        if (panel != 0)
            box->EnterToolMode(panel);
    }

    static CanvasMouse At(QPoint p, bool shift = false, bool ctrl = false)
    {
        CanvasMouse m;
        m.x = p.x();
        m.y = p.y();
        m.button = MouseButton::Left;
        m.shift = shift;
        m.ctrl = ctrl;
        return m;
    }
    // A press released before the hold delay.
    void click(QPoint p, bool shift = false)
    {
        box->Image1MouseDown(At(p, shift));
        box->Image1MouseUp(At(p, shift));
    }
    void clicks(const std::vector<QPoint>& points)
    {
        for (QPoint p : points) {
            move(p);
            click(p);
        }
    }
    void move(QPoint p)
    {
        CanvasMouse m = At(p);
        m.button = MouseButton::None;
        box->Image1MouseMove(m);
    }
    // Press, hold past the delay, drag and release.
    void drag(QPoint from, QPoint to)
    {
        box->Image1MouseDown(At(from));
        box->PressHoldDelayTimer();
        move(to);
        box->Image1MouseUp(At(to));
    }

    // The visible drawing Items of the list, in list order.
    std::vector<Item*> items()
    {
        std::vector<Item*> out;
        for (Item& it : doc.items)
            if (IsLive(it) && IsEditableKind(it.rec.d.kind))
                out.push_back(&it);
        return out;
    }
    Item& last()
    {
        auto all = items();
        EXPECT_FALSE(all.empty());
        return *all.back();
    }
    std::vector<QPoint> vertices(const Item& it)
    {
        std::vector<QPoint> out;
        for (const Vertex& v : it.vertices)
            out.emplace_back(v.x, v.y);
        return out;
    }

    Document doc;
    Settings settings;
    std::unique_ptr<DocumentView> view;
    FakePointer pointer;
    std::unique_ptr<Sandbox> box;
    std::vector<int> hints;
    std::vector<int> panels;
    bool canUndo = false;
    bool canRedo = false;
};

int Box(const Item& it, int which)
{
    const int v[] = {it.rec.d.left, it.rec.d.top, it.rec.d.right, it.rec.d.bottom};
    return v[which];
}

TEST(Sandbox, QuickClicksAndPressAndHoldMakeTheSameLine)
{
    Window quick(98);
    quick.clicks({{10, 20}, {110, 70}});
    Window held(98);
    held.drag({10, 20}, {110, 70});
    for (Window* w : {&quick, &held}) {
        ASSERT_EQ(w->items().size(), 1u);
        const DrawingFields& d = w->last().rec.d;
        EXPECT_EQ(+d.kind, +KindLine);
        EXPECT_EQ((std::vector<int>{d.x1, d.y1, d.x2, d.y2}), (std::vector<int>{10, 20, 110, 70}));
        EXPECT_EQ((std::vector<int>{d.left, d.top, d.right, d.bottom}), (std::vector<int>{10, 20, 110, 70}));
        EXPECT_EQ(+d.length, 112);
        EXPECT_NEAR(+d.angle, 2 * M_PI - std::atan2(50.0, 100.0), 1e-9);
        EXPECT_EQ(w->box->clickCount(), 0);
        EXPECT_EQ(w->box->toolMode(), ToolMode::Line);
    }
    EXPECT_EQ(quick.hints, std::vector<int>{1024});
}

TEST(Sandbox, ANewItemTakesItsAttributesFromTheSettings)
{
    Window w(98);
    Settings& s = w.settings;
    s.lineColor = 0x123456;
    s.lineWidth = 1.0;
    s.lineOutline = 0.5;
    s.lineFill = 0x00FF00;
    s.shpoly = {10, 20, 30};
    s.liplas = 7;
    w.clicks({{10, 10}, {50, 10}});
    const DrawingFields& line = w.last().rec.d;
    EXPECT_EQ(+line.lineColor, 0x123456);
    EXPECT_EQ(+line.weight, 1.0);
    EXPECT_EQ(+line.penWidth, 4); // 1 mm at 96 dpi
    EXPECT_EQ(+line.outlineWeight, 0.5);
    EXPECT_EQ(+line.fillColor, 0x00FF00);
    EXPECT_EQ(+line.direction, -1.0);
    EXPECT_EQ((std::vector<int>{line.shadowElevation, line.shadowFade, line.shadowLightness, line.surface}),
              (std::vector<int>{10, 20, 30, 7}));

    s.polycolor = 0x0000FF;
    s.polyfill = -2;
    s.polywidth = 2.0;
    s.poplas = 9;
    w.box->EnterToolMode(103);
    w.clicks({{200, 200}, {230, 240}});
    const DrawingFields& circle = w.last().rec.d;
    EXPECT_EQ(+circle.kind, +KindCircle);
    EXPECT_EQ(+circle.lineColor, 0x0000FF);
    EXPECT_EQ(+circle.fillColor, -2);
    EXPECT_EQ(+circle.weight, 2.0);
    EXPECT_EQ(+circle.outlineWeight, 2.0);
    EXPECT_EQ(+circle.surface, 9);
    EXPECT_EQ(+circle.stackOrder, 2);
    EXPECT_GT(+circle.editStep, +line.editStep);
    EXPECT_EQ(+circle.historyState, 1);
    EXPECT_EQ(+circle.predecessor, 0);
}

TEST(Sandbox, ACustomLinePatternIsEmbeddedInTheDocument)
{
    Window w(98);
    w.settings.linePattern = 6;
    w.settings.linePatternTab = 2;
    w.settings.customPatterns[1].millimetres = {2, 1, 0.5, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    w.clicks({{10, 10}, {50, 10}});
    const std::int32_t pattern = w.last().rec.d.pattern;
    ASSERT_LT(pattern, 0);
    const Item* record = FindLinePattern(w.doc.items, pattern);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(+record->rec.p.lengths[2], 0.5);
    EXPECT_EQ(+record->rec.p.count, 4);

    w.settings.linePatternTab = 13;
    w.clicks({{10, 30}, {50, 30}});
    EXPECT_EQ(+w.last().rec.d.pattern, 0);
}

TEST(Sandbox, APresetDirectionBringsTheEndOntoIt)
{
    struct Case {
        double direction;
        QPoint expectedEnd;
    };
    const Case cases[] = {{90, {100, 60}}, {0, {140, 100}}, {30, {140, 77}}};
    for (const Case& c : cases) {
        Window w(98);
        w.settings.lineDirection = c.direction;
        w.clicks({{100, 100}, {140, 60}});
        const DrawingFields& d = w.last().rec.d;
        EXPECT_EQ(QPoint(d.x2, d.y2), c.expectedEnd) << c.direction;
        EXPECT_EQ(+d.direction, c.direction);
    }
}

TEST(Sandbox, EveryShapeIsBuiltFromItsClicks)
{
    struct Case {
        int panel;
        std::vector<QPoint> clicks;
        std::int32_t kind;
        std::vector<QPoint> vertices; // empty: checked by count only
        std::size_t vertexCount;
        std::array<int, 4> box;
    };
    const Case cases[] = {
        {100, {{100, 100}, {140, 100}, {120, 60}}, KindTriangle, {{100, 100}, {140, 100}, {120, 60}}, 3,
         {100, 60, 140, 100}},
        {101, {{100, 100}, {140, 100}}, KindSquare, {{100, 100}, {140, 100}, {140, 60}, {100, 60}}, 4,
         {100, 60, 140, 100}},
        {102, {{100, 100}, {140, 100}, {150, 130}}, KindRectangle, {{100, 100}, {140, 100}, {140, 130}, {100, 130}}, 4,
         {100, 100, 140, 130}},
        {103, {{200, 200}, {230, 240}}, KindCircle, {}, 4, {150, 150, 250, 250}},
        {199, {{200, 200}, {230, 240}}, KindPolygon, {}, 7, {150, 150, 250, 250}},
        {105, {{300, 300}, {310, 300}, {300, 260}}, KindStar, {}, 12, {260, 260, 340, 340}},
        {108, {{100, 100}, {140, 100}, {100, 0}}, KindArc, {{100, 100}, {140, 100}, {100, 60}}, 3, {60, 60, 140, 140}},
        {104, {{200, 200}, {240, 200}, {210, 190}}, KindEllipse, {{200, 200}, {240, 200}, {210, 190}}, 3,
         {159, 159, 241, 241}},
    };
    for (const Case& c : cases) {
        Window w(c.panel);
        w.settings.polysides = 5;
        w.clicks(c.clicks);
        ASSERT_EQ(w.items().size(), 1u) << c.panel;
        const Item& it = w.last();
        EXPECT_EQ(+it.rec.d.kind, c.kind) << c.panel;
        if (!c.vertices.empty()) {
            EXPECT_EQ(w.vertices(it), c.vertices) << c.panel;
        }
        EXPECT_EQ(it.vertices.size(), c.vertexCount) << c.panel;
        EXPECT_EQ((std::array<int, 4>{Box(it, 0), Box(it, 1), Box(it, 2), Box(it, 3)}), c.box) << c.panel;
        EXPECT_EQ(QPoint(it.rec.d.x1, it.rec.d.y1), QPoint(c.box[0], c.box[1])) << c.panel;
        EXPECT_EQ(w.box->toolMode(), c.panel) << "the tool stays";
        EXPECT_EQ(w.box->clickCount(), 0);
    }
}

TEST(Sandbox, AStarsThirdClickIsOneOfItsCorners)
{
    Window w(105);
    w.settings.polysides = 5;
    w.clicks({{300, 300}, {310, 300}, {300, 260}});
    const Item& star = w.last();
    EXPECT_EQ(+star.rec.d.sides, 5);
    EXPECT_EQ(w.vertices(star).back(), QPoint(300, 260));
}

TEST(Sandbox, TheEllipsesLongerAxisBecomesTheFirst)
{
    Window w(104);
    w.clicks({{200, 200}, {210, 200}, {203, 180}});
    const Item& e = w.last();
    EXPECT_EQ(w.vertices(e), (std::vector<QPoint>{{200, 200}, {200, 180}, {190, 200}}));
    EXPECT_NEAR(+e.rec.d.angle, M_PI / 2, 1e-9);
    EXPECT_EQ(+e.rec.d.length, 20);
}

TEST(Sandbox, DegenerateClicksAreIgnoredUntilAValidOne)
{
    struct Case {
        int panel;
        std::vector<QPoint> ignoredAfter; // clicks, the last of which is ignored
        int clickCountAfter;
    };
    const Case cases[] = {
        {103, {{50, 50}, {50, 50}}, 1},
        {199, {{50, 50}, {50, 50}}, 1},
        {100, {{50, 50}, {50, 50}}, 1},
        {102, {{50, 50}, {50, 50}}, 1},
        {104, {{50, 50}, {50, 50}}, 1},
        {104, {{50, 50}, {80, 50}, {80, 50}}, 2},
        {105, {{50, 50}, {60, 50}, {60, 50}}, 2},
        {107, {{50, 50}, {50, 50}}, 1},
        {108, {{50, 50}, {60, 50}, {60, 50}}, 2},
    };
    for (const Case& c : cases) {
        Window w(c.panel);
        for (QPoint p : c.ignoredAfter)
            w.click(p);
        EXPECT_TRUE(w.items().empty()) << c.panel;
        EXPECT_EQ(w.box->clickCount(), c.clickCountAfter) << c.panel;
    }
    // A line may have no length at all.
    Window line(98);
    line.clicks({{50, 50}, {50, 50}});
    ASSERT_EQ(line.items().size(), 1u);
    EXPECT_EQ(+line.last().rec.d.length, 0);
}

TEST(Sandbox, SplinesCollectTurningPointsUntilShiftClick)
{
    Window w(109);
    w.box->Image1MouseDown(Window::At({5, 5}, true));
    w.box->Image1MouseUp(Window::At({5, 5}, true));
    EXPECT_EQ(w.box->clickCount(), 0) << "Shift + click before any node";

    w.clicks({{10, 10}, {50, 10}});
    w.move({50, 50});
    w.box->Image1MouseDown(Window::At({50, 50}, true));
    w.box->Image1MouseUp(Window::At({50, 50}, true));
    const Item& spline = w.last();
    EXPECT_EQ(+spline.rec.d.kind, +KindSpline);
    EXPECT_EQ(w.vertices(spline), (std::vector<QPoint>{{10, 10}, {50, 10}, {50, 50}}));
    EXPECT_EQ(+spline.rec.d.shapeVariant, 0);
    EXPECT_EQ(+spline.rec.d.angle, -1.0);
    EXPECT_EQ(w.hints, (std::vector<int>{1061, 1059}));
}

TEST(Sandbox, SolidsAndOblongsAlwaysCloseAndTheSplineKeepsItsLastChoice)
{
    Window w;
    w.settings.polystate = 1;
    w.box->EnterToolMode(110);
    EXPECT_EQ(w.settings.polyshape, 2);
    w.drag({10, 10}, {60, 10});
    w.click({60, 60});
    w.box->Image1MouseDown(Window::At({10, 60}, true));
    w.box->Image1MouseUp(Window::At({10, 60}, true));
    EXPECT_EQ(w.vertices(w.last()), (std::vector<QPoint>{{10, 10}, {60, 10}, {60, 60}, {10, 60}}));
    EXPECT_EQ(+w.last().rec.d.shapeVariant, 2);
    EXPECT_EQ(w.hints.back(), 1062);

    w.box->EnterToolMode(109);
    EXPECT_EQ(w.settings.polyshape, 1);

    w.settings.bpolystate = 0;
    w.box->EnterToolMode(112);
    w.clicks({{100, 100}, {150, 100}, {150, 150}});
    w.box->Image1MouseDown(Window::At({100, 150}, true));
    w.box->Image1MouseUp(Window::At({100, 150}, true));
    const Item& oblong = w.last();
    EXPECT_EQ(+oblong.rec.d.kind, +KindCurve);
    EXPECT_EQ(+oblong.rec.d.shapeVariant, 2);
    EXPECT_EQ(+oblong.rec.d.tension, w.settings.curveTension);
    // Smoothed: the controls of a closed ring stand off the corners.
    EXPECT_NE(QPoint(oblong.vertices[0].controlA[0], oblong.vertices[0].controlA[1]), QPoint(100, 100));
    EXPECT_LE(Box(oblong, 0), 100);
    EXPECT_EQ(w.hints.back(), 1071);
}

TEST(Sandbox, ATextBoxFromTwoClicksStaysSelectedForTyping)
{
    Window w(300);
    w.settings.tsize = 20;
    w.settings.tcolor = 0x0000AA;
    w.settings.tfont = u"Liberation Serif";
    w.settings.tbold = 700;
    w.settings.toptions = {1, 0, 1, 2};
    w.settings.shtext = {1, 2, 3};
    w.clicks({{50, 100}, {250, 100}});
    const Item& text = w.last();
    const DrawingFields& d = text.rec.d;
    EXPECT_EQ(+d.kind, +KindText);
    EXPECT_EQ(QPoint(d.x1, d.y1), QPoint(50, 100));
    EXPECT_EQ(QPoint(d.x2, d.y2), QPoint(250, 100));
    EXPECT_EQ(+d.textAngle, 0);
    EXPECT_EQ(+d.fontSize, 20);
    EXPECT_EQ(+d.textColor, 0x0000AA);
    EXPECT_EQ(FontName(text), "Liberation Serif");
    EXPECT_EQ(+d.fontWeight, 700);
    EXPECT_EQ((std::vector<int>{d.italic, d.underline, d.strikeout, d.justification}),
              (std::vector<int>{1, 0, 1, 2}));
    EXPECT_EQ(+d.shadowFade, 2);
    EXPECT_EQ(int{d.selected}, 255);
    EXPECT_EQ(w.box->clickCount(), 2);

    // The next press ends it: nothing selected, the clicks start again.
    w.click({300, 300});
    EXPECT_EQ(int{text.rec.d.selected}, 0);
    EXPECT_EQ(w.box->clickCount(), 1);
    ASSERT_NE(w.box->CommitTypedText(9), nullptr);
    EXPECT_EQ(QPoint(w.last().rec.d.x2, w.last().rec.d.y2), QPoint(300, 300)); // no preset direction
}

TEST(Sandbox, CtrlPressLeavesCreationForTheAreaSelection)
{
    Window w(102);
    w.click({100, 100});
    ASSERT_EQ(w.box->clickCount(), 1);
    w.box->Image1MouseDown(Window::At({20, 20}, false, true));
    EXPECT_EQ(w.box->toolMode(), ToolMode::Pointer);
    EXPECT_EQ(w.box->clickCount(), 0);
    ASSERT_EQ(w.pointer.downs.size(), 1u);
    EXPECT_TRUE(w.pointer.downs[0].modifiers & Qt::ControlModifier);
    w.pointer.mode = ToolMode::AreaSelection;
    w.box->PointerModeChanged(ToolMode::AreaSelection);
    w.move({80, 80});
    w.box->Image1MouseUp(Window::At({80, 80}, false, true));
    EXPECT_EQ(w.pointer.ups.size(), 1u);
    EXPECT_TRUE(w.items().empty());
}

TEST(Sandbox, ACommitDeselectsEverythingAndKeepsTheTool)
{
    Window w(98);
    w.clicks({{10, 10}, {50, 10}});
    SelectOnly(w.doc.items, &w.last());
    w.clicks({{10, 30}, {50, 30}});
    for (Item* it : w.items())
        EXPECT_EQ(int{it->rec.d.selected}, 0);
    EXPECT_EQ(w.box->toolMode(), ToolMode::Line);
}

TEST(Sandbox, IgnoredMovesAndReleasesWaitForTheNextPress)
{
    Window w(98);
    w.click({10, 10});
    w.box->IgnoreUntilNextPress();
    w.box->Image1MouseUp(Window::At({90, 90}));
    EXPECT_TRUE(w.items().empty());
    w.click({90, 90});
    EXPECT_EQ(w.items().size(), 1u);
}

TEST(Sandbox, AReleaseBeforeTheDelayIsNoHold)
{
    Window w(103);
    w.box->Image1MouseDown(Window::At({40, 40}));
    EXPECT_TRUE(w.box->pressHoldPending());
    w.box->Image1MouseUp(Window::At({40, 40}));
    EXPECT_FALSE(w.box->pressHoldPending());
    w.box->PressHoldDelayTimer(); // a late expiry changes nothing
    EXPECT_EQ(w.box->clickCount(), 1);
    EXPECT_EQ(w.box->firstPoint(), QPoint(40, 40));
}

TEST(Sandbox, PreviewsLeaveTheCanvasAsTheyFoundIt)
{
    Window w(103);
    const QImage before = w.view->canvas().image().copy();
    w.click({200, 200});
    w.move({260, 200});
    EXPECT_NE(w.view->canvas().image(), before);
    w.move({230, 230});
    w.box->AbandonCreation();
    EXPECT_EQ(w.view->canvas().image(), before);
}

TEST(Sandbox, UndoAndRedoFollowTheHistoryAndTheCommands)
{
    Window w(98);
    w.clicks({{10, 10}, {50, 10}});
    EXPECT_TRUE(w.canUndo);
    EXPECT_FALSE(w.canRedo);
    w.box->Undo();
    EXPECT_TRUE(w.items().empty());
    EXPECT_EQ(w.box->toolMode(), ToolMode::Pointer);
    EXPECT_FALSE(w.canUndo);
    EXPECT_TRUE(w.canRedo);
    w.box->EnterToolMode(98);
    w.clicks({{10, 30}, {50, 30}});
    EXPECT_FALSE(w.canRedo);
    w.box->Redo();
    ASSERT_EQ(w.items().size(), 1u);
    EXPECT_EQ(+w.last().rec.d.y1, 30);
}

TEST(Sandbox, StackingCommandsAreUndoable)
{
    Window w(101);
    w.clicks({{10, 10}, {40, 10}, {20, 20}, {50, 20}});
    Item* first = w.items()[0];
    SelectOnly(w.doc.items, w.items()[1]);
    w.box->PlaceSelectedBehind();
    EXPECT_EQ(+w.last().rec.d.stackOrder, 1);
    EXPECT_EQ(+first->rec.d.stackOrder, 2);
    EXPECT_TRUE(w.canUndo);
    w.box->Undo();
    EXPECT_EQ(+first->rec.d.stackOrder, 1);
    EXPECT_EQ(+w.items()[1]->rec.d.stackOrder, 2);
}

TEST(Sandbox, TheToolModeOutlivesItsWindowAsTheDefault)
{
    struct Case {
        int defaultMode;
        int starts;
    };
    const Case cases[] = {{1, 1}, {31, 31}, {105, 105}, {8, 0}, {297, 0}, {0, 0}};
    for (const Case& c : cases) {
        Window w;
        w.settings.defaultToolMode = c.defaultMode;
        Sandbox fresh(w.doc, *w.view, w.settings);
        EXPECT_EQ(fresh.toolMode(), c.starts) << c.defaultMode;
    }

    Window w(300);
    w.box->Deactivated();
    EXPECT_EQ(w.settings.defaultToolMode, 31);
    w.box->Activated();
    EXPECT_TRUE(w.box->reactivationPending());
    w.box->ReactivationTimer();
    EXPECT_EQ(w.panels, std::vector<int>{300});
}

} // namespace
} // namespace vlm

namespace vlm {
namespace {

// With Snap on, the creation clicks land on GridLines, while the pointer
// tool grabs a Marker where it is drawn, even between two lines, and the
// drag snaps only where it moves the Item to.
TEST(SandboxSnap, CreationSnapsAndAMarkerBetweenGridLinesIsStillGrabbed)
{
    Window w(ToolMode::Rectangle);
    HeaderFields& h = w.doc.items.header()->rec.h;
    h.snapH = h.snapV = 1;
    w.box->setSnap([&w](QPoint p) { return SnapPoint(w.doc.items, p); });
    SelectionPointer pointer(*w.box, {});
    w.box->setPointerInput(&pointer);

    w.clicks({{101, 102}, {172, 98}, {178, 147}});
    ASSERT_EQ(w.items().size(), 1u);
    const std::vector<QPoint> corners = w.vertices(w.last());
    for (QPoint c : corners)
        EXPECT_EQ(SnapPoint(w.doc.items, c), c) << "every corner on a GridLine";
    const QPoint centre = (corners[0] + corners[2]) / 2;
    const QPoint snappedCentre = SnapPoint(w.doc.items, centre);
    ASSERT_GT((snappedCentre - centre).manhattanLength(), 10) << "the centre lies between lines";

    w.box->EnterToolMode(PanelCode::Insert);
    w.click({(corners[0].x() + corners[1].x()) / 2 + 3, corners[0].y()}); // on the outline, off the lines
    ASSERT_NE(w.last().rec.d.selected, 0);
    w.view->MarkerTimer();
    ASSERT_TRUE(MarkerHitTest(*w.view, centre).has_value());

    // Moved by the snapped pointer's offset from the snapped press: an Item
    // on the GridLines stays on them, the release included.
    const QPoint to = centre + QPoint(53, 47);
    w.box->Image1MouseDown(Window::At(centre));
    w.move(to);
    w.box->Image1MouseUp(Window::At(to + QPoint(2, -1)));
    const QPoint d = SnapPoint(w.doc.items, to) - snappedCentre;
    ASSERT_NE(d, QPoint());
    std::vector<QPoint> moved;
    for (QPoint c : corners)
        moved.push_back(c + d);
    EXPECT_EQ(w.vertices(w.last()), moved);
    EXPECT_EQ(w.box->toolMode(), ToolMode::Pointer);
}

TEST(SandboxRulers, ACursorLineFollowsThePointerOnEachRuler)
{
    Window w(98);
    const Bitmap& rx = w.view->rulerXBitmap();
    const Bitmap& ry = w.view->rulerYBitmap();
    ASSERT_FALSE(rx.isNull());
    ASSERT_FALSE(ry.isNull());
    const QImage beforeX = rx.image().copy();
    const QPoint at = QPoint(40, 30) + w.view->canvasPosition();
    w.move({40, 30});
    EXPECT_EQ(rx.pixel(at.x(), 0), RGBRef(255, 0, 0));
    EXPECT_EQ(ry.pixel(0, at.y()), RGBRef(255, 0, 0));
    w.move({90, 60});
    EXPECT_NE(rx.pixel(at.x(), 0), RGBRef(255, 0, 0)) << "the strip under the old line is back";
    EXPECT_EQ(rx.pixel(at.x() + 50, 0), RGBRef(255, 0, 0));
    w.view->RestoreRulerHovers();
    EXPECT_EQ(rx.image(), beforeX);
}

} // namespace
} // namespace vlm
