// quarno-tool under hostile and extreme input: each case once failed (a
// crash, a destroyed file, a hang, runaway memory, a false message) and now
// ends with a clear message or the right result.
#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using quarno::test::ProcessResult;
using quarno::test::RunProcess;
using quarno::test::TempDir;

namespace {

ProcessResult Tool(const std::vector<std::string>& args) {
    return RunProcess(QUARNO_TOOL, args);
}

ProcessResult RunScript(const TempDir& dir, const std::string& script) {
    return Tool({"edit", dir.Write("script.txt", script)});
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

// Nesting that once exhausted the stack ends with a script error, exit 1.
TEST(HostileInput, DeepExpressionNestingIsAScriptError) {
    TempDir dir;
    std::string depth(1300000, '(');
    std::string script = dir.Write("deep.txt", "%%language\nfontsize = " + depth + "1" +
                                                   std::string(1300000, ')') + "\n");
    auto result = Tool({"parser", "compile", script, dir.File("deep.blk")});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_TRUE(Contains(result.err, "** ERROR near line 2, Column 268: Expression nested too "
                                     "deeply (more than 256 parentheses)"))
        << result.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("deep.blk")));
}

// A named pipe is refused by every command that reads a file, without
// waiting for a writer, and is never replaced; reading a history file that
// does not exist creates nothing.
TEST(HostileInput, PipesAreRefusedAndMissingFilesStayMissing) {
    TempDir dir;
    std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::vector<std::string>> commands = {
        {"history", "read", fifo, "[MRU]"},
        {"history", "write", fifo, "[MRU]", "x"},
        {"profile", "get", fifo, "A", "B"},
        {"profile", "set", fifo, "A", "B", "C"},
        {"tokens", fifo},
        {"decompress", fifo, dir.File("out")},
        {"compress", fifo, dir.File("out")},
        {"parser", "info", fifo},
        {"parser", "compile", fifo, dir.File("out")},
        {"hex", fifo},
        {"result", fifo},
        {"search", "x", fifo},
        {"export", "--format", "text", fifo},
        {"edit", fifo},
    };
    for (const auto& command : commands) {
        auto result = Tool(command);
        EXPECT_EQ(result.status, 1) << command[0] << " " << command[1];
        EXPECT_TRUE(Contains(result.err, fifo)) << result.err;
        struct stat info {};
        ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode)) << command[0] << " replaced the pipe";
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out")));
    auto read = Tool({"history", "read", dir.File("QUARNO.DAT"), "[MRU]"});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("QUARNO.DAT")));
}

// A million replacements in one run give the right text (the memory and
// time this takes are measured by the benchmarks, not here).
TEST(HostileInput, ReplaceAllOverAMillionMatches) {
    TempDir dir;
    std::string file = dir.Write("x.txt", std::string(1000000, 'x'));
    auto result = Tool({"replace", "x", "yy", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, std::string(2000000, 'y') + "\n");
}

// Sizes that once made the engine allocate gigabytes or wrap into negative
// columns are refused where they are set.
TEST(HostileInput, HugeStepsWidthsAndColumnsAreRefused) {
    TempDir dir;
    const struct {
        const char* command;
        const char* message;
    } cases[] = {
        {"set IndentStep 2147483647", "Indent step must be between 0 and 20"},
        {"sel 0 -1\nindent 2147483647", "Indent step must be between 0 and 20"},
        {"sel 0 -1\nunindent -3", "Indent step must be between 0 and 20"},
        {"set TabDefault 2147483647", "=Illegal default tab stop value, must be <= 64"},
        {"set TabColumns \"2147483647\"", "Tab column must be <= 2048"},
        {"set WrapAtColumn 2147483647", "Word-wrap column must be between 0 and 2048"},
        {"set RightMargin -1", "Right margin must be between 0 and 2048"},
    };
    for (const auto& c : cases) {
        auto result = RunScript(dir, std::string("text \"ab\\rcd\"\n") + c.command + "\n");
        EXPECT_EQ(result.status, 1) << c.command;
        EXPECT_TRUE(Contains(result.err, c.message)) << c.command << ": " << result.err;
    }
    auto widest = RunScript(dir, "set TabDefault 64\ntext \"a\"\nkey End\ntype \"\\t\"\n"
                                 "print caret\n");
    EXPECT_EQ(widest.status, 0) << widest.err;
    EXPECT_EQ(widest.out, "1:65\n");
}

// Limits are reported in their own words: the regular-expression step
// budget, its largest count, and the macro limits of the script compiler.
TEST(HostileInput, LimitsSayWhichLimitWasHit) {
    TempDir dir;
    std::string text = dir.Write("a.txt", std::string(30, 'a'));
    auto found = Tool({"search", "--regex", "(a?){30}a{30}", text});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "0 30\n");
    std::string many = dir.Write("b.txt", std::string(200, 'a') + "\nc");
    auto runaway = Tool({"search", "--regex", "(a|aa)*c", many});
    EXPECT_EQ(runaway.status, 1);
    EXPECT_TRUE(Contains(runaway.err, "Search abandoned: the expression needs too many steps"))
        << runaway.err;
    auto count = Tool({"search", "--regex", "x{65535}", text});
    EXPECT_EQ(count.status, 1);
    EXPECT_TRUE(Contains(count.err, "Repeat count too large (at most 65534)")) << count.err;
    EXPECT_EQ(Tool({"search", "--regex", "x{65534}", text}).out, "not found\n");
    std::string chain;
    for (int level = 0; level < 64; ++level)
        chain += "#define M" + std::to_string(level) + " M" + std::to_string(level + 1) + "\n";
    chain += "#define M64 1\n%%language\nfontsize = M0\n";
    auto macros = Tool({"parser", "compile", dir.Write("chain.txt", chain), dir.File("c.blk")});
    EXPECT_EQ(macros.status, 1);
    EXPECT_TRUE(Contains(macros.err, "nested too deeply (more than 63 macros and includes)"))
        << macros.err;
}

