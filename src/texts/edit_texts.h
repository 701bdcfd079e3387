#pragma once

// The words of the editing tools: the Insert and Edit menus, the toolbar's
// hints, the captions of the kinds a tool creates and the creation guidance
// of each tool's panel.

namespace vlm::texts {

// The Insert menu and the insert panel rows, in their order.
inline constexpr const char16_t* kMenuInsert = u"Insert";
inline constexpr const char16_t* kKindPicture = u"Picture";
inline constexpr const char16_t* kKindText = u"Text";
inline constexpr const char16_t* kKindLine = u"Line";
inline constexpr const char16_t* kKindArc = u"Arc";
inline constexpr const char16_t* kKindSpline = u"Spline";
inline constexpr const char16_t* kKindCurve = u"Curve";
inline constexpr const char16_t* kKindTriangle = u"Triangle";
inline constexpr const char16_t* kKindSquare = u"Square";
inline constexpr const char16_t* kKindRectangle = u"Rectangle";
inline constexpr const char16_t* kKindCircle = u"Circle";
inline constexpr const char16_t* kKindPie = u"Pie";
inline constexpr const char16_t* kKindEllipse = u"Ellipse";
inline constexpr const char16_t* kKindPolygon = u"Polygon";
inline constexpr const char16_t* kKindStar = u"Star";
inline constexpr const char16_t* kKindSolid = u"Solid";
inline constexpr const char16_t* kKindOblong = u"Oblong";

// The Edit menu's history entries.
inline constexpr const char16_t* kMenuEdit = u"Edit";
inline constexpr const char16_t* kMenuUndo = u"Undo";
inline constexpr const char16_t* kMenuRedo = u"Redo";
inline constexpr const char16_t* kMenuClearUndoRedo = u"Clear Undo and Redo";

// Toolbar hints.
inline constexpr const char16_t* kHintNewFile = u"Create a new file";
inline constexpr const char16_t* kHintOpenFile = u"Open an existing file";
inline constexpr const char16_t* kHintSaveFile = u"Save the file";
inline constexpr const char16_t* kHintUndo = u"Undo the last edit";
inline constexpr const char16_t* kHintRedo = u"Redo the last undo";
inline constexpr const char16_t* kHintRepaint = u"Repaint the screen";
inline constexpr const char16_t* kHintSelect = u"Select an item";
inline constexpr const char16_t* kHintInsertPicture = u"Insert picture";
inline constexpr const char16_t* kHintInsertText = u"Insert text";
inline constexpr const char16_t* kHintInsertLine = u"Insert line";
inline constexpr const char16_t* kHintInsertArc = u"Insert arc";
inline constexpr const char16_t* kHintInsertSpline = u"Insert spline";
inline constexpr const char16_t* kHintInsertCurve = u"Insert curve";
inline constexpr const char16_t* kHintInsertTriangle = u"Insert triangle";
inline constexpr const char16_t* kHintInsertSquare = u"Insert square";
inline constexpr const char16_t* kHintInsertRectangle = u"Insert rectangle";
inline constexpr const char16_t* kHintInsertCircle = u"Insert circle";
inline constexpr const char16_t* kHintInsertPie = u"Insert pie";
inline constexpr const char16_t* kHintInsertEllipse = u"Insert ellipse";
inline constexpr const char16_t* kHintInsertPolygon = u"Insert polygon";
inline constexpr const char16_t* kHintInsertStar = u"Insert star";
inline constexpr const char16_t* kHintInsertSolid = u"Insert solid";
inline constexpr const char16_t* kHintInsertOblong = u"Insert oblong";
inline constexpr const char16_t* kHintOnTop = u"Place the selected item on top of other objects";
inline constexpr const char16_t* kHintBehind = u"Place the selected item behind other objects";

// Creation guidance. Each template is stored once; the kind's name replaces
// every occurrence of the template word given beside it.
inline constexpr const char16_t* kGuideSelectHow = u"Select how you want the next line drawn."; // line
inline constexpr const char16_t* kGuideStartLine = u"Click where you want to start the line, or..."; // line
inline constexpr const char16_t* kGuideEndLine = u"Click where you want to end the line.";
inline constexpr const char16_t* kGuideHoldDown =
    u"Hold down the mouse button, move the mouse, and release the button.";
inline constexpr const char16_t* kGuideThirdPoint = u"Then, move the mouse and click again to make the third point.";
inline constexpr const char16_t* kGuideUndoHint =
    u"You can undo your edits by clicking on the Undo button in the upper menu.";
inline constexpr const char16_t* kGuideCentre = u"Click where you want to place the center of the circle."; // circle
inline constexpr const char16_t* kGuideCircleSize =
    u"Then, move the mouse and click again to set the size of the circle."; // circle
inline constexpr const char16_t* kGuideOrHoldDown =
    u"Or, hold down the mouse button, move the mouse, and release the button.";
inline constexpr const char16_t* kGuidePolygonCentre = u"Click where you want to place the polygon center."; // polygon
inline constexpr const char16_t* kGuideEllipseLength =
    u"Then, move the mouse and click again to set the length of the ellipse.";
inline constexpr const char16_t* kGuideEllipseWidth =
    u"Finally, move the mouse and click again to set the width of the ellipse."; // ellipse
inline constexpr const char16_t* kGuideSpikes = u"Finally, move the mouse and click again to set the length of the spikes.";
inline constexpr const char16_t* kGuideArcStart = u"Then, move the mouse and click again at the start of the arc.";
inline constexpr const char16_t* kGuideArcEnd = u"Finally, move the mouse and click again at the end of the arc.";
inline constexpr const char16_t* kGuideStartSpline = u"Click where you want to start the spline."; // spline
inline constexpr const char16_t* kGuideTurningPoints = u"Then, click where you want to place the turning points.";
inline constexpr const char16_t* kGuideEdgePoints = u"Then, click where you want to place the edge points.";
inline constexpr const char16_t* kGuideEndSpline =
    u"Finally, hold down the Shift key and click where you want to end the spline."; // spline
inline constexpr const char16_t* kGuideTextStart = u"Click where you want the text start.";
inline constexpr const char16_t* kGuideTextBox =
    u"To make a text box, hold down the mouse button, move the mouse, and release the button.";

// The panels of the selection.
inline constexpr const char16_t* kFineTune = u"Fine-tune";
inline constexpr const char16_t* kGuideChangeSelected = u"Change how you want the selected item drawn.";
inline constexpr const char16_t* kGuideShiftSelects = u"Hold down the Shift key to select more items.";
inline constexpr const char16_t* kGuideCtrlArea =
    u"Hold down the Ctrl key and move the mouse to select items inside an area.";
inline constexpr const char16_t* kGuideShiftCtrlArea =
    u"Hold down the Shift and Ctrl keys to select items partially within an area.";
inline constexpr const char16_t* kGuideAddPoints =
    u"Press Ctrl-A to add more points at the end of the perimeter.";
inline constexpr const char16_t* kGuideDragPoints = u"Drag the points on the perimeter to change the shape.";
inline constexpr const char16_t* kGuideDeletePoint =
    u"Or, place the cursor over an edge point and press Ctrl-D to delete the point.";
inline constexpr const char16_t* kGuideInsertPoint =
    u"Or, place the cursor on the edge line and press Ctrl-I to insert a point.";
inline constexpr const char16_t* kGuideJoinItems =
    u"Click on the Join items button to create a single object comprised of the selected items.";
inline constexpr const char16_t* kGuideSplitGroup =
    u"Click on the Split group button to separate the group members into individual items.";

// The template words.
inline constexpr const char16_t* kWordLine = u"line";
inline constexpr const char16_t* kWordCircle = u"circle";
inline constexpr const char16_t* kWordPolygon = u"polygon";
inline constexpr const char16_t* kWordEllipse = u"ellipse";
inline constexpr const char16_t* kWordSpline = u"spline";

// The read-out while a page end is dragged on a ruler; the length follows.
inline constexpr const char16_t* kRulerWidth = u"Width: ";
inline constexpr const char16_t* kRulerHeight = u"Height: ";

} // namespace vlm::texts
