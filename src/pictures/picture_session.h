#pragma once

// What the picture-insertion dialog works on, without the dialog: the
// picture's bytes and format, the decoded picture and the one shown at the
// dialog's zoom (turned and mirrored), the mirror signs and quarter-turn,
// the insert mode and the clip outlines with their own undo history.
//
// Outline coordinates are full-size picture pixels of the turned and
// mirrored picture; `toPicture` and `toDisplay` convert to and from the
// pixels of the shown picture.

#include "model/item_list.h"
#include "model/undo.h"
#include "platform/bitmap.h"

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vlm {

// Outline kinds of the dialog's list.
inline constexpr std::int32_t kRectOutline = KindClipCache;     // two opposite corners
inline constexpr std::int32_t kRoundOutline = KindRoundOutline; // centre, rim point

// The most of the shown picture the picture area holds, in each direction.
inline constexpr int kMaxShownSide = 1600;

enum InsertMode : int { InsertEntireImage = 0, InsertRectClips = 1, InsertRoundClips = 2 };

// The zoom buttons: the zoom one step out or in from p = Round(zoom * 100).
double ZoomOutFrom(int p);
double ZoomInFrom(int p);
// The JPEG reduction (1, 2, 4, 8) a zoom of p percent needs.
int ReductionForPercent(int p);
// The first JPEG reduction: from the picture decoded at 1/8, how many times
// it fits into the pane (less the scroll bars) in whole numbers.
int InitialReduction(QSize decodedAtEighth, QSize pane);

class PictureSession;
// What a failed load tells the user.
const char16_t* LoadFailureText(const PictureSession& session);

class PictureSession
{
public:
    explicit PictureSession(const ScreenMetrics& metrics = {});

    // ---- Loading ----
    // A file's bytes: decoded with the format's decoder (a JPEG at the
    // reduction that fits `pane`), shown upright and unmirrored. False when
    // the bytes do not decode; the session is then empty.
    bool load(std::vector<std::uint8_t> bytes, int format, QSize pane);
    // A Picture record's bytes, for re-opening a Clip: its mirror signs,
    // quarter-turn and zoom (its placement scale) are taken over.
    bool loadForClip(std::vector<std::uint8_t> bytes, int format, int mirrorX, int mirrorY, int turn,
                     double zoom);
    bool loaded() const { return !decoded_.isNull(); }
    // The last load failed on a picture with more pixels than any decoder
    // makes, not on damaged bytes.
    bool tooLarge() const { return tooLarge_; }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    int format() const { return format_; }
    std::u16string fileName;

    // ---- Zoom ----
    double zoom() const { return zoom_; }
    int zoomPercent() const; // Trunc(zoom * 100), the label and the track bar
    void setZoom(double zoom);
    // The track bar released at p (0 counts as 1).
    void setZoomPercent(int p);
    void zoomOut();
    void zoomIn();
    int reduction() const { return reduction_; }

    // ---- Pictures ----
    const Bitmap& decoded() const { return decoded_; }
    // The decoded picture or the one resampled for the zoom, unturned.
    const Bitmap& base() const { return base_; }
    // `base` turned and mirrored: what the picture area shows.
    const Bitmap& shown() const { return shown_; }
    // The whole picture at the zoom, turned (the shown one may be its
    // top-left part only): the size the inserted picture takes.
    QSize wholeShownSize() const;
    // The same in full-size picture pixels.
    QSize picturePixels() const;

    // The picture area on a screen of `ratio` device pixels per pixel:
    // sharpShown() is `shown` with that many device pixels per shown pixel,
    // resampled from the decoded picture (at ratio 1, `shown` itself).
    void setDeviceRatio(double ratio);
    double deviceRatio() const { return ratio_; }
    const Bitmap& sharpShown() const { return ratio_ == 1.0 ? shown_ : sharp_; }

    QPoint toPicture(QPoint shownPoint) const;
    QPoint toDisplay(QPoint picturePoint) const;

    // ---- Mirror, flip, turn ----
    int mirrorX() const { return mirrorX_; }
    int mirrorY() const { return mirrorY_; }
    int turn() const { return turn_; }
    void mirror();
    void flip();
    void turnClockwise();
    void turnCounterClockwise();

    // ---- Insert mode ----
    int insertMode = InsertEntireImage;

    // ---- Outlines ----
    ItemList& outlines() { return outlines_; }
    const ItemList& outlines() const { return outlines_; }
    // A new outline (picture points) under a new edit step.
    Item& addOutline(std::int32_t kind, QPoint first, QPoint second);
    // Re-opening a Clip to change its boundary: the outline it has now (its
    // source rectangle, rectangular or round), selected, as the state the
    // outline history starts from, so Undo never takes it away; the insert
    // mode follows its shape. Nothing for a clip of the entire image.
    // Returns the outline, or null.
    Item* startWithClipOutline(const DrawingFields& clip);
    // Hides every selected outline and records its deletion; false when none
    // was selected.
    bool eraseSelected();
    // The start of reshaping `outline`: it is replaced by an editable copy
    // (selected, a new edit step), which is returned.
    Item* beginReshape(Item& outline);
    // Moves marker `marker` of `outline` to the picture point `to`
    // (0 the centre moves it; rectangles 1..4 corners, 5..8 edge midpoints;
    // round outlines 1..4 rim points).
    static void moveMarker(Item& outline, int marker, QPoint to);
    // Marker positions, picture points.
    static std::vector<QPoint> markerPoints(const Item& outline);
    bool undo();
    bool redo();
    bool canUndo();
    bool canRedo();
    // Live outlines of a kind.
    int count(std::int32_t kind) const;
    // An outline that makes a clip: a rectangle with positive width and
    // height, or a circle of radius at least 1.
    static bool usable(const Item& outline);
    // Live outlines in list order.
    std::vector<const Item*> liveOutlines() const;

private:
    void decodeAt(int reduction, int enlargement = 1);
    // A vector picture is played again, larger, for a zoom above 100 %.
    void playForZoom();
    void rebuildBase();
    void rebuildShown();
    QSize turnedPictureSize() const;
    template <class F> void forEachOutline(F f);

    std::vector<std::uint8_t> bytes_;
    int format_ = 0;
    Bitmap decoded_;
    int reduction_ = 1;
    int enlargement_ = 1;
    bool tooLarge_ = false;
    Bitmap base_;
    QSize wholeBase_; // base_ before cutting to kMaxShownSide
    Bitmap shown_;
    Bitmap sharp_; // shown_ at ratio_, when it is not 1
    double ratio_ = 1.0;
    double zoom_ = 1.0;
    int mirrorX_ = 1, mirrorY_ = 1, turn_ = 0;
    ItemList outlines_;
    HistoryCursor cursor_;
};

} // namespace vlm
