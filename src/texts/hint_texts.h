#pragma once

// The hint pages of the left column, the Help menu and the about box.
// Template texts name one kind of figure (the word after each); a page puts
// its own kind in place of every occurrence of that word.

#include "texts/next_step_texts.h"

namespace vlm::texts {

inline constexpr const char16_t* kHintDontShowAgain = u"Don't show this help page again.";

// The kind words the templates are filled with (with the words of the
// next-step options and the template words of the tool panels).
inline constexpr const char16_t* kHintWordTriangle = u"triangle";
inline constexpr const char16_t* kHintWordSquare = u"square";
inline constexpr const char16_t* kHintWordRectangle = u"rectangle";
// The arc's size is changed at its end points rather than its edge points.
inline constexpr const char16_t* kHintWordEdge = u"edge";
inline constexpr const char16_t* kHintWordEnd = u"end";

// After drawing (template word "line" in D1, "triangle" in the others).
inline constexpr const char16_t* kHintD1 = u"Click where you want to start another line, or...";
inline constexpr const char16_t* kHintD2 =
    u"Click on Start next triangle to set the color or outline of the next triangle, or...";
inline constexpr const char16_t* kHintD2Key = u"Start next triangle";
inline constexpr const char16_t* kHintD3 =
    u"Click on Fine-tune to change the color or outline of this triangle.";
inline constexpr const char16_t* kHintD4 =
    u"Click on Move this triangle to adjust the position of this triangle. Then, move the triangle by "
    u"dragging its center point, or change the shape by moving the end points.";
inline constexpr const char16_t* kHintD4Key = u"Move this triangle";

// Moving (template word "triangle"; "circle" in MZ, "spline" in MO,
// "solid" in MD).
inline constexpr const char16_t* kHintM1 = u"To move the triangle, drag its center point.";
inline constexpr const char16_t* kHintM2 = u"To change the shape of the triangle, drag its edge points.";
inline constexpr const char16_t* kHintM2Key = u"change the shape";
inline constexpr const char16_t* kHintM3 =
    u"To rotate the triangle, drag the dot at the end of the line stretching from its center.";
inline constexpr const char16_t* kHintMS =
    u"To select another item, click on its edge. Hold down the Shift key to select more than one item.";
inline constexpr const char16_t* kHintMZ = u"To change the size of the circle, drag one of its edge points.";
inline constexpr const char16_t* kHintMZKey = u"change the size";
inline constexpr const char16_t* kHintMO =
    u"To change the outline of the spline, drag one of the middle points.";
inline constexpr const char16_t* kHintMD =
    u"To change the outline of the solid, drag one of the edge points.";

// Placing points (template word "spline").
inline constexpr const char16_t* kHintP1 = u"Hold down the Shift key to enter the final point.";
inline constexpr const char16_t* kHintP2 =
    u"Press the Enter key to end the spline at the last turning point.";
inline constexpr const char16_t* kHintP3 = u"Press the Backspace key to remove the last point.";
inline constexpr const char16_t* kHintPE = u"Press the Esc key to erase this spline.";
// Put before PE, with a blank between.
inline constexpr const char16_t* kHintPC = u"Press 'C' to close the spline and exit.";

// Bold key words of the templates and pages.
inline constexpr const char16_t* kHintKeyMove = u"move";
inline constexpr const char16_t* kHintKeyStretch = u"stretch";
inline constexpr const char16_t* kHintKeySelect = u"select";
inline constexpr const char16_t* kHintKeyRotate = u"rotate";
inline constexpr const char16_t* kHintKeyRotated = u"rotated";
inline constexpr const char16_t* kHintKeyOutline = u"outline";
inline constexpr const char16_t* kHintKeyFinalPoint = u"final point";
inline constexpr const char16_t* kHintKeyShift = u"Shift";
inline constexpr const char16_t* kHintKeyLast = u"last";
inline constexpr const char16_t* kHintKeyRemove = u"remove";
inline constexpr const char16_t* kHintKeyErase = u"erase";
inline constexpr const char16_t* kHintKeyClose = u"close";
inline constexpr const char16_t* kHintKeyDelete = u"delete";
inline constexpr const char16_t* kHintKeyInsert = u"insert";
inline constexpr const char16_t* kHintKeySnap = u"Snap";
inline constexpr const char16_t* kHintKeyScale = u"scale";
inline constexpr const char16_t* kHintKeyAngle = u"angle";

// After a line.
inline constexpr const char16_t* kHintLine2 =
    u"Click on Draw next line to set the color and thickness of the next line, or...";
inline constexpr const char16_t* kHintLine2Key = u"Draw next line";
inline constexpr const char16_t* kHintLine3 =
    u"Click on Fine-tune this line to change the color or thickness of this line.";
inline constexpr const char16_t* kHintLine3Key = u"Fine-tune this line";
inline constexpr const char16_t* kHintLine4 =
    u"Click on Move this line to adjust the position of this line. Then, move the line by dragging its "
    u"center point, or change the angle by moving the end points.";
inline constexpr const char16_t* kHintLine4Key = u"Move this line";

// Moving a line.
inline constexpr const char16_t* kHintMoveLine1 =
    u"To move the line, drag its center point (place the cursor over it, hold down the mouse key and move "
    u"the mouse).";
inline constexpr const char16_t* kHintMoveLine2 = u"To stretch the line, drag its edge points.";
inline constexpr const char16_t* kHintMoveLine3 =
    u"To select another line, click on it. Hold down the Shift key to select more than one line.";
inline constexpr const char16_t* kHintMoveLine4 =
    u"Any line that has a pre-set direction maintains that direction until you change the value in the "
    u"Fine-tune menu.";

// The grid.
inline constexpr const char16_t* kHintGrid1 =
    u"Horizontal grid makes vertical lines to guide you in horizontal direction.";
inline constexpr const char16_t* kHintGrid1Key = u"Horizontal grid";
inline constexpr const char16_t* kHintGrid2 =
    u"When Snap is on, objects snap to the nearest gridline. Tools|Snap menu turns Snap on.";
inline constexpr const char16_t* kHintGrid3 =
    u"Each gridline has an Anchor that you can move. Tools|Grid|Anchors turns Anchors on.";
// Said on the grid page and on the snap page.
inline constexpr const char16_t* kHintGridMoves =
    u"When you move a gridline, the objects that are snapped to it move with it.";

// Snap.
inline constexpr const char16_t* kHintSnap1 =
    u"If Snap is on, objects snap to the nearest gridline when you move their markers";
inline constexpr const char16_t* kHintSnap2 =
    u"You can turn Snap on even when the gridlines are not visible.";
inline constexpr const char16_t* kHintSnap4 =
    u"You can turn Snap on in only one direction, horizontal or vertical. Tools|Snap menu turns Snap on.";

// After entering text.
inline constexpr const char16_t* kHintText1 =
    u"Enter the text. Then, click where you want to start another line of text.";
inline constexpr const char16_t* kHintText2 =
    u"Click on Start new text to set the color, size and font of the next line of text.";
inline constexpr const char16_t* kHintText2Key = u"Start new text";
inline constexpr const char16_t* kHintText3 =
    u"Click on Fine-tune this text to change the color, size or font of this text.";
inline constexpr const char16_t* kHintText3Key = u"Fine-tune this text";
inline constexpr const char16_t* kHintText4 =
    u"Click on Move this text to adjust the position of this text. Or, click on the pointer button (the "
    u"button with the hand picture) when done editing the text.";
inline constexpr const char16_t* kHintText4Key = u"Move this text";

// Moving text.
inline constexpr const char16_t* kHintMoveText1 =
    u"To move the text, drag its center point (place the cursor over it, hold down the mouse key and move "
    u"the mouse).";
inline constexpr const char16_t* kHintMoveText2 = u"To stretch the text box, drag its edge points.";
inline constexpr const char16_t* kHintMoveText3 =
    u"To select another line of text, click on it. Hold down the Shift key to select more than one item.";
inline constexpr const char16_t* kHintMoveText4 =
    u"Any line of text, that has a pre-set angle, is rotated until you change the value in the Fine-tune "
    u"menu.";

// After deleting.
inline constexpr const char16_t* kHintDeleted1 =
    u"You can restore any deleted object by clicking on the Undo button.";
inline constexpr const char16_t* kHintDeleted1Key = u"Undo";
inline constexpr const char16_t* kHintDeleted2 =
    u"You can step back through all the work that you have done so far.";
inline constexpr const char16_t* kHintDeleted3 =
    u"You can then step forward all the way to this point by clicking on the Redo button.";
inline constexpr const char16_t* kHintDeleted3Key = u"Redo";
inline constexpr const char16_t* kHintDeleted4 =
    u"But, as soon as you make any edits, all the remaining Redo steps are cleared.";

// Grid anchors.
inline constexpr const char16_t* kHintAnchors1 = u"Grid anchors are the starting points of gridlines, small "
                                                 u"blue cylinders that appear next to the rulers.";
inline constexpr const char16_t* kHintAnchors2 =
    u"You can move any gridline - place the cursor over its anchor, hold down the mouse button and move it.";
inline constexpr const char16_t* kHintAnchors3 =
    u"You can delete any gridline - place the cursor over its anchor, and press the 'Delete' key.";
inline constexpr const char16_t* kHintAnchors4 =
    u"You can insert a new gridline - hold down the Shift key and click between any two anchors.";

// Outlining clips.
inline constexpr const char16_t* kHintOutline1 = u"Click where you want to start another clip.";
inline constexpr const char16_t* kHintOutline3 =
    u"Click here to move the last clip or adjust the size of that clip.";
inline constexpr const char16_t* kHintOutline3Key = u"here";

// After inserting a picture.
inline constexpr const char16_t* kHintPicture2 =
    u"Click on Insert new picture to bring in more pictures or clips.";
inline constexpr const char16_t* kHintPicture2Key = u"Insert new picture";
inline constexpr const char16_t* kHintPicture3 = u"Click on Fine-tune to adjust the colors of this clip.";
inline constexpr const char16_t* kHintPicture4 = u"Click on Move this clip to adjust the position of this "
                                                 u"clip. Then, move the clip by dragging its center "
                                                 u"point, or change the scale by moving the edge points.";
inline constexpr const char16_t* kHintPicture4Key = u"Move this clip";

// Moving a clip (the first paragraph is the moving template with "clip").
inline constexpr const char16_t* kHintMoveClip2 =
    u"To change the scale of the clip, drag one of the edge points.";
inline constexpr const char16_t* kHintMoveClip3 =
    u"To change the angle of the clip, drag the green dot at the end of the dashed line that starts at the "
    u"center of the clip.";
inline constexpr const char16_t* kHintMoveClip4 = u"To select another clip, click on its edge.";

// The Help menu and the about box.
inline constexpr const char16_t* kMenuHelp = u"Help";
inline constexpr const char16_t* kMenuHints = u"Hints";
inline constexpr const char16_t* kMenuShowAll = u"Show All";
inline constexpr const char16_t* kMenuShowNone = u"Show None";
inline constexpr const char16_t* kMenuAbout = u"About";
inline constexpr const char16_t* kAboutVersion = u"Version";
inline constexpr const char16_t* kAboutPurpose =
    u"Design and draw small printed and digital publications: cards, labels, leaflets and pictures.";
inline constexpr const char16_t* kAboutClose = u"OK";

} // namespace vlm::texts
