#include "output/page_setup_pictures.h"

#include "model/rounding.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "texts/page_setup_texts.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vlm {

namespace {

constexpr ColorRef kBlack = RGBRef(0, 0, 0);
constexpr ColorRef kPaper = RGBRef(255, 255, 255);
constexpr ColorRef kSilver = RGBRef(192, 192, 192);
constexpr ColorRef kGrey = RGBRef(128, 128, 128);
constexpr ColorRef kBlue = RGBRef(0, 0, 160);
constexpr ColorRef kRed = RGBRef(255, 0, 0);

void Frame(Canvas& c, const QRect& r, ColorRef colour, PenStyle style = PenStyle::Solid)
{
    c.setPen(colour, 1, style);
    const std::array<QPoint, 5> pts = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(),
                                       r.topLeft()};
    c.polyline(pts);
}

void Sheet(Canvas& c, const QRect& r)
{
    c.fillRect(r, kPaper);
    // A shadow on the right and below makes the sheet stand off the pane.
    c.fillRect(QRect(r.right() + 1, r.top() + 4, 4, r.height()), kGrey);
    c.fillRect(QRect(r.left() + 4, r.bottom() + 1, r.width(), 4), kGrey);
    Frame(c, r, kBlack);
}

// A grid of `rows` x `cols` cards on the sheet, each with its folds dotted.
void CardGrid(Canvas& c, const QRect& sheet, int rows, int cols, int margin, int gap, bool rowFold,
              bool colFold)
{
    const int w = (sheet.width() - 2 * margin - (cols - 1) * gap) / cols;
    const int h = (sheet.height() - 2 * margin - (rows - 1) * gap) / rows;
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < cols; ++k) {
            const QRect card(sheet.left() + margin + k * (w + gap), sheet.top() + margin + r * (h + gap), w,
                             h);
            Frame(c, card, r == 0 && k == 0 ? kRed : kBlue);
            c.setPen(kGrey, 1, PenStyle::Dotted);
            if (colFold)
                c.line(QPoint(card.center().x(), card.top()), QPoint(card.center().x(), card.bottom()));
            if (rowFold)
                c.line(QPoint(card.left(), card.center().y()), QPoint(card.right(), card.center().y()));
        }
}

void Envelope(Canvas& c)
{
    const QRect r(20, 80, 140, 96);
    c.fillRect(r, kPaper);
    Frame(c, r, kBlack);
    c.setPen(kBlack, 1);
    c.line(r.topLeft(), r.center());
    c.line(r.center(), r.topRight());
    c.line(r.bottomLeft(), QPoint(r.left() + 56, r.top() + 52));
    c.line(r.bottomRight(), QPoint(r.right() - 56, r.top() + 52));
    // The stamp and a few address lines.
    c.fillRect(QRect(r.right() - 26, r.top() + 8, 18, 20), kRed);
    c.setPen(kGrey, 1);
    for (int y = r.top() + 62; y < r.bottom() - 6; y += 9)
        c.line(QPoint(r.left() + 50, y), QPoint(r.right() - 40, y));
}

void Discs(Canvas& c, const QRect& sheet)
{
    c.setPen(kBlue, 1);
    c.setHollowBrush();
    for (int k = 0; k < 2; ++k) {
        const int top = sheet.top() + 12 + k * 112;
        c.ellipse(sheet.left() + 22, top, sheet.right() - 22, top + 100);
        const int cx = sheet.center().x();
        c.ellipse(cx - 14, top + 36, cx + 14, top + 64);
    }
}

} // namespace

