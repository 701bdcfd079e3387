#include "platform/instance_channel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace vlm {
namespace {

// The sender blocks until the receiver answers, so it runs on a thread of
// its own while this one serves the event loop.
bool SendFromOtherThread(const InstanceChannel& sender, const QString& message)
{
    std::atomic<int> result{-1};
    std::thread t([&] { result = sender.send(message, 2000) ? 1 : 0; });
    QElapsedTimer clock;
    clock.start();
    while (result < 0 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    t.join();
    QCoreApplication::processEvents(); // the handler runs from the event loop
    return result == 1;
}

struct Channel : ::testing::Test {
    QTemporaryDir dir;
    QString path() const { return dir.path() + QStringLiteral("/instance"); }
};

TEST_F(Channel, HandsAMessageToTheListeningInstance)
{
    InstanceChannel server(path());
    QStringList received;
    ASSERT_TRUE(server.listen([&](const QString& m) { received << m; }));

    const QString request = QStringLiteral("[open(\"/tmp/Ünïcode name.vlmr\")]");
    EXPECT_TRUE(SendFromOtherThread(InstanceChannel(path()), request));
    EXPECT_EQ(received, QStringList{request});
    // The socket is for this user alone.
    EXPECT_EQ(QFileInfo(path()).permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup |
                                                  QFile::WriteGroup),
              QFile::Permissions());
}

TEST_F(Channel, NobodyListeningMeansNoHandOver)
{
    EXPECT_FALSE(InstanceChannel(path()).send(QStringLiteral("x"), 200));
}

TEST_F(Channel, APeerOfAnotherUserIsTurnedAwayOnBothEnds)
{
    // The server admits only `stranger`, which this process is not.
    const uid_t stranger = ::getuid() + 4242;
    InstanceChannel server(path(), stranger);
    QStringList received;
    ASSERT_TRUE(server.listen([&](const QString& m) { received << m; }));
    EXPECT_FALSE(SendFromOtherThread(InstanceChannel(path()), QStringLiteral("[open(\"/x\")]")));
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(Channel, ASenderDoesNotHandItsFileToAnotherUsersListener)
{
    InstanceChannel server(path());
    QStringList received;
    ASSERT_TRUE(server.listen([&](const QString& m) { received << m; }));
    // This sender expects `stranger` at the other end, which the listener is not.
    EXPECT_FALSE(SendFromOtherThread(InstanceChannel(path(), ::getuid() + 4242), QStringLiteral("[open(\"/x\")]")));
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(Channel, RefusesMessagesItCannotCarry)
{
    InstanceChannel server(path());
    QStringList received;
    ASSERT_TRUE(server.listen([&](const QString& m) { received << m; }));
    const InstanceChannel sender(path());
    EXPECT_FALSE(sender.send(QString(InstanceChannel::kMaxMessageBytes, QLatin1Char('a'))));
    EXPECT_FALSE(sender.send(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(Channel, ARunningInstanceKeepsItsSocketAndAStaleOneIsReplaced)
{
    {
        InstanceChannel first(path());
        ASSERT_TRUE(first.listen([](const QString&) {}));
        EXPECT_FALSE(InstanceChannel(path()).listen([](const QString&) {}));
    }
    // A crashed instance leaves its socket file behind; nobody answers there.
    QFile stale(path());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    InstanceChannel next(path());
    QStringList received;
    EXPECT_TRUE(next.listen([&](const QString& m) { received << m; }));
    EXPECT_TRUE(SendFromOtherThread(InstanceChannel(path()), QStringLiteral("after")));
    EXPECT_EQ(received, QStringList{QStringLiteral("after")});
}

TEST_F(Channel, ASilentSenderIsDroppedAndOthersStillServed)
{
    InstanceChannel server(path());
    QStringList received;
    ASSERT_TRUE(server.listen([&](const QString& m) { received << m; }));
    // Half a message and no end: the server must not wait for it forever
    // nor mix it with the next sender's.
    QLocalSocket partial;
    partial.connectToServer(path());
    ASSERT_TRUE(partial.waitForConnected(1000));
    partial.write("[open(\"/half");
    partial.flush();
    QCoreApplication::processEvents();
    EXPECT_TRUE(SendFromOtherThread(InstanceChannel(path()), QStringLiteral("whole")));
    EXPECT_EQ(received, QStringList{QStringLiteral("whole")});
}

TEST(InstanceChannelPath, UserSocketLivesInAPrivateFolder)
{
    const QString path = InstanceChannel::userSocketPath();
    ASSERT_FALSE(path.isEmpty());
    const QFileInfo folder(QFileInfo(path).absolutePath());
    EXPECT_TRUE(folder.isDir());
    EXPECT_EQ(folder.ownerId(), ::getuid());
    EXPECT_EQ(folder.permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
              QFile::Permissions());
}

} // namespace
} // namespace vlm
