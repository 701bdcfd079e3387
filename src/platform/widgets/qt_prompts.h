#pragma once

// Prompts shown as Qt dialogs: message boxes titled with the program's name,
// the file dialogs and the colour dialog, all modal to the main window.

#include "platform/prompts.h"

#include <QColor>
#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace vlm {

class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer message(Kind kind, const QString& text, Buttons buttons) override;
    std::optional<QString> openFile(const FileDialog& dialog) override;
    std::optional<QString> saveFile(const FileDialog& dialog) override;
    std::optional<std::int32_t> chooseColor(std::int32_t initial,
                                            std::array<std::u16string, 16>& customColors) override;

private:
    std::optional<QString> runFileDialog(const FileDialog& dialog, bool save);

    QPointer<QWidget> parent_;
};

// "Name|pattern|Name|pattern" as Qt's name filters ("Name (pattern)"),
// patterns separated by blanks instead of semicolons. A trailing name
// without a pattern is dropped.
QStringList QtNameFilters(const QString& barFilter);

// A colour value (0x00BBGGRR) and the Qt colour it is.
QColor QColorOf(std::int32_t ref);
std::int32_t ColorRefOf(const QColor& color);

// The custom-colour text of the colour dialog: six hexadecimal digits of the
// 0x00BBGGRR value; none for anything else.
QString ColorText(std::int32_t color);
std::optional<std::int32_t> ParseColorText(const QString& text);

} // namespace vlm
