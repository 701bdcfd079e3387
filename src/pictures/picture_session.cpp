#include "pictures/picture_session.h"

#include "model/rounding.h"
#include "pictures/picture_decoders.h"
#include "pictures/prepare_picture.h"
#include "render/resample.h"
#include "texts/picture_texts.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

// What the picture area's scroll bars take of the pane.
constexpr int kScrollBarExtent = 17;
constexpr int kMitchell = 6;

bool QuarterTurned(int turn)
{
    return turn == 90 || turn == 270;
}

bool IsOutline(const Item& it)
{
    return it.rec.d.role == RoleDrawing && (it.rec.d.kind == kRectOutline || it.rec.d.kind == kRoundOutline);
}

std::int32_t Radius(const DrawingFields& d)
{
    const double dx = static_cast<double>(d.x2) - d.x1, dy = static_cast<double>(d.y2) - d.y1;
    return Round(std::sqrt(dx * dx + dy * dy));
}

void Normalize(DrawingFields& d)
{
    const std::int32_t x1 = d.x1, x2 = d.x2, y1 = d.y1, y2 = d.y2;
    d.x1 = std::min(x1, x2);
    d.x2 = std::max(x1, x2);
    d.y1 = std::min(y1, y2);
    d.y2 = std::max(y1, y2);
}

void UpdateBox(DrawingFields& d)
{
    if (d.kind == kRoundOutline) {
        const std::int32_t r = Radius(d);
        d.left = d.x1 - r;
        d.right = d.x1 + r;
        d.top = d.y1 - r;
        d.bottom = d.y1 + r;
    } else {
        d.left = std::min(d.x1, d.x2);
        d.right = std::max(d.x1, d.x2);
        d.top = std::min(d.y1, d.y2);
        d.bottom = std::max(d.y1, d.y2);
    }
    d.width = d.right - d.left;
    d.height = d.bottom - d.top;
}

} // namespace

double ZoomOutFrom(int p)
{
    if (p <= 25)
        return 0.125;
    if (p <= 50)
        return 0.25;
    if (p <= 100)
        return 0.5;
    if (p <= 125)
        return 1.0;
    if (p <= 150)
        return 1.25;
    if (p <= 175)
        return 1.5;
    if (p <= 200)
        return 1.75;
    return 2.0;
}

double ZoomInFrom(int p)
{
    if (p < 25)
        return 0.25;
    if (p < 50)
        return 0.5;
    if (p < 100)
        return 1.0;
    if (p < 125)
        return 1.25;
    if (p < 150)
        return 1.5;
    if (p < 175)
        return 1.75;
    if (p < 200)
        return 2.0;
    return 3.0;
}

int ReductionForPercent(int p)
{
    if (p >= 100)
        return 1;
    if (p >= 50)
        return 2;
    if (p >= 25)
        return 4;
    return 8;
}

int InitialReduction(QSize eighth, QSize pane)
{
    if (eighth.width() <= 0 || eighth.height() <= 0)
        return 8;
    const int n = std::min((pane.width() - kScrollBarExtent) / eighth.width(),
                           (pane.height() - kScrollBarExtent) / eighth.height());
    if (n <= 1)
        return 8;
    if (n <= 3)
        return 4;
    if (n <= 7)
        return 2;
    return 1;
}

const char16_t* LoadFailureText(const PictureSession& session)
{
    return session.tooLarge() ? texts::kPictureTooLarge : texts::kNotAValidFile;
}

PictureSession::PictureSession(const ScreenMetrics& metrics) : outlines_(metrics) {}

void PictureSession::decodeAt(int reduction, int enlargement)
{
    DecodedPicture d = DecodePicture(bytes_, format_, reduction, enlargement);
    decoded_ = std::move(d.bitmap);
    reduction_ = decoded_.isNull() ? 1 : d.reduction;
    enlargement_ = decoded_.isNull() ? 1 : d.enlargement;
    tooLarge_ = d.tooLarge;
}

void PictureSession::playForZoom()
{
    if (!isVectorPicture(format_))
        return;
    // The picture area shows at most kMaxShownSide pixels: a few times the
    // natural size is all a zoom of up to 300 % needs.
    const int e = std::clamp(static_cast<int>(std::ceil(zoom_ - 1e-9)), 1, 3);
    if (e == enlargement_)
        return;
    const int before = enlargement_;
    decodeAt(1, e);
    if (decoded_.isNull())
        decodeAt(1, before);
}

