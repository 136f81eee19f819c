// Starting external programs through QProcess: waiting keeps the event loop
// running, failures are reported the application's way, Windows executables
// go through wine.
#include "qt/base/TQtProcesses.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace quarno;

namespace {
constexpr int kTimeout = 60000;

// A shell script that waits until the file named by its first argument
// exists, then writes its remaining arguments to the second, one per line.
const char* const kWaitForFlag = "while [ ! -e \"$1\" ]; do sleep 0.02; done\n"
                                 "out=$2; shift 2; printf '%s\\n' \"$@\" > \"$out\"\n";

std::string Path(const QTemporaryDir& dir, const char* name) {
    return dir.filePath(name).toStdString();
}

QString ReadText(const QTemporaryDir& dir, const char* name) {
    QFile file(dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void Touch(const QTemporaryDir& dir, const char* name) {
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
}
} // namespace

class QtProcessesTest : public QObject {
    Q_OBJECT
private slots:
    void executeAndWaitKeepsTheEventLoopRunningUntilTheProgramEnds();
    void executeAndWaitReportsOnlyWhetherTheProgramStarted();
    void startProgramReturnsAtOnceOrRaisesProblemRunning();
    void windowsExecutablesRunThroughWine();
    void endsAreReportedWithTheErrorOutput();
    // Last: it quits the application's event loops.
    void quittingTheApplicationEndsTheWaitAndLeavesTheProgramRunning();
};

void QtProcessesTest::executeAndWaitKeepsTheEventLoopRunningUntilTheProgramEnds() {
    QTemporaryDir dir;
    TQtProcesses processes;
    // The program only ends once a timer of ours has run during the wait.
    QTimer::singleShot(0, this, [&dir] { Touch(dir, "flag"); });
    QVERIFY(processes.ExecuteAndWait(
        "/bin/sh", {"-c", kWaitForFlag, "sh", Path(dir, "flag"), Path(dir, "out"), "a b", ""}));
    QCOMPARE(ReadText(dir, "out"), QString("a b\n\n"));
}

void QtProcessesTest::executeAndWaitReportsOnlyWhetherTheProgramStarted() {
    QTemporaryDir dir;
    TQtProcesses processes;
    QVERIFY(processes.ExecuteAndWait("/bin/sh", {"-c", "exit 3"}));
    QVERIFY(!processes.ExecuteAndWait(Path(dir, "QUARNO_PL.EXE"), {"/src/A.BAS", "-m", "-q"}));
    QFile text(dir.filePath("notes.txt"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a program\n");
    text.close();
    QVERIFY(!processes.ExecuteAndWait(Path(dir, "notes.txt"), {}));
}

void QtProcessesTest::startProgramReturnsAtOnceOrRaisesProblemRunning() {
    QTemporaryDir dir;
    TQtProcesses processes;
    Touch(dir, "flag");
    processes.StartProgram("/bin/sh", {"-c", kWaitForFlag, "sh", Path(dir, "flag"),
                                       Path(dir, "out"), "/p/PROG.HEX", "-dPIC16F84"});
    QTRY_COMPARE_WITH_TIMEOUT(ReadText(dir, "out"), QString("/p/PROG.HEX\n-dPIC16F84\n"), kTimeout);

    std::string missing = Path(dir, "TERM.EXE");
    try {
        processes.StartProgram(missing, {});
        QFAIL("no error raised");
    } catch (const EProgramStart& error) {
        QCOMPARE(std::string(error.what()),
                 "Problem Running " + missing + ": the file does not exist");
    }
}

void QtProcessesTest::windowsExecutablesRunThroughWine() {
    QTemporaryDir dir;
    QFile wine(dir.filePath("wine"));
    QVERIFY(wine.open(QIODevice::WriteOnly));
    wine.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/wine.out\"\n");
    wine.close();
    wine.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile exe(dir.filePath("BOOTLOAD.EXE"));
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.write(QByteArray("MZ\x90\x00", 4));
    exe.close();

    QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit() + ":" + path);
    TQtProcesses processes;
    bool started = processes.ExecuteAndWait(Path(dir, "BOOTLOAD.EXE"), {"/my files/PROG.HEX"});
    qputenv("PATH", path);
    QVERIFY(started);
    QCOMPARE(ReadText(dir, "wine.out"),
             dir.filePath("BOOTLOAD.EXE") + QString("\n/my files/PROG.HEX\n"));
}

void QtProcessesTest::endsAreReportedWithTheErrorOutput() {
    TQtProcesses processes;
    std::vector<TProgramEnd> ends;
    processes.OnProgramEnded = [&ends](const TProgramEnd& end) { ends.push_back(end); };
    const char* script = "echo \"cannot open $1: Permission denied\" >&2; exit 3";
    processes.StartProgram("/bin/sh", {"-c", script, "sh", "/dev/ttyUSB0"});
    QTRY_COMPARE_WITH_TIMEOUT(ends.size(), size_t(1), kTimeout);
    QCOMPARE(ends[0].path, std::string("/bin/sh"));
    QCOMPARE(ends[0].args.back(), std::string("/dev/ttyUSB0"));
    QCOMPARE(ends[0].exitCode, 3);
    QVERIFY(!ends[0].crashed);
    QCOMPARE(ends[0].errorOutput, std::string("cannot open /dev/ttyUSB0: Permission denied\n"));

    // A waited-for program is reported before the wait returns; only the
    // last part of a long error output is kept.
    QVERIFY(
        processes.ExecuteAndWait("/bin/sh", {"-c", "head -c 10000 /dev/zero | tr '\\0' x >&2"}));
    QCOMPARE(ends.size(), size_t(2));
    QCOMPARE(ends[1].exitCode, 0);
    QCOMPARE(ends[1].errorOutput, std::string(TQtProcesses::kErrorOutputKept, 'x'));
}

void QtProcessesTest::quittingTheApplicationEndsTheWaitAndLeavesTheProgramRunning() {
    QTemporaryDir dir;
    TQtProcesses processes;
    QTimer::singleShot(0, this, [] { QCoreApplication::exit(0); });
    QVERIFY(processes.ExecuteAndWait(
        "/bin/sh", {"-c", kWaitForFlag, "sh", Path(dir, "flag"), Path(dir, "out"), "done"}));
    QVERIFY(!QFile::exists(dir.filePath("out")));
    // Still running: it finishes its work once released.
    Touch(dir, "flag");
    QTRY_COMPARE_WITH_TIMEOUT(ReadText(dir, "out"), QString("done\n"), kTimeout);
}

QTEST_MAIN(QtProcessesTest)
#include "QtProcessesTest.moc"
