#include <gtest/gtest.h>

#include "edit/creation.h"
#include "edit/fine_tune.h"
#include "edit/item_geometry.h"
#include "model/geometry.h"
#include "model/undo.h"
#include "render/splines.h"
#include "selection_fixture.h"
#include "settings/settings.h"

#include <cmath>
#include <numbers>

namespace vlm {
namespace {

using test::SelectionFixture;

constexpr std::int32_t kRed = 0x0000FF;

QPoint NodeOf(const Item& item, std::size_t i)
{
    return {item.vertices[i].x, item.vertices[i].y};
}

double Dist(QPoint a, QPoint b)
{
    return std::hypot(double(a.x() - b.x()), double(a.y() - b.y()));
}

struct FineTuneFixture : SelectionFixture
{
    FineTuneContext ctx() const
    {
        FineTuneContext c;
        c.text = TextSettingsOf(view->drawContext());
        return c;
    }
    HistoryCursor cursor;
};

TEST(FineTune, TwoColoursAreMixedAndRedMakesBothRedInOneUndoStep)
{
    FineTuneFixture f;
    Item& a = f.line({100, 100}, {200, 100});
    Item& b = f.line({100, 200}, {200, 250});
    b.rec.d.lineColor = 0x008000;
    f.select({&a, &b});
    EXPECT_EQ(AggregateSelection(f.doc.items).color, kMixedColor);
    EXPECT_EQ(AggregateSelection(f.doc.items).count, 2);

    const FineTuneResult r = ApplyColor(f.doc.items, f.cursor, f.ctx(), kRed);
    ASSERT_TRUE(r.applied);
    EXPECT_EQ(+f.current(a).rec.d.lineColor, kRed);
    EXPECT_EQ(+f.current(b).rec.d.lineColor, kRed);
    EXPECT_EQ(+f.current(a).rec.d.editStep, +f.current(b).rec.d.editStep);
    EXPECT_EQ(AggregateSelection(f.doc.items).color, kRed);
    // The dirty rectangle covers both lines and their Markers.
    EXPECT_LE(r.dirty.left, 96);
    EXPECT_GE(r.dirty.bottom, 254);

    ASSERT_TRUE(UndoLastAction(f.doc.items, f.cursor));
    EXPECT_TRUE(IsLive(a));
    EXPECT_TRUE(IsLive(b));
    EXPECT_EQ(+a.rec.d.lineColor, 0);
    EXPECT_EQ(+b.rec.d.lineColor, 0x008000);
}

TEST(FineTune, NothingConcernedMakesNoUndoStep)
{
    FineTuneFixture f;
    Item& l = f.line({10, 10}, {90, 60});
    f.select({&l});
    const std::int32_t step = NextEditStep(f.doc.items);
    EXPECT_FALSE(ApplyTextSize(f.doc.items, f.cursor, f.ctx(), 20).applied);
    EXPECT_FALSE(ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::Mirror).applied);
    EXPECT_FALSE(ApplySides(f.doc.items, f.cursor, f.ctx(), 8).applied);
    EXPECT_EQ(NextEditStep(f.doc.items), step);
    EXPECT_EQ(&f.current(l), &l);
    EXPECT_EQ(FirstPoint(l), QPoint(10, 10));
}

TEST(FineTune, WeightKeepsThePixelWidthAndOutlineTouchesLinesOnly)
{
    FineTuneFixture f;
    Item& l = f.line({10, 10}, {90, 10});
    Item& sq = f.shape(KindSquare, {{100, 200}, {200, 200}, {200, 100}, {100, 100}});
    f.select({&l, &sq});
    ASSERT_TRUE(ApplyWeight(f.doc.items, f.cursor, f.ctx(), 2.0).applied);
    EXPECT_DOUBLE_EQ(+f.current(l).rec.d.weight, 2.0);
    EXPECT_EQ(+f.current(l).rec.d.penWidth, PenWidthFor(2.0, f.doc.items.metrics()));
    EXPECT_DOUBLE_EQ(+f.current(sq).rec.d.weight, 2.0);

    ApplyOutlineWeight(f.doc.items, f.cursor, f.ctx(), 0.5);
    EXPECT_DOUBLE_EQ(+f.current(l).rec.d.outlineWeight, 0.5);
    EXPECT_DOUBLE_EQ(+f.current(sq).rec.d.outlineWeight, 0.0);
}

TEST(FineTune, VerticalRightTurnsADiagonalLineAboutItsMidpoint)
{
    FineTuneFixture f;
    Item& l = f.line({100, 100}, {160, 180}); // length 100, midpoint (130, 140)
    f.select({&l});
    ASSERT_TRUE(ApplyLineDirection(f.doc.items, f.cursor, f.ctx(), 90.0).applied);
    const Item& now = f.current(l);
    EXPECT_DOUBLE_EQ(+now.rec.d.direction, 90.0);
    EXPECT_EQ(SecondPoint(now), QPoint(130, 90));
    EXPECT_EQ(FirstPoint(now), QPoint(130, 190));
    EXPECT_NEAR(Dist(FirstPoint(now), SecondPoint(now)), 100.0, 1.0);

    // "Any angle" keeps the points.
    ApplyLineDirection(f.doc.items, f.cursor, f.ctx(), -1.0);
    EXPECT_EQ(SecondPoint(f.current(l)), QPoint(130, 90));
    EXPECT_DOUBLE_EQ(+f.current(l).rec.d.direction, -1.0);
}

TEST(FineTune, CustomPatternIsEmbeddedAndComparedByItsLengths)
{
    FineTuneFixture f;
    Item& a = f.line({10, 10}, {90, 10});
    Item& b = f.line({10, 40}, {90, 40});
    f.select({&a, &b});
    const double lengths[12] = {2, 1};
    ASSERT_TRUE(ApplyCustomPattern(f.doc.items, f.cursor, f.ctx(), lengths).applied);
    const std::int32_t code = +f.current(a).rec.d.pattern;
    ASSERT_LT(code, 0);
    const Item* record = FindLinePattern(f.doc.items, code);
    ASSERT_NE(record, nullptr);
    EXPECT_DOUBLE_EQ(record->rec.p.lengths[0], 2.0);

    // A second record with the same lengths counts as the same pattern; a
    // built-in code does not.
    const std::int32_t other = EmbedLinePattern(f.doc.items, lengths).rec.d.kind;
    EXPECT_TRUE(SamePattern(f.doc.items, code, other));
    EXPECT_FALSE(SamePattern(f.doc.items, code, 1));
    f.current(b).rec.d.pattern = other;
    EXPECT_EQ(AggregateSelection(f.doc.items).pattern, code);
    f.current(b).rec.d.pattern = 2;
    EXPECT_FALSE(AggregateSelection(f.doc.items).pattern.has_value());
    EXPECT_FALSE(ApplyPattern(f.doc.items, f.cursor, f.ctx(), 5).applied);
}

TEST(FineTune, FiveSpikesToEightKeepsCentreTipAndInnerRadius)
{
    FineTuneFixture f;
    const QPoint c(300, 300), tip(300, 200), inner(320, 270);
    const auto nodes = StarNodes(c, inner, tip, 5);
    Item& star = NewItem(f.doc.items, KindStar);
    star.rec.d.sides = 5;
    for (QPoint p : nodes)
        star.vertices.push_back(Vertex{p.x(), p.y()});
    f.finish(star);
    f.select({&star});
    const double innerRadius = Dist(c, NodeOf(star, 2));

    ASSERT_TRUE(ApplySides(f.doc.items, f.cursor, f.ctx(), 8).applied);
    const Item& now = f.current(star);
    EXPECT_EQ(+now.rec.d.sides, 8);
    ASSERT_EQ(now.vertices.size(), 2u + 16u);
    EXPECT_EQ(NodeOf(now, 0), c);
    EXPECT_EQ(NodeOf(now, 1), tip);
    for (std::size_t k = 2; k < now.vertices.size(); ++k)
        EXPECT_NEAR(Dist(c, NodeOf(now, k)), (k % 2 == 0) ? innerRadius : 100.0, 1.0) << k;
    EXPECT_FALSE(ApplySides(f.doc.items, f.cursor, f.ctx(), 2).applied);
}

TEST(FineTune, FillIsRefusedForOpenSplinesAndArcsUntilTheShapeIsSolid)
{
    FineTuneFixture f;
    Item& spline = f.shape(KindSpline, {{10, 10}, {60, 80}, {120, 20}}, -1, VariantOpen);
    f.select({&spline});
    EXPECT_FALSE(CanFill(KindSpline, VariantOpen));
    EXPECT_FALSE(CanFill(KindArc, 2));
    EXPECT_TRUE(CanFill(KindPie, 2));
    EXPECT_FALSE(ApplyFill(f.doc.items, f.cursor, f.ctx(), kRed).applied);

    ASSERT_TRUE(ApplySplineShape(f.doc.items, f.cursor, f.ctx(), VariantSolid).applied);
    EXPECT_TRUE(CanFill(KindSpline, +f.current(spline).rec.d.shapeVariant));
    ASSERT_TRUE(ApplyFill(f.doc.items, f.cursor, f.ctx(), kRed).applied);
    EXPECT_EQ(+f.current(spline).rec.d.fillColor, kRed);
}

TEST(FineTune, MirrorKeepsAPieCounterClockwiseAndLeavesALineAlone)
{
    FineTuneFixture f;
    Item& pie = f.shape(KindPie, {{200, 200}, {300, 200}, {200, 100}});
    Item& line = f.line({10, 10}, {90, 60});
    f.select({&pie, &line});
    const ArcAngles before = ArcOf(ToF(NodeOf(pie, 0)), ToF(NodeOf(pie, 1)), ToF(NodeOf(pie, 2)));

    ASSERT_TRUE(ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::Mirror).applied);
    const Item& now = f.current(pie);
    EXPECT_EQ(NodeOf(now, 0), QPoint(200, 200));
    // The quarter from 0 to 90 degrees mirrored is the quarter from 90 to 180.
    EXPECT_EQ(NodeOf(now, 1), QPoint(200, 100));
    EXPECT_EQ(NodeOf(now, 2), QPoint(100, 200));
    const ArcAngles after = ArcOf(ToF(NodeOf(now, 0)), ToF(NodeOf(now, 1)), ToF(NodeOf(now, 2)));
    EXPECT_NEAR(after.sweep, before.sweep, 1e-9);
    EXPECT_EQ(FirstPoint(f.current(line)), QPoint(10, 10));
    EXPECT_EQ(SecondPoint(f.current(line)), QPoint(90, 60));
}