bool PictureSession::load(std::vector<std::uint8_t> bytes, int format, QSize pane)
{
    bytes_ = std::move(bytes);
    format_ = format;
    mirrorX_ = mirrorY_ = 1;
    turn_ = 0;
    if (format_ == PictureFormatJpeg) {
        decodeAt(8);
        if (!decoded_.isNull()) {
            const int r = InitialReduction(QSize(decoded_.width(), decoded_.height()), pane);
            if (r != reduction_)
                decodeAt(r);
        }
    } else {
        decodeAt(1);
    }
    if (decoded_.isNull()) {
        base_ = shown_ = sharp_ = Bitmap();
        wholeBase_ = {};
        return false;
    }
    zoom_ = 1.0 / reduction_;
    base_ = decoded_;
    wholeBase_ = QSize(base_.width(), base_.height());
    rebuildShown();
    return true;
}

bool PictureSession::loadForClip(std::vector<std::uint8_t> bytes, int format, int mirrorX, int mirrorY,
                                 int turn, double zoom)
{
    bytes_ = std::move(bytes);
    format_ = format;
    mirrorX_ = mirrorX < 0 ? -1 : 1;
    mirrorY_ = mirrorY < 0 ? -1 : 1;
    turn_ = turn;
    if (!(zoom > 0.0) || !std::isfinite(zoom))
        zoom = 1.0;
    decodeAt(format_ == PictureFormatJpeg ? ReductionForPercent(Round(zoom * 100)) : 1);
    if (decoded_.isNull()) {
        base_ = shown_ = sharp_ = Bitmap();
        wholeBase_ = {};
        return false;
    }
    zoom_ = zoom;
    playForZoom();
    rebuildBase();
    return true;
}

int PictureSession::zoomPercent() const
{
    return Trunc(zoom_ * 100);
}

void PictureSession::setZoom(double zoom)
{
    if (!loaded() || !(zoom > 0.0))
        return;
    zoom_ = zoom;
    if (format_ == PictureFormatJpeg) {
        // A picture too large for the finer reduction decodes at the finest that fits.
        const int need = JpegFittingReduction(bytes_, ReductionForPercent(Round(zoom * 100)));
        if (need != 0 && need < reduction_) {
            const int before = reduction_;
            decodeAt(need);
            if (decoded_.isNull()) // the bytes decoded before: keep what there was
                decodeAt(before);
        }
    }
    playForZoom();
    rebuildBase();
}

void PictureSession::setZoomPercent(int p)
{
    setZoom(p <= 0 ? 0.01 : p / 100.0);
}

void PictureSession::zoomOut()
{
    setZoom(ZoomOutFrom(Round(zoom_ * 100)));
}

void PictureSession::zoomIn()
{
    setZoom(ZoomInFrom(Round(zoom_ * 100)));
}

void PictureSession::rebuildBase()
{
    const int dw = decoded_.width(), dh = decoded_.height();
    const double factor = zoom_ * reduction_ / enlargement_;
    const int rw = std::max(1, Round(dw * factor)), rh = std::max(1, Round(dh * factor));
    wholeBase_ = QSize(rw, rh);
    if (rw == dw && rh == dh) {
        base_ = decoded_;
    } else if (rw > kMaxShownSide && rh > kMaxShownSide) {
        // Only the part the picture area can show is resampled.
        const double f = static_cast<double>(kMaxShownSide) / std::max(rw, rh);
        const int cw = std::clamp(Round(dw * f), 1, dw), ch = std::clamp(Round(dh * f), 1, dh);
        const Bitmap part(decoded_.image().copy(0, 0, cw, ch));
        base_ = resample(part, std::max(1, Round(rw * f)), std::max(1, Round(rh * f)), kMitchell);
    } else {
        base_ = resample(decoded_, rw, rh, kMitchell);
    }
    rebuildShown();
}

void PictureSession::rebuildShown()
{
    shown_ = preparePicture(base_, mirrorX_, mirrorY_, turn_);
    sharp_ = Bitmap();
    if (ratio_ == 1.0 || base_.isNull() || decoded_.isNull())
        return;
    // The part of the decoded picture `base` shows, resampled ratio times finer.
    const double factor = zoom_ * reduction_ / enlargement_;
    const int cw = std::clamp(Round(base_.width() / factor), 1, decoded_.width());
    const int ch = std::clamp(Round(base_.height() / factor), 1, decoded_.height());
    const Bitmap part = cw == decoded_.width() && ch == decoded_.height()
                            ? decoded_
                            : Bitmap(decoded_.image().copy(0, 0, cw, ch));
    const int w = std::max(1, static_cast<int>(std::lround(base_.width() * ratio_)));
    const int h = std::max(1, static_cast<int>(std::lround(base_.height() * ratio_)));
    sharp_ = preparePicture(w == cw && h == ch ? part : resample(part, w, h, kMitchell), mirrorX_, mirrorY_, turn_);
}

