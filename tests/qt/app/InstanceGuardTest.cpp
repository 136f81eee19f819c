// The single-instance guard with real quarno-ide processes.
#include "core/app/TDocumentTabs.h"
#include "core/app/TFileObject.h"
#include "core/app/TInstanceMessage.h"
#include "qt/app/TEditorMainForm.h"
#include "qt/app/TInstanceGuard.h"
#include "support/IdeFolder.h"
#include "support/TRecordingDesktop.h"
#include "support/TRecordingProcesses.h"
#include "support/TScriptedFileDialogs.h"
#include "support/TScriptedPrompts.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QtTest>

#include <unistd.h>

using namespace quarno;
using quarno::test::IdeFolder;

namespace {
constexpr int kStartTimeout = 60000;

bool Contains(const QStringList& lines, const QString& text) {
    return lines.contains(text);
}

// Sends bytes on the channel and waits until the guard has judged them: a
// refused message is hung up on, a message that is whole is acted on when
// the sender hangs up.
void Send(const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(TInstanceGuard::ServerName());
    QVERIFY(socket.waitForConnected(kStartTimeout));
    socket.write(bytes);
    QVERIFY(socket.waitForBytesWritten(kStartTimeout));
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        QVERIFY(socket.waitForDisconnected(kStartTimeout));
}
} // namespace

class InstanceGuardTest : public QObject {
    Q_OBJECT
private slots:
    void secondCopyHandsItsFilesToTheFirstAndEnds();
    void secondCopyWithoutFilesOnlyBringsTheFirstForward();
    void crashedFirstCopyDoesNotBlockTheNextStart();
    void bringForwardRestoresAMinimisedMainWindow();
    void handedFilesOpenInTabsAndAMissingOneIsReported();
    void malformedMessagesAreRefusedAndLogged();
    void aGuardFolderOfAnotherUserIsNeverUsed();

private:
    void FinishFirst(QProcess& first);
};

void InstanceGuardTest::FinishFirst(QProcess& first) {
    first.kill();
    first.waitForFinished(kStartTimeout);
}

void InstanceGuardTest::secondCopyHandsItsFilesToTheFirstAndEnds() {
    IdeFolder folder;
    QVERIFY(folder.IsValid());
    QVERIFY(folder.Write("first.bas", "PRINT 1\r\n"));
    QVERIFY(folder.Write("second.bas", "PRINT 2\r\n"));
    QVERIFY(folder.Write("third.bas", "PRINT 3\r\n"));
    QProcess first;
    folder.Start(first, "first.log", {folder.File("first.bas")});
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("first.log"), "FormActivate"), kStartTimeout);

    // Relative names are taken from the later copy's own folder.
    QProcess second;
    folder.Start(second, "second.log", {"second.bas", folder.File("third.bas")});
    QVERIFY(second.waitForFinished(kStartTimeout));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("first.log"), "bring-forward"), kStartTimeout);

    QCOMPARE(folder.Lines("second.log"), QStringList{"second-instance"});
    QStringList opened = folder.Lines("first.log").filter("open ");
    QCOMPARE(opened,
             (QStringList{"open " + folder.File("first.bas"), "open " + folder.File("second.bas"),
                          "open " + folder.File("third.bas")}));
    QCOMPARE(folder.Lines("first.log").count("bring-forward"), 1);
    QVERIFY(folder.Lines("prompts.log").isEmpty());
    QCOMPARE(first.state(), QProcess::Running);
    FinishFirst(first);
}

void InstanceGuardTest::secondCopyWithoutFilesOnlyBringsTheFirstForward() {
    IdeFolder folder;
    QProcess first;
    folder.Start(first, "first.log", {});
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("first.log"), "FormActivate"), kStartTimeout);
    // The guard's folder is the user's alone.
    QVERIFY(test::OnlyOwnerMayEnter(folder.RuntimeFolder() + "/QUARNO"));

    QProcess second;
    folder.Start(second, "second.log", {});
    QVERIFY(second.waitForFinished(kStartTimeout));
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("first.log"), "bring-forward"), kStartTimeout);
    QVERIFY(folder.Lines("first.log").filter("open ").isEmpty());
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
    QStringList leftovers =
        QDir(folder.RuntimeFolder() + "/QUARNO").entryList(QDir::Files | QDir::System);
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
    folder.Start(second, "second.log", {});
    QVERIFY(second.waitForFinished(kStartTimeout));
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!form.isMinimized(), kStartTimeout);
    QVERIFY(form.isVisible());
    QVERIFY(form.isMaximized());
    QTRY_VERIFY(form.isActiveWindow());
    QCOMPARE(folder.Lines("second.log"), QStringList{"second-instance"});
}