TEST(FineTune, RotatingAGroupTurnsItsMembersAboutTheGroupCentre)
{
    FineTuneFixture f;
    Item& sq = f.shape(KindSquare, {{100, 100}, {140, 100}, {140, 60}, {100, 60}});
    Item& line = f.line({200, 100}, {240, 100});
    Item& g = f.group(1, {170, 100}, {&sq, &line});
    f.select({&sq, &line, &g});

    ASSERT_TRUE(ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::Clockwise).applied);
    // Clockwise on the screen: right of the centre goes below it.
    EXPECT_EQ(FirstPoint(f.current(line)), QPoint(170, 130));
    EXPECT_EQ(SecondPoint(f.current(line)), QPoint(170, 170));
    EXPECT_EQ(NodeOf(f.current(sq), 0), QPoint(170, 30));
    EXPECT_EQ(NodeOf(f.current(sq), 1), QPoint(170, 70));
    EXPECT_EQ(+f.current(line).rec.d.editStep, +f.current(sq).rec.d.editStep);

    ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::CounterClockwise);
    EXPECT_EQ(FirstPoint(f.current(line)), QPoint(200, 100));
    EXPECT_EQ(NodeOf(f.current(sq), 2), QPoint(140, 60));
}

// An entire-image clip of a 200 x 100 picture at placement scale 1.
Item& EntireClip(FineTuneFixture& f, QPoint topLeft)
{
    Item& clip = NewItem(f.doc.items, KindClip);
    DrawingFields& d = clip.rec.d;
    d.x1 = topLeft.x();
    d.y1 = topLeft.y();
    d.x2 = topLeft.x() + 200;
    d.y2 = topLeft.y() + 100;
    d.pictureId = 5;
    d.pictureSize[0] = 200;
    d.pictureSize[1] = 100;
    d.placementScale = 1.0;
    d.scaleX = d.scaleY = 1.0;
    d.mirrorX = d.mirrorY = 1;
    d.sourceRect[0] = 0;
    d.sourceRect[1] = 0;
    d.sourceRect[2] = 199;
    d.sourceRect[3] = 99;
    SetStackOrder(f.doc.items, clip, MaxStackOrder(f.doc.items) + 1);
    return clip;
}

