// The main window's Program command: the ORLA programmer or the user's own,
// chosen in the Options menu, started with the HEX path without waiting, and
// a start that fails reported with the program's path.
#include "core/base/TProfileFile.h"
#include "support/MainWindowRig.h"

#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;
using Window = quarno::test::MainWindowRig;
using Words = std::vector<std::string>;

class MainWindowProgramTest : public QObject {
    Q_OBJECT
private slots:
    void orlaGetsTheHexPathAndTheDevice();
    void ownProgrammerGetsTheExpandedTemplate();
    void failedStartIsReported();
    void hexFileIsFoundInAnyCase();
};

namespace {

TProfileFile Ini(const IdeFolder& folder) {
    return TProfileFile(folder.File("INC/KBX.INI").toStdString());
}

} // namespace

void MainWindowProgramTest::orlaGetsTheHexPathAndTheDevice() {
    IdeFolder folder;
    Window window(folder);
    Ini(folder).WriteString("ORLA", "PATHNAME", "/opt/orla/ORLAWIN.EXE");
    std::string hex = window.OpenSource(folder);
    window.Trigger("ProgramPIC"); // no compile result: no device after -dPIC
    QCOMPARE(window.processes.Calls().size(), size_t(1));
    QVERIFY(!window.processes.Calls()[0].waited);
    QCOMPARE(window.processes.Calls()[0].path, std::string("/opt/orla/ORLAWIN.EXE"));
    QCOMPARE(window.processes.Calls()[0].args, (Words{hex, "-dPIC"}));
}

void MainWindowProgramTest::ownProgrammerGetsTheExpandedTemplate() {
    IdeFolder folder;
    Window window(folder);
    TProfileFile ini = Ini(folder);
    ini.WriteString("EXT_PROG", "EXT_PATH", "/usr/bin/picprog");
    ini.WriteString("EXT_PROG", "CMD_LINE", "-p%PIC -f%FILENAME");
    std::string hex = window.OpenSource(folder);
    window.Trigger("ExtProg");
    QCOMPARE(ini.ReadString("PROGRAMMER", "TYPE", ""), std::string("OTHER"));
    window.Trigger("ProgramPIC");
    QCOMPARE(window.processes.Calls().size(), size_t(1));
    QCOMPARE(window.processes.Calls()[0].path, std::string("/usr/bin/picprog"));
    QCOMPARE(window.processes.Calls()[0].args, (Words{hex, "-p16F84", "-fprog.HEX"}));
}

void MainWindowProgramTest::failedStartIsReported() {
    IdeFolder folder;
    Window window(folder);
    Ini(folder).WriteString("ORLA", "PATHNAME", "/missing/ORLAWIN.EXE");
    window.OpenSource(folder);
    window.processes.FailToStart("/missing/ORLAWIN.EXE");
    window.Trigger("ProgramPIC");
    QCOMPARE(window.PromptTexts(), (Words{"Problem Running /missing/ORLAWIN.EXE: "
                                          "the folder /missing does not exist"}));
}

// A compiler that writes prog.hex for prog.bas: the exact name first, then
// the same name in another case.
void MainWindowProgramTest::hexFileIsFoundInAnyCase() {
    IdeFolder folder;
    Window window(folder);
    Ini(folder).WriteString("ORLA", "PATHNAME", "/opt/orla/ORLAWIN.EXE");
    std::string upper = window.OpenSource(folder);
    folder.Write("prog.hex", ":00000001FF\n");
    window.Trigger("ProgramPIC");
    QCOMPARE(window.processes.Calls().back().args[0], folder.File("prog.hex").toStdString());
    folder.Write("prog.HEX", ":00000001FF\n");
    window.Trigger("ProgramPIC");
    QCOMPARE(window.processes.Calls().back().args[0], upper);
}

QTEST_MAIN(MainWindowProgramTest)
#include "MainWindowProgramTest.moc"
