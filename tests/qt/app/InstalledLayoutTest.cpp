// quarno-ide installed under a prefix (`make install` into a temporary
// DESTDIR) and started by a user whose home folder is the test's own.
#include "core/app/AppVersion.h"
#include "core/base/TProfileFile.h"
#include "support/IdeFolder.h"

#include <QtTest>

namespace {
constexpr int kRunTimeout = 120000;
} // namespace

class InstalledLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void versionNamesTheLayout();
    void firstStartSeedsTheUsersFolderAndLaterStartsKeepIt();

private:
    QString Installed(const QString& path) const { return m_root.filePath("usr/" + path); }
    QString Home(const QString& path) const { return m_user.filePath("home/" + path); }
    QString UserFile(const QString& name) const { return Home(".local/share/QUARNO/" + name); }
    QProcessEnvironment Environment(const QString& eventLog) const;
    QStringList Lines(const QString& path) const;
    // Runs the installed program in screenshot mode: it starts, paints and
    // closes its window as a user would.
    void RunInstalled(const QString& source, const QString& eventLog);

    QTemporaryDir m_root; // the DESTDIR
    QTemporaryDir m_user; // home, runtime folder, logs and sources
};

void InstalledLayoutTest::initTestCase() {
    QVERIFY(m_root.isValid() && m_user.isValid());
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DESTDIR", m_root.path());
    install.setProcessEnvironment(environment);
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QUARNO_CMAKE, {"--install", QUARNO_BUILD_DIR, "--prefix", "/usr"});
    QVERIFY(install.waitForFinished(kRunTimeout));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    QVERIFY(QFileInfo(Installed("bin/quarno-ide")).isExecutable());
    QVERIFY(QFileInfo(Installed("bin/quarno-tool")).isExecutable());
    QVERIFY(QFileInfo::exists(Installed("share/quarno/INC/KBX.INI")));
    QVERIFY(QFileInfo::exists(Installed("share/quarno/INC/USER_GUIDE.html")));
    QVERIFY(QFileInfo(Installed("share/quarno/INC/EXTERNAL PROGRAMS")).isDir());
    // The stand-ins of the tests stay out of an installation.
    QCOMPARE(QDir(Installed("bin")).entryList(QDir::Files),
             (QStringList{"quarno-ide", "quarno-tool"}));
    QDir(m_user.path()).mkpath("src");
    QDir(m_user.path()).mkpath("run");
    QFile::setPermissions(m_user.filePath("run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QProcessEnvironment InstalledLayoutTest::Environment(const QString& eventLog) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", Home(""));
    environment.remove("XDG_DATA_HOME");
    environment.remove("XDG_CONFIG_HOME");
    environment.insert("XDG_RUNTIME_DIR", m_user.filePath("run"));
    environment.insert("QUARNO_EVENT_LOG", m_user.filePath(eventLog));
    environment.insert("QUARNO_PROMPT_LOG", m_user.filePath("prompts.log"));
    environment.insert("QUARNO_SCREENSHOT", m_user.filePath("shot.png"));
    environment.remove("QUARNO_PROMPT_ANSWERS");
    return environment;
}

QStringList InstalledLayoutTest::Lines(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
}

void InstalledLayoutTest::RunInstalled(const QString& source, const QString& eventLog) {
    QProcess ide;
    ide.setProcessEnvironment(Environment(eventLog));
    ide.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ide.start(Installed("bin/quarno-ide"), {source});
    QVERIFY(ide.waitForFinished(kRunTimeout));
    QCOMPARE(ide.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ide.exitCode(), 0);
    QVERIFY(QFileInfo::exists(m_user.filePath("shot.png")));
    QVERIFY(QFile::remove(m_user.filePath("shot.png")));
}

