#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using quarno::test::RunProcess;
using quarno::test::TempDir;

namespace {

const char* kProgram = "High PORTB.0\r\nLow PORTA.1\r\n\tToggle portb.2\r\nx";

quarno::test::ProcessResult Tool(const std::vector<std::string>& args) {
    return RunProcess(QUARNO_TOOL, args);
}

TEST(SearchCommand, PrintsMatchesInBothDirections) {
    TempDir dir;
    std::string file = dir.Write("prog.bas", kProgram);
    const struct {
        std::vector<std::string> args;
        const char* expected;
    } cases[] = {
        {{"search", "PORTB", file}, "5 10\n"},
        {{"search", "--all", "portb", file}, "5 10\n33 38\n"},
        {{"search", "--all", "--case", "portb", file}, "33 38\n"},
        {{"search", "--back", "PORTB", file}, "33 38\n"},
        {{"search", "--back", "--from", "33", "PORTB", file}, "5 10\n"},
        {{"search", "--from", "6", "PORTB", file}, "33 38\n"},
        {{"search", "--word", "--all", "x", file}, "41 42\n"},
        {{"search", "--all", "--back", "--regex", "PORT[AB]\\.[0-7]", file},
         "33 40\n17 24\n5 12\n"},
        {{"search", "--all", "--regex", "^", file}, "0 0\n13 13\n25 25\n41 41\n"},
        {{"search", "--regex", "--case", "PORT.\\.\\d\\n\\t", file}, "17 26\n"},
        {{"search", "absent", file}, "not found\n"},
        {{"search", "--all", "absent", file}, "not found\n"},
    };
    for (const auto& c : cases) {
        auto result = Tool(c.args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, c.expected) << c.args[c.args.size() - 2];
    }
}

TEST(SearchCommand, InvalidPatternExitsWithTheEnginesMessage) {
    TempDir dir;
    std::string file = dir.Write("prog.bas", kProgram);
    auto result = Tool({"search", "--regex", "PORT[AB", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Unmatched bracket\nPORT[AB\n    ^\n");
    auto replace = Tool({"replace", "--regex", "(a|)*", "x", file});
    EXPECT_EQ(replace.status, 1);
    EXPECT_EQ(replace.err.substr(0, replace.err.find('\n')), "Invalid repeat");
    auto empty = Tool({"search", "--regex", "", file});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err.substr(0, empty.err.find('\n')), "Invalid parameter");
    EXPECT_EQ(Tool({"search", "--regex", file}).status, 2);
    EXPECT_EQ(Tool({"search", "--from", "x", "a", file}).status, 2);
    EXPECT_EQ(Tool({"search", "a", dir.File("missing.bas")}).status, 1);
}

TEST(SearchCommand, ReplacePrintsTheTextAfterReplaceAll) {
    TempDir dir;
    std::string file = dir.Write("prog.bas", kProgram);
    auto plain = Tool({"replace", "PORTB", "GPIO", file});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, "High GPIO.0\nLow PORTA.1\n\tToggle GPIO.2\nx\n");
    auto regex = Tool({"replace", "--regex", "--case", "PORT[AB]\\.([0-7])", "P%4", file});
    EXPECT_EQ(regex.out, "High P0\nLow P1\n\tToggle portb.2\nx\n");
    auto word = Tool({"replace", "--word", "x", "y%1", file});
    EXPECT_EQ(word.out, "High PORTB.0\nLow PORTA.1\n\tToggle portb.2\ny%1\n");
    auto lines = Tool({"replace", "--regex", "$", ";", file});
    EXPECT_EQ(lines.out, "High PORTB.0;\nLow PORTA.1;\n\tToggle portb.2;\nx;\n");
    // The file itself is not changed.
    EXPECT_EQ(dir.Read("prog.bas"), kProgram);
}

TEST(SearchCommand, EditScriptsFindThroughTheControl) {
    TempDir dir;
    std::string script = dir.Write("find.txt", "text \"loop a LOOP b loop\"\n"
                                               "sel 0 4\n"
                                               "find 8 \"loop\"\nprint sel\n"
                                               "find 24 \"loop\"\nprint sel\n"
                                               "find 136 \"loop\"\nprint sel\n"
                                               "find 40 \"l[a-z]+p\"\nprint sel\n"
                                               "find 40 \"l[a\"\nprint sel\n");
    auto result = Tool({"edit", script});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "7 11\n14 18\n7 11\n14 18\n");
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), "Unmatched bracket");
}

} // namespace

TEST(SearchCommand, AUtf8FileIsSearchedInItsCharacters) {
    TempDir dir;
    std::string utf8 = dir.Write("utf8.bas", "' caf\xC3\xA9 = 1\r\n");
    std::string ansi = dir.Write("ansi.bas", "' caf\xE9 = 1\r\n");
    EXPECT_EQ(Tool({"search", "=", utf8}).out, "7 8\n") << "positions count characters";
    EXPECT_EQ(Tool({"search", "caf\xC3\xA9", utf8}).out, "2 6\n");
    EXPECT_EQ(Tool({"search", "caf\xE9", ansi}).out, "2 6\n");
    EXPECT_EQ(Tool({"search", "caf\xC3\xA9", ansi}).out, "not found\n")
        << "a Windows-1252 file is searched byte for byte, as before";
}
