#pragma once

// The ToolMode codes of a document window, the PanelCodes that choose them,
// and the families of creation modes that share a click sequence.

#include "edit/selection_tool.h"

namespace vlm {

namespace ToolMode {
inline constexpr int Pointer = SelectionMode::Pointer;
inline constexpr int Line = 1;
inline constexpr int AreaSelection = SelectionMode::Area;
inline constexpr int Text = 31;
inline constexpr int TextDrag = SelectionMode::TextDrag;
inline constexpr int TextEdit = 37;
inline constexpr int ShapeDrag = SelectionMode::ShapeDrag;
inline constexpr int CircleDrag = SelectionMode::CircleDrag;
inline constexpr int EllipseDrag = SelectionMode::EllipseDrag;
inline constexpr int PictureDrag = SelectionMode::PictureDrag;
inline constexpr int PastePlacement = SelectionMode::PastePlacement;
inline constexpr int GroupRotation = SelectionMode::GroupRotation;
inline constexpr int Triangle = 100;
inline constexpr int Square = 101;
inline constexpr int Rectangle = 102;
inline constexpr int Circle = 103;
inline constexpr int Ellipse = 104;
inline constexpr int Star = 105;
inline constexpr int Pie = 107;
inline constexpr int Arc = 108;
inline constexpr int Spline = 109;
inline constexpr int Solid = 110;
inline constexpr int Curve = 111;
inline constexpr int Oblong = 112;
inline constexpr int Polygon = 199;
inline constexpr int ContinueSpline = 297;
inline constexpr int ContinueCurve = 298;
inline constexpr int LineDrag = SelectionMode::LineDrag;
} // namespace ToolMode

// PanelCodes with a meaning of their own to EnterToolMode.
namespace PanelCode {
inline constexpr int Insert = 20;
inline constexpr int EndTextEditing = 34;
inline constexpr int LineTool = 98;
inline constexpr int LineFineTune = 99;
inline constexpr int Triangle = 100;
inline constexpr int Spline = 109;
inline constexpr int Solid = 110;
inline constexpr int Curve = 111;
inline constexpr int Oblong = 112;
inline constexpr int Polygon = 199;
inline constexpr int TextTool = 300;
inline constexpr int TextFineTune = 301;
inline constexpr int TextTool2 = 302;
inline constexpr int TextTool3 = 303;
inline constexpr int Picture = 400;
inline constexpr int MovingTextPage = 1036; // the hint page on moving text
} // namespace PanelCode

// The ToolMode a PanelCode puts the window in; -1 for codes that leave the
// mode alone (34, and panels that are not tools).
int ToolModeForPanel(int panelCode);

// The panel that chooses a creation mode again (the line panel for 1, the
// text panel for 31, the shape's own panel for 100..199); 0 for other modes.
int PanelForToolMode(int toolMode);

// Modes 100..199: shapes, splines and curves made from clicks.
inline bool IsShapeMode(int mode) { return mode >= 100 && mode <= 199; }
// The modes that collect clicks to make a new Item.
inline bool IsCreationMode(int mode)
{
    return mode == ToolMode::Line || mode == ToolMode::Text || IsShapeMode(mode) ||
           mode == ToolMode::ContinueSpline || mode == ToolMode::ContinueCurve;
}
// Splines, solids, curves, oblongs and the continuation of an open one:
// any number of turning points, ended by Shift + click.
inline bool IsSplineFamily(int mode)
{
    return (mode >= ToolMode::Spline && mode <= ToolMode::Oblong) || mode == ToolMode::ContinueSpline ||
           mode == ToolMode::ContinueCurve;
}
// Curves and oblongs (and their continuation): smoothed after every node.
inline bool IsCurveMode(int mode)
{
    return mode == ToolMode::Curve || mode == ToolMode::Oblong || mode == ToolMode::ContinueCurve;
}

// The mode a new document window starts in: the default tool mode when it
// is a creation tool a panel can choose (1, 31, 100..199), else the pointer.
int StartingToolMode(int defaultToolMode);

} // namespace vlm