TEST(FineTune, TheTurnButtonsTurnAClipAsAPicture)
{
    FineTuneFixture f;
    Item& clip = EntireClip(f, {20, 20});
    Item& line = f.line({10, 10}, {90, 60});
    f.select({&clip, &line});

    ASSERT_TRUE(ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::Clockwise).applied);
    const DrawingFields& t = f.current(clip).rec.d;
    EXPECT_EQ(QRect(QPoint(t.x1, t.y1), QPoint(t.x2, t.y2)), QRect(QPoint(70, -30), QPoint(170, 170)));
    EXPECT_EQ(QSize(t.pictureSize[0], t.pictureSize[1]), QSize(100, 200));
    EXPECT_EQ(QRect(QPoint(t.sourceRect[0], t.sourceRect[1]), QPoint(t.sourceRect[2], t.sourceRect[3])),
              QRect(QPoint(100, 0), QPoint(1, 199)));
    EXPECT_EQ(+t.pictureTurn, 270);
    EXPECT_EQ(FirstPoint(f.current(line)), QPoint(10, 10)) << "lines stay as they are";
    // One undo step puts the clip back.
    ASSERT_TRUE(UndoLastAction(f.doc.items, f.cursor));
    EXPECT_TRUE(IsLive(clip));
    EXPECT_EQ(+clip.rec.d.pictureTurn, 0);
    EXPECT_EQ(+clip.rec.d.x1, 20);

    // Mirror changes the picture's sign, not the placed box.
    f.select({&clip});
    ASSERT_TRUE(ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::Mirror).applied);
    EXPECT_EQ(+f.current(clip).rec.d.mirrorX, -1);
    EXPECT_EQ(+f.current(clip).rec.d.x1, 20);
    EXPECT_EQ(+f.current(clip).rec.d.x2, 220);
}

