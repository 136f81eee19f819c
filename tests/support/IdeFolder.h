// A temporary application folder for tests that run quarno-ide as a process:
// a copy of the executable, optionally with INC/KBX.INI beside it, a private
// runtime folder (so the single-instance guard is the test's own), data and
// configuration folders of its own, and the logs the program writes in its
// test mode.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

namespace quarno::test {

class IdeFolder {
public:
    explicit IdeFolder(bool withConfig = true) {
        QDir dir(m_dir.path());
        QFile::copy(QStringLiteral(QUARNO_IDE), Executable());
        if (withConfig) {
            dir.mkpath(QStringLiteral("INC"));
            QFile::copy(QStringLiteral(QUARNO_APP_DIR "/INC/KBX.INI"), File("INC/KBX.INI"));
        }
        dir.mkpath(QStringLiteral("run"));
        QFile::setPermissions(File("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool IsValid() const { return m_dir.isValid() && QFile::exists(Executable()); }
    QString File(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    QString Executable() const { return File(QStringLiteral("quarno-ide")); }
    QString RuntimeFolder() const { return File(QStringLiteral("run")); }

    // The environment of a run whose start-up events go to eventLog; message
    // boxes are answered and logged to "prompts.log".
    QProcessEnvironment Environment(const QString& eventLog) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), RuntimeFolder());
        // The user's folders of the run, never the real ones.
        environment.insert(QStringLiteral("XDG_DATA_HOME"), File(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), File(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_STATE_HOME"), File(QStringLiteral("state")));
        environment.insert(QStringLiteral("QUARNO_EVENT_LOG"), File(eventLog));
        environment.insert(QStringLiteral("QUARNO_PROMPT_LOG"),
                           File(QStringLiteral("prompts.log")));
        environment.remove(QStringLiteral("QUARNO_SCREENSHOT"));
        environment.remove(QStringLiteral("QUARNO_PROMPT_ANSWERS"));
        return environment;
    }

    void Start(QProcess& process, const QString& eventLog, const QStringList& arguments) const {
        process.setProcessEnvironment(Environment(eventLog));
        process.setWorkingDirectory(m_dir.path());
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(Executable(), arguments);
    }

    // Writes a file of the folder, such as a source file to open.
    bool Write(const QString& name, const QByteArray& bytes) const {
        QFile file(File(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // The lines of a log file; none when it does not exist.
    QStringList Lines(const QString& name) const {
        QFile file(File(name));
        if (!file.open(QIODevice::ReadOnly)) return {};
        QString text = QString::fromUtf8(file.readAll());
        QStringList lines = text.split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }

private:
    QTemporaryDir m_dir;
};

// True when path is a folder only its owner may read, write or enter.
inline bool OnlyOwnerMayEnter(const QString& path) {
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFileInfo folder(path);
    return folder.isDir() && !(folder.permissions() & others) &&
           (folder.permissions() & owner) == owner;
}

} // namespace quarno::test
