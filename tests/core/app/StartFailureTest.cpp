#include "core/app/StartFailure.h"
#include "core/app/TProcesses.h"
#include "support/TRecordingProcesses.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarno;
using quarno::test::TempDir;

TEST(StartFailure, TheReasonSaysWhatOnDiskKeepsTheProgramFromStarting) {
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
        {"", "", "No program has been chosen."},
        {dir.File("gone/TERM.EXE"), "", "The folder " + dir.File("gone") + " does not exist."},
        {dir.File("TERM.EXE"), "", "The file does not exist."},
        {dir.File("TOOLS"), "", "It is a folder, not a program."},
        {windows, "",
         "It is a Windows program and wine is not installed (install the package wine to run "
         "it)."},
        {windows, "/usr/bin/wine", ""}, // wine should have run it: nothing on disk explains it
        {script, "", "The file is not executable (allow it with: chmod +x \"" + script + "\")."},
        {runnable, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StartFailureReason(c.path, c.wine), c.reason) << c.path;
    EXPECT_EQ(ProblemRunningMessage("/x/TERM.EXE", "Why."), "Problem Running /x/TERM.EXE\r\nWhy.");
    EXPECT_EQ(ProblemRunningMessage("/x/TERM.EXE", ""), "Problem Running /x/TERM.EXE");
}

TEST(StartFailure, ProgramEndsReachTheirListener) {
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
