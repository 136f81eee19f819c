#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using quarno::test::RunProcess;
using quarno::test::TempDir;

TEST(ExportCommand, WritesEachFormatWithTheLanguagesStyles) {
    TempDir dir;
    std::string file = dir.Write("a.bas", "PRINT \"x\"\r\n' note\n");
    auto text = RunProcess(QUARNO_TOOL, {"export", "--format", "text", file});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "PRINT \"x\"\r\n' note\r\n");
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"export", "--format", "unix", file}).out,
              "PRINT \"x\"\n' note\n");
    auto rtf = RunProcess(QUARNO_TOOL, {"export", "--format", "rtf", file});
    EXPECT_EQ(rtf.out.substr(0, 14), "{\\rtf1 \\deff1{");
    EXPECT_NE(rtf.out.find("\\b1 PRINT\\b0 "), std::string::npos) << "the keyword style is bold";
    auto html = RunProcess(QUARNO_TOOL, {"export", "--format", "html", "--title", "My <t>", file});
    EXPECT_NE(html.out.find("<TITLE>My &lt;t&gt;</TITLE>"), std::string::npos);
    EXPECT_NE(html.out.find("<B>PRINT</B>"), std::string::npos);
    EXPECT_NE(html.out.find("&quot;x&quot;"), std::string::npos);
    auto asmText = RunProcess(QUARNO_TOOL, {"export", "--format", "rtf", "--lang", "asm", file});
    EXPECT_EQ(asmText.status, 0);
    EXPECT_NE(asmText.out, rtf.out) << "another language styles differently";
}

TEST(ExportCommand, BadArgumentsAndFiles) {
    TempDir dir;
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"export", dir.File("a.bas")}).status, 2);
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"export", "--format", "pdf", dir.File("a.bas")}).status, 2);
    auto missing = RunProcess(QUARNO_TOOL, {"export", "--format", "text", dir.File("none.bas")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot be opened for reading"), std::string::npos);
}