void InstalledLayoutTest::versionNamesTheLayout() {
    const QString version = QString::fromStdString(quarno::VersionLine("quarno-ide"));
    struct Case {
        QString program;
        QString layout;
    };
    const QList<Case> cases{
        {Installed("bin/quarno-ide"), "Installed: your files are in " +
                                          Home(".local/share/QUARNO/") + ", the templates in " +
                                          Installed("share/quarno/INC/")},
        {QUARNO_APP_DIR "/quarno-ide", "Portable: all files are in " QUARNO_APP_DIR "/"},
    };
    for (const Case& c : cases) {
        QProcess ide;
        ide.setProcessEnvironment(Environment("version.log"));
        ide.start(c.program, {"--version"});
        QVERIFY(ide.waitForFinished(kRunTimeout));
        QCOMPARE(ide.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(ide.readAllStandardOutput()), version + '\n' + c.layout + '\n');
    }
    // Asking for the version makes no folder.
    QVERIFY(!QFileInfo::exists(Home(".local/share/QUARNO")));
}

void InstalledLayoutTest::firstStartSeedsTheUsersFolderAndLaterStartsKeepIt() {
    const QString first = m_user.filePath("src/first.bas");
    const QString second = m_user.filePath("src/second.bas");
    for (const QString& source : {first, second}) {
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("PRINT 1\r\n");
    }

    RunInstalled(first, "first.log");
    QStringList events = Lines(m_user.filePath("first.log"));
    QVERIFY2(events.contains("seeded " + UserFile("INC/KBX.INI")), qPrintable(events.join('\n')));
    QVERIFY(events.contains("open " + first));
    QVERIFY(QFileInfo(UserFile("INC/EXTERNAL PROGRAMS")).isDir());
    QVERIFY(QFileInfo::exists(UserFile("INC/USER_GUIDE.html")));
    QVERIFY(quarno::test::OnlyOwnerMayEnter(UserFile("")));
    quarno::TProfileFile config(UserFile("INC/KBX.INI").toStdString());
    QCOMPARE(config.ReadString("PROGRAMMER", "TYPE", ""), std::string("ORLA"));
    // A setting and a recent file of the first run.
    QCOMPARE(config.ReadString("WORKING_DIRECTORY", "PATHNAME", ""),
             m_user.filePath("src").toStdString());
    QCOMPARE(Lines(UserFile("QUARNO.DAT")), (QStringList{"[MRU]", first}));
    QVERIFY(Lines(m_user.filePath("prompts.log")).isEmpty());
    // The installation itself is never written to.
    QCOMPARE(QDir(Installed("bin")).entryList(QDir::Files),
             (QStringList{"quarno-ide", "quarno-tool"}));
    QVERIFY(!quarno::TProfileFile(Installed("share/quarno/INC/KBX.INI").toStdString())
                 .HasKey("WORKING_DIRECTORY", "PATHNAME"));

    // The user edits KBX.INI; what the template has and the file now lacks
    // (the bootloader and compiler keys) is added back, nothing else changes.
    QFile edited(UserFile("INC/KBX.INI"));
    QVERIFY(edited.open(QIODevice::WriteOnly));
    edited.write("; my settings\r\n[PROGRAMMER]\r\nTYPE=OTHER\r\n");
    edited.close();

    RunInstalled(second, "second.log");
    events = Lines(m_user.filePath("second.log"));
    QVERIFY(events.filter("seeded ").isEmpty());
    QVERIFY2(events.contains("added " + UserFile("INC/KBX.INI") + " [BOOTLOADER] TYPE"),
             qPrintable(events.join('\n')));
    QStringList lines = Lines(UserFile("INC/KBX.INI"));
    QCOMPARE(lines.mid(0, 3), (QStringList{"; my settings", "[PROGRAMMER]", "TYPE=OTHER"}));
    QCOMPARE(config.ReadString("BOOTLOADER", "TYPE", ""), std::string("STANDARD"));
    QVERIFY(config.HasKey("COMPILER", "PATHNAME"));
    QCOMPARE(Lines(UserFile("QUARNO.DAT")), (QStringList{"[MRU]", second, first}));
    QVERIFY(Lines(m_user.filePath("prompts.log")).isEmpty());
}

QTEST_MAIN(InstalledLayoutTest)
#include "InstalledLayoutTest.moc"
