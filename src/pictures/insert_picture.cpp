#include "pictures/insert_picture.h"

#include "model/item_list.h"
#include "model/rounding.h"
#include "pictures/picture_decoders.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

std::int32_t Odd(std::int32_t v)
{
    return v % 2 == 0 ? v - 1 : v;
}

struct Placer
{
    Document& doc;
    const PictureSession& session;
    const ClipLook& look;
    std::int32_t step = 0;
    std::int32_t pictureId = 0;
    QSize size; // (w, h): the whole picture at the zoom, turned
    double z = 1.0;

    // Picture, scales, signs and sizes of the dialog.
    void takeDialog(DrawingFields& d) const
    {
        d.pictureId = pictureId;
        d.scaleX = d.scaleY = z;
        d.mirrorX = session.mirrorX();
        d.mirrorY = session.mirrorY();
        d.pictureTurn = session.turn();
        d.placementScale = z;
        d.pictureSize[0] = size.width();
        d.pictureSize[1] = size.height();
    }

    Item& newClip()
    {
        ItemList& list = doc.items;
        const std::int32_t order = MaxStackOrder(list) + 1;
        Item& clip = NewItem(list, KindClip);
        DrawingFields& d = clip.rec.d;
        takeDialog(d);
        d.rotation = 0.0;
        d.framed = look.framed ? 1 : 0;
        d.lineColor = look.frameColor;
        SetWeight(clip, look.frameWidth, list.metrics());
        d.shadowElevation = look.shadowElevation;
        d.shadowFade = look.shadowFade;
        d.shadowLightness = look.shadowLightness;
        d.surface = look.surface;
        for (int i = 0; i < 6; ++i) // packed: no references into the record
            d.colorEffects[i] = 0;
        d.historyState = 1;
        d.selected = 0;
        SetEditStep(list, clip, step);
        SetStackOrder(list, clip, order);
        return clip;
    }

    void finish(Item& clip) const
    {
        DrawingFields& d = clip.rec.d;
        d.reference[0] = d.x1;
        d.reference[1] = d.y1;
        d.reference[2] = d.x2;
        d.reference[3] = d.y2;
        clip.cache.reset();
        RealsFromIntegers(clip, doc.items.metrics());
        RecomputeFromReals(clip, doc.items.metrics());
    }

    // The whole picture with its top-left corner at `at`.
    void entireImage(DrawingFields& d, QPoint at) const
    {
        d.clipShape = 0;
        d.x1 = at.x();
        d.y1 = at.y();
        d.x2 = at.x() + size.width();
        d.y2 = at.y() + size.height();
        d.sourceRect[0] = 0;
        d.sourceRect[1] = 0;
        d.sourceRect[2] = Odd(Round(size.width() / z));
        d.sourceRect[3] = Odd(Round(size.height() / z));
    }

    // A rectangular outline placed with its top-left corner at `at`.
    void rectangle(DrawingFields& d, const DrawingFields& o, QPoint at) const
    {
        const std::int32_t l = std::min(o.x1, o.x2), r = std::max(o.x1, o.x2);
        const std::int32_t t = std::min(o.y1, o.y2), b = std::max(o.y1, o.y2);
        d.clipShape = 1;
        d.x1 = at.x();
        d.y1 = at.y();
        d.x2 = at.x() + Round(z * (r - l));
        d.y2 = at.y() + Round(z * (b - t));
        d.sourceRect[0] = l;
        d.sourceRect[1] = t;
        d.sourceRect[2] = r;
        d.sourceRect[3] = b;
    }

    static std::int32_t Radius(const DrawingFields& o)
    {
        const double dx = static_cast<double>(o.x2) - o.x1, dy = static_cast<double>(o.y2) - o.y1;
        return Round(std::sqrt(dx * dx + dy * dy));
    }

    // A round outline placed with its centre at `centre`.
    void circle(DrawingFields& d, const DrawingFields& o, QPoint centre) const
    {
        d.clipShape = 2;
        d.x1 = centre.x();
        d.y1 = centre.y();
        d.x2 = centre.x() + Round(z * (o.x2 - o.x1));
        d.y2 = centre.y() + Round(z * (o.y2 - o.y1));
        d.sourceRect[0] = o.x1;
        d.sourceRect[1] = o.y1;
        d.sourceRect[2] = o.x2;
        d.sourceRect[3] = o.y2;
    }

    QPoint roundCentreAt(const DrawingFields& o, QPoint start) const
    {
        const std::int32_t zr = Round(z * Radius(o));
        return start + QPoint(zr, zr);
    }
};

