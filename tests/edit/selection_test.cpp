#include <gtest/gtest.h>

#include "edit/hit_test.h"
#include "edit/selection.h"
#include "model/rounding.h"
#include "selection_fixture.h"

#include <cmath>
#include <string>

namespace vlm {
namespace {

using test::SelectionFixture;

TEST(ClickSelect, TheToleranceIsTenDocumentPixelsAtEveryZoom)
{
    struct Case {
        double zoom;
        QPoint click; // document pixels
        bool selected;
    };
    const Case cases[] = {
        {1.0, {200, 110}, true},  {1.0, {200, 111}, false}, {1.0, {200, 90}, true},
        {2.0, {200, 110}, true},  {2.0, {200, 111}, false}, // 20 and 22 screen pixels away
        {1.0, {305, 100}, false}, // beside the end: the perpendicular foot misses the line
        {1.0, {300, 108}, true},  // over the end itself
    };
    for (const Case& c : cases) {
        SelectionFixture f;
        Item& l = f.line({100, 100}, {300, 100});
        f.view->ApplyZoom(c.zoom);
        const ClickResult r = ClickSelect(*f.view, f.canvas(c.click), false);
        EXPECT_EQ(r.selected == &l, c.selected) << c.zoom << " " << c.click.x() << "," << c.click.y();
        EXPECT_EQ(l.rec.d.selected != 0, c.selected);
    }
}

TEST(ClickSelect, EqualDistancesGoToTheItemOnTop)
{
    for (bool firstOnTop : {false, true}) {
        SelectionFixture f;
        Item& a = f.shape(KindRectangle, {{100, 100}, {200, 100}, {200, 200}, {100, 200}});
        Item& b = f.shape(KindRectangle, {{100, 150}, {250, 150}, {250, 250}, {100, 250}});
        if (firstOnTop) {
            SetStackOrder(f.doc.items, a, 5);
            SetStackOrder(f.doc.items, b, 4);
        }
        // Both left edges are 5 pixels away.
        EXPECT_EQ(ItemAtClick(*f.view, f.canvas({95, 170})), firstOnTop ? &a : &b);
    }
}

TEST(ClickSelect, AWideLineIsHitFromHalfItsWidthFurther)
{
    // 5 mm at 96 dpi is 19 pixels: 9 of them come off the distance.
    struct Case {
        double weight;
        int distance;
        bool hit;
    };
    const Case cases[] = {{0.0, 10, true}, {0.0, 11, false}, {5.0, 19, true}, {5.0, 20, false}, {5.0, 0, true}};
    for (const Case& c : cases) {
        SelectionFixture f;
        Item& l = f.line({100, 300}, {400, 300}, c.weight);
        EXPECT_EQ(ItemAtClick(*f.view, f.canvas({250, 300 - c.distance})) == &l, c.hit)
            << c.weight << " mm at " << c.distance;
    }
}

TEST(ClickSelect, ShiftClickDeselectsTheWholeGroupAndBringsBackTheInsertPanel)
{
    SelectionFixture f;
    Item& a = f.line({100, 100}, {300, 100});
    Item& b = f.line({100, 200}, {300, 200});
    Item& g = f.group(1, {200, 150}, {&a, &b});
    Item& loose = f.line({100, 400}, {300, 400});

    f.click({250, 103});
    EXPECT_TRUE(a.rec.d.selected && b.rec.d.selected && g.rec.d.selected);
    EXPECT_FALSE(loose.rec.d.selected);
    ASSERT_FALSE(f.panels.empty());
    EXPECT_EQ(f.panels.back(), 99);

    f.click({150, 197}, Qt::ShiftModifier); // on the outline, away from its Markers
    EXPECT_FALSE(a.rec.d.selected || b.rec.d.selected || g.rec.d.selected);
    EXPECT_EQ(f.panels.back(), kInsertPanel);
    EXPECT_TRUE(f.view->markers().empty());

    // Shown already: not shown again.
    const auto count = f.panels.size();
    f.click({600, 600});
    EXPECT_EQ(f.panels.size(), count);
}

TEST(ClickSelect, InsideAFilledShapeMissesButInsideATextBoxHits)
{
    SelectionFixture f;
    Item& rect = f.shape(KindRectangle, {{100, 100}, {300, 100}, {300, 300}, {100, 300}}, 0x00FF00);
    Item& text = f.text(u"Hello\u07ECthere", {400, 200}, {520, 200});
    EXPECT_EQ(ItemAtClick(*f.view, f.canvas({200, 200})), nullptr);
    EXPECT_EQ(ItemAtClick(*f.view, f.canvas({460, 180})), &text); // 20 above the baseline, in the first line
    EXPECT_EQ(ItemAtClick(*f.view, f.canvas({460, 230})), nullptr);
    EXPECT_EQ(ItemAtClick(*f.view, f.canvas({106, 200})), &rect);
}

TEST(ClickSelect, OutlinesOfEveryKindAreMeasuredByTheirOwnRule)
{
    struct Case {
        const char* what;
        QPoint click;
        bool hit;
    };
    SelectionFixture f;
    f.shape(KindCircle, {{200, 200}, {260, 200}});       // radius 60
    f.shape(KindArc, {{600, 200}, {700, 200}, {600, 100}}); // quarter arc, counter-clockwise up
    f.shape(KindPolygon, {{200, 500}, {300, 500}, {200, 400}, {100, 500}, {200, 600}, {300, 500}}, -1, 0);
    f.picture({500, 450}, {700, 550}, 200, 100);
    f.shape(KindEllipse, {{200, 800}, {300, 800}, {200, 750}}); // a = 100, b = 50
    f.shape(KindEllipse, {{500, 800}, {540, 800}, {500, 760}}); // round: a = b = 40
    f.shape(KindPie, {{800, 500}, {900, 500}, {800, 400}});
    Item& round = f.picture({800, 800}, {830, 800}, 60, 60);
    round.rec.d.clipShape = 2; // centre and rim: radius 30
    const Case cases[] = {
        {"circle rim", {200, 148}, true},
        {"circle middle", {200, 200}, false},
        {"arc samples", {675, 128}, true},  // near 45 degrees, r = 100
        {"arc gap", {600, 300}, false},     // the unswept side
        {"polygon edge", {250, 450}, true}, // the edge from (300,500) to (200,400)
        {"polygon centre", {200, 500}, false},
        {"picture side", {600, 545}, true},
        {"picture middle", {600, 500}, false},
        {"ellipse end", {301, 800}, true},  // the foci rule squares the shortfall: 2 pixels off counts 16
        {"ellipse side", {200, 751}, true},
        {"ellipse inside", {200, 790}, false},
        {"ellipse beyond", {200, 735}, false},
        {"round ellipse rim", {500, 765}, true},
        {"round ellipse middle", {500, 800}, false}, // inside counts as far from the rim
        {"pie radius", {850, 455}, false},           // inside the pie, away from its edges
        {"pie start radius", {850, 495}, true},
        {"pie end radius", {805, 450}, true},
        {"round clip rim", {800, 832}, true},
        {"round clip middle", {800, 800}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ItemAtClick(*f.view, f.canvas(c.click)) != nullptr, c.hit) << c.what;
}

TEST(AreaSelect, CtrlNeedsTheWholeShapeShiftCtrlAnyPartAtAnyZoom)
{
    struct Case {
        double zoom;
        bool shift;
        QPoint to;
        bool selected;
    };
    const Case cases[] = {
        {1.0, false, {150, 260}, false}, {1.0, true, {150, 260}, true}, {2.0, false, {150, 260}, false},
        {2.0, true, {150, 260}, true},   {0.5, true, {150, 260}, true}, {1.0, false, {260, 260}, true},
        {1.0, true, {80, 80}, false}, // short of the shape altogether
    };
    for (const Case& c : cases) {
        SelectionFixture f;
        Item& rect = f.shape(KindRectangle, {{100, 100}, {200, 100}, {200, 200}, {100, 200}});
        f.view->ApplyZoom(c.zoom);
        const Bitmap before = f.view->canvas();
        const auto mods = c.shift ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier;
        f.tool->mouseDown(f.canvas({50, 50}), mods);
        f.tool->mouseMove(f.canvas(c.to), mods);
        EXPECT_EQ(f.tool->toolMode(), SelectionMode::Area);
        f.tool->mouseUp(f.canvas(c.to), mods);
        EXPECT_EQ(rect.rec.d.selected != 0, c.selected) << c.zoom << (c.shift ? " shift" : "");
        EXPECT_EQ(f.tool->toolMode(), SelectionMode::Pointer);
        if (!c.selected) { // no Markers: the rubber band left no trace
            EXPECT_TRUE(f.view->canvas().image() == before.image());
        }
    }
}

TEST(SelectionPanel, FollowsTheKindsOfTheSelection)
{
    SelectionFixture f;
    Item& line = f.line({0, 0}, {10, 10});
    Item& text = f.text(u"x", {0, 50}, {40, 50});
    Item& open = f.shape(KindSpline, {{0, 0}, {5, 5}, {9, 0}}, -1, 0);
    Item& closed = f.shape(KindSpline, {{0, 0}, {5, 5}, {9, 0}}, -1, 1);
    Item& solid = f.shape(KindSpline, {{0, 0}, {5, 5}, {9, 0}}, -1, 2);
    Item& oblong = f.shape(KindCurve, {{0, 0}, {5, 5}, {9, 0}}, -1, 2);
    Item& star = f.shape(KindStar, {{0, 0}, {5, 5}, {9, 0}});
    Item& pic = f.picture({0, 0}, {10, 10}, 10, 10);
    Item& group = f.group(3, {5, 5}, {});
    struct Case {
        std::initializer_list<Item*> selected;
        std::optional<int> panel;
    };
    const Case cases[] = {
        {{}, kInsertPanel},          {{&line}, 99},           {{&text}, 301},       {{&line, &text}, 59},
        {{&closed, &solid}, 209},     {{&open, &solid}, 59},   {{&solid}, 210},      {{&oblong}, 212},
        {{&star}, 206},              {{&pic}, 401},           {{&group}, std::nullopt}, {{&group, &line}, 99},
    };
    for (const Case& c : cases) {
        f.select(c.selected);
        EXPECT_EQ(SelectionPanelCode(f.doc.items, false), c.panel) << c.selected.size();
    }
}

HitView HitViewOf(const SelectionFixture& f)
{
    HitView hv;
    hv.zoom = f.view->zoom();
    hv.text = TextSettingsOf(f.view->drawContext());
    return hv;
}

Item& Weighted(SelectionFixture& f, Item& item, double mm)
{
    SetWeight(item, mm, f.doc.items.metrics());
    return f.finish(item);
}

TEST(HitDistance, ThickOutlinesAreHitInTheBandTheirWeightAdds)
{
    // 2.7 mm is 10 pixels at 96 dpi: 5 of them come off on either side.
    SelectionFixture f;
    Item& arc = Weighted(f, f.shape(KindArc, {{300, 300}, {400, 300}, {300, 200}}), 2.7);
    Item& circle = Weighted(f, f.shape(KindCircle, {{700, 300}, {800, 300}}), 2.7);
    Item& pie = Weighted(f, f.shape(KindPie, {{300, 600}, {400, 600}, {300, 500}}), 2.7);
    Item& curve = Weighted(f, f.shape(KindCurve, {{500, 600}, {600, 600}, {700, 600}}, -1, 0), 2.7);
    const HitView hv = HitViewOf(f);
    const double out = 115.0 / std::sqrt(2.0); // 15 pixels outside the rim at 45 degrees
    const QPoint arcClick(300 + Round(out), 300 - Round(out));
    const QPoint pieClick(300 + Round(out), 600 - Round(out));
    EXPECT_EQ(HitDistance(circle, {815, 300}, f.canvas({815, 300}), hv, 10), 10);
    EXPECT_EQ(HitDistance(arc, arcClick, f.canvas(arcClick), hv, 10), 10);
    EXPECT_EQ(HitDistance(pie, pieClick, f.canvas(pieClick), hv, 10), 10);
    EXPECT_EQ(HitDistance(curve, {600, 615}, f.canvas({600, 615}), hv, 10), 10);

    // At the tolerance a thick arc ties with a hairline beneath it and wins
    // by being on top.
    const QPoint below = arcClick + QPoint(0, 10);
    Item& hairline = f.line(below - QPoint(50, 0), below + QPoint(50, 0));
    SetStackOrder(f.doc.items, arc, MaxStackOrder(f.doc.items) + 1);
    EXPECT_EQ(ItemAtClick(*f.view, f.canvas(arcClick)), &arc);
    EXPECT_NE(ItemAtClick(*f.view, f.canvas(arcClick)), &hairline);
}

TEST(HitDistance, WithoutALimitEveryDistanceIsWorkedOut)
{
    SelectionFixture f;
    Item& curve = f.shape(KindCurve, {{100, 300}, {200, 300}, {300, 300}}, -1, 0);
    Item& arc = f.shape(KindArc, {{300, 300}, {400, 300}, {300, 200}});
    const HitView hv = HitViewOf(f);
    EXPECT_EQ(HitDistance(curve, {200, 400}, f.canvas({200, 400}), hv), 100);
    EXPECT_NEAR(HitDistance(arc, {300, 700}, f.canvas({300, 700}), hv), std::hypot(100.0, 400.0),
                2.0); // by the start
}

TEST(AreaSelect, ShiftCtrlAcrossARoundOutlineSelectsItWhereverItIsCrossed)
{
    struct Case
    {
        const char* what;
        PixelRect area;
        bool selected;
    };
    SelectionFixture f;
    Item& circle = f.shape(KindCircle, {{300, 300}, {400, 300}, {400, 200}, {300, 200}});
    Item& ellipse = f.shape(KindEllipse, {{700, 300}, {800, 300}, {700, 250}});
    Item& pie = f.shape(KindPie, {{300, 600}, {400, 600}, {300, 500}});
    Item& arc = f.shape(KindArc, {{700, 600}, {800, 600}, {700, 500}});
    const Case cases[] = {
        {"circle, left rim", {180, 280, 220, 320}, true},
        {"circle, inside", {260, 260, 340, 340}, false},
        {"ellipse, bottom rim", {680, 330, 720, 370}, true},
        {"pie, middle of its arc", {370, 520, 390, 540}, true},
        {"pie, beside its arc", {200, 620, 220, 640}, false},
        {"arc, middle", {770, 520, 790, 540}, true},
    };
    const std::pair<const char*, Item*> items[] = {
        {"circle", &circle}, {"ellipse", &ellipse}, {"pie", &pie}, {"arc", &arc}};
    for (const Case& c : cases) {
        f.select({});
        AreaSelect(*f.view, c.area, true);
        const std::string what = c.what;
        for (const auto& [name, item] : items) {
            if (what.rfind(name, 0) == 0) {
                EXPECT_EQ(item->rec.d.selected != 0, c.selected) << c.what;
            }
        }
    }
}

TEST(AreaSelect, AGroupRecordLeavesTheSelectionWithItsMembers)
{
    SelectionFixture f;
    Item& a = f.line({100, 100}, {300, 100});
    Item& b = f.line({100, 200}, {300, 200});
    Item& g = f.group(1, {200, 150}, {&a, &b});
    f.click({250, 103});
    ASSERT_TRUE(a.rec.d.selected && b.rec.d.selected && g.rec.d.selected);
    const auto mods = Qt::ControlModifier | Qt::ShiftModifier;
    f.tool->mouseDown(f.canvas({500, 500}), mods);
    f.tool->mouseMove(f.canvas({600, 600}), mods);
    f.tool->mouseUp(f.canvas({600, 600}), mods);
    EXPECT_FALSE(a.rec.d.selected || b.rec.d.selected);
    EXPECT_FALSE(g.rec.d.selected);
    // Nothing is left to grab at the group's centre.
    EXPECT_FALSE(MarkerHitTest(*f.view, f.canvas({200, 150})).has_value());
}

} // namespace
} // namespace vlm
