// The single-instance guard over a lock file and a local socket.
#include "qt/app/TInstanceGuard.h"

#include "core/app/TInstanceMessage.h"
#include "core/base/FileUtils.h"
#include "qt/app/TEventLog.h"
#include "qt/base/TextConversion.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <pwd.h>
#include <unistd.h>

namespace quarno {

namespace {
// How long a later copy keeps trying to reach a first copy that is still
// starting up before it gives up and ends anyway.
constexpr int kConnectMilliseconds = 5000;
constexpr int kWriteMilliseconds = 5000;
} // namespace

static QString UserName() {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(::getuid());
}

QString TInstanceGuard::Folder() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    return QDir(runtime).filePath(QString::fromLatin1(kFolderName));
}

QString TInstanceGuard::ServerName() {
    return QDir(Folder()).filePath(QString::fromLatin1(kInstanceName) + '-' + UserName());
}

TInstanceGuard::TInstanceGuard(QObject* parent) : QObject(parent) {}

TInstanceGuard::~TInstanceGuard() = default;

bool TInstanceGuard::Claim(const std::vector<std::string>& files) {
    std::string problem;
    if (!EnsurePrivateFolder(ToPath(Folder()), problem)) {
        qWarning("Single-instance guard unavailable: %s", problem.c_str());
        return true;
    }
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
    HandOver(files);
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
    while (QLocalSocket* socket = m_server->nextPendingConnection())
        Accept(socket);
}

// The message is judged as it arrives and acted on when the later copy hangs
// up, so bytes after its end are never taken for a complete message.
void TInstanceGuard::Accept(QLocalSocket* socket) {
    using TState = TInstanceMessage::TState;
    auto message = std::make_shared<TInstanceMessage>();
    auto take = [socket, message] {
        QByteArray bytes = socket->readAll();
        return message->Feed(std::string_view(bytes.constData(), size_t(bytes.size())));
    };
    auto onRead = [this, socket, message, take] {
        if (message->State() == TState::Refused) return;
        if (take() == TState::Refused) Refuse(socket, message->Problem());
    };
    auto onHangUp = [this, socket, message, take] {
        socket->deleteLater();
        if (message->State() == TState::Refused) return;
        TState state = take();
        if (state == TState::Complete)
            Answer(message->Files());
        else
            Refuse(socket, state == TState::Incomplete ? "the message ended before it was complete"
                                                       : message->Problem());
    };
    connect(socket, &QLocalSocket::readyRead, this, onRead);
    connect(socket, &QLocalSocket::disconnected, this, onHangUp);
    QTimer::singleShot(kMessageMilliseconds, socket, [this, socket, message] {
        if (message->State() != TState::Refused)
            Refuse(socket, "the message was not finished in time");
    });
    if (socket->bytesAvailable() > 0) onRead();
    if (socket->state() == QLocalSocket::UnconnectedState) onHangUp();
}

void TInstanceGuard::Refuse(QLocalSocket* socket, const std::string& problem) {
    qWarning("Single-instance channel: refused a message: %s", problem.c_str());
    TEventLog::Write(QStringLiteral("refused ") + QString::fromStdString(problem));
    if (socket->state() != QLocalSocket::UnconnectedState) socket->abort();
}

// Acted on once the connection is gone: opening files may ask questions,
// whose dialogs must not run inside the socket's own signals.
void TInstanceGuard::Answer(const std::vector<std::string>& files) {
    QTimer::singleShot(0, this, [this, files] {
        if (!files.empty()) emit FilesForwarded(files);
        emit BringForwardRequested();
    });
}

void TInstanceGuard::HandOver(const std::vector<std::string>& files) {
    QElapsedTimer elapsed;
    elapsed.start();
    QLocalSocket socket;
    // The first copy may hold the lock without listening yet.
    while (true) {
        socket.connectToServer(ServerName());
        if (socket.waitForConnected(1000)) break;
        if (elapsed.elapsed() > kConnectMilliseconds) {
            qWarning("Cannot reach the running copy: %s", qPrintable(socket.errorString()));
            return;
        }
        QThread::msleep(50);
    }
    std::string bytes = TInstanceMessage::Encode(files);
    socket.write(bytes.data(), qint64(bytes.size()));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kWriteMilliseconds)) break;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWriteMilliseconds);
}

} // namespace quarno
