#include "core/app/AppVersion.h"
#include "support/RunProcess.h"

#include <gtest/gtest.h>

using quarno::test::RunProcess;

TEST(VersionCommand, VersionAndHelpGoToStandardOutputWithStatusZero) {
    for (const char* option : {"--version", "-v"}) {
        auto run = RunProcess(QUARNO_TOOL, {option});
        EXPECT_EQ(run.status, 0) << option;
        EXPECT_EQ(run.out,
                  std::string("quarno-tool (QUARNO+ Editor) ") + quarno::ProgramVersion() + "\n");
        EXPECT_EQ(run.err, "");
    }
    auto help = RunProcess(QUARNO_TOOL, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: quarno-tool COMMAND [ARGS...]\n", 0), 0u);
    EXPECT_NE(help.out.find("profile get FILE SECTION KEY [DEFAULT]"), std::string::npos);
    auto wrong = RunProcess(QUARNO_TOOL, {"--frobnicate"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("unknown command '--frobnicate'"), std::string::npos);
}