void PictureSession::setDeviceRatio(double ratio)
{
    if (!std::isfinite(ratio) || ratio < 0.25 || ratio > 8.0)
        ratio = 1.0;
    if (ratio == ratio_)
        return;
    ratio_ = ratio;
    rebuildShown();
}

QSize PictureSession::wholeShownSize() const
{
    return QuarterTurned(turn_) ? wholeBase_.transposed() : wholeBase_;
}

QSize PictureSession::picturePixels() const
{
    const QSize s = wholeShownSize();
    return QSize(Round(s.width() / zoom_), Round(s.height() / zoom_));
}

QPoint PictureSession::toPicture(QPoint p) const
{
    return QPoint(Round(p.x() / zoom_), Round(p.y() / zoom_));
}

QPoint PictureSession::toDisplay(QPoint p) const
{
    return QPoint(Round(p.x() * zoom_), Round(p.y() * zoom_));
}

template <class F> void PictureSession::forEachOutline(F f)
{
    for (Item& it : outlines_)
        if (IsOutline(it)) {
            f(it.rec.d);
            UpdateBox(it.rec.d);
        }
}

void PictureSession::mirror()
{
    const std::int32_t W = picturePixels().width();
    if (QuarterTurned(turn_))
        mirrorY_ = -mirrorY_;
    else
        mirrorX_ = -mirrorX_;
    forEachOutline([W](DrawingFields& d) {
        const std::int32_t x1 = d.x1, x2 = d.x2;
        const bool round = d.kind == kRoundOutline;
        d.x1 = W - (round ? x1 : x2);
        d.x2 = W - (round ? x2 : x1);
    });
    rebuildShown();
}

void PictureSession::flip()
{
    const std::int32_t H = picturePixels().height();
    if (QuarterTurned(turn_))
        mirrorX_ = -mirrorX_;
    else
        mirrorY_ = -mirrorY_;
    forEachOutline([H](DrawingFields& d) {
        const std::int32_t y1 = d.y1, y2 = d.y2;
        const bool round = d.kind == kRoundOutline;
        d.y1 = H - (round ? y1 : y2);
        d.y2 = H - (round ? y2 : y1);
    });
    rebuildShown();
}

void PictureSession::turnClockwise()
{
    const std::int32_t H = picturePixels().height();
    turn_ -= 90;
    if (turn_ < 0)
        turn_ += 360;
    forEachOutline([H](DrawingFields& d) {
        const std::int32_t x1 = d.x1, y1 = d.y1, x2 = d.x2, y2 = d.y2;
        d.x1 = H - y1;
        d.y1 = x1;
        d.x2 = H - y2;
        d.y2 = x2;
    });
    rebuildShown();
}

void PictureSession::turnCounterClockwise()
{
    const std::int32_t W = picturePixels().width();
    turn_ += 90;
    if (turn_ > 360)
        turn_ -= 360;
    forEachOutline([W](DrawingFields& d) {
        const std::int32_t x1 = d.x1, y1 = d.y1, x2 = d.x2, y2 = d.y2;
        d.x1 = y1;
        d.y1 = W - x1;
        d.x2 = y2;
        d.y2 = W - x2;
    });
    rebuildShown();
}

Item& PictureSession::addOutline(std::int32_t kind, QPoint first, QPoint second)
{
    DiscardRedo(outlines_, cursor_);
    const std::int32_t step = NextEditStep(outlines_);
    const std::int32_t order = MaxStackOrder(outlines_) + 1;
    Item& it = NewItem(outlines_, kind);
    DrawingFields& d = it.rec.d;
    d.x1 = first.x();
    d.y1 = first.y();
    d.x2 = second.x();
    d.y2 = second.y();
    d.historyState = 1;
    UpdateBox(d);
    SetEditStep(outlines_, it, step);
    SetStackOrder(outlines_, it, order);
    return it;
}

Item* PictureSession::startWithClipOutline(const DrawingFields& clip)
{
    if (clip.clipShape != 1 && clip.clipShape != 2)
        return nullptr;
    const bool round = clip.clipShape == 2;
    Item& it = NewItem(outlines_, round ? kRoundOutline : kRectOutline);
    DrawingFields& d = it.rec.d;
    d.x1 = clip.sourceRect[0];
    d.y1 = clip.sourceRect[1];
    d.x2 = clip.sourceRect[2];
    d.y2 = clip.sourceRect[3];
    d.historyState = 0; // outside the history, like the Items of a file just opened
    d.selected = 255;
    UpdateBox(d);
    SetStackOrder(outlines_, it, MaxStackOrder(outlines_) + 1);
    insertMode = round ? InsertRoundClips : InsertRectClips;
    return &it;
}