bool IsClipOf(const Document& doc, const Item* clip)
{
    return clip && clip->rec.d.kind == KindClip && clip->rec.d.pictureId >= 1 &&
           PictureById(doc.items, clip->rec.d.pictureId) != nullptr;
}

// Where an edited clip's new box starts: its first point, or for a former
// round clip its centre less half the new size.
QPoint KeptCorner(const DrawingFields& old, QSize newSize)
{
    if (old.clipShape != 2)
        return {old.x1, old.y1};
    return {std::max(10, old.x1 - newSize.width() / 2), std::max(10, old.y1 - newSize.height() / 2)};
}

QPoint FormerCentre(const DrawingFields& old)
{
    if (old.clipShape == 2)
        return {std::max(10, old.x1), std::max(10, old.y1)};
    return {std::max(10, (old.x1 + old.x2) / 2), std::max(10, (old.y1 + old.y2) / 2)};
}

} // namespace

InsertedPicture insertPicture(Document& doc, const PictureSession& session, PictureInsert mode,
                              const ClipLook& look, const OpenDocuments& open, HistoryCursor& cursor,
                              Item* clip)
{
    InsertedPicture result;
    if (!session.loaded() || !(session.zoom() > 0.0))
        return result;
    ItemList& list = doc.items;
    Placer place{doc, session, look, 0, 0, {}, 1.0};
    place.size = session.wholeShownSize();
    place.z = session.zoom();

    std::vector<std::uint8_t> stored;
    if (mode == PictureInsert::NewPicture) {
        stored = StoredPictureBytes(session.bytes(), session.format());
        if (stored.empty())
            return result;
    } else if (!IsClipOf(doc, clip)) {
        return result;
    }

    Item* edited = nullptr;
    if (mode == PictureInsert::EditClip) {
        SelectOnly(list, clip);
        place.step = BeginEditCopies(list, cursor);
        for (Item& it : list)
            if (IsSelectedLive(it) && it.rec.d.kind == KindClip)
                edited = &it;
        if (!edited)
            return result;
        place.pictureId = edited->rec.d.pictureId;
    } else {
        DiscardRedo(list, cursor);
        place.step = NextEditStep(list);
        if (mode == PictureInsert::NewClip)
            place.pictureId = clip->rec.d.pictureId;
    }

    if (mode == PictureInsert::NewPicture) {
        Item& picture = NewItem(list, KindPicture);
        DrawingFields& d = picture.rec.d;
        picture.pictureData = std::move(stored);
        d.clipShape = storedPictureFormat(session.format());
        d.x2 = d.right = d.width = place.size.width();
        d.y2 = d.bottom = d.height = place.size.height();
        d.pictureId = NewPictureId(list, open);
        d.historyState = 0;
        picture.rec.pic.dialogZoom = place.z;
        SetText(picture, session.fileName);
        place.pictureId = picture.rec.d.pictureId;
    }
    result.pictureId = place.pictureId;

    std::vector<const Item*> outlines;
    if (session.insertMode == InsertRectClips || session.insertMode == InsertRoundClips)
        for (const Item* o : session.liveOutlines())
            if (PictureSession::usable(*o))
                outlines.push_back(o);

    if (outlines.empty()) {
        if (edited) {
            const DrawingFields old = edited->rec.d;
            place.takeDialog(edited->rec.d);
            place.entireImage(edited->rec.d, KeptCorner(old, place.size));
            place.finish(*edited);
            result.clips.push_back(edited);
        } else {
            Item& c = place.newClip();
            place.entireImage(c.rec.d, {20, 20});
            place.finish(c);
            result.clips.push_back(&c);
        }
        result.inserted = true;
        return result;
    }

    QPoint start(20, 20);
    for (const Item* o : outlines) {
        const DrawingFields& od = o->rec.d;
        const bool round = od.kind == kRoundOutline;
        if (edited) {
            const DrawingFields old = edited->rec.d;
            DrawingFields& d = edited->rec.d;
            place.takeDialog(d);
            if (round) {
                place.circle(d, od, FormerCentre(old));
            } else {
                const QSize newSize(Round(place.z * std::abs(od.x2 - od.x1)),
                                    Round(place.z * std::abs(od.y2 - od.y1)));
                place.rectangle(d, od, KeptCorner(old, newSize));
            }
            place.finish(*edited);
            result.clips.push_back(edited);
            edited = nullptr;
            continue;
        }
        Item& c = place.newClip();
        if (round)
            place.circle(c.rec.d, od, place.roundCentreAt(od, start));
        else
            place.rectangle(c.rec.d, od, start);
        place.finish(c);
        result.clips.push_back(&c);
        start += QPoint(10, 10);
    }
    result.inserted = true;
    return result;
}

} // namespace vlm
