#include "CSingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <unistd.h>

namespace skyloom {
namespace {

constexpr char kGuid[] = "3D54AC15-A344-415c-AF99-E41265461C35";
constexpr int kReadTimeoutMs = 2000;

// The user's runtime folder (private to the user), or the temporary folder when the session
// has none; the names carry the user id either way.
QString ChannelBase() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QStringLiteral("%1/skyloom-%2-%3").arg(folder, QLatin1String(kGuid)).arg(getuid());
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
    return m_lock->tryLock(0);
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
    // The running copy may hold the lock a moment before it listens.
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(SocketPath());
        if (socket.waitForConnected(500))
            break;
        if (timer.elapsed() > 2000 || !QFile::exists(LockPath()))
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
