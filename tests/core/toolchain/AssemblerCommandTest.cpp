#include "core/toolchain/AssemblerCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarno;
using quarno::test::TempDir;
using Words = std::vector<std::string>;

TEST(AssemblerCommand, TheWindowsAssemblerFirstThenGpasm) {
    TempDir dir;
    const std::string inc = dir.Folder();
    const std::string listing = "/work/my prog.ASM";
    const Words gpasm{"--hex-format=inhx8m", "--error",      "--warning=2",
                      "--ignore-case",       "--expand=OFF", listing};

    TAssemblerRun run = AssemblerLaunch(inc, listing, false, "/usr/bin/gpasm");
    EXPECT_EQ(run.Kind, TAssemblerKind::Gpasm);
    EXPECT_FALSE(run.Missing);
    EXPECT_EQ(run.Plan.Program, "/usr/bin/gpasm");
    EXPECT_EQ(run.Plan.Argv, gpasm);
    EXPECT_TRUE(run.Plan.Wait);
    EXPECT_EQ(AssemblerLaunch(inc, listing, true, "/usr/bin/gpasm").Plan.Argv, gpasm);

    run = AssemblerLaunch(inc, listing, false, "");
    EXPECT_TRUE(run.Missing);
    EXPECT_EQ(run.Plan.Program, inc + "MPASMWIN.EXE");

    std::string mpasm = dir.Write("mpasmwin.exe", "MZ");
    run = AssemblerLaunch(inc, listing, true, "/usr/bin/gpasm");
    EXPECT_EQ(run.Kind, TAssemblerKind::Mpasm);
    EXPECT_FALSE(run.Missing);
    EXPECT_EQ(run.Plan.Program, mpasm);
    EXPECT_EQ(run.Plan.Arguments, listing + " /aINHX8M /e+ /l+ /x- /w2 /c- /m- /q");
}

TEST(AssemblerCommand, GpasmsFilesTakeTheWindowsAssemblersNames) {
    TempDir dir;
    const std::string listing = dir.File("prog.asm");
    dir.Write("prog.asm", "");
    dir.Write("prog.hex", ":00000001FF\n");
    dir.Write("prog.lst", "listing");
    dir.Write("prog.err", "");
    dir.Write("prog.cod", "cod");
    EXPECT_EQ(FinishGpasmOutputs(listing), "");
    for (const char* name : {"prog.HEX", "prog.LST", "prog.ERR", "prog.COD"})
        EXPECT_TRUE(std::filesystem::exists(dir.File(name))) << name;
    EXPECT_FALSE(std::filesystem::exists(dir.File("prog.hex")));
    EXPECT_EQ(dir.Read("prog.HEX"), ":00000001FF\n");

    // With errors gpasm writes no HEX file: an older one is not taken over.
    dir.Write("prog.hex", "old");
    dir.Write("prog.err", "Error[181]   prog.asm 3 : Unknown opcode\n");
    EXPECT_EQ(FinishGpasmOutputs(listing), "Error[181]   prog.asm 3 : Unknown opcode\n");
    EXPECT_EQ(dir.Read("prog.HEX"), ":00000001FF\n");
    EXPECT_EQ(dir.Read("prog.ERR"), "Error[181]   prog.asm 3 : Unknown opcode\n");
}
