#include "platform/instance_channel.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>

namespace vlm {

namespace {

constexpr char kTerminator = '\0';
constexpr char kAcknowledge = '\x06';

// A folder only this user can enter: created 0700 when missing, refused when
// it is a link, belongs to someone else or is open to others.
bool IsPrivateFolder(const QByteArray& path)
{
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

} // namespace

std::optional<uid_t> PeerUid(qintptr socketDescriptor)
{
    if (socketDescriptor < 0)
        return std::nullopt;
#if defined(SO_PEERCRED)
    struct ucred cred {};
    socklen_t len = sizeof cred;
    if (::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 ||
        len != sizeof cred)
        return std::nullopt;
    return cred.uid;
#else
    uid_t uid = 0;
    gid_t gid = 0;
    if (::getpeereid(static_cast<int>(socketDescriptor), &uid, &gid) != 0)
        return std::nullopt;
    return uid;
#endif
}

QString InstanceChannel::userSocketPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !IsPrivateFolder(QFile::encodeName(folder))) {
        folder = QDir::tempPath() + QStringLiteral("/vellumora-%1").arg(::getuid());
        if (!IsPrivateFolder(QFile::encodeName(folder)))
            return {};
    }
    return folder + QStringLiteral("/vellumora-instance");
}

InstanceChannel::InstanceChannel(QString socketPath, uid_t peerUid) : path_(std::move(socketPath)), peerUid_(peerUid) {}

InstanceChannel::~InstanceChannel()
{
    if (server_)
        server_->close();
}

bool InstanceChannel::send(const QString& message, int timeoutMs) const
{
    if (path_.isEmpty())
        return false;
    QByteArray bytes = message.toUtf8();
    if (bytes.size() >= kMaxMessageBytes || bytes.contains(kTerminator))
        return false;
    bytes.append(kTerminator);

    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    // A file handed to a stranger's process could be read by it.
    if (PeerUid(socket.socketDescriptor()) != peerUid_) {
        socket.abort();
        return false;
    }
    socket.write(bytes);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    char ack = 0;
    const bool ok = socket.read(&ack, 1) == 1 && ack == kAcknowledge;
    socket.disconnectFromServer();
    return ok;
}

bool InstanceChannel::listen(Handler handler)
{
    if (path_.isEmpty())
        return false;
    // Someone answers there: an instance is running and keeps the socket.
    // (Listening would not fail by itself: the socket is made aside and
    // renamed into place, over the running instance's.)
    QLocalSocket probe;
    probe.connectToServer(path_);
    if (probe.waitForConnected(500)) {
        probe.abort();
        return false;
    }
    // What is left is the socket of an instance that ended without closing it.
    QLocalServer::removeServer(path_);
    handler_ = std::move(handler);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path_)) {
        server_.reset();
        return false;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] { accept(); });
    return true;
}

bool InstanceChannel::isListening() const
{
    return server_ && server_->isListening();
}

void InstanceChannel::accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (PeerUid(socket->socketDescriptor()) != peerUid_) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        timer->start(kReceiveTimeoutMs);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, socket, buffer] { receive(socket, *buffer); });
        if (socket->bytesAvailable() > 0)
            receive(socket, *buffer);
    }
}

void InstanceChannel::receive(QLocalSocket* socket, QByteArray& buffer)
{
    buffer += socket->read(kMaxMessageBytes + 1 - buffer.size());
    const qsizetype end = buffer.indexOf(kTerminator);
    if (end < 0) {
        if (buffer.size() > kMaxMessageBytes) {
            socket->abort();
            socket->deleteLater();
        }
        return;
    }
    const QString message = QString::fromUtf8(buffer.left(end));
    QObject::disconnect(socket, &QLocalSocket::readyRead, socket, nullptr);
    socket->write(&kAcknowledge, 1);
    socket->flush();
    socket->disconnectFromServer();
    // The request runs from the event loop, after the sender has its answer:
    // opening a file may ask questions, and the socket must not wait for them.
    QTimer::singleShot(0, server_.get(), [this, message] {
        if (handler_)
            handler_(message);
    });
}

} // namespace vlm
