#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using quarno::test::RunProcess;
using quarno::test::TempDir;

namespace {

quarno::test::ProcessResult RunScript(const TempDir& dir, const std::string& script) {
    return RunProcess(QUARNO_TOOL, {"edit", dir.Write("script.txt", script)});
}

} // namespace

TEST(EditKeysCommand, TypingKeysBookmarksAndMarks) {
    TempDir dir;
    auto result = RunScript(dir, "option -smoUseTAB\n"
                                 "type \"  Main:\\rHigh\"\n"
                                 "print text\nprint caret\n"
                                 "key Shift+Home\nprint sel\n"
                                 "key Ctrl+K\nkey U\nprint text\n"
                                 "bookmark set 4\nkey Ctrl+Home\nbookmark goto 4\nprint caret\n"
                                 "print bookmarks\n"
                                 "mark add 0 2 9\ntype \"x\"\nprint marks\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "  Main:\\r  High\n2:7\n8 14\n  Main:\\r High\n2:1\n4 2 1\n"
                          "0 2 9\n");
}

TEST(EditKeysCommand, TemplatesAutoReplaceAndSettings) {
    TempDir dir;
    auto result = RunScript(dir, "template add ld \"DelayMS 500\"\n"
                                 "autoreplace add gto \"GoTo\"\n"
                                 "type \"ld\"\nkey Ctrl+J\ntype \" gto Main\"\nprint text\n"
                                 "set TabColumns \"5 9;13\"\noption -smoUseTAB\n"
                                 "text \"ab\"\nsel 2 2\ntype \"\\t\"\nprint caret\n"
                                 "set ReadOnly 1\ntype \"zz\"\nprint text\n"
                                 "set TabColumns \"9 5\"\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "DelayMS 500 GoToMain\n1:5\nab  \n");
    EXPECT_EQ(result.err, "Tab columns must be in order and unique\n");
}
