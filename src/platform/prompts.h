#pragma once

// Everything the program asks the user in a window of the system: message
// boxes with their buttons, and the open, save and colour dialogs. The shell
// talks only to this interface; the widget adapter shows real dialogs, tests
// answer from a script.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace vlm {

class Prompts {
public:
    // The look of a message box: its icon and the system sound it makes.
    enum class Kind { Warning, Confirmation, Information, Error };

    // Buttons of a message box; combine with |.
    enum Button : unsigned { Ok = 1u, Yes = 2u, No = 4u, Cancel = 8u };
    using Buttons = unsigned;

    // Which button closed the box. Closing it any other way (Escape, the
    // title bar) gives Cancel when there is one, else No, else Ok.
    enum class Answer { Ok, Yes, No, Cancel };

    // An open or save dialog. `filter` is in the "Name|pattern|Name|pattern"
    // form; `filterIndex` counts its pairs from 1.
    struct FileDialog {
        QString title;
        QString folder;   // the initial folder; ignored when empty
        QString fileName; // the initial file name, without folder
        QString defaultSuffix;
        QString filter;
        int filterIndex = 1;
    };

    virtual ~Prompts() = default;

    virtual Answer message(Kind kind, const QString& text, Buttons buttons) = 0;

    // The chosen file as an absolute path; none when the user cancelled.
    // The save dialog does not ask about replacing a file: the caller does.
    virtual std::optional<QString> openFile(const FileDialog& dialog) = 0;
    virtual std::optional<QString> saveFile(const FileDialog& dialog) = 0;

    // The system colour dialog, starting at `initial` (0x00BBGGRR), with the
    // sixteen custom colours the user keeps, in the texts the dialog itself
    // writes (updated when the dialog closes). The chosen colour, or none.
    virtual std::optional<std::int32_t> chooseColor(std::int32_t initial,
                                                    std::array<std::u16string, 16>& customColors) = 0;
};

// The answer a closed box gives for its buttons (see Prompts::Answer).
inline Prompts::Answer DismissAnswer(Prompts::Buttons buttons)
{
    if (buttons & Prompts::Cancel)
        return Prompts::Answer::Cancel;
    if (buttons & Prompts::No)
        return Prompts::Answer::No;
    return Prompts::Answer::Ok;
}

} // namespace vlm
