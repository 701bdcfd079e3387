#pragma once

// Prompts for tests: answers message boxes and file dialogs from a script
// and records everything asked. An unscripted question is answered as a
// dismissed box would be, except "Replace the existing file?", which gets
// No, so a test never overwrites a file by accident.

#include "platform/prompts.h"

#include <QStringList>
#include "texts/file_texts.h"

#include <deque>
#include <functional>
#include <vector>

namespace vlm::test {

class ScriptedPrompts final : public Prompts {
public:
    struct Asked {
        Kind kind;
        QString text;
        Buttons buttons;
    };

    std::deque<Answer> answers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;

    std::vector<Asked> asked;
    std::vector<FileDialog> openDialogs;
    std::vector<FileDialog> saveDialogs;

    Answer message(Kind kind, const QString& text, Buttons buttons) override
    {
        asked.push_back({kind, text, buttons});
        if (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        if (text == QString::fromUtf8(texts::kReplaceFile))
            return Answer::No;
        return DismissAnswer(buttons);
    }

    std::optional<QString> openFile(const FileDialog& dialog) override
    {
        openDialogs.push_back(dialog);
        return next(openAnswers);
    }

    std::optional<QString> saveFile(const FileDialog& dialog) override
    {
        saveDialogs.push_back(dialog);
        return next(saveAnswers);
    }

    // The colour dialog: what it was opened with, and what the user does in
    // it (`editCustomColors`, then the chosen colour, none when cancelled).
    std::optional<std::int32_t> chooseColor(std::int32_t initial,
                                            std::array<std::u16string, 16>& customColors) override
    {
        colorDialogs.push_back({initial, customColors});
        if (editCustomColors)
            editCustomColors(customColors);
        return chosenColor;
    }
    struct ColorDialog {
        std::int32_t initial;
        std::array<std::u16string, 16> customColors;
    };
    std::vector<ColorDialog> colorDialogs;
    std::function<void(std::array<std::u16string, 16>&)> editCustomColors;
    std::optional<std::int32_t> chosenColor;

    QStringList texts() const
    {
        QStringList out;
        for (const Asked& a : asked)
            out << a.text;
        return out;
    }

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        auto v = queue.front();
        queue.pop_front();
        return v;
    }
};

} // namespace vlm::test
