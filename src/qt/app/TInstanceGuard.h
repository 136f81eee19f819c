// The single-instance guard. The first copy holds a lock file for its whole
// run and listens on a local socket; a later copy finds the lock taken, hands
// the first copy the files named on its command line through the socket, and
// ends. Both live in a folder only the user may enter ($XDG_RUNTIME_DIR/QUARNO,
// mode 0700) and are named after "QUARNOPLUSINSTANCE" and the user, so every
// user (and every test with its own XDG_RUNTIME_DIR) has its own guard.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace quarno {

class TInstanceGuard : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kInstanceName = "QUARNOPLUSINSTANCE";
    static constexpr const char* kFolderName = "QUARNO";
    // A copy that connects and does not finish its message in this time is
    // hung up on.
    static constexpr int kMessageMilliseconds = 10000;

    explicit TInstanceGuard(QObject* parent = nullptr);
    ~TInstanceGuard() override;

    // True: this is the first copy, now listening for later copies (also
    // when the guard cannot work, so the program still starts). False:
    // another copy runs and has been handed files (absolute names) and asked
    // to come forward; this one should end without showing anything.
    bool Claim(const std::vector<std::string>& files = {});
    // The private folder of the lock file and the socket.
    static QString Folder();
    // The local socket's full path; the lock file is this path + ".lock".
    static QString ServerName();

signals:
    // A later copy handed over these files (sent before BringForwardRequested).
    void FilesForwarded(const std::vector<std::string>& files);
    // A later copy asked this one to come forward.
    void BringForwardRequested();

private:
    void Listen();
    void OnNewConnection();
    void Accept(QLocalSocket* socket);
    void Refuse(QLocalSocket* socket, const std::string& problem);
    void Answer(const std::vector<std::string>& files);
    static void HandOver(const std::vector<std::string>& files);

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr; // child of this guard
};

} // namespace quarno
