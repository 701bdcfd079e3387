#pragma once

// The single-instance channel: a second start of the program hands the file
// it was asked to open to the instance already running for the same user,
// over a local socket in the user's private runtime folder, and exits.
//
// A message is UTF-8 text ended by a zero byte; the receiver answers one
// acknowledgement byte once it has the whole message, so the sender exits
// only after the running instance holds the request. Both ends check that
// the other side runs under the same user id: the socket file's permissions
// keep other users out, and the credential check keeps out anything that
// slipped past them.

#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include <sys/types.h>
#include <unistd.h>

class QByteArray;
class QLocalServer;
class QLocalSocket;

namespace vlm {

class InstanceChannel {
public:
    using Handler = std::function<void(const QString& message)>;

    // Messages longer than this are not requests this program sends.
    static constexpr qsizetype kMaxMessageBytes = 64 * 1024;
    // A sender that neither finishes nor leaves within this time is dropped.
    static constexpr int kReceiveTimeoutMs = 5000;

    // The socket of this user: in the runtime folder (XDG_RUNTIME_DIR), or
    // in a private folder under the temporary folder when there is none.
    // Empty when no private folder could be made.
    static QString userSocketPath();

    // `peerUid` is the user whose processes may talk to this end; tests
    // choose another to see a stranger turned away.
    explicit InstanceChannel(QString socketPath = userSocketPath(), uid_t peerUid = ::getuid());
    ~InstanceChannel();
    InstanceChannel(const InstanceChannel&) = delete;
    InstanceChannel& operator=(const InstanceChannel&) = delete;

    // Hands `message` to the running instance; true once it acknowledged.
    // Blocks for at most about `timeoutMs`.
    bool send(const QString& message, int timeoutMs = 3000) const;

    // Serves the socket from the event loop, calling `handler` with every
    // message received. False when another instance already serves it or
    // the socket cannot be made. A socket left behind by an instance that
    // crashed is replaced.
    bool listen(Handler handler);
    bool isListening() const;

private:
    void accept();
    void receive(QLocalSocket* socket, QByteArray& buffer);

    QString path_;
    uid_t peerUid_;
    Handler handler_;
    std::unique_ptr<QLocalServer> server_;
};

// The user id of the process at the other end of a connected local socket;
// none when the system does not say.
std::optional<uid_t> PeerUid(qintptr socketDescriptor);

} // namespace vlm