Bitmap DesignTypePicture(std::int32_t designType)
{
    Bitmap b(kDesignPictureWidth, kDesignPictureHeight, kSamplePaneColor);
    Canvas c(b);
    const QRect sheet(20, 16, 136, 224);
    switch (designType) {
    case DesignDigitalImages:
        Envelope(c);
        return b;
    case DesignIllustrations: {
        Sheet(c, sheet);
        Frame(c, sheet.adjusted(8, 8, -8, -8), kRed, PenStyle::Dotted);
        c.setPen(kBlue, 2);
        c.setSolidBrush(RGBRef(255, 220, 120));
        c.ellipse(40, 40, 110, 110);
        const std::array<QPoint, 4> hill = {QPoint(34, 200), QPoint(84, 130), QPoint(140, 200),
                                            QPoint(34, 200)};
        c.setSolidBrush(RGBRef(120, 200, 120));
        c.polygon(hill);
        return b;
    }
    default:
        break;
    }
    Sheet(c, sheet);
    switch (designType) {
    case DesignPostcards:
        CardGrid(c, sheet, 2, 1, 8, 6, false, false);
        break;
    case DesignGreetingCards:
        CardGrid(c, sheet, 2, 2, 8, 6, false, true);
        break;
    case DesignBusinessCards:
        CardGrid(c, sheet, 5, 2, 10, 4, false, false);
        break;
    case DesignLabels:
        CardGrid(c, sheet, 10, 3, 6, 2, false, false);
        break;
    case DesignTentCards:
        CardGrid(c, sheet, 4, 1, 8, 6, true, false);
        break;
    case DesignCdDvdLabels:
        Discs(c, sheet);
        break;
    case DesignJewelCaseInserts:
        CardGrid(c, sheet, 2, 1, 10, 10, false, true);
        break;
    case DesignDvdCaseInserts:
        CardGrid(c, sheet, 1, 1, 14, 0, false, true);
        break;
    default:
        break;
    }
    if (designType == DesignBrochures) {
        // The panels of a tri-fold sheet meet at folds, not at cut lines.
        c.setPen(kGrey, 1, PenStyle::Dotted);
        for (int k = 1; k < 3; ++k) {
            const int y = sheet.top() + k * sheet.height() / 3;
            c.line(QPoint(sheet.left(), y), QPoint(sheet.right(), y));
        }
    }
    return b;
}

SampleLayout LayOutSample(const pageset_t& ps, std::int32_t designType, const QRect& area)
{
    SampleLayout out;
    if (!IsMeasuringUnit(ps.units) || area.isEmpty())
        return out;
    const miry_t& set = ps.set(ps.units);
    const auto length = [&](DimensionText k) { return parseDimension(set.texts[k], ps.units); };
    const auto pw = length(TextPaperWidth);
    const auto ph = length(TextPaperHeight);
    if (!pw || !ph || !(*pw > 0) || !(*ph > 0))
        return out;

    if (ps.units == UnitPixels) {
        const auto w = ParseWholeNumber(set.texts[TextPaperWidth]);
        const auto h = ParseWholeNumber(set.texts[TextPaperHeight]);
        if (!w || !h || *w < 1 || *h < 1)
            return out;
        out.shown = true;
        out.actualSize = true;
        const int x = area.left() + std::max(0, (area.width() - *w) / 2);
        const int y = area.top() + std::max(0, (area.height() - *h) / 2);
        out.paper = QRect(x, y, std::min(*w, area.width()), std::min(*h, area.height()));
        return out;
    }

    const double mm = ps.units == UnitInches ? 25.4 : 1.0;
    const double f = 0.9 * std::min(area.width(), area.height()) / (std::max(*pw, *ph) * mm);
    const auto px = [&](double v) { return v * mm * f; };
    const int w = std::max(1, static_cast<int>(Round(px(*pw))));
    const int h = std::max(1, static_cast<int>(Round(px(*ph))));
    out.shown = true;
    out.paper = QRect(area.left() + (area.width() - w) / 2, area.top() + (area.height() - h) / 2, w, h);

    const auto lengthOr0 = [&](DimensionText k) { return px(length(k).value_or(0.0)); };
    out.left = lengthOr0(TextMarginLeft);
    out.top = lengthOr0(TextMarginTop);
    out.right = lengthOr0(TextMarginRight);
    out.bottom = lengthOr0(TextMarginBottom);

    const std::int32_t t = designType < 0 ? -designType : designType;
    const bool rowFold = set.rowFold != 0;
    const bool columnFold = set.columnFold != 0;
    int rows = std::clamp(ParseWholeNumber(set.texts[TextRows]).value_or(1), 0, 200);
    int cols = std::clamp(ParseWholeNumber(set.texts[TextColumns]).value_or(1), 0, 200);
    const double cardW = lengthOr0(TextCardWidth);
    const double cardH = lengthOr0(TextCardHeight);
    const double rowGap = lengthOr0(TextRowGap);
    const double colGap = lengthOr0(TextColumnGap);
    const auto at = [&](double x, double y) {
        return QPoint(out.paper.left() + Round(x), out.paper.top() + Round(y));
    };

    if (t == DesignBrochures) {
        // A brochure is the whole sheet; its panels meet at the folds.
        out.margins = true;
        if (rowFold)
            for (int r = 1; r < rows; ++r) {
                const double y = out.top + r * (cardH + rowGap) - rowGap / 2;
                out.folds.emplace_back(at(0, y), at(out.paper.width() - 1, y));
            }
        if (columnFold)
            for (int k = 1; k < cols; ++k) {
                const double x = out.left + k * (cardW + colGap) - colGap / 2;
                out.folds.emplace_back(at(x, 0), at(x, out.paper.height() - 1));
            }
        return out;
    }
    if (!IsCardDesignType(t)) {
        out.margins = true;
        return out;
    }

    // The print cells of the sheet: a fold joins two cards into one cell.
    if (rowFold && rows > 1)
        rows /= 2;
    if (columnFold && cols > 1)
        cols /= 2;
    const double cw = cardW * (columnFold ? 2 : 1);
    const double ch = cardH * (rowFold ? 2 : 1);
    if (!(cw >= 1) || !(ch >= 1))
        return out;
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < cols; ++k) {
            const double x = out.left + k * (cw + colGap);
            const double y = out.top + r * (ch + rowGap);
            const QPoint corner = at(x, y);
            const QRect cell(corner, at(x + cw, y + ch) - QPoint(1, 1));
            out.cells.push_back(cell);
            if (columnFold)
                out.folds.emplace_back(QPoint(cell.left() + cell.width() / 2, cell.top() + 1),
                                       QPoint(cell.left() + cell.width() / 2, cell.bottom()));
            if (rowFold)
                out.folds.emplace_back(QPoint(cell.left() + 1, cell.top() + cell.height() / 2),
                                       QPoint(cell.right(), cell.top() + cell.height() / 2));
        }
    return out;
}

