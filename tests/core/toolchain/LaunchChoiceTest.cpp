#include "core/toolchain/TBootloaderChoice.h"
#include "core/toolchain/TExternalTool.h"
#include "core/toolchain/TProgrammerChoice.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::TempDir;
using Argv = std::vector<std::string>;

TEST(TProgrammerChoice, MarksFromTheStoredTypeAndFromChoosing) {
    TProgrammerChoice choice;
    EXPECT_TRUE(choice.OrlaMarked());
    EXPECT_FALSE(choice.ExtMarked());
    choice.ApplyStoredType("OTHER");
    EXPECT_FALSE(choice.OrlaMarked());
    EXPECT_TRUE(choice.ExtMarked());
    choice.ApplyStoredType("orla"); // lower case matches neither: marks stay
    EXPECT_TRUE(choice.ExtMarked());
    choice.ApplyStoredType("ORLA");
    EXPECT_TRUE(choice.OrlaMarked());
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    choice.Choose(TProgrammerKind::pkOther, ini);
    EXPECT_TRUE(choice.ExtMarked());
    EXPECT_EQ(ini.ReadString("PROGRAMMER", "TYPE", ""), "OTHER");
}

TEST(TProgrammerChoice, ProgramPlans) {
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    TProgrammerChoice choice;
    std::vector<TPathDialog> dialogs;
    auto dialog = [&](TPathDialog which) {
        dialogs.push_back(which);
        if (which == TPathDialog::pdOrla)
            ini.WriteString("ORLA", "PATHNAME", "/opt/orla/ORLAWIN.EXE");
    };
    auto plan = choice.PlanProgram(ini, "/w/PROG.HEX", "", dialog);
    ASSERT_TRUE(plan);
    EXPECT_EQ(dialogs, std::vector<TPathDialog>{TPathDialog::pdOrla});
    EXPECT_EQ(plan->Program, "/opt/orla/ORLAWIN.EXE");
    EXPECT_EQ(plan->Arguments, "/w/PROG.HEX -dPIC");
    EXPECT_FALSE(plan->Wait);
    plan = choice.PlanProgram(ini, "/w/PROG.HEX", "16F877", dialog);
    EXPECT_EQ(dialogs.size(), 1u); // path set: no dialog
    EXPECT_EQ(plan->Argv, (Argv{"/w/PROG.HEX", "-dPIC16F877"}));

    choice.ApplyStoredType("OTHER");
    plan = choice.PlanProgram(ini, "/w/PROG.HEX", "", dialog); // dialog cancelled
    EXPECT_EQ(dialogs.back(), TPathDialog::pdProgrammer);
    EXPECT_EQ(plan->Program, ""); // the start then fails with "Problem Running "
    StoreExternalTool(ini, kProgrammerSection, {"", "/opt/prog", "-p%PIC -f%FILENAME"});
    plan = choice.PlanProgram(ini, "/w/PROG.HEX", "", dialog);
    EXPECT_EQ(plan->Program, "/opt/prog");
    EXPECT_EQ(plan->Arguments, "/w/PROG.HEX -p16F84 -fPROG.HEX");
    EXPECT_EQ(plan->Argv, (Argv{"/w/PROG.HEX", "-p16F84", "-fPROG.HEX"}));
}

TEST(TExternalTool, DialogOkStoresUndefinedForAnEmptyName) {
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    TExternalTool stored = StoreExternalTool(ini, kBootloaderSection, {"", "/p", ""});
    EXPECT_EQ(stored.Name, "Undefined");
    EXPECT_EQ(ReadExternalTool(ini, kBootloaderSection).Name, "Undefined");
    EXPECT_EQ(ReadExternalTool(ini, kProgrammerSection, {"n", "p", "c"}).CmdLine, "c");
    EXPECT_EQ(ExternalToolCaption(""), "Undefined");
    EXPECT_EQ(ExternalToolCaption("PICkit"), "PICkit");
}

TEST(TBootloaderChoice, StoredTypeMarksExactlyOneItem) {
    using K = TBootloaderKind;
    TBootloaderChoice choice;
    EXPECT_TRUE(choice.Marked(K::bkStandard));
    choice.ApplyStoredType("FERNWICK");
    EXPECT_TRUE(choice.Marked(K::bkFernwick));
    EXPECT_FALSE(choice.Marked(K::bkStandard));
    choice.ApplyStoredType("fernwick");
    EXPECT_TRUE(choice.Marked(K::bkFernwick));
    // Infrared item not enabled: a stored QUARNO_IR marks nothing at all.
    choice.ApplyStoredType("QUARNO_IR");
    for (K kind : {K::bkStandard, K::bkInfrared, K::bkFernwick, K::bkOther})
        EXPECT_FALSE(choice.Marked(kind));
    choice.SetInfraredEnabled(true);
    choice.ApplyStoredType("QUARNO_IR");
    EXPECT_TRUE(choice.Marked(K::bkInfrared));
    choice.ApplyStoredType("OTHER");
    EXPECT_TRUE(choice.Marked(K::bkOther));
    EXPECT_FALSE(choice.Marked(K::bkInfrared));
}

