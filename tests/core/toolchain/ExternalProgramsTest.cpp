#include "core/toolchain/ExternalPrograms.h"
#include "core/toolchain/CompilerInterface.h"
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
