#include "core/base/FileUtils.h"
#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using quarno::test::RunProcess;
using quarno::test::TempDir;

static std::string Golden(const std::string& name) {
    return quarno::ReadWholeFile(std::string(QUARNO_TEST_DATA) + "/viewers/" + name);
}

TEST(HexCommand, GridsOfAFileAndOfAMissingFile) {
    const std::string sample = std::string(QUARNO_TEST_DATA) + "/viewers/sample.hex";
    auto program = RunProcess(QUARNO_TOOL, {"hex", sample});
    EXPECT_EQ(program.status, 0) << program.err;
    EXPECT_EQ(program.out, Golden("sample_program_grid.txt"));
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"hex", "--eeprom", sample}).out,
              Golden("sample_eeprom_grid.txt"));
    auto missing = RunProcess(QUARNO_TOOL, {"hex", "/nonexistent/none.hex"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out, Golden("blank_program_grid.txt"));
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"hex", "--eeprom", "/nonexistent/none.hex"}).out,
              Golden("blank_eeprom_grid.txt"));
}

TEST(HexCommand, ConversionErrorExitsWithOne) {
    TempDir dir;
    dir.Write("bad.hex", ":0400000001020304F2\r\n:0400040001G20304F2\r\n");
    auto result = RunProcess(QUARNO_TOOL, {"hex", dir.File("bad.hex")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "'$G2' is not a valid integer value\n");
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"hex"}).status, 2);
}

TEST(AsciiCommand, PrintsTheTable) {
    auto result = RunProcess(QUARNO_TOOL, {"ascii"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, Golden("ascii_table.txt"));
}

TEST(ResultCommand, StatusFieldsAndReportLines) {
    TempDir dir;
    dir.Write("A.KBR", "16F877,1234,56,\r\nCompiled\r\nLine three\r\n");
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"result", dir.File("A.KBR")}).out,
              "status: summary\ndevice: 16F877\ncode: 1234\nram: 56\nCompiled\nLine three\n");
    dir.Write("B.KBR", "ERROR\r\nError in B.bas\r\n");
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"result", dir.File("B.KBR")}).out,
              "status: error\ndevice: \ncode: \nram: \nError in B.bas\n\n");
    dir.Write("C.KBR", "PIC16F84,100,20,\r\nx\r\n");
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"result", dir.File("C.KBR")}).out,
              "status: other\ndevice: \ncode: \nram: \nx\n\n");
    auto missing = RunProcess(QUARNO_TOOL, {"result", dir.File("NONE.KBR")});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out, "status: missing\ndevice: \ncode: \nram: \n");
}

TEST(CmdlineCommand, TemplateAndOrlaTexts) {
    auto run = [](std::vector<std::string> args) {
        args.insert(args.begin(), "cmdline");
        return RunProcess(QUARNO_TOOL, args);
    };
    EXPECT_EQ(run({"--hex", "/w/PROG.HEX", "--template", "-p%PIC -f%FILENAME"}).out,
              "/w/PROG.HEX -p16F84 -fPROG.HEX\n");
    EXPECT_EQ(run({"--hex", "/w/PROG.HEX", "--device", "16F877", "--template", "%full %Full"}).out,
              "/w/PROG.HEX /w/PROG.HEX /w/PROG.HEX\n");
    EXPECT_EQ(run({"--hex", "/w/PROG.HEX", "--template", ""}).out, "/w/PROG.HEX \n");
    EXPECT_EQ(run({"--hex", "/w/PROG.HEX", "--orla"}).out, "/w/PROG.HEX -dPIC\n");
    EXPECT_EQ(run({"--hex", "/a b/P.HEX", "--device", "16F84", "--orla", "--argv"}).out,
              "/a b/P.HEX\n-dPIC16F84\n");
    EXPECT_EQ(run({"--hex", "/a b/P.HEX", "--template", "-f %FULL", "--argv"}).out,
              "/a b/P.HEX\n-f\n/a b/P.HEX\n");
    EXPECT_EQ(run({"--hex", "/tmp/my %PIC dir/a.HEX", "--device", "16F877", "--template",
                   "-d%PIC -f%FULL"})
                  .out,
              "/tmp/my %PIC dir/a.HEX -d16F877 -f/tmp/my %PIC dir/a.HEX\n");
    EXPECT_EQ(run({"--hex", "/w/P.HEX"}).status, 2);
    EXPECT_EQ(run({"--hex", "/w/P.HEX", "--orla", "--template", "x"}).status, 2);
    EXPECT_EQ(run({"--orla"}).status, 2);
}

TEST(ScanCommand, OptionsReachTheScanner) {
    TempDir dir;
    dir.Write("A.EXE", "DEVICE 16F84");
    dir.Write("b.exe", "DEVICE 16F877");
    dir.Write("c.com", "x");
    dir.Write("notes", "16F84");
    std::filesystem::create_directory(dir.File("SUB"));
    dir.Write("SUB/d.exe", "");
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"scan", dir.Folder()});
        return RunProcess(QUARNO_TOOL, args).out;
    };
    EXPECT_EQ(run({"--specs", "*.exe"}), dir.Folder() + "A.EXE\n" + dir.Folder() + "b.exe\n");
    EXPECT_EQ(run({"--no-dirname"}), "A.EXE\nb.exe\nc.com\nnotes\n");
    EXPECT_EQ(run({"--no-dirname", "--specs", "*.exe;*.com"}), "A.EXE\nb.exe\nc.com\n");
    EXPECT_EQ(run({"--no-dirname", "--limit", "1"}),
              "A.EXE\n  *** Search Match Limit has been meet!  Search Stopped.\n");
    EXPECT_EQ(run({"--no-dirname", "--strings", "16f84", "--mode", "word"}), "A.EXE\nnotes\n");
    EXPECT_EQ(run({"--no-dirname", "--strings", "16f84", "--case"}), "");
    EXPECT_EQ(run({"--no-dirname", "--strings", "DEVICE;16F877", "--type", "and"}), "b.exe\n");
    EXPECT_EQ(run({"--no-dirname", "--strings", "DEVICE", "--type", "not"}), "c.com\nnotes\n");
    EXPECT_EQ(run({"--no-dirname", "--specs", "c.com", "--show-size", "--show-attr"}),
              "c.com             1  -----A\n");
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"scan", "/nonexistent-quarno"}).out, "");
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"scan", dir.Folder(), "--type", "xor"}).status, 2);
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"scan", dir.Folder(), "--limit", "x"}).status, 2);
}