// The empty line after a final line break: delete line takes that line (the
// final break), never the line above; Right goes beyond its end as on any
// other line; Tab counts from its column 0.
TEST(HostileInput, TheLastEmptyLineIsALineLikeTheOthers) {
    TempDir dir;
    auto deleted = RunScript(dir, "text \"abc\\rdef\\r\"\nkey Ctrl+End\nkey Ctrl+Y\nprint text\n");
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "abc\\rdef\n");
    auto right = RunScript(dir, "option +smoCaretAfterEOL\ntext \"abc\\r\"\nkey Ctrl+End\n"
                                "key Right\nprint caret\ntype \"x\"\nprint text\n");
    EXPECT_EQ(right.status, 0) << right.err;
    EXPECT_EQ(right.out, "2:2\nabc\\r x\n");
    auto tab = RunScript(dir, "option -smoUseTAB\ntext \"    foo bar\\r\"\nkey Ctrl+End\n"
                              "type \"\\t\"\nprint text\n");
    EXPECT_EQ(tab.status, 0) << tab.err;
    EXPECT_EQ(tab.out, "    foo bar\\r    \n");
}

// The smaller ones: escaped HTML titles, profile values that cannot add
// lines, section names holding "]", a byte-order mark before the first
// section, and the HEX message for a pair holding a NUL.
TEST(HostileInput, TitlesProfilesAndHexMessagesHoldTheirInput) {
    TempDir dir;
    auto html = Tool(
        {"export", "--format", "html", "--title", "</TITLE><SCRIPT>&", dir.Write("p.bas", "x")});
    EXPECT_EQ(html.status, 0) << html.err;
    EXPECT_TRUE(Contains(html.out, "<TITLE>&lt;/TITLE&gt;&lt;SCRIPT&gt;&amp;</TITLE>")) << html.out;

    std::string ini = dir.Write("KBX.INI", "\xEF\xBB\xBF[PROGRAMMER]\r\nTYPE=OTHER\r\n");
    EXPECT_EQ(Tool({"profile", "get", ini, "PROGRAMMER", "TYPE", "ORLA"}).out, "OTHER\n");
    auto injected = Tool({"profile", "set", ini, "EXT_PROG", "NAME", "x\n[PROGRAMMER]\nTYPE=ORLA"});
    EXPECT_EQ(injected.status, 1);
    EXPECT_TRUE(Contains(injected.err, "A profile value cannot hold a line break")) << injected.err;
    EXPECT_EQ(Tool({"profile", "set", ini, "a]b", "K", "v"}).status, 0);
    EXPECT_EQ(Tool({"profile", "get", ini, "a]b", "K"}).out, "v\n");
    EXPECT_EQ(dir.Read("KBX.INI"),
              "\xEF\xBB\xBF[PROGRAMMER]\r\nTYPE=OTHER\r\n\r\n[a]b]\r\nK=v\r\n");

    auto hex = Tool({"hex", dir.Write("nul.hex", std::string(":0\0", 3) + "\n")});
    EXPECT_EQ(hex.status, 1);
    EXPECT_TRUE(Contains(hex.err, "'$0\\x00' is not a valid integer value")) << hex.err;
}
