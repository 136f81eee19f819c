#include "core/app/TAppLayout.h"
#include "core/app/AppVersion.h"
#include "core/app/TAppGlobals.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarno;
using quarno::test::TempDir;

TEST(TAppLayout, UserFolderFollowsXdgDataHomeOnlyWhenItIsAbsolute) {
    struct Case {
        TLayoutEnvironment environment;
        const char* folder;
    };
    const Case cases[] = {
        {{"/data/ann", "/home/ann"}, "/data/ann/QUARNO/"},
        {{"/data/ann/", "/home/ann"}, "/data/ann/QUARNO/"},
        {{"", "/home/ann"}, "/home/ann/.local/share/QUARNO/"},
        {{"", "/home/ann/"}, "/home/ann/.local/share/QUARNO/"},
        {{"relative/data", "/home/ann"}, "/home/ann/.local/share/QUARNO/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserDataFolder(c.environment), c.folder) << c.environment.xdgDataHome;
}

TEST(TAppLayout, ExecutableFolderWithTheConfigurationFileIsPortable) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("bin/INC"));
    dir.Write("bin/INC/KBX.INI", "");
    TAppLayout layout = TAppLayout::Decide(dir.File("bin/quarno-ide"), {"/data", "/home/ann"});
    EXPECT_EQ(layout.Kind(), TLayoutKind::Portable);
    EXPECT_EQ(layout.ProgramFolder(), dir.File("bin/"));
    EXPECT_EQ(layout.ApplicationFolder(), dir.File("bin/"));
    EXPECT_EQ(layout.IncFolder(), dir.File("bin/INC/"));
    EXPECT_EQ(layout.TemplateFolder(), "");
    EXPECT_EQ(layout.Description(), "Portable: all files are in " + dir.File("bin/"));
}

TEST(TAppLayout, WithoutItTheUsersFolderIsUsedAndTheTemplateSitsUnderThePrefix) {
    TempDir dir;
    // An INC folder without KBX.INI, or KBX.INI as a folder, does not count.
    std::filesystem::create_directories(dir.File("usr/bin/INC/KBX.INI"));
    TAppLayout layout = TAppLayout::Decide(dir.File("usr/bin/quarno-ide"), {"", "/home/ann"});
    EXPECT_EQ(layout.Kind(), TLayoutKind::Installed);
    EXPECT_EQ(layout.ProgramFolder(), dir.File("usr/bin/"));
    EXPECT_EQ(layout.ApplicationFolder(), "/home/ann/.local/share/QUARNO/");
    EXPECT_EQ(layout.IncFolder(), "/home/ann/.local/share/QUARNO/INC/");
    EXPECT_EQ(layout.TemplateFolder(), dir.File("usr/share/quarno/INC/"));
    EXPECT_EQ(layout.Description(),
              "Installed: your files are in /home/ann/.local/share/QUARNO/, the templates in " +
                  dir.File("usr/share/quarno/INC/"));
}

TEST(TAppLayout, GlobalsTakeTheirFoldersFromTheLayout) {
    TAppGlobals globals;
    TAppLayout installed = TAppLayout::Decide("/nowhere/bin/quarno-ide", {"/data", "/home/ann"});
    globals.UseLayout(installed);
    EXPECT_TRUE(globals.Layout().IsInstalled());
    EXPECT_EQ(globals.ApplicationFolder(), "/data/QUARNO/");
    EXPECT_EQ(globals.ConfigFileName(), "/data/QUARNO/INC/KBX.INI");
    EXPECT_EQ(globals.ExternalProgramsFolder(), "/data/QUARNO/INC/EXTERNAL PROGRAMS/");
    globals.ComputeFolders("/opt/q/quarno-ide");
    EXPECT_FALSE(globals.Layout().IsInstalled());
    EXPECT_EQ(globals.IncFolder(), "/opt/q/INC/");
}

TEST(AppVersion, VersionLineNamesTheProgramTheProductAndTheVersion) {
    std::string version = ProgramVersion();
    EXPECT_FALSE(version.empty());
    EXPECT_NE(version, "0.0.0") << "the build sets the version";
    EXPECT_EQ(VersionLine("quarno-tool"), "quarno-tool (QUARNO+ Editor) " + version);
}
