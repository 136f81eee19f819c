#include "core/toolchain/ExternalPrograms.h"
#include "core/editor/TCustomLexipad.h"
#include "core/toolchain/CompilerInterface.h"
#include "support/TRecordingProcesses.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarno;
using quarno::test::TempDir;

TEST(ExternalPrograms, ListsTheProgramsOfTheFolderOnly) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("EXTERNAL PROGRAMS/TOOLS"));
    dir.Write("EXTERNAL PROGRAMS/B.exe", "");
    dir.Write("EXTERNAL PROGRAMS/A.EXE", "");
    dir.Write("EXTERNAL PROGRAMS/RES_FILE.TXT", "");
    dir.Write("EXTERNAL PROGRAMS/TOOLS/C.EXE", "");
    const std::string folder = dir.Folder() + "EXTERNAL PROGRAMS/";
    EXPECT_EQ(ListExternalPrograms(dir.Folder()),
              (std::vector<std::string>{folder + "A.EXE", folder + "B.exe"}));
    auto plan = ExternalProgramLaunch(dir.Folder(), "A.EXE");
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->Program, folder + "A.EXE");
    EXPECT_TRUE(plan->Argv.empty());
    EXPECT_TRUE(plan->Wait);
    EXPECT_FALSE(ExternalProgramLaunch(dir.Folder(), "GONE.EXE"));
    EXPECT_FALSE(ExternalProgramLaunch(dir.Folder(), ""));
}

TEST(ExternalPrograms, HandBackTakesTheLinesAndEmptiesTheFile) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("EXTERNAL PROGRAMS"));
    EXPECT_FALSE(TakeHandBackText(dir.Folder())); // no file
    dir.Write("EXTERNAL PROGRAMS/RES_FILE.TXT", "first\nsecond");
    EXPECT_EQ(TakeHandBackText(dir.Folder()), std::string("first\r\nsecond\r\n"));
    EXPECT_TRUE(std::filesystem::exists(dir.File("EXTERNAL PROGRAMS/RES_FILE.TXT")));
    EXPECT_EQ(dir.Read("EXTERNAL PROGRAMS/RES_FILE.TXT"), "");
    // The next time the file is empty: nothing to insert, the selection stays.
    EXPECT_FALSE(TakeHandBackText(dir.Folder()));
    dir.Write("EXTERNAL PROGRAMS/RES_FILE.TXT", "\r\n");
    EXPECT_EQ(TakeHandBackText(dir.Folder()), std::string("\r\n"));
}

TEST(CompilerInterface, LaunchAndOutputFiles) {
    TLaunchPlan plan = CompilerLaunch("/opt/quarno/", "/w/my prog.bas");
    EXPECT_EQ(plan.Program, "/opt/quarno/QUARNO_PL.EXE");
    EXPECT_EQ(plan.Arguments, "/w/my prog.bas -m -q");
    EXPECT_EQ(plan.Argv, (std::vector<std::string>{"/w/my prog.bas", "-m", "-q"}));
    EXPECT_TRUE(plan.Wait);
    EXPECT_TRUE(IsBasicSource("/w/a.Bas"));
    EXPECT_FALSE(IsBasicSource("/w/test.inc"));
    EXPECT_FALSE(IsBasicSource("/w.bas/noext"));

    TempDir dir;
    const std::string source = dir.File("prog.bas");
    EXPECT_EQ(CompilerOutputPath(source, ".HEX"), dir.File("prog.HEX")); // none: exact name
    dir.Write("prog.hex", "");
    EXPECT_EQ(CompilerOutputPath(source, ".HEX"), dir.File("prog.hex"));
    dir.Write("prog.HEX", "");
    EXPECT_EQ(CompilerOutputPath(source, ".HEX"), dir.File("prog.HEX")); // exact first
}