TEST(FineTune, AClipInATurnedGroupGoesRoundTheGroupCentre)
{
    FineTuneFixture f;
    Item& clip = EntireClip(f, {100, 100}); // centre (200, 150)
    Item& line = f.line({300, 150}, {340, 150});
    Item& g = f.group(1, {250, 150}, {&clip, &line});
    f.select({&clip, &line, &g});

    ASSERT_TRUE(ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::Clockwise).applied);
    const DrawingFields& t = f.current(clip).rec.d;
    // Left of the group centre goes above it; the box keeps its shape and
    // the picture turns by its own angle, as the group rotation turns it.
    EXPECT_EQ(QPoint((t.x1 + t.x2) / 2, (t.y1 + t.y2) / 2), QPoint(250, 100));
    EXPECT_EQ(t.x2 - t.x1, 200);
    EXPECT_NEAR(t.rotation, 1.5 * std::numbers::pi, 1e-9);
    EXPECT_EQ(+t.pictureTurn, 0) << "the picture itself is not re-cut";
    EXPECT_EQ(FirstPoint(f.current(line)), QPoint(250, 200));

    // Mirroring the group reflects the clip's place and picture, and its angle.
    ASSERT_TRUE(ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::Mirror).applied);
    const DrawingFields& m = f.current(clip).rec.d;
    EXPECT_EQ(QPoint((m.x1 + m.x2) / 2, (m.y1 + m.y2) / 2), QPoint(250, 100));
    EXPECT_EQ(+m.mirrorX, -1);
    EXPECT_NEAR(m.rotation, 0.5 * std::numbers::pi, 1e-9);
}

