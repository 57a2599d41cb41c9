#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QLocalServer;

namespace skyloom {

// One running Skyloom per user: a lock file and a local socket in the user's runtime folder,
// reachable by that user only. The first copy holds the lock and listens; a later start hands
// its message (at most 255 bytes) to it over the socket and gets one line back. A lock or
// socket left by a copy that crashed is taken over.
class CSingleInstance final : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxMessage = 255;
    // Answers a message from a later start, on the main thread.
    using Handler = std::function<QByteArray(const QByteArray& message)>;

    explicit CSingleInstance(QObject* parent = nullptr);
    ~CSingleInstance() override;

    // The lock's and the socket's paths for this user.
    static QString LockPath();
    static QString SocketPath();

    // True in the first copy, which holds the lock from now on; false when another copy runs
    // or the guard cannot be set up. Needs no application object.
    bool IsFirstInstance();
    // The first copy starts listening for later starts (with the application object made).
    void Listen();
    void SetHandler(Handler handler) { m_handler = std::move(handler); }

    // Hands a message to the running copy and returns its answer; nothing when no copy runs
    // (or it does not answer in time). A message longer than kMaxMessage is sent empty: the
    // running copy is still woken.
    static std::optional<QByteArray> Send(const QByteArray& message, int timeoutMs = 5000);

private:
    void OnConnection();

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    Handler m_handler;
};

} // namespace skyloom
