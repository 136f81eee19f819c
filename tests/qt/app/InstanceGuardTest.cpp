// The single-instance guard with real quarno-ide processes.
#include "qt/app/TEditorMainForm.h"
#include "qt/app/TInstanceGuard.h"
#include "support/IdeFolder.h"
#include "support/TRecordingDesktop.h"
#include "support/TRecordingProcesses.h"
#include "support/TScriptedFileDialogs.h"
#include "support/TScriptedPrompts.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;

namespace {
constexpr int kStartTimeout = 60000;

bool Contains(const QStringList& lines, const QString& text) {
    return lines.contains(text);
}
} // namespace

class InstanceGuardTest : public QObject {
    Q_OBJECT
private slots:
    void secondCopyBringsTheFirstForwardAndEndsWithoutItsFile();
    void crashedFirstCopyDoesNotBlockTheNextStart();
    void bringForwardRestoresAMinimisedMainWindow();
    void onlyTheExactRequestBringsTheWindowForward();

private:
    void FinishFirst(QProcess& first);
};

void InstanceGuardTest::FinishFirst(QProcess& first) {
    first.kill();
    first.waitForFinished(kStartTimeout);
}

void InstanceGuardTest::secondCopyBringsTheFirstForwardAndEndsWithoutItsFile() {
    IdeFolder folder;
    QVERIFY(folder.IsValid());
    QVERIFY(folder.Write("first.bas", "PRINT 1\r\n"));
    QProcess first;
    folder.Start(first, "first.log", {folder.File("first.bas")});
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("first.log"), "FormActivate"), kStartTimeout);

    QProcess second;
    folder.Start(second, "second.log", {folder.File("second.bas")});
    QVERIFY(second.waitForFinished(kStartTimeout));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("first.log"), "bring-forward"), kStartTimeout);

    // The second copy made no window and opened nothing, here or there.
    QCOMPARE(folder.Lines("second.log"), QStringList{"second-instance"});
    QStringList firstLog = folder.Lines("first.log");
    QVERIFY(Contains(firstLog, "open " + folder.File("first.bas")));
    QVERIFY(!firstLog.join('\n').contains("second.bas"));
    QCOMPARE(firstLog.count("bring-forward"), 1);
    QVERIFY(folder.Lines("prompts.log").isEmpty());
    QCOMPARE(first.state(), QProcess::Running);
    FinishFirst(first);
}

void InstanceGuardTest::crashedFirstCopyDoesNotBlockTheNextStart() {
    IdeFolder folder;
    QVERIFY(folder.IsValid());
    QProcess crashed;
    folder.Start(crashed, "crashed.log", {});
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("crashed.log"), "FormActivate"), kStartTimeout);
    // Killed outright, it leaves its lock file and socket behind.
    FinishFirst(crashed);
    QStringList leftovers = QDir(folder.RuntimeFolder()).entryList(QDir::Files | QDir::System);
    QVERIFY2(leftovers.filter("QUARNOPLUSINSTANCE-").size() == 2, qPrintable(leftovers.join(' ')));

    QProcess next;
    folder.Start(next, "next.log", {});
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("next.log"), "FormActivate"), kStartTimeout);
    QCOMPARE(folder.Lines("next.log").first(), QString("first-instance"));
    FinishFirst(next);
}

void InstanceGuardTest::bringForwardRestoresAMinimisedMainWindow() {
    IdeFolder folder;
    QVERIFY(folder.IsValid());
    qputenv("XDG_RUNTIME_DIR", folder.RuntimeFolder().toLocal8Bit());
    TInstanceGuard guard;
    QVERIFY(guard.Claim());

    test::TScriptedPrompts prompts;
    test::TScriptedFileDialogs dialogs;
    test::TRecordingProcesses processes;
    test::TRecordingDesktop desktop;
    TEditorMainForm form(TAppSeams(prompts, dialogs, processes, desktop),
                         folder.File("quarno-ide").toStdString(), std::string());
    connect(&guard, &TInstanceGuard::BringForwardRequested, &form, &TEditorMainForm::BringForward);
    form.showMaximized();
    form.showMinimized();
    QVERIFY(form.isMinimized());

    QProcess second;
    folder.Start(second, "second.log", {folder.File("second.bas")});
    QVERIFY(second.waitForFinished(kStartTimeout));
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!form.isMinimized(), kStartTimeout);
    QVERIFY(form.isVisible());
    QVERIFY(form.isMaximized());
    QTRY_VERIFY(form.isActiveWindow());
    QCOMPARE(folder.Lines("second.log"), QStringList{"second-instance"});
}

void InstanceGuardTest::onlyTheExactRequestBringsTheWindowForward() {
    IdeFolder folder;
    QVERIFY(folder.IsValid());
    qputenv("XDG_RUNTIME_DIR", folder.RuntimeFolder().toLocal8Bit());
    TInstanceGuard guard;
    QVERIFY(guard.Claim());
    QSignalSpy requests(&guard, &TInstanceGuard::BringForwardRequested);

    for (const QByteArray& junk :
         {QByteArray("hello\n"), QByteArray(200, 'x'), QByteArray("QUARNOPLUSINSTANCEX\n")}) {
        QLocalSocket socket;
        socket.connectToServer(TInstanceGuard::ServerName());
        QVERIFY(socket.waitForConnected(kStartTimeout));
        socket.write(junk);
        QVERIFY(socket.waitForBytesWritten(kStartTimeout));
        // The guard hangs up once it has judged the message.
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, kStartTimeout);
    }
    QCOMPARE(requests.count(), 0);

    QLocalSocket socket;
    socket.connectToServer(TInstanceGuard::ServerName());
    QVERIFY(socket.waitForConnected(kStartTimeout));
    socket.write("QUARNOPLUSINSTANCE\n");
    QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 1, kStartTimeout);
}

QTEST_MAIN(InstanceGuardTest)
#include "InstanceGuardTest.moc"
