#include "shell/window/file_association.h"

#include "platform/settings_store.h"
#include "settings/settings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace vlm {

namespace {

QByteArray ResourceBytes(const QString& name)
{
    QFile f(QStringLiteral(":/packaging/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Replaces the file only when its content differs, through a complete new
// file, so a failed write never leaves half an entry behind.
bool WriteIfChanged(const QString& path, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return false;
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.size() == bytes.size() && current.readAll() == bytes)
        return true;
    current.close();
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(bytes);
    return out.commit();
}

bool MakeFolder(const QString& path)
{
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

// The packaged entry with the command line pointing at this program.
QByteArray DesktopEntryFor(const QString& programPath)
{
    const QString exec = DesktopExecLine(programPath);
    if (exec.isEmpty())
        return {};
    QStringList lines = QString::fromUtf8(ResourceBytes(QStringLiteral("vellumora.desktop"))).split(QLatin1Char('\n'));
    bool replaced = false;
    for (QString& line : lines) {
        if (line.startsWith(QLatin1String("Exec="))) {
            line = QStringLiteral("Exec=") + exec;
            replaced = true;
        }
    }
    return replaced ? lines.join(QLatin1Char('\n')).toUtf8() : QByteArray();
}

} // namespace

bool StartInstalledHelper(const QString& program, const QStringList& arguments)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return true;
    return QProcess::startDetached(found, arguments);
}

QString DesktopExecLine(const QString& programPath)
{
    for (QChar c : programPath)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return {};
    static const QString reserved = QStringLiteral(" \t\"'\\><~|&;$*?#()`%");
    bool quote = false;
    for (QChar c : programPath)
        quote = quote || reserved.contains(c);
    QString arg;
    if (quote) {
        arg = QStringLiteral("\"");
        for (QChar c : programPath) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                arg += QLatin1Char('\\');
            // A literal percent sign is written doubled in any case.
            if (c == QLatin1Char('%'))
                arg += QLatin1Char('%');
            arg += c;
        }
        arg += QLatin1Char('"');
    } else {
        arg = programPath;
    }
    // The whole value is a desktop-entry string, whose escape is the backslash.
    arg.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return arg + QStringLiteral(" -open %f");
}

int WriteFileAssociation(const QString& dataHome, const QString& programPath, const StartProgram& start)
{
    const QString mimeRoot = dataHome + QStringLiteral("/mime");
    const QString mimeFolder = mimeRoot + QStringLiteral("/packages");
    const QString appFolder = dataHome + QStringLiteral("/applications");
    const QString iconFolder = dataHome + QStringLiteral("/icons/hicolor/scalable/apps");

    if (!MakeFolder(mimeFolder))
        return StepMimeFolder;
    if (!WriteIfChanged(mimeFolder + QStringLiteral("/vellumora.xml"), ResourceBytes(QStringLiteral("vellumora-mime.xml"))))
        return StepMimePackage;
    if (!MakeFolder(appFolder))
        return StepAppFolder;
    if (!WriteIfChanged(appFolder + QStringLiteral("/vellumora.desktop"), DesktopEntryFor(programPath)))
        return StepDesktopEntry;
    if (!MakeFolder(iconFolder))
        return StepIconFolder;
    if (!WriteIfChanged(iconFolder + QStringLiteral("/vellumora.svg"), ResourceBytes(QStringLiteral("vellumora.svg"))))
        return StepIcon;
    if (start && !start(QStringLiteral("update-mime-database"), {mimeRoot}))
        return StepMimeRefresh;
    if (start && !start(QStringLiteral("update-desktop-database"), {appFolder}))
        return StepDesktopRefresh;
    return 0;
}

int RegisterFileAssociation(Settings& settings, SettingsStore& store, const QString& dataHome,
                            const QString& programPath, const StartProgram& start)
{
    const int step = WriteFileAssociation(dataHome, programPath, start);
    settings.ddeins = step != 0 ? step : settings.ddeins.value_or(0);
    // Silent: a failure here is retried at the next start, never reported.
    if (store.writeInteger(settings_keys::kCustomSettings, "ddeins", *settings.ddeins))
        store.commit();
    return step;
}

} // namespace vlm