void InstanceGuardTest::handedFilesOpenInTabsAndAMissingOneIsReported() {
    IdeFolder folder;
    QVERIFY(folder.Write("one.bas", "PRINT 1\r\n"));
    QVERIFY(folder.Write("two.inc", "PRINT 2\r\n"));
    qputenv("XDG_RUNTIME_DIR", folder.RuntimeFolder().toLocal8Bit());
    TInstanceGuard guard;
    QVERIFY(guard.Claim());
    test::TScriptedPrompts prompts;
    test::TScriptedFileDialogs dialogs;
    test::TRecordingProcesses processes;
    test::TRecordingDesktop desktop;
    TEditorMainForm form(TAppSeams(prompts, dialogs, processes, desktop),
                         folder.File("quarno-ide").toStdString(), std::string());
    connect(&guard, &TInstanceGuard::FilesForwarded, &form, &TEditorMainForm::OpenForwardedFiles);
    connect(&guard, &TInstanceGuard::BringForwardRequested, &form, &TEditorMainForm::BringForward);
    form.show();
    // The first activation makes the untitled document the first file replaces.
    QTRY_COMPARE_WITH_TIMEOUT(form.Documents().DocumentCount(), 1, kStartTimeout);

    QProcess second;
    folder.Start(second, "second.log",
                 {folder.File("one.bas"), folder.File("none.bas"), folder.File("two.inc")});
    QVERIFY(second.waitForFinished(kStartTimeout));
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(form.Documents().DocumentCount(), 2, kStartTimeout);
    QCOMPARE(form.Documents().Document(0).FileName(), folder.File("one.bas").toStdString());
    QCOMPARE(form.Documents().Document(1).FileName(), folder.File("two.inc").toStdString());
    QCOMPARE(form.Documents().Current(), &form.Documents().Document(1));
    QCOMPARE(prompts.Boxes().size(), size_t(1));
    QCOMPARE(prompts.Boxes()[0].text,
             "Cannot Find or Open File\r\"" + folder.File("none.bas").toStdString() + "\"");
}

// Each message below is refused: the first copy logs it, opens nothing and
// stays where it is.
void InstanceGuardTest::malformedMessagesAreRefusedAndLogged() {
    IdeFolder folder;
    QVERIFY(folder.Write("a.bas", "PRINT 1\r\n"));
    QProcess first;
    folder.Start(first, "first.log", {});
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("first.log"), "FormActivate"), kStartTimeout);
    qputenv("XDG_RUNTIME_DIR", folder.RuntimeFolder().toLocal8Bit());

    const QByteArray file = folder.File("a.bas").toLocal8Bit();
    const QList<QPair<QByteArray, QString>> cases{
        {"hello\n", "refused not a request of this program"},
        {QByteArray(200, 'x'), "refused the first line is too long"},
        {"QUARNOPLUSINSTANCE 2\n" + file + '\0',
         "refused the message ended before it was complete"},
        {"QUARNOPLUSINSTANCE 1\n" + file + '\0' + "more",
         "refused bytes after the end of the message"},
        {"QUARNOPLUSINSTANCE 1\n" + QByteArray(5000, 'y'), "refused a file name is too long"},
    };
    for (const auto& [bytes, logged] : cases) {
        Send(bytes);
        QTRY_VERIFY2_WITH_TIMEOUT(Contains(folder.Lines("first.log"), logged), qPrintable(logged),
                                  kStartTimeout);
    }
    QStringList log = folder.Lines("first.log");
    QCOMPARE(log.filter("refused ").size(), cases.size());
    QVERIFY(log.filter("open ").isEmpty());
    QVERIFY(!Contains(log, "bring-forward"));

    // The channel still serves a proper request afterwards.
    Send(QByteArray::fromStdString(TInstanceMessage::Encode({file.toStdString()})));
    QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("first.log"), "bring-forward"), kStartTimeout);
    QVERIFY(Contains(folder.Lines("first.log"), "open " + folder.File("a.bas")));
    QCOMPARE(first.state(), QProcess::Running);
    FinishFirst(first);
}

// A guard folder planted by someone else (another user's, when the test may
// hand one over; a link to elsewhere always) is not trusted: the program
// starts as a copy of its own and hands nothing to the listener waiting there.
void InstanceGuardTest::aGuardFolderOfAnotherUserIsNeverUsed() {
    QStringList plantings{"link"};
    if (::geteuid() == 0) plantings << "other user";
    for (const QString& planting : plantings) {
        IdeFolder folder;
        QVERIFY(folder.Write("a.bas", "PRINT 1\r\n"));
        const QString guardFolder = folder.RuntimeFolder() + "/QUARNO";
        const QString planted = folder.File("planted");
        QVERIFY(QDir().mkpath(planted));
        if (planting == "link")
            QVERIFY(QFile::link(planted, guardFolder));
        else
            QVERIFY(QDir().rename(planted, guardFolder));
        qputenv("XDG_RUNTIME_DIR", folder.RuntimeFolder().toLocal8Bit());
        QLocalServer listener;
        QVERIFY(listener.listen(TInstanceGuard::ServerName()));
        if (planting == "other user")
            QVERIFY(::chown(guardFolder.toLocal8Bit().constData(), 65534, 65534) == 0);

        QProcess copy;
        folder.Start(copy, "copy.log", {folder.File("a.bas")});
        QTRY_VERIFY_WITH_TIMEOUT(Contains(folder.Lines("copy.log"), "FormActivate"), kStartTimeout);
        QCOMPARE(folder.Lines("copy.log").first(), QString("first-instance"));
        QVERIFY2(!listener.hasPendingConnections(), qPrintable(planting));
        FinishFirst(copy);
    }
}

QTEST_MAIN(InstanceGuardTest)
#include "InstanceGuardTest.moc"
