#pragma once

// Where every command stands: the menu bar, each menu and the toolbar as
// lists of command identifiers, top to bottom and left to right. MainMenus
// places a command's entry at its place here when the command is
// registered; Separator draws a line between groups.

#include "shell/commands/command_registry.h"

namespace vlm {


inline constexpr CommandId kMenuBarLayout[] = {CommandId::FileMenu,  CommandId::InsertMenu,    CommandId::EditMenu,   CommandId::ZoomMenu,
                                               CommandId::ToolsMenu, CommandId::CustomizeMenu, CommandId::WindowMenu, CommandId::HelpMenu};

// The Reopen submenu's entries (the recent files) stand before these.
inline constexpr CommandId kFileMenuLayout[] = {
    CommandId::New,          CommandId::Open,           CommandId::ReopenMenu, CommandId::Save,          CommandId::SaveAs,     CommandId::Close,
    CommandId::Separator,    CommandId::PageSetupMenu,  CommandId::GridAndSnapMenu, CommandId::Separator, CommandId::PrintPreview, CommandId::Print,
    CommandId::PrintWithData, CommandId::ExportAs,      CommandId::Separator,  CommandId::ExportMenu,    CommandId::Screenshot, CommandId::Separator,
    CommandId::Exit,
};
inline constexpr CommandId kReopenMenuLayout[] = {CommandId::Separator, CommandId::ClearRecent};
inline constexpr CommandId kPageSetupMenuLayout[] = {CommandId::PageSetupCurrent, CommandId::Separator, CommandId::PageSetupNew};
inline constexpr CommandId kGridAndSnapMenuLayout[] = {CommandId::GridAndSnapCurrent, CommandId::Separator, CommandId::GridAndSnapNew};
// Never shown: the commands stay for their shortcuts and the tests of old.
inline constexpr CommandId kExportMenuLayout[] = {CommandId::ExportExact, CommandId::ExportSmooth};

inline constexpr CommandId kInsertMenuLayout[] = {
    CommandId::InsertPicture, CommandId::InsertText,   CommandId::InsertLine,      CommandId::InsertArc,     CommandId::InsertSpline, CommandId::InsertCurve,
    CommandId::InsertTriangle, CommandId::InsertSquare, CommandId::InsertRectangle, CommandId::InsertCircle, CommandId::InsertPie,    CommandId::InsertEllipse,
    CommandId::InsertPolygon, CommandId::InsertStar,   CommandId::InsertSolid,     CommandId::InsertOblong,
};

inline constexpr CommandId kEditMenuLayout[] = {
    CommandId::Undo,      CommandId::Redo, CommandId::Separator,       CommandId::ClearUndoRedo, CommandId::Separator,  CommandId::Cut,
    CommandId::Copy,      CommandId::Paste, CommandId::Separator,      CommandId::CopyToClipboard, CommandId::JoinItems, CommandId::SplitGroup,
};

inline constexpr CommandId kZoomMenuLayout[] = {CommandId::Zoom25,  CommandId::Zoom50,  CommandId::Zoom75,  CommandId::Zoom100, CommandId::Zoom125,
                                                CommandId::Zoom150, CommandId::Zoom175, CommandId::Zoom200, CommandId::Zoom300};

inline constexpr CommandId kToolsMenuLayout[] = {CommandId::GridMenu, CommandId::SnapMenu, CommandId::Separator, CommandId::Speed};
inline constexpr CommandId kGridMenuLayout[] = {CommandId::GridNone,  CommandId::GridHorizontal, CommandId::GridVertical,
                                                CommandId::GridBoth,  CommandId::Separator,      CommandId::GridCustomize,
                                                CommandId::GridResetMenu, CommandId::Separator,  CommandId::AnchorsMenu};
inline constexpr CommandId kGridResetMenuLayout[] = {CommandId::GridResetHorizontal, CommandId::GridResetVertical,
                                                     CommandId::GridResetBoth};
inline constexpr CommandId kAnchorsMenuLayout[] = {CommandId::AnchorsNone, CommandId::AnchorsHorizontal, CommandId::AnchorsVertical,
                                                   CommandId::AnchorsBoth};
inline constexpr CommandId kSnapMenuLayout[] = {CommandId::SnapNone, CommandId::SnapHorizontal, CommandId::SnapVertical, CommandId::SnapBoth};

inline constexpr CommandId kCustomizeMenuLayout[] = {
    CommandId::CustomizeColors,   CommandId::CustomizeLineWeights, CommandId::CustomizeLinePatterns, CommandId::CustomizeAlignments,
    CommandId::CustomizeFontSizes, CommandId::CustomizeTextAngles, CommandId::CustomizeShadows,
};

inline constexpr CommandId kHelpMenuLayout[] = {CommandId::HintsMenu, CommandId::Separator, CommandId::About};
inline constexpr CommandId kHintsMenuLayout[] = {CommandId::ShowAllHints, CommandId::ShowNoHints};

inline constexpr CommandId kToolbarLayout[] = {
    CommandId::NewButton,      CommandId::OpenButton,        CommandId::SaveButton,   CommandId::ExportButton,  CommandId::PrintButton,
    CommandId::PrintWithDataButton, CommandId::UndoButton,   CommandId::RedoButton,   CommandId::RepaintButton, CommandId::Separator,
    CommandId::PointerTool,    CommandId::PictureTool,       CommandId::TextTool,     CommandId::LineTool,      CommandId::ArcTool,
    CommandId::SplineTool,     CommandId::CurveTool,         CommandId::TriangleTool, CommandId::SquareTool,    CommandId::RectangleTool,
    CommandId::CircleTool,     CommandId::PieTool,           CommandId::EllipseTool,  CommandId::PolygonTool,   CommandId::StarTool,
    CommandId::SolidTool,      CommandId::OblongTool,        CommandId::Separator,    CommandId::GridButton,    CommandId::SnapButton,
    CommandId::PlaceOnTopButton, CommandId::PlaceBehindButton, CommandId::JoinButton, CommandId::SplitButton,   CommandId::Separator,
    CommandId::EraseButton,    CommandId::CopyButton,        CommandId::PasteButton,
};

} // namespace vlm
