#include "core/app/ProcessCommand.h"
#include "core/app/TProcesses.h"
#include "support/TRecordingProcesses.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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
                     "Problem Running /opt/INC/TERM.EXE\r\nThe folder /opt/INC does not exist.");
    }
    ASSERT_EQ(processes.Calls().size(), 2u);
    EXPECT_EQ(processes.Calls()[0].args, Words{"/p/A.HEX"});
    EXPECT_FALSE(processes.Calls()[1].waited);
}
