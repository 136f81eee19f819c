#include "core/app/UserFolder.h"
#include "core/base/Exceptions.h"
#include "core/base/TProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarno;
using quarno::test::TempDir;
namespace fs = std::filesystem;

namespace {

// An installed template and a user folder that does not exist yet.
struct Seeding : ::testing::Test {
    Seeding() {
        fs::create_directories(dir.File("usr/share/quarno/INC/EXTERNAL PROGRAMS"));
        dir.Write("usr/share/quarno/INC/KBX.INI",
                  "[PROGRAMMER]\r\nTYPE=ORLA\r\n\r\n[BOOTLOADER]\r\nTYPE=STANDARD\r\n");
        dir.Write("usr/share/quarno/INC/EXTERNAL PROGRAMS/TOOL.EXE", "tool");
        fs::permissions(dir.File("usr/share/quarno/INC/EXTERNAL PROGRAMS/TOOL.EXE"),
                        fs::perms::owner_exec, fs::perm_options::add);
    }
    TSeedReport Seed() { return SeedUserFolder(Template(), Inc()); }
    std::string Template() const { return dir.File("usr/share/quarno/INC/"); }
    std::string Inc() const { return dir.File("home/.local/share/QUARNO/INC/"); }
    std::string User(const std::string& name) const { return Inc() + name; }
    std::string Read(const std::string& name) const {
        return dir.Read("home/.local/share/QUARNO/INC/" + name);
    }

    TempDir dir;
};

} // namespace

TEST_F(Seeding, FirstStartCopiesTheTemplateIntoAPrivateFolder) {
    TSeedReport report = Seed();
    EXPECT_EQ(Read("KBX.INI"), dir.Read("usr/share/quarno/INC/KBX.INI"));
    EXPECT_EQ(Read("EXTERNAL PROGRAMS/TOOL.EXE"), "tool");
    EXPECT_NE(fs::status(User("EXTERNAL PROGRAMS/TOOL.EXE")).permissions() & fs::perms::owner_exec,
              fs::perms::none);
    fs::perms application = fs::status(dir.File("home/.local/share/QUARNO")).permissions();
    EXPECT_EQ(application & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(report.copiedFiles.size(), 2u);
    EXPECT_TRUE(report.addedKeys.empty());
}

TEST_F(Seeding, LaterStartsKeepEverythingTheUserHas) {
    Seed();
    TProfileFile(User("KBX.INI")).WriteString("PROGRAMMER", "TYPE", "OTHER");
    dir.Write("home/.local/share/QUARNO/INC/EXTERNAL PROGRAMS/TOOL.EXE", "my own tool");
    fs::remove(User("EXTERNAL PROGRAMS/TOOL.EXE"));
    fs::create_symlink("/nowhere/tool", User("EXTERNAL PROGRAMS/TOOL.EXE")); // dangling link
    fs::create_symlink("/opt/pic/compiler", dir.File("home/.local/share/QUARNO/QUARNO_PL.EXE"));
    std::string before = Read("KBX.INI");

    TSeedReport report = Seed();
    EXPECT_TRUE(report.copiedFiles.empty());
    EXPECT_TRUE(report.addedKeys.empty());
    EXPECT_TRUE(report.createdFolders.empty());
    EXPECT_EQ(Read("KBX.INI"), before);
    EXPECT_EQ(fs::read_symlink(User("EXTERNAL PROGRAMS/TOOL.EXE")), "/nowhere/tool");
    EXPECT_TRUE(fs::is_symlink(dir.File("home/.local/share/QUARNO/QUARNO_PL.EXE")));
}

TEST_F(Seeding, ANewerTemplateAddsOnlyTheKeysTheUserLacks) {
    Seed();
    dir.Write("home/.local/share/QUARNO/INC/KBX.INI",
              "; mine\r\n[programmer]\r\ntype=OTHER\r\n\r\n[EXT_PROG]\r\nNAME=PICkit\r\n");
    dir.Write("usr/share/quarno/INC/KBX.INI",
              "[PROGRAMMER]\r\nTYPE=ORLA\r\n\r\n[BOOTLOADER]\r\nTYPE=STANDARD\r\n\r\n"
              "[COMPILER]\r\nPATHNAME=\r\n");
    dir.Write("usr/share/quarno/INC/HELP.TXT", "new file");

    TSeedReport report = Seed();
    TProfileFile user(User("KBX.INI"));
    EXPECT_EQ(user.ReadString("PROGRAMMER", "TYPE", ""), "OTHER");
    EXPECT_EQ(user.ReadString("EXT_PROG", "NAME", ""), "PICkit");
    EXPECT_EQ(user.ReadString("BOOTLOADER", "TYPE", ""), "STANDARD");
    EXPECT_TRUE(user.HasKey("COMPILER", "PATHNAME"));
    EXPECT_EQ(Read("KBX.INI").rfind("; mine\r\n[programmer]\r\ntype=OTHER\r\n", 0), 0u);
    EXPECT_EQ(Read("HELP.TXT"), "new file");
    EXPECT_EQ(report.addedKeys,
              (std::vector<std::string>{User("KBX.INI") + " [BOOTLOADER] TYPE",
                                        User("KBX.INI") + " [COMPILER] PATHNAME"}));
    EXPECT_EQ(report.copiedFiles, std::vector<std::string>{User("HELP.TXT")});
}

TEST_F(Seeding, AUsersFileWhereTheTemplateHasAFolderStaysAndIsNotEntered) {
    fs::create_directories(Inc());
    dir.Write("home/.local/share/QUARNO/INC/EXTERNAL PROGRAMS", "a file of the user");
    TSeedReport report = Seed();
    EXPECT_EQ(Read("EXTERNAL PROGRAMS"), "a file of the user");
    EXPECT_EQ(report.copiedFiles, std::vector<std::string>{User("KBX.INI")});
}

TEST_F(Seeding, WithoutATemplateNothingIsMade) {
    TSeedReport report = SeedUserFolder(dir.File("nowhere/"), Inc());
    EXPECT_FALSE(fs::exists(dir.File("home")));
    EXPECT_TRUE(report.copiedFiles.empty());
}

TEST_F(Seeding, AFolderThatCannotBeMadeIsReported) {
    dir.Write("home", "a file where the home folder should be");
    EXPECT_THROW(Seed(), EFCreateError);
}
