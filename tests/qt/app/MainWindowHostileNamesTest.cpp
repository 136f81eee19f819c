// File names that a shell would take apart (blanks, quotes, ";", "$()", a
// leading "-", bytes that are not UTF-8, a newline) through Open, Save,
// Compile, Program, Download and the Run menu: the programs really run (a
// fake program that logs its argv) and each name reaches them as one intact
// argument, with nothing ever run by a shell.
#include "core/base/TProfileFile.h"
#include "qt/app/TOpenFilesTab.h"
#include "qt/base/TQtProcesses.h"
#include "support/MainWindowRig.h"

#include <QMenu>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

using namespace quarno;
using quarno::test::IdeFolder;
using Window = quarno::test::MainWindowRig;
using Words = std::vector<std::string>;

namespace {

// The source's name: every character a shell would act on, bytes that are
// not UTF-8 and a newline.
const std::string kHostileName = "-x b'c\"d;e $(touch PWNED) `id`\xff\xfe\nf.bas";
const std::string kHostileHex = "-x b'c\"d;e $(touch PWNED) `id`\xff\xfe\nf.HEX";

// Writes each argument, program name first, NUL-ended, into a file of its
// own: programs started without waiting run at the same time, and their
// words would interleave in one shared log.
const char* const kFakeProgram = "#!/bin/sh\n"
                                 "log=$(mktemp \"$QUARNO_ARGV_LOG.XXXXXX\")\n"
                                 "for word in \"$0\" \"$@\"; do printf '%s\\0' \"$word\"; done "
                                 "> \"$log\"\n"
                                 "mv \"$log\" \"$log.done\"\n";

std::string Base(const IdeFolder& folder) {
    return folder.File(QString()).toStdString() + "/";
}

void WriteBytes(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary) << bytes;
    ::chmod(path.c_str(), mode);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Words SplitAtNul(const std::string& bytes) {
    Words words;
    size_t start = 0;
    for (size_t end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
        words.push_back(bytes.substr(start, end - start));
    return words;
}

// The argv lists of the fake programs that have finished, sorted: those run
// beside the IDE may finish in any order.
std::vector<Words> LoggedCalls(const std::string& log) {
    const std::filesystem::path prefix(log);
    std::vector<Words> calls;
    for (const auto& entry : std::filesystem::directory_iterator(prefix.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix.filename().string()) && name.ends_with(".done"))
            calls.push_back(SplitAtNul(ReadBytes(entry.path().string())));
    }
    std::sort(calls.begin(), calls.end());
    return calls;
}

QAction* RunItem(Window& window, const char* menu) {
    QList<QAction*> items = window.main.findChild<QMenu*>(menu)->actions();
    return items.isEmpty() ? nullptr : items.front();
}

} // namespace

class MainWindowHostileNamesTest : public QObject {
    Q_OBJECT
private slots:
    void hostileNamesReachEveryProgramAsOneArgument();
};

void MainWindowHostileNamesTest::hostileNamesReachEveryProgramAsOneArgument() {
    IdeFolder folder;
    const std::string base = Base(folder);
    const std::string log = base + "argv.log";
    qputenv("QUARNO_ARGV_LOG", QByteArray::fromStdString(log));
    // Programs with blanks and shell characters in their own names, too.
    const std::string compiler = base + "QUARNO_PL.EXE";
    const std::string orla = base + "my orla;$(x).sh";
    const std::string own = base + "own 'programmer'.sh";
    const std::string bootloader = base + "INC/BOOTLOAD.EXE";
    const std::string ownBoot = base + "boot \"loader\".sh";
    QDir(folder.File("INC")).mkpath("EXTERNAL PROGRAMS");
    const std::string tool = base + "INC/EXTERNAL PROGRAMS/-tool $(id) \xe9.exe";
    for (const std::string& program : {compiler, orla, own, bootloader, ownBoot, tool})
        WriteBytes(program, kFakeProgram, 0755);
    const std::string source = base + kHostileName;
    const std::string hex = base + kHostileHex;
    WriteBytes(source, "High PORTB.0\r\n");
    TProfileFile ini(folder.File("INC/KBX.INI").toStdString());
    ini.WriteString("ORLA", "PATHNAME", orla);
    ini.WriteString("EXT_PROG", "EXT_PATH", own);
    ini.WriteString("EXT_PROG", "CMD_LINE", "%FULL -f%FILENAME \"-p %PIC\"");
    ini.WriteString("EXT_BOOTLOADER", "EXT_PATH", ownBoot);
    ini.WriteString("EXT_BOOTLOADER", "CMD_LINE", "--file=%FULL");

    Window window(folder);
    TQtProcesses real;
    window.processes.runner = &real;
    window.main.show();
    QTRY_COMPARE(window.main.OpenFilesTab()->count(), 1);

    window.dialogs.QueueFile(source);
    window.main.OpenButtonClick();
    QCOMPARE(window.Text(), QString("High PORTB.0\r"));
    window.Trigger("CompileBASIC");
    window.Trigger("ProgramPIC"); // ORLA
    window.Trigger("ExtProg");
    window.Trigger("ProgramPIC");   // the user's programmer through its template
    window.Trigger("DownloadItem"); // the standard bootloader, waited for
    window.Trigger("External_Bootloader_Option");
    window.Trigger("DownloadItem");
    RunItem(window, "Run1")->trigger();

    const std::vector<Words> expected = {
        {compiler, source, "-m", "-q"},
        {orla, hex, "-dPIC"},
        {own, hex, hex, "-f" + kHostileHex, "-p 16F84"},
        {bootloader, hex},
        {ownBoot, hex, "--file=" + hex},
        {tool},
    };
    // Programs started without waiting log in their own time; the last one
    // is waited for, so only the count of those before it may lag.
    QTRY_COMPARE(LoggedCalls(log).size(), expected.size());
    std::vector<Words> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(LoggedCalls(log), sorted);
    // Every start succeeded (the fake compiler leaves no result, which may be said).
    for (const std::string& text : window.PromptTexts())
        QVERIFY2(text.find("Problem Running") == std::string::npos, text.c_str());

    // Saving writes the name itself and its backup beside it.
    window.main.Lexipad1()->SetText("PRINT 2\r");
    window.main.Lexipad1()->SetSelection(0, 0);
    window.main.Lexipad1()->ReplaceSelection("' new\r");
    window.Trigger("SaveButton");
    QCOMPARE(ReadBytes(source), std::string("' new\r\nPRINT 2\r\n"));
    const std::string backup = base + "-x b'c\"d;e $(touch PWNED) `id`\xff\xfe\nf.BAK";
    QCOMPARE(ReadBytes(backup), std::string("High PORTB.0\r\n"));
    QVERIFY(!QFile::exists(folder.File("PWNED")));
    QVERIFY(!QFile::exists("PWNED"));
    // Qt's own clean-up cannot name files that are not UTF-8.
    for (const std::string& path : {source, backup, tool})
        std::filesystem::remove(path);
}

QTEST_MAIN(MainWindowHostileNamesTest)
#include "MainWindowHostileNamesTest.moc"
