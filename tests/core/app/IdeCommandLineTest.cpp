#include "core/app/IdeCommandLine.h"

#include <gtest/gtest.h>

using namespace quarno;
using Action = TIdeCommandLine::TAction;
using Words = std::vector<std::string>;

TEST(IdeCommandLine, OptionsFilesAndQtsOwnOptions) {
    struct Case {
        Words arguments;
        Action action;
        Words files;
        const char* problem;
    };
    const Case cases[] = {
        {{}, Action::Run, {}, ""},
        {{"a.bas", "sub/b.inc"}, Action::Run, {"a.bas", "sub/b.inc"}, ""},
        {{"--help"}, Action::Help, {}, ""},
        {{"a.bas", "-h"}, Action::Help, {}, ""},
        {{"--version", "--help"}, Action::Version, {}, ""},
        {{"-v"}, Action::Version, {}, ""},
        {{"--frobnicate", "a.bas"}, Action::UsageError, {}, "unrecognized option '--frobnicate'"},
        {{"-x"}, Action::UsageError, {}, "unrecognized option '-x'"},
        {{"a.bas", "--", "--help", "-x"}, Action::Run, {"a.bas", "--help", "-x"}, ""},
        {{"-"}, Action::Run, {"-"}, ""},
        {{"-style", "fusion", "a.bas"}, Action::Run, {"a.bas"}, ""},
        {{"--platform=offscreen", "-reverse", "a.bas"}, Action::Run, {"a.bas"}, ""},
        {{"a.bas", "-platform"}, Action::UsageError, {}, "option '-platform' requires an argument"},
        {{"-stylesheet=x.qss", "--nograb"}, Action::Run, {}, ""},
    };
    for (const Case& c : cases) {
        TIdeCommandLine line = ParseIdeCommandLine(c.arguments);
        std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(line.action, c.action) << shown;
        EXPECT_EQ(line.files, c.files) << shown;
        EXPECT_EQ(line.problem, c.problem) << shown;
    }
}

TEST(IdeCommandLine, UsageNamesEveryOption) {
    std::string usage = IdeUsageText();
    EXPECT_EQ(usage.rfind("Usage: quarno-ide [OPTION]... [FILE]...\n", 0), 0u);
    for (const char* option : {"-h, --help", "-v, --version", "--"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(usage.back(), '\n');
}
