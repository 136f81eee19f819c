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

TEST(ExportCommand, SourcesAreReadAndWrittenInTheirOwnEncoding) {
    TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        std::string unix;
    };
    const Case cases[] = {
        {"utf8.bas", "' caf\xC3\xA9\r\n", "' caf\xC3\xA9\n"},
        {"bom.bas", "\xEF\xBB\xBF' \xE2\x82\xAC\r\n", "\xEF\xBB\xBF' \xE2\x82\xAC\n"},
        {"ansi.bas", "' caf\xE9\r\n", "' caf\xE9\n"},
        {"greek.bas", "' \xCE\xB1\r\n", "' \xCE\xB1\n"},
    };
    for (const Case& c : cases) {
        auto run =
            RunProcess(QUARNO_TOOL, {"export", "--format", "unix", dir.Write(c.name, c.bytes)});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.unix) << c.name;
    }
    // HTML shows the document's characters, converted from UTF-8.
    auto html = RunProcess(QUARNO_TOOL, {"export", "--format", "html", dir.File("utf8.bas")});
    EXPECT_NE(html.out.find("caf&#233;"), std::string::npos);
}