bool PictureSession::eraseSelected()
{
    std::vector<Item*> chosen;
    for (Item& it : outlines_)
        if (IsOutline(it) && IsSelectedLive(it))
            chosen.push_back(&it);
    if (chosen.empty())
        return false;
    DiscardRedo(outlines_, cursor_);
    const std::int32_t step = NextEditStep(outlines_);
    for (Item* it : chosen) {
        Item* marker = CopyItem(outlines_, it);
        SetKind(outlines_, *marker, KindDeletionMarker);
        marker->rec.d.predecessor = it->rec.d.sequence;
        marker->rec.d.selected = 0;
        SetStackOrder(outlines_, *marker, it->rec.d.stackOrder);
        SetEditStep(outlines_, *marker, step);
        it->rec.d.hidden = 255;
        it->rec.d.selected = 0;
    }
    return true;
}

Item* PictureSession::beginReshape(Item& outline)
{
    SelectOnly(outlines_, &outline);
    if (BeginEditCopies(outlines_, cursor_) == 0)
        return nullptr;
    for (Item& it : outlines_)
        if (IsOutline(it) && IsSelectedLive(it))
            return &it;
    return nullptr;
}

std::vector<QPoint> PictureSession::markerPoints(const Item& outline)
{
    const DrawingFields& d = outline.rec.d;
    if (d.kind == kRoundOutline) {
        const std::int32_t r = Radius(d);
        return {{d.x1, d.y1}, {d.x1, d.y1 - r}, {d.x1 + r, d.y1}, {d.x1, d.y1 + r}, {d.x1 - r, d.y1}};
    }
    const std::int32_t l = std::min(d.x1, d.x2), r = std::max(d.x1, d.x2);
    const std::int32_t t = std::min(d.y1, d.y2), b = std::max(d.y1, d.y2);
    const std::int32_t cx = (l + r) / 2, cy = (t + b) / 2;
    return {{cx, cy}, {l, t}, {r, t}, {r, b}, {l, b}, {cx, t}, {r, cy}, {cx, b}, {l, cy}};
}

void PictureSession::moveMarker(Item& outline, int marker, QPoint to)
{
    DrawingFields& d = outline.rec.d;
    if (d.kind == kRoundOutline) {
        if (marker == 0) {
            const std::int32_t dx = to.x() - d.x1, dy = to.y() - d.y1;
            d.x1 += dx;
            d.y1 += dy;
            d.x2 += dx;
            d.y2 += dy;
        } else {
            d.x2 = to.x();
            d.y2 = to.y();
        }
        UpdateBox(d);
        return;
    }
    Normalize(d);
    switch (marker) {
    case 0: {
        const std::int32_t dx = to.x() - (d.x1 + d.x2) / 2, dy = to.y() - (d.y1 + d.y2) / 2;
        d.x1 += dx;
        d.x2 += dx;
        d.y1 += dy;
        d.y2 += dy;
        break;
    }
    case 1:
        d.x1 = to.x(), d.y1 = to.y();
        break;
    case 2:
        d.x2 = to.x(), d.y1 = to.y();
        break;
    case 3:
        d.x2 = to.x(), d.y2 = to.y();
        break;
    case 4:
        d.x1 = to.x(), d.y2 = to.y();
        break;
    case 5:
        d.y1 = to.y();
        break;
    case 6:
        d.x2 = to.x();
        break;
    case 7:
        d.y2 = to.y();
        break;
    case 8:
        d.x1 = to.x();
        break;
    default:
        break;
    }
    UpdateBox(d);
}

bool PictureSession::undo()
{
    SelectOnly(outlines_, nullptr);
    return UndoLastAction(outlines_, cursor_);
}

bool PictureSession::redo()
{
    SelectOnly(outlines_, nullptr);
    return RedoNextAction(outlines_, cursor_);
}

bool PictureSession::canUndo()
{
    return CanUndo(outlines_, cursor_);
}

bool PictureSession::canRedo()
{
    return CanRedo(outlines_, cursor_);
}

int PictureSession::count(std::int32_t kind) const
{
    int n = 0;
    for (const Item& it : outlines_)
        if (IsLive(it) && it.rec.d.kind == kind)
            ++n;
    return n;
}

bool PictureSession::usable(const Item& outline)
{
    const DrawingFields& d = outline.rec.d;
    if (d.kind == kRoundOutline)
        return Radius(d) >= 1;
    return d.kind == kRectOutline && d.x1 != d.x2 && d.y1 != d.y2;
}

std::vector<const Item*> PictureSession::liveOutlines() const
{
    std::vector<const Item*> out;
    for (const Item& it : outlines_)
        if (IsOutline(it) && IsLive(it))
            out.push_back(&it);
    return out;
}

} // namespace vlm