void DrawPageSample(Bitmap& pane, const pageset_t& ps, std::int32_t designType)
{
    pane.fill(kSamplePaneColor);
    if (pane.isNull())
        return;
    Canvas c(pane);
    int y = 4;
    const auto heading = [&](const char16_t* text, int points) {
        FontRequest request;
        request.faceName = QStringLiteral("Arial");
        request.sizePoints = points;
        if (const auto font = Font::make(request, 96)) {
            const QString s = QString::fromUtf16(text);
            c.drawText(*font, QPoint((pane.width() - font->textWidth(s)) / 2, y), s, kSilver);
            y += font->ascent() + font->descent() + 2;
        }
    };
    const bool illustrations = designType == DesignIllustrations;
    if (illustrations)
        heading(texts::kSampleHeading, 18);
    if (ps.units == UnitPixels)
        heading(texts::kActualSize, 12);
    else if (illustrations && IsMeasuringUnit(ps.units))
        heading(texts::kScaledToFit, 12);

    const QRect area(4, y + 4, pane.width() - 8, pane.height() - y - 8);
    const SampleLayout s = LayOutSample(ps, designType, area);
    if (!s.shown)
        return;
    c.fillRect(s.paper, kPaper);
    Frame(c, s.paper, kBlack);
    if (s.actualSize)
        return;
    const QRect p = s.paper;
    if (s.margins) {
        c.setPen(kSampleMarginColor, 1);
        const int l = p.left() + static_cast<int>(Round(s.left));
        const int r = p.right() - static_cast<int>(Round(s.right));
        const int t = p.top() + static_cast<int>(Round(s.top));
        const int b = p.bottom() - static_cast<int>(Round(s.bottom));
        c.line(QPoint(l, p.top()), QPoint(l, p.bottom() + 1));
        c.line(QPoint(r, p.top()), QPoint(r, p.bottom() + 1));
        c.line(QPoint(p.left(), t), QPoint(p.right() + 1, t));
        c.line(QPoint(p.left(), b), QPoint(p.right() + 1, b));
    }
    // The other cells first, so the canvas's red outline stays on top.
    for (std::size_t i = s.cells.size(); i-- > 0;)
        Frame(c, s.cells[i], i == 0 ? kSampleFirstCardColor : kSampleCardColor);
    c.setPen(kGrey, 1, PenStyle::Dotted);
    for (const QLine& fold : s.folds)
        c.line(fold.p1(), fold.p2());
}

} // namespace vlm