TEST(FineTune, FlipAndQuarterTurnsOfAStandaloneShapeUseItsCentre)
{
    FineTuneFixture f;
    Item& tri = f.shape(KindTriangle, {{0, 0}, {60, 0}, {30, 90}}); // centre (30, 30)
    f.select({&tri});
    ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::Flip);
    EXPECT_EQ(NodeOf(f.current(tri), 2), QPoint(30, -30));
    ApplyTurn(f.doc.items, f.cursor, f.ctx(), Turn::CounterClockwise);
    EXPECT_EQ(NodeOf(f.current(tri), 0), QPoint(60, 60));
}

TEST(FineTune, ChangingKindsRebuildsSquaresAndCircles)
{
    FineTuneFixture f;
    Item& rect = f.shape(KindRectangle, {{100, 200}, {200, 200}, {200, 150}, {100, 150}});
    f.select({&rect});
    ASSERT_TRUE(ApplyKind(f.doc.items, f.cursor, f.ctx(), KindSquare).applied);
    const Item& sq = f.current(rect);
    EXPECT_EQ(+sq.rec.d.kind, KindSquare);
    // On the same side of the first edge, now as deep as it is long.
    EXPECT_EQ(NodeOf(sq, 2), QPoint(200, 100));
    EXPECT_EQ(NodeOf(sq, 3), QPoint(100, 100));
    // Nothing turns a square into a circle.
    EXPECT_FALSE(ApplyKind(f.doc.items, f.cursor, f.ctx(), KindCircle).applied);

    FineTuneFixture g;
    const auto nodes = CircleNodes({300, 300}, {350, 300});
    Item& circle = NewItem(g.doc.items, KindCircle);
    for (QPoint p : nodes)
        circle.vertices.push_back(Vertex{p.x(), p.y()});
    g.finish(circle);
    g.select({&circle});
    ASSERT_TRUE(ApplyKind(g.doc.items, g.cursor, g.ctx(), KindEllipse).applied);
    const Item& e = g.current(circle);
    EXPECT_EQ(+e.rec.d.kind, KindEllipse);
    EXPECT_NEAR(EllipseMinor(e), 50.0, 1.0);
    EXPECT_TRUE(g.doc.items.indexConsistent());
}

TEST(FineTune, TextSizeRelaysTheBoxAndStyleFlagsStayOnTexts)
{
    FineTuneFixture f;
    Item& t = f.text(u"Hello", {100, 100}, {200, 100});
    Item& l = f.line({10, 10}, {90, 60});
    f.select({&t, &l});
    const int width = +t.rec.d.right - +t.rec.d.left;
    ASSERT_TRUE(ApplyTextSize(f.doc.items, f.cursor, f.ctx(), 36).applied);
    const Item& now = f.current(t);
    EXPECT_EQ(+now.rec.d.fontSize, 36);
    EXPECT_GT(+now.rec.d.bottom - +now.rec.d.top, 0);
    EXPECT_GE(+now.rec.d.right - +now.rec.d.left, width);
    EXPECT_EQ(SecondPoint(f.current(l)), QPoint(90, 60));

    ApplyTextOption(f.doc.items, f.cursor, f.ctx(), OptionItalic, 1);
    ApplyTextOption(f.doc.items, f.cursor, f.ctx(), OptionJustification, 3);
    ApplyFontName(f.doc.items, f.cursor, f.ctx(), u"A face name that is much longer than thirty-two");
    EXPECT_EQ(+f.current(t).rec.d.italic, 1);
    EXPECT_EQ(+f.current(t).rec.d.justification, 3);
    EXPECT_EQ(FontName(f.current(t)).size(), 32u);
    EXPECT_FALSE(ApplyTextOption(f.doc.items, f.cursor, f.ctx(), 7, 1).applied);

    ASSERT_TRUE(ApplyTextDirection(f.doc.items, f.cursor, f.ctx(), 90).applied);
    EXPECT_EQ(+f.current(t).rec.d.textAngle, 900);
    EXPECT_EQ(+f.current(t).rec.d.x1, +f.current(t).rec.d.x2);
}

} // namespace
} // namespace vlm
