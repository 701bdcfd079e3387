#include "edit/tool_mode.h"

namespace vlm {

int ToolModeForPanel(int code)
{
    if (code == PanelCode::Insert || code == PanelCode::LineFineTune || (code >= 200 && code <= 296) ||
        code == 299 || code == PanelCode::TextFineTune || code == 1025 || code == PanelCode::MovingTextPage ||
        (code >= 1044 && code <= 1080))
        return ToolMode::Pointer;
    if (code == PanelCode::LineTool)
        return ToolMode::Line;
    if (code >= 100 && code <= 199)
        return code;
    if (code == PanelCode::TextTool || code == PanelCode::TextTool2 || code == PanelCode::TextTool3)
        return ToolMode::Text;
    return -1;
}

int PanelForToolMode(int mode)
{
    if (mode == ToolMode::Line)
        return PanelCode::LineTool;
    if (mode == ToolMode::Text)
        return PanelCode::TextTool;
    if (IsShapeMode(mode))
        return mode;
    return 0;
}

int StartingToolMode(int defaultToolMode)
{
    return PanelForToolMode(defaultToolMode) != 0 ? defaultToolMode : ToolMode::Pointer;
}

} // namespace vlm
