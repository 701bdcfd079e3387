#pragma once

// The pointer tool behind a document window's ToolMode 0: the selection tool,
// handed the window's canvas events and reporting the modes it moves through
// back to the window.

#include "edit/sandbox.h"
#include "edit/selection_tool.h"

namespace vlm {

class SelectionPointer final : public PointerInput {
public:
    // `hooks` are the selection tool's own; the mode changes also reach
    // `window`.
    SelectionPointer(Sandbox& window, SelectionToolHooks hooks);

    void mouseDown(QPoint p, QPoint snapped, Qt::KeyboardModifiers m) override { tool_.mouseDown(p, snapped, m); }
    void mouseMove(QPoint p, Qt::KeyboardModifiers m) override { tool_.mouseMove(p, m); }
    void mouseUp(QPoint p, Qt::KeyboardModifiers m) override { tool_.mouseUp(p, m); }
    int toolMode() const override { return tool_.toolMode(); }
    void cancel() override { tool_.cancel(); }

    SelectionTool& tool() { return tool_; }

private:
    SelectionTool tool_;
};

} // namespace vlm
