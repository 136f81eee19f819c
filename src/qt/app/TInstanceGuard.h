// The single-instance guard. The first copy holds a lock file for its whole
// run and listens on a local socket; a later copy finds the lock taken, asks
// the first copy to come forward through the socket, and ends. Both live in
// the user's runtime folder and are named after "QUARNOPLUSINSTANCE" and the
// user, so every user (and every test with its own XDG_RUNTIME_DIR) has its
// own guard.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace quarno {

class TInstanceGuard : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kInstanceName = "QUARNOPLUSINSTANCE";

    explicit TInstanceGuard(QObject* parent = nullptr);
    ~TInstanceGuard() override;

    // True: this is the first copy, now listening for bring-forward requests
    // (also when the guard cannot work, so the program still starts). False:
    // another copy runs and has been asked to come forward; this one should
    // end without showing anything.
    bool Claim();
    // The local socket's full path; the lock file is this path + ".lock".
    static QString ServerName();

signals:
    // A later copy asked this one to come forward.
    void BringForwardRequested();

private:
    void Listen();
    void OnNewConnection();
    static void AskFirstCopyToComeForward();

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr; // child of this guard
};

} // namespace quarno
