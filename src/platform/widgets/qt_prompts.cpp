#include "platform/widgets/qt_prompts.h"

#include "platform/bitmap.h"
#include "texts/shell_texts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace vlm {

namespace {

QMessageBox::Icon IconOf(Prompts::Kind kind)
{
    switch (kind) {
    case Prompts::Kind::Warning:
        return QMessageBox::Warning;
    case Prompts::Kind::Confirmation:
        return QMessageBox::Question;
    case Prompts::Kind::Information:
        return QMessageBox::Information;
    case Prompts::Kind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Prompts::Answer QtPrompts::message(Kind kind, const QString& text, Buttons buttons)
{
    QMessageBox box(IconOf(kind), QString::fromUtf16(texts::kAppTitle), text, QMessageBox::NoButton, parent_);
    struct Pair {
        Button ours;
        QMessageBox::StandardButton qt;
    };
    const Pair pairs[] = {{Yes, QMessageBox::Yes}, {No, QMessageBox::No}, {Ok, QMessageBox::Ok},
                          {Cancel, QMessageBox::Cancel}};
    for (const Pair& p : pairs)
        if (buttons & p.ours)
            box.addButton(p.qt);
    if (box.buttons().isEmpty())
        box.addButton(QMessageBox::Ok);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return DismissAnswer(buttons);
    }
}

std::optional<QString> QtPrompts::runFileDialog(const FileDialog& dialog, bool save)
{
    QFileDialog fd(parent_, dialog.title);
    fd.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    fd.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The caller asks "Replace the existing file?" in the program's own words.
    fd.setOption(QFileDialog::DontConfirmOverwrite, true);
    fd.setDefaultSuffix(dialog.defaultSuffix);
    const QStringList filters = QtNameFilters(dialog.filter);
    if (!filters.isEmpty()) {
        fd.setNameFilters(filters);
        const int index = dialog.filterIndex - 1;
        fd.selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
    }
    if (!dialog.folder.isEmpty() && QFileInfo(dialog.folder).isDir())
        fd.setDirectory(dialog.folder);
    if (!dialog.fileName.isEmpty())
        fd.selectFile(dialog.fileName);
    if (fd.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = fd.selectedFiles();
    if (chosen.isEmpty() || chosen.front().trimmed().isEmpty())
        return std::nullopt;
    return QFileInfo(chosen.front()).absoluteFilePath();
}

std::optional<QString> QtPrompts::openFile(const FileDialog& dialog)
{
    return runFileDialog(dialog, false);
}

std::optional<QString> QtPrompts::saveFile(const FileDialog& dialog)
{
    return runFileDialog(dialog, true);
}

std::optional<std::int32_t> QtPrompts::chooseColor(std::int32_t initial,
                                                   std::array<std::u16string, 16>& customColors)
{
    for (int i = 0; i < 16; ++i) {
        const auto c = ParseColorText(QString::fromStdU16String(customColors[i]));
        QColorDialog::setCustomColor(i, QColorOf(c.value_or(0xFFFFFF)));
    }
    const QColor chosen = QColorDialog::getColor(QColorOf(initial), parent_);
    for (int i = 0; i < 16; ++i) {
        const QColor now = QColorDialog::customColor(i);
        // The dialog shows an empty slot as white; one the user left alone
        // stays empty instead of turning into a white colour of the lists.
        if (!ParseColorText(QString::fromStdU16String(customColors[i])) && now == QColor(Qt::white))
            continue;
        customColors[i] = ColorText(ColorRefOf(now)).toStdU16String();
    }
    if (!chosen.isValid())
        return std::nullopt;
    return ColorRefOf(chosen);
}

QStringList QtNameFilters(const QString& barFilter)
{
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            // "*.*" means every file where it comes from; here it would skip
            // the names without a dot.
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        // Qt reads the patterns from the parentheses of the name, so the
        // name shows exactly the patterns in force.
        const qsizetype paren = name.indexOf(QLatin1Char('('));
        if (paren >= 0)
            name = name.left(paren).trimmed();
        out << name + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

QColor QColorOf(std::int32_t ref)
{
    return QColor(RedOf(ref), GreenOf(ref), BlueOf(ref));
}

std::int32_t ColorRefOf(const QColor& color)
{
    return RGBRef(color.red(), color.green(), color.blue());
}

QString ColorText(std::int32_t color)
{
    return QStringLiteral("%1").arg(static_cast<unsigned>(color) & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

std::optional<std::int32_t> ParseColorText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 8)
        return std::nullopt;
    bool ok = false;
    const uint v = t.toUInt(&ok, 16);
    if (!ok || v > 0xFFFFFFu)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

} // namespace vlm
