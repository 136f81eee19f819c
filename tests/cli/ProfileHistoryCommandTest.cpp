#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using quarno::test::RunProcess;
using quarno::test::TempDir;

TEST(ProfileCommand, SetThenGetWithDefaults) {
    TempDir dir;
    std::string ini = dir.File("KBX.INI");
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"profile", "get", ini, "PROGRAMMER", "TYPE", "ORLA"}).out,
              "ORLA\n");
    EXPECT_EQ(
        RunProcess(QUARNO_TOOL, {"profile", "set", ini, "PROGRAMMER", "TYPE", "OTHER"}).status, 0);
    auto got = RunProcess(QUARNO_TOOL, {"profile", "get", ini, "programmer", "type"});
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.out, "OTHER\n");
}

TEST(ProfileCommand, UsageErrorsExitWithTwo) {
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"profile", "get", "x"}).status, 2);
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"profile", "frobnicate"}).status, 2);
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"no-such-command"}).status, 2);
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {}).status, 2);
}

TEST(HistoryCommand, WriteThenRead) {
    TempDir dir;
    std::string file = dir.File("QUARNO.DAT");
    auto written =
        RunProcess(QUARNO_TOOL, {"history", "write", file, "[MRU]", "/a b.bas", "", "/c"});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(dir.Read("QUARNO.DAT"), "[MRU]\r\n/a b.bas\r\n/c\r\n\r\n");
    auto read = RunProcess(QUARNO_TOOL, {"history", "read", file, "[mru]"});
    EXPECT_EQ(read.out, "/a b.bas\n/c\n");
}

TEST(HistoryCommand, UnwritableFileExitsWithOneAndAMessage) {
    auto result =
        RunProcess(QUARNO_TOOL, {"history", "write", "/nonexistent-dir/QUARNO.DAT", "[MRU]", "x"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Cannot create file"), std::string::npos) << result.err;
}
