#include "CSingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace skyloom {
namespace {

constexpr char kGuid[] = "3D54AC15-A344-415c-AF99-E41265461C35";
constexpr int kReadTimeoutMs = 2000;
constexpr int kStartingMs = 15000; // how long a starting copy may take to listen

// The user's runtime folder (private to the user); when the session has none that Qt finds
// safe, a folder of the user's own cache, made private. Never a folder others can write to.
QString ChannelBase() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                 QStringLiteral("/skyloom-runtime");
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }
    return QStringLiteral("%1/skyloom-%2-%3").arg(folder, QLatin1String(kGuid)).arg(getuid());
}

// True while the process that holds the lock is alive.
bool LockOwnerAlive() {
    QLockFile lock(CSingleInstance::LockPath());
    qint64 pid = 0;
    QString host, application;
    return lock.getLockInfo(&pid, &host, &application) && pid > 0 && kill(pid_t(pid), 0) == 0;
}

} // namespace

CSingleInstance::CSingleInstance(QObject* parent) : QObject(parent) {}

CSingleInstance::~CSingleInstance() {
    if (m_server)
        m_server->close();
}

QString CSingleInstance::LockPath() {
    return ChannelBase() + QStringLiteral(".lock");
}

QString CSingleInstance::SocketPath() {
    return ChannelBase() + QStringLiteral(".socket");
}

bool CSingleInstance::IsFirstInstance() {
    m_lock = std::make_unique<QLockFile>(LockPath());
    // A lock whose process has gone (a crash, kill -9) is stale and taken over at once.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError)
        return false; // another copy holds it
    // The lock cannot be made (a folder that cannot be written): run, without the guard.
    std::fprintf(stderr, "skyloom: cannot make the lock %s; not checking for another copy\n",
                 qUtf8Printable(LockPath()));
    return true;
}

void CSingleInstance::Listen() {
    QLocalServer::removeServer(SocketPath()); // a socket left by a crash
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(SocketPath())) {
        // This copy runs all the same; later starts cannot reach it.
        qWarning("skyloom: cannot listen on %s: %s", qUtf8Printable(SocketPath()),
                 qUtf8Printable(m_server->errorString()));
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
}

void CSingleInstance::OnConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // One message a connection: a length byte and that many bytes, within a time limit.
        auto* timeout = new QTimer(socket);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, socket, [socket] { socket->abort(); });
        timeout->start(kReadTimeoutMs);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket, timeout] {
            const QByteArray peeked = socket->peek(1);
            if (peeked.isEmpty())
                return;
            const int length = quint8(peeked[0]);
            if (socket->bytesAvailable() < 1 + length)
                return;
            socket->read(1);
            const QByteArray message = socket->read(length);
            timeout->stop();
            disconnect(socket, &QLocalSocket::readyRead, nullptr, nullptr);
            const QByteArray answer = m_handler ? m_handler(message) : QByteArray();
            socket->write(answer + '\n');
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

std::optional<QByteArray> CSingleInstance::Send(const QByteArray& message, int timeoutMs) {
    const QByteArray sent = message.size() > kMaxMessage ? QByteArray() : message;
    QElapsedTimer timer;
    timer.start();
    // The running copy holds the lock a while before it listens (its window is being made):
    // connecting is tried again while that process lives, for a bounded time.
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(SocketPath());
        if (socket.waitForConnected(500))
            break;
        if (timer.elapsed() > kStartingMs || !LockOwnerAlive())
            return std::nullopt;
        QThread::msleep(100);
    }
    socket.write(QByteArray(1, char(sent.size())) + sent);
    socket.flush();
    QByteArray answer;
    while (!answer.contains('\n') && timer.elapsed() < timeoutMs) {
        if (!socket.waitForReadyRead(int(std::max<qint64>(1, timeoutMs - timer.elapsed()))))
            break;
        answer += socket.readAll();
    }
    if (!answer.contains('\n'))
        return std::nullopt;
    return answer.left(answer.indexOf('\n'));
}

} // namespace skyloom
