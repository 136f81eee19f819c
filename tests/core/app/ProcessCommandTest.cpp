#include "core/app/ProcessCommand.h"
#include "core/app/TProcesses.h"
#include "support/TRecordingProcesses.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarno;
using quarno::test::TempDir;
using Words = std::vector<std::string>;

TEST(ProcessCommand, WindowsExecutablesRunThroughWineOnlyWhenWineIsInstalled) {
    TempDir dir;
    std::string exe = dir.Write("BOOTLOAD.EXE", std::string("MZ\x90\0\x03", 5));
    std::string script = dir.Write("tool", "#!/bin/sh\n");
    std::string tiny = dir.Write("M.EXE", "M");
    std::string lower = dir.Write("mz.exe", "mz");
    std::string missing = dir.File("missing.EXE");
    struct Case {
        std::string path;
        std::string wine;
        TProcessCommand expected;
    };
    const Case cases[] = {
        {exe, "/usr/bin/wine", {"/usr/bin/wine", {exe, "/a b/P.HEX", "-x"}}},
        {exe, "", {exe, {"/a b/P.HEX", "-x"}}},
        {script, "/usr/bin/wine", {script, {"/a b/P.HEX", "-x"}}},
        {tiny, "/usr/bin/wine", {tiny, {"/a b/P.HEX", "-x"}}},
        {lower, "/usr/bin/wine", {lower, {"/a b/P.HEX", "-x"}}},
        {missing, "/usr/bin/wine", {missing, {"/a b/P.HEX", "-x"}}},
    };
    for (const Case& c : cases) {
        TProcessCommand command = ResolveProcessCommand(c.path, {"/a b/P.HEX", "-x"}, c.wine);
        EXPECT_EQ(command.program, c.expected.program) << c.path;
        EXPECT_EQ(command.arguments, c.expected.arguments) << c.path;
    }
}

TEST(TProcesses, StartProgramFailureRaisesProblemRunningWithThePath) {
    quarno::test::TRecordingProcesses processes;
    processes.FailToStart("/opt/INC/TERM.EXE");
    EXPECT_NO_THROW(processes.StartProgram("/opt/INC/BOOTLOAD.EXE", {"/p/A.HEX"}));
    try {
        processes.StartProgram("/opt/INC/TERM.EXE", {});
        FAIL() << "no error raised";
    } catch (const EProgramStart& error) {
        EXPECT_STREQ(error.what(),
                     "Problem Running /opt/INC/TERM.EXE: the folder /opt/INC does not exist");
    }
    ASSERT_EQ(processes.Calls().size(), 2u);
    EXPECT_EQ(processes.Calls()[0].args, Words{"/p/A.HEX"});
    EXPECT_FALSE(processes.Calls()[1].waited);
}

TEST(ProcessCommand, StartProblemSaysWhatOnDiskKeepsTheProgramFromStarting) {
    TempDir dir;
    std::string windows = dir.Write("ORLAWIN.EXE", std::string("MZ\x90\0", 4));
    std::string script = dir.Write("picprog", "#!/bin/sh\n");
    std::string runnable = dir.Write("run", "#!/bin/sh\n");
    std::filesystem::permissions(runnable, std::filesystem::perms::owner_all);
    std::filesystem::create_directories(dir.File("TOOLS"));
    struct Case {
        std::string path;
        std::string wine;
        std::string reason;
    };
    const Case cases[] = {
        {"", "", "no program has been chosen"},
        {dir.File("gone/TERM.EXE"), "", "the folder " + dir.File("gone") + " does not exist"},
        {dir.File("TERM.EXE"), "", "the file does not exist"},
        {dir.File("TOOLS"), "", "it is a folder, not a program"},
        {windows, "",
         "it is a Windows program and wine is not installed (install the package wine to run "
         "it)"},
        {windows, "/usr/bin/wine", ""}, // wine should have run it: nothing on disk explains it
        {script, "", "the file is not executable (allow it with: chmod +x \"" + script + "\")"},
        {runnable, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StartProblem(c.path, c.wine), c.reason) << c.path;
    EXPECT_EQ(ProblemRunningMessage("/x/TERM.EXE", "why"), "Problem Running /x/TERM.EXE: why");
    EXPECT_EQ(ProblemRunningMessage("/x/TERM.EXE", ""), "Problem Running /x/TERM.EXE");
}

TEST(TProcesses, ProgramEndsReachTheirListener) {
    quarno::test::TRecordingProcesses processes;
    processes.EndProgram({"/a", {}, 1, false, ""}); // nobody listens: nothing happens
    std::vector<TProgramEnd> ends;
    processes.OnProgramEnded = [&ends](const TProgramEnd& end) { ends.push_back(end); };
    processes.EndProgram({"/opt/INC/TERM.EXE", {"-p", "/dev/ttyUSB0"}, 2, false, "denied"});
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].path, "/opt/INC/TERM.EXE");
    EXPECT_EQ(ends[0].exitCode, 2);
    EXPECT_EQ(ends[0].errorOutput, "denied");
}
