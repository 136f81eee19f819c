#include "core/app/TAppGlobals.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::TempDir;

TEST(TAppGlobals, FoldersComeFromTheExecutablePathWithTrailingSlashes) {
    struct Case {
        const char* executable;
        const char* application;
        const char* inc;
    };
    const Case cases[] = {
        {"/opt/quarno/bin/quarno-ide", "/opt/quarno/bin/", "/opt/quarno/bin/INC/"},
        {"/quarno-ide", "/", "/INC/"},
        {"/home/ann/My Tools/quarno-ide", "/home/ann/My Tools/", "/home/ann/My Tools/INC/"},
        {"quarno-ide", "./", "./INC/"},
        {"bin/quarno-ide", "bin/", "bin/INC/"},
    };
    for (const Case& c : cases) {
        TAppGlobals globals;
        globals.ComputeFolders(c.executable);
        EXPECT_EQ(globals.ApplicationFolder(), c.application) << c.executable;
        EXPECT_EQ(globals.IncFolder(), c.inc) << c.executable;
        EXPECT_EQ(globals.ConfigFileName(), std::string(c.inc) + "KBX.INI") << c.executable;
        EXPECT_EQ(globals.ExternalProgramsFolder(), std::string(c.inc) + "EXTERNAL PROGRAMS/")
            << c.executable;
    }
}

TEST(TAppGlobals, ProcessWideValuesStartWithTheDefaultDeviceAndEmptyPaths) {
    TAppGlobals globals;
    EXPECT_EQ(globals.DeviceName(), "16F84");
    EXPECT_EQ(globals.HexPath(), "");
    EXPECT_EQ(globals.AsmPath(), "");
    EXPECT_EQ(globals.LastOpenedFile(), "");
    EXPECT_EQ(globals.ExtProgrammerName(), "");
    EXPECT_EQ(globals.ExtBootloaderName(), "");
}

TEST(TAppGlobals, ConfigReadsTheIncFolderFileAfreshOnEveryCall) {
    TempDir dir;
    TAppGlobals globals;
    globals.ComputeFolders(dir.File("quarno-ide"));
    EXPECT_EQ(globals.Config().ReadString("PROGRAMMER", "TYPE", "ORLA"), "ORLA");
    std::filesystem::create_directory(dir.File("INC"));
    dir.Write("INC/KBX.INI", "[programmer]\r\ntype=OTHER\r\n");
    EXPECT_EQ(globals.Config().ReadString("PROGRAMMER", "TYPE", "ORLA"), "OTHER");
    globals.Config().WriteString("EXT_PROG", "NAME", "PICkit");
    EXPECT_NE(dir.Read("INC/KBX.INI").find("NAME=PICkit"), std::string::npos);
}