TEST(TBootloaderChoice, DownloadPlans) {
    using K = TBootloaderKind;
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    const std::string inc = dir.Folder();
    TBootloaderChoice choice;
    std::vector<TPathDialog> dialogs;
    auto dialog = [&](TPathDialog which) { dialogs.push_back(which); };

    TDownloadPlan plan = choice.PlanDownload(ini, inc, "/w/P.HEX", "16F877", dialog);
    ASSERT_TRUE(plan.Launch);
    EXPECT_EQ(plan.Launch->Program, inc + "BOOTLOAD.EXE");
    EXPECT_EQ(plan.Launch->Arguments, "/w/P.HEX");
    EXPECT_TRUE(plan.Launch->Wait);

    choice.Choose(K::bkFernwick, ini);
    ini.WriteString("FERNWICK", "PATHNAME", "/opt/FERNWICK.EXE");
    plan = choice.PlanDownload(ini, inc, "/w/P.HEX", "", dialog);
    EXPECT_EQ(plan.Launch->Program, "/opt/FERNWICK.EXE");
    EXPECT_EQ(plan.Launch->Argv, Argv{"/w/P.HEX"});
    EXPECT_FALSE(plan.Launch->Wait);
    EXPECT_TRUE(dialogs.empty());

    choice.Choose(K::bkOther, ini);
    EXPECT_EQ(ini.ReadString("BOOTLOADER", "TYPE", ""), "OTHER");
    plan = choice.PlanDownload(ini, inc, "/w/P.HEX", "", dialog);
    EXPECT_EQ(dialogs, std::vector<TPathDialog>{TPathDialog::pdBootloader});
    StoreExternalTool(ini, kBootloaderSection, {"Mine", "/opt/boot", ""});
    plan = choice.PlanDownload(ini, inc, "/w/P.HEX", "", dialog);
    EXPECT_EQ(plan.Launch->Arguments, "/w/P.HEX "); // empty template: trailing blank
    EXPECT_EQ(plan.Launch->Argv, Argv{"/w/P.HEX"});
}

TEST(TBootloaderChoice, MissingInfraredProgramFallsBackToStandardOnce) {
    using K = TBootloaderKind;
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    const std::string inc = dir.Folder();
    TBootloaderChoice choice;
    choice.SetInfraredEnabled(true);
    choice.Choose(K::bkInfrared, ini);
    dir.Write("QNIR_BOOT.EXE", "");
    TDownloadPlan plan = choice.PlanDownload(ini, inc, "/w/P.HEX", "", nullptr);
    ASSERT_TRUE(plan.Launch);
    EXPECT_EQ(plan.Launch->Program, inc + "QNIR_BOOT.EXE");
    EXPECT_TRUE(plan.Launch->Wait);

    std::remove(dir.File("QNIR_BOOT.EXE").c_str());
    plan = choice.PlanDownload(ini, inc, "/w/P.HEX", "", nullptr);
    EXPECT_FALSE(plan.Launch);
    EXPECT_EQ(plan.Information,
              "Cannot Find QUARNO IR bootloader\r\nDefaulting to standard bootloader.");
    EXPECT_FALSE(choice.InfraredEnabled());
    EXPECT_TRUE(choice.Marked(K::bkStandard));
    EXPECT_FALSE(choice.Marked(K::bkInfrared));
    EXPECT_EQ(ini.ReadString("BOOTLOADER", "TYPE", ""), "STANDARD");
    plan = choice.PlanDownload(ini, inc, "/w/P.HEX", "", nullptr);
    EXPECT_TRUE(plan.Information.empty());
    EXPECT_EQ(plan.Launch->Program, inc + "BOOTLOAD.EXE");
}

TEST(TBootloaderChoice, NothingMarkedDownloadsNothing) {
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    TBootloaderChoice choice;
    choice.ApplyStoredType("QUARNO_IR");
    TDownloadPlan plan = choice.PlanDownload(ini, dir.Folder(), "/w/P.HEX", "", nullptr);
    EXPECT_FALSE(plan.Launch);
    EXPECT_TRUE(plan.Information.empty());
}
