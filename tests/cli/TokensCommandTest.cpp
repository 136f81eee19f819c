#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using quarno::test::RunProcess;
using quarno::test::TempDir;

TEST(TokensCommand, PrintsEveryTokenOfTheNormalisedText) {
    TempDir dir;
    // CR LF counts as one line break, as in the editor.
    dir.Write("a.bas", "REM hi\r\nx = $1F\n");
    auto result = RunProcess(QUARNO_TOOL, {"tokens", dir.File("a.bas")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "0 6 1\n6 1 0\n7 1 3\n8 1 0\n9 1 0\n10 1 0\n11 3 13\n14 1 0\n");
}

TEST(TokensCommand, LanguagesByNameOrBlockFile) {
    TempDir dir;
    dir.Write("a.asm", "decf@f decf");
    auto asmTokens = RunProcess(QUARNO_TOOL, {"tokens", "--lang", "asm", dir.File("a.asm")});
    EXPECT_EQ(asmTokens.status, 0) << asmTokens.err;
    EXPECT_EQ(asmTokens.out, "0 6 0\n6 1 0\n7 4 10\n");
    auto basicTokens = RunProcess(QUARNO_TOOL, {"tokens", "--lang", "basic", dir.File("a.asm")});
    EXPECT_EQ(basicTokens.out, "0 4 10\n4 1 0\n5 1 3\n6 1 0\n7 4 10\n")
        << "decf@f is one word only in asm";

    auto written = RunProcess(QUARNO_TOOL, {"parser", "builtin", "asm", dir.File("asm.blk")});
    EXPECT_EQ(written.status, 0) << written.err;
    auto fromBlock =
        RunProcess(QUARNO_TOOL, {"tokens", "--lang", dir.File("asm.blk"), dir.File("a.asm")});
    EXPECT_EQ(fromBlock.status, 0) << fromBlock.err;
    EXPECT_EQ(fromBlock.out, asmTokens.out);
}

TEST(TokensCommand, EmptyFileGivesNoTokensAndFailuresExitWithOne) {
    TempDir dir;
    dir.Write("empty.bas", "");
    auto empty = RunProcess(QUARNO_TOOL, {"tokens", dir.File("empty.bas")});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"tokens", dir.File("missing.bas")}).status, 1);
    dir.Write("junk.blk", "not a block");
    auto junk =
        RunProcess(QUARNO_TOOL, {"tokens", "--lang", dir.File("junk.blk"), dir.File("empty.bas")});
    EXPECT_EQ(junk.status, 1);
    EXPECT_FALSE(junk.err.empty());
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"tokens"}).status, 2);
}

TEST(ParserBuiltinCommand, WritesTheShippedBlocks) {
    TempDir dir;
    struct Expected {
        const char* name;
        const char* info;
    };
    const Expected cases[] = {
        {"basic", "blocks: 7\nlanguage: MCUBASIC\nkeywords: 2535\nhandlers: 5\ntoken_starts: 65\n"
                  "context_states: 0\neffects: 0\nstyles: 25\nmap_entries: 26\n"
                  "editable_styles: 21\nkey_commands: 48\nkey_pairs: 48\n"},
        {"asm", "blocks: 2\nlanguage: MCUBASIC\nkeywords: 449\nhandlers: 5\ntoken_starts: 65\n"
                "context_states: 256\neffects: 0\nstyles: 19\nmap_entries: 23\n"
                "editable_styles: 0\nkey_commands: 48\nkey_pairs: 48\n"},
    };
    for (const Expected& expected : cases) {
        std::string path = dir.File(std::string(expected.name) + ".blk");
        auto written = RunProcess(QUARNO_TOOL, {"parser", "builtin", expected.name, path});
        EXPECT_EQ(written.status, 0) << written.err;
        auto info = RunProcess(QUARNO_TOOL, {"parser", "info", path});
        EXPECT_EQ(info.status, 0) << info.err;
        std::string fromBlocks = info.out.substr(info.out.find("blocks:"));
        EXPECT_EQ(fromBlocks, expected.info) << expected.name;
        EXPECT_EQ(info.out.substr(0, 12), "version: 51\n");
    }
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"parser", "builtin", "pascal", dir.File("x.blk")}).status,
              2);
}

TEST(EditParserCommand, AttachesAShippedLanguage) {
    TempDir dir;
    std::string script = "parser basic\n"
                         "text \"PRINT x\\r\"\n"
                         "save " +
                         dir.File("out.html") + " html\n";
    auto result = RunProcess(QUARNO_TOOL, {"edit", dir.Write("s.txt", script)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(dir.Read("out.html").find("<B>PRINT</B> x"), std::string::npos)
        << dir.Read("out.html");

    // The language's settings apply: the listing's tab stops are 8 apart.
    script = "parser asm\ntext \"ab\\r\"\nsel 1 1\ntype \"\\t\"\nprint caret\n";
    result = RunProcess(QUARNO_TOOL, {"edit", dir.Write("s2.txt", script)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "1:9\n");

    result = RunProcess(QUARNO_TOOL, {"edit", dir.Write("s3.txt", "parser pascal\n")});
    EXPECT_EQ(result.status, 1);
}
