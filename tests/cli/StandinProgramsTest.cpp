#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using quarno::test::RunProcess;
using quarno::test::TempDir;

static const std::string kApp = QUARNO_APP_DIR;

// The stand-in compiler, its result read back through quarno-tool.
TEST(StandinCompiler, CompilesASourceIntoResultListingAndHex) {
    TempDir dir;
    dir.Write("my prog.bas", "' comment\r\nDEVICE PIC16F877\r\nDIM x AS BYTE\r\n\r\nMain:\r\n"
                             "  x = 1\r\n  EDATA 1, $FF, 171\r\n  GoTo Main\r\nREM end\r\n");
    auto run = RunProcess(kApp + "/QUARNO_PL.EXE", {dir.File("my prog.bas"), "-m", "-q"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto result = RunProcess(QUARNO_TOOL, {"result", dir.File("my prog.KBR")});
    const std::string head = "status: summary\ndevice: 16F877\ncode: 6\nram: 1\n";
    EXPECT_EQ(result.out.substr(0, head.size()), head);
    // Six words at 0..5: the sum of each line's bytes, low 14 bits.
    auto grid = RunProcess(QUARNO_TOOL, {"hex", dir.File("my prog.HEX")});
    EXPECT_EQ(grid.status, 0) << grid.err;
    EXPECT_EQ(grid.out.substr(0, 45), "0000 03FF 037A 01BF 0126 0391 031E 3FFF 3FFF\n");
    auto eeprom = RunProcess(QUARNO_TOOL, {"hex", "--eeprom", dir.File("my prog.HEX")});
    EXPECT_EQ(eeprom.out.substr(0, 20), "2100 01 FF AB FF FF ");
    EXPECT_NE(dir.Read("my prog.ASM").find("LIST P=16F877"), std::string::npos);
}

TEST(StandinCompiler, UnknownLinesGiveAnErrorResult) {
    TempDir dir;
    dir.Write("bad.bas", "High PORTB.0\r\nFrobnicate now\r\nx = 2\r\n");
    auto run = RunProcess(kApp + "/QUARNO_PL.EXE", {dir.File("bad.bas"), "-m", "-q"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"result", dir.File("bad.KBR")}).out,
              "status: error\ndevice: \ncode: \nram: \nError(s) in bad.bas\n"
              "Line 2: 'Frobnicate now' is not understood\n");
    EXPECT_EQ(dir.Read("bad.HEX"), "");
}

TEST(StandinPrograms, ProgrammerAndBootloaderLogTheirArguments) {
    TempDir dir;
    const std::string log = "QUARNO_STANDIN_LOG=" + dir.File("log.txt");
    EXPECT_EQ(RunProcess(kApp + "/INC/BOOTLOAD.EXE", {"/w/a b/P.HEX"}, {log}).status, 0);
    EXPECT_EQ(RunProcess(kApp + "/INC/ORLAWIN.EXE", {"/w/P.HEX", "-dPIC16F84"}, {log}).status, 0);
    EXPECT_EQ(dir.Read("log.txt"),
              "BOOTLOAD.EXE [/w/a b/P.HEX]\nORLAWIN.EXE [/w/P.HEX] [-dPIC16F84]\n");
}
