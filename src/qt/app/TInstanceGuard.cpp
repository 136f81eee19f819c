// The single-instance guard over a lock file and a local socket.
#include "qt/app/TInstanceGuard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace quarno {

namespace {
const QByteArray kRequest = QByteArray(TInstanceGuard::kInstanceName) + '\n';
// A request is one short line; anything longer is not ours.
constexpr qint64 kMaxRequest = 64;
// How long a later copy keeps trying to reach a first copy that is still
// starting up before it gives up and ends anyway.
constexpr int kConnectMilliseconds = 5000;
} // namespace

static QString UserName() {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(::getuid());
}

QString TInstanceGuard::ServerName() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(QString::fromLatin1(kInstanceName) + '-' + UserName());
}

TInstanceGuard::TInstanceGuard(QObject* parent) : QObject(parent) {}

TInstanceGuard::~TInstanceGuard() = default;

bool TInstanceGuard::Claim() {
    m_lock = std::make_unique<QLockFile>(ServerName() + ".lock");
    // Only a dead owner makes the lock stale, never its age.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        Listen();
        return true;
    }
    if (m_lock->error() != QLockFile::LockFailedError) {
        qWarning("Single-instance guard unavailable: cannot create %s",
                 qPrintable(ServerName() + ".lock"));
        return true;
    }
    AskFirstCopyToComeForward();
    return false;
}

void TInstanceGuard::Listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left behind by a copy that crashed would block listen().
    QLocalServer::removeServer(ServerName());
    if (!m_server->listen(ServerName())) {
        qWarning("Single-instance guard cannot listen: %s", qPrintable(m_server->errorString()));
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceGuard::OnNewConnection);
}

void TInstanceGuard::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->canReadLine()) {
                if (socket->readLine(kMaxRequest + 1) == kRequest) emit BringForwardRequested();
                socket->disconnectFromServer();
            } else if (socket->bytesAvailable() > kMaxRequest) {
                socket->abort();
            }
        });
    }
}

void TInstanceGuard::AskFirstCopyToComeForward() {
    QElapsedTimer elapsed;
    elapsed.start();
    QLocalSocket socket;
    // The first copy may hold the lock without listening yet.
    while (true) {
        socket.connectToServer(ServerName());
        if (socket.waitForConnected(1000)) break;
        if (elapsed.elapsed() > kConnectMilliseconds) return;
        QThread::msleep(50);
    }
    socket.write(kRequest);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
}

} // namespace quarno
