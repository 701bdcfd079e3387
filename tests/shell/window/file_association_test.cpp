#include "shell/window/file_association.h"

#include "platform/memory_settings_store.h"
#include "settings/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vlm {
namespace {

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void Block(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

struct Recorder {
    QStringList started;
    QString failing;
    StartProgram start()
    {
        return [this](const QString& program, const QStringList& args) {
            started << program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
            return program != failing;
        };
    }
};

TEST(FileAssociation, DesktopExecLineQuotesWhatTheCommandLineWouldSplit)
{
    const struct {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/usr/bin/vellumora", "/usr/bin/vellumora -open %f"},
        {"/opt/My Apps/vellumora", "\"/opt/My Apps/vellumora\" -open %f"},
        {"/opt/a$b/vellumora", "\"/opt/a\\\\$b/vellumora\" -open %f"},
        {"/opt/100%/vellumora", "\"/opt/100%%/vellumora\" -open %f"},
        {"/opt/back\\slash/vellumora", "\"/opt/back\\\\\\\\slash/vellumora\" -open %f"},
        {"/opt/line\nbreak/vellumora", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopExecLine(QString::fromUtf8(c.path)), QString::fromUtf8(c.exec)) << c.path;
}

TEST(FileAssociation, WritesTypeLauncherAndIconAndRefreshesTheDatabases)
{
    QTemporaryDir home;
    Recorder helpers;
    ASSERT_EQ(WriteFileAssociation(home.path(), QStringLiteral("/opt/Vellumora 2/vellumora"), helpers.start()), 0);

    const QString mime = ReadAll(home.path() + QStringLiteral("/mime/packages/vellumora.xml"));
    EXPECT_TRUE(mime.contains(QStringLiteral("type=\"application/x-vellumora\"")));
    EXPECT_TRUE(mime.contains(QStringLiteral("pattern=\"*.vlmr\"")));
    const QString desktop = ReadAll(home.path() + QStringLiteral("/applications/vellumora.desktop"));
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nExec=\"/opt/Vellumora 2/vellumora\" -open %f\n")));
    EXPECT_TRUE(desktop.contains(QStringLiteral("MimeType=application/x-vellumora;")));
    EXPECT_TRUE(QFile::exists(home.path() + QStringLiteral("/icons/hicolor/scalable/apps/vellumora.svg")));
    EXPECT_EQ(helpers.started, (QStringList{QStringLiteral("update-mime-database ") + home.path() + QStringLiteral("/mime"),
                                            QStringLiteral("update-desktop-database ") + home.path() +
                                                QStringLiteral("/applications")}));
}

TEST(FileAssociation, ReportsTheFirstFailingStep)
{
    const struct {
        const char* blocker; // a file where a folder or file must go
        const char* failingHelper;
        int step;
    } cases[] = {
        {"mime", nullptr, StepMimeFolder},
        {"mime/packages/vellumora.xml/x", nullptr, StepMimePackage},
        {"applications", nullptr, StepAppFolder},
        {"applications/vellumora.desktop/x", nullptr, StepDesktopEntry},
        {"icons/hicolor", nullptr, StepIconFolder},
        {"icons/hicolor/scalable/apps/vellumora.svg/x", nullptr, StepIcon},
        {nullptr, "update-mime-database", StepMimeRefresh},
        {nullptr, "update-desktop-database", StepDesktopRefresh},
    };
    for (const auto& c : cases) {
        QTemporaryDir home;
        if (c.blocker) {
            const QString blocker = home.path() + QLatin1Char('/') + QString::fromUtf8(c.blocker);
            if (blocker.endsWith(QLatin1String("/x")))
                QDir().mkpath(blocker); // a folder stands where the file goes
            else
                Block(blocker);
        }
        Recorder helpers;
        helpers.failing = c.failingHelper ? QString::fromUtf8(c.failingHelper) : QString();
        EXPECT_EQ(WriteFileAssociation(home.path(), QStringLiteral("/usr/bin/vellumora"), helpers.start()), c.step)
            << (c.blocker ? c.blocker : c.failingHelper);
    }
}

TEST(FileAssociation, RegisteringRecordsTheFailingStepOrKeepsTheValue)
{
    QTemporaryDir home;
    MemorySettingsStore store;
    Settings settings;
    Recorder helpers;

    Block(home.path() + QStringLiteral("/applications"));
    EXPECT_EQ(RegisterFileAssociation(settings, store, home.path(), QStringLiteral("/usr/bin/vellumora"),
                                      helpers.start()),
              StepAppFolder);
    EXPECT_EQ(store.readInteger("CustomSettings", "ddeins"), 32);

    QFile::remove(home.path() + QStringLiteral("/applications"));
    EXPECT_EQ(RegisterFileAssociation(settings, store, home.path(), QStringLiteral("/usr/bin/vellumora"),
                                      helpers.start()),
              0);
    // Success leaves the value as it was: the association is made again at
    // every start while it stays above 0.
    EXPECT_EQ(store.readInteger("CustomSettings", "ddeins"), 32);

    Settings fresh;
    MemorySettingsStore empty;
    RegisterFileAssociation(fresh, empty, home.path(), QStringLiteral("/usr/bin/vellumora"), helpers.start());
    EXPECT_EQ(empty.readInteger("CustomSettings", "ddeins"), 0);
}

} // namespace
} // namespace vlm
