#pragma once

// The pictures of the toolbar buttons and the insert panel rows: one set of
// SVG drawings built into the program (resources/icons), rendered at the
// size and device pixel ratio asked for, so they stay sharp on dense screens.
// A picture has its drawn form for flat, raised and pressed buttons (the
// button draws its own bevel around it) and a greyed form for disabled ones.

#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

namespace vlm {

// The side of a toolbar picture in logical pixels.
inline constexpr int kButtonPictureSize = 18;

// The picture of a named drawing (the file name without ".svg"); a null
// icon when there is no such drawing.
QIcon ButtonPicture(const QString& name);

// The drawing of a toolbar button by its number, and of an insert panel row
// by its PanelCode; an empty name when there is none.
QString PictureNameOfButton(int buttonNumber);
QString PictureNameOfPanel(int panelCode);
QIcon ToolbarPicture(int buttonNumber);

// Every drawing the program has.
QStringList ButtonPictureNames();

// One drawing rendered into an image of `size` logical pixels at `ratio`
// device pixels per logical pixel; `greyed` gives the disabled form.
QImage RenderButtonPicture(const QString& name, int size, qreal ratio, bool greyed = false);

} // namespace vlm
