#include "core/toolchain/TProgrammerPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;

TEST(TProgPathValues, EmptyNameIsStoredAsUndefinedAndRememberedForMissingKeys) {
    test::TempDir folder;
    TProfileFile ini(folder.File("KBX.INI"));
    TProgPathValues dialog;
    EXPECT_EQ(dialog.Ok({"", "/opt/prog/PROG.EXE", "-p%PIC"}, ini), "Undefined");
    EXPECT_EQ(ini.ReadString("EXT_PROG", "NAME", "?"), "Undefined");
    EXPECT_EQ(ini.ReadString("EXT_PROG", "CMD_LINE", "?"), "-p%PIC");
    TProfileFile other(folder.File("OTHER.INI")); // keys missing: the remembered values
    TProgPathValues::TFields fields = dialog.Activate(other);
    EXPECT_EQ(fields.name, "Undefined");
    EXPECT_EQ(fields.path, "/opt/prog/PROG.EXE");
    ini.WriteString("EXT_PROG", "EXT_PATH", "/usr/bin/picprog");
    EXPECT_EQ(dialog.Activate(ini).path, "/usr/bin/picprog");
}

// Cancelling Browse leaves the box and the remembered path as they were, so a
// following OK cannot store an empty path.
TEST(TProgPathValues, BrowseReplacesThePathOnlyWhenAFileIsChosen) {
    test::TempDir folder;
    TProfileFile ini(folder.File("KBX.INI"));
    TProgPathValues dialog;
    EXPECT_EQ(dialog.Browse("/x/P.EXE", "/typed"), "/x/P.EXE");
    EXPECT_EQ(dialog.Activate(ini).path, "/x/P.EXE");
    EXPECT_EQ(dialog.Browse(std::nullopt, "/typed/Q.EXE"), "/typed/Q.EXE");
    EXPECT_EQ(dialog.Activate(ini).path, "/x/P.EXE");
    EXPECT_EQ(dialog.BrowseOptions().filter, "EXE Files|*.EXE;");
    EXPECT_EQ(dialog.BrowseOptions().title, "Find Programmer Directory");
}

TEST(TOrlaPathValues, OnlyALoadedOrBrowsedPathIsStored) {
    test::TempDir folder;
    TProfileFile ini(folder.File("KBX.INI"));
    ini.WriteString("ORLA", "PATHNAME", "/orla/ORLAWIN.EXE");
    TOrlaPathValues dialog;
    EXPECT_EQ(dialog.Activate(ini), "/orla/ORLAWIN.EXE");
    dialog.Ok(ini); // whatever was typed into the box is not read
    EXPECT_EQ(ini.ReadString("ORLA", "PATHNAME", "?"), "/orla/ORLAWIN.EXE");
    dialog.Browse("/new/ORLAWIN.EXE");
    dialog.Browse(std::nullopt); // cancelled browsing keeps the path
    dialog.Ok(ini);
    EXPECT_EQ(ini.ReadString("ORLA", "PATHNAME", "?"), "/new/ORLAWIN.EXE");
}

TEST(TOrlaPathValues, FernwickHasItsOwnSectionAndBrowseDialog) {
    test::TempDir folder;
    TProfileFile ini(folder.File("KBX.INI"));
    TOrlaPathValues fernwick("FERNWICK", "FERNWICK");
    EXPECT_EQ(fernwick.BrowseOptions().title, "Find FERNWICK Directory");
    EXPECT_EQ(fernwick.BrowseOptions().filter, "FERNWICK|FERNWICK.EXE;");
    EXPECT_EQ(TOrlaPathValues().BrowseOptions().filter, "ORLAWIN|ORLAWIN.EXE;");
    EXPECT_EQ(TOrlaPathValues().BrowseOptions().title, "Find ORLA Directory");
    fernwick.Browse("/f/FERNWICK.EXE");
    fernwick.Ok(ini);
    EXPECT_EQ(ini.ReadString("FERNWICK", "PATHNAME", "?"), "/f/FERNWICK.EXE");
    EXPECT_EQ(ini.ReadString("ORLA", "PATHNAME", "?"), "?");
}

TEST(TProgPathValues, BootloaderValuesLiveInTheirOwnSection) {
    test::TempDir folder;
    TProfileFile ini(folder.File("KBX.INI"));
    TProgPathValues boot("EXT_BOOTLOADER", "Find Bootloader Directory");
    boot.Ok({"MyBoot", "/b/BOOT.EXE", ""}, ini);
    EXPECT_EQ(ini.ReadString("EXT_BOOTLOADER", "NAME", "?"), "MyBoot");
    EXPECT_EQ(ini.ReadString("EXT_PROG", "NAME", "?"), "?");
    EXPECT_EQ(boot.BrowseOptions().title, "Find Bootloader Directory");
}
