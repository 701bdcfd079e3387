#pragma once

// "Insert" of the picture dialog: a new Picture record with its Clips, a
// changed outline for an existing Clip, or new Clips cut from the picture an
// existing Clip shows.

#include "model/document.h"
#include "model/undo.h"
#include "pictures/picture_session.h"

#include <cstdint>
#include <vector>

namespace vlm {

enum class PictureInsert { NewPicture, EditClip, NewClip };

// How every new Clip looks: the picture dialog's frame, shadow and 3-D
// choices.
struct ClipLook
{
    bool framed = false;
    double frameWidth = 0.0; // millimetres
    std::int32_t frameColor = 0;
    std::uint8_t shadowElevation = 0, shadowFade = 0, shadowLightness = 0;
    std::uint8_t surface = 0;
};

struct InsertedPicture
{
    bool inserted = false;
    std::int32_t pictureId = 0;
    // The new Clips and, when editing, the new version of the edited one.
    std::vector<Item*> clips;
};

// Inserts what the session shows into `doc`. For EditClip and NewClip
// `clip` is the selected Clip (a Clip with a picture number of at least 1
// whose Picture record is in `doc`); otherwise nothing is inserted. The
// redo part of the history is discarded first; all records made share one
// edit step.
InsertedPicture insertPicture(Document& doc, const PictureSession& session, PictureInsert mode,
                              const ClipLook& look, const OpenDocuments& open, HistoryCursor& cursor,
                              Item* clip = nullptr);

} // namespace vlm
