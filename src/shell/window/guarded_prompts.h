#pragma once

// The main window's prompts while the session ends. Internal to the main
// window's files.

#include "shell/window/main_window.h"

namespace vlm {

// Once the session is ending, nobody is there to answer: every question
// takes the answer of a dismissed box.
class MainWindow::GuardedPrompts final : public Prompts {
public:
    explicit GuardedPrompts(Prompts& inner) : inner_(inner) {}
    bool ending = false;

    Answer message(Kind kind, const QString& text, Buttons buttons) override
    {
        return ending ? DismissAnswer(buttons) : inner_.message(kind, text, buttons);
    }
    std::optional<QString> openFile(const FileDialog& dialog) override
    {
        return ending ? std::nullopt : inner_.openFile(dialog);
    }
    std::optional<QString> saveFile(const FileDialog& dialog) override
    {
        return ending ? std::nullopt : inner_.saveFile(dialog);
    }
    std::optional<std::int32_t> chooseColor(std::int32_t initial,
                                            std::array<std::u16string, 16>& customColors) override
    {
        return ending ? std::nullopt : inner_.chooseColor(initial, customColors);
    }

private:
    Prompts& inner_;
};

} // namespace vlm