TEST(ExternalPrograms, ARunItemWaitsForItsProgramAndInsertsItsHandBack) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("EXTERNAL PROGRAMS"));
    std::string tool = dir.Write("EXTERNAL PROGRAMS/header.exe", "");
    quarno::test::TRecordingProcesses processes;
    TCustomLexipad editor;
    editor.SetText("ab");
    editor.SetSelection(1, 1);
    // What the tool leaves behind, as if it had run.
    dir.Write("EXTERNAL PROGRAMS/RES_FILE.TXT", "' one\n' two\n");
    RunExternalProgram(dir.Folder(), "header.exe", processes, editor);
    ASSERT_EQ(processes.Calls().size(), 1u);
    EXPECT_TRUE(processes.Calls()[0].waited);
    EXPECT_EQ(processes.Calls()[0].path, tool);
    EXPECT_TRUE(processes.Calls()[0].args.empty());
    EXPECT_EQ(editor.Text(), "a' one\r' two\rb"); // the store keeps one CR a line break
    EXPECT_EQ(editor.CaretPos(), 13);
    EXPECT_EQ(dir.Read("EXTERNAL PROGRAMS/RES_FILE.TXT"), "");
    editor.Undo(); // one step
    EXPECT_EQ(editor.Text(), "ab");

    // Next time the file is empty: nothing changes. A program that has gone
    // still hands back what the file holds; an empty caption does nothing.
    RunExternalProgram(dir.Folder(), "header.exe", processes, editor);
    EXPECT_EQ(editor.Text(), "ab");
    std::filesystem::remove(tool);
    dir.Write("EXTERNAL PROGRAMS/RES_FILE.TXT", "left\n");
    RunExternalProgram(dir.Folder(), "", processes, editor);
    EXPECT_EQ(editor.Text(), "ab");
    RunExternalProgram(dir.Folder(), "header.exe", processes, editor);
    EXPECT_EQ(processes.Calls().size(), 2u);
    EXPECT_EQ(editor.Text(), "aleft\rb");
}

// A tool that is there but does not start: what the file holds still comes
// in, then the start failure is reported with its reason.
TEST(ExternalPrograms, ARunItemThatCannotStartIsReportedAfterTheHandBack) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("EXTERNAL PROGRAMS"));
    std::string tool = dir.Write("EXTERNAL PROGRAMS/LINES.EXE", "#!/bin/sh\n"); // not executable
    quarno::test::TRecordingProcesses processes;
    processes.QueueWaitResult(false);
    TCustomLexipad editor;
    dir.Write("EXTERNAL PROGRAMS/RES_FILE.TXT", "kept\n");
    try {
        RunExternalProgram(dir.Folder(), "LINES.EXE", processes, editor);
        FAIL() << "no error raised";
    } catch (const EProgramStart& error) {
        EXPECT_EQ(std::string(error.what()), "Problem Running " + tool +
                                                 ": the file is not executable (allow it with: "
                                                 "chmod +x \"" +
                                                 tool + "\")");
    }
    EXPECT_EQ(editor.Text(), "kept\r");
    EXPECT_EQ(dir.Read("EXTERNAL PROGRAMS/RES_FILE.TXT"), "");
}

TEST(CompilerInterface, CompilerMayBeNamedInTheConfigurationFile) {
    TempDir dir;
    EXPECT_EQ(CompilerProgram(dir.Folder()), dir.File("QUARNO_PL.EXE")); // no KBX.INI
    std::filesystem::create_directories(dir.File("INC"));
    struct Case {
        const char* ini;
        std::string program;
    };
    const Case cases[] = {
        {"[PROGRAMMER]\r\nTYPE=ORLA\r\n", dir.File("QUARNO_PL.EXE")},
        {"[COMPILER]\r\nPATHNAME=\r\n", dir.File("QUARNO_PL.EXE")},
        {"[compiler]\r\npathname=/opt/pic/bin/picbasic\r\n", "/opt/pic/bin/picbasic"},
        {"[COMPILER]\r\nPATHNAME=tools/QUARNO_PL.EXE\r\n", dir.File("tools/QUARNO_PL.EXE")},
    };
    for (const Case& c : cases) {
        dir.Write("INC/KBX.INI", c.ini);
        EXPECT_EQ(CompilerProgram(dir.Folder()), c.program) << c.ini;
        EXPECT_EQ(CompilerLaunch(dir.Folder(), "/w/a.bas").Program, c.program) << c.ini;
    }
}
