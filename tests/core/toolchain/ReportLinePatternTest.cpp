#include "core/base/TProfileFile.h"
#include "core/toolchain/ReportNavigation.h"
#include "core/toolchain/TReportLinePattern.h"
#include "support/DocumentsFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::TempDir;

namespace {

// "FILE LINE COL", or "-" when the line names no location.
std::string Located(const TReportLinePattern& pattern, const std::string& line) {
    std::optional<TReportLocation> found = pattern.Match(line);
    if (!found) return "-";
    return found->File + " " + std::to_string(found->Line) + " " + std::to_string(found->Column);
}

} // namespace

TEST(ReportLinePattern, TheDefaultKnowsTheCommonForms) {
    TReportLinePattern pattern;
    const struct {
        const char* line;
        const char* located;
    } cases[] = {
        {"Line 2: 'Frobnicate now' is not understood", " 2 0"}, // the stand-in compiler
        {"prog.bas(12): Undefined symbol", "prog.bas 12 0"},
        {"Error INCLUDE\\LCD.INC (7,3) bad", "INCLUDE\\LCD.INC 7 3"},
        {"C:\\WORK\\PROG.BAS(40) Syntax error", "C:\\WORK\\PROG.BAS 40 0"},
        {"/home/ann/pic/prog.bas:9: error: what", "/home/ann/pic/prog.bas 9 0"},
        {"prog.asm:31:7: warning", "prog.asm 31 7"},
        {"ERROR in LINE 5", " 5 0"},
        {"Compiled without errors", "-"},
        {"Program words used: 12", "-"},
        {"Line 0: nothing there", "-"},
        {"prog.bas(99999999999): too far", "-"},
        {"deadline 3", "-"}, // "line" must start a word
    };
    for (const auto& c : cases)
        EXPECT_EQ(Located(pattern, c.line), c.located) << c.line;
}

TEST(ReportLinePattern, AUsersPatternNamesItsGroups) {
    TReportLinePattern python(R"(^E (?P<line>\d+) in (?P<file>[^ ]+))");
    EXPECT_EQ(Located(python, "E 14 in main.bas"), "main.bas 14 0");
    TReportLinePattern letters(R"(at (?<line>\w+))");
    EXPECT_EQ(Located(letters, "at 12"), " 12 0");
    EXPECT_EQ(Located(letters, "at end"), "-");
    // Groups inside sets and escaped parentheses are not counted.
    TReportLinePattern sets(R"([(](\()?\)(?<column>\d+)/(?<line>\d+)@(?:x)(?<file>\w+))");
    EXPECT_EQ(Located(sets, "((5/6@xq"), "-");
    EXPECT_EQ(Located(sets, "(()5/6@xq"), "q 6 5");
    for (const char* bad : {"(?<file>\\w+)", "(?<line>\\d+", "[(?<line>\\d)]"}) {
        EXPECT_THROW(TReportLinePattern{bad}, EReportPattern) << bad;
    }
    TempDir dir;
    TProfileFile ini(dir.Write("KBX.INI", ""));
    EXPECT_EQ(Located(ReadReportLinePattern(ini), "prog.bas(3)"), "prog.bas 3 0");
    ini.WriteString(kReportSection, kReportLinePatternKey, "^#(?<line>\\d+)");
    EXPECT_EQ(Located(ReadReportLinePattern(ini), "#8 x"), " 8 0");
    EXPECT_EQ(Located(ReadReportLinePattern(ini), "prog.bas(3)"), "-");
}

TEST(ReportLinePattern, TheNextAndPreviousLinesGoRoundTheEnd) {
    TReportLinePattern pattern;
    const std::vector<std::string> lines{"Error(s) in prog.bas", "Line 2: a", "ok", "Line 4: b"};
    EXPECT_EQ(FindReportLine(lines, pattern, -1, true), 1u);
    EXPECT_EQ(FindReportLine(lines, pattern, 1, true), 3u);
    EXPECT_EQ(FindReportLine(lines, pattern, 3, true), 1u);
    EXPECT_EQ(FindReportLine(lines, pattern, -1, false), 3u);
    EXPECT_EQ(FindReportLine(lines, pattern, 3, false), 1u);
    EXPECT_EQ(FindReportLine(lines, pattern, 1, false), 3u);
    EXPECT_EQ(FindReportLine({"ok"}, pattern, -1, true), std::nullopt);
    EXPECT_EQ(FindReportLine({}, pattern, 0, false), std::nullopt);
}

TEST(ReportLinePattern, TheNamedFileIsFoundBesideTheDocument) {
    TempDir dir;
    std::string document = dir.Write("prog.bas", "");
    std::string include = dir.Write("lcd.inc", "");
    EXPECT_EQ(ResolveReportFile("", document), document);
    EXPECT_EQ(ResolveReportFile("LCD.INC", document), include);
    EXPECT_EQ(ResolveReportFile("C:\\WORK\\LCD.INC", document), include);
    EXPECT_EQ(ResolveReportFile(include, document), include);
    EXPECT_EQ(ResolveReportFile("gone.inc", document), dir.File("gone.inc"));
    EXPECT_EQ(ResolveReportFile("/nowhere/x.inc", document), "/nowhere/x.inc");
}

using ReportNavigationTest = quarno::test::DocumentsFixture;

TEST_F(ReportNavigationTest, TheCaretGoesToTheLineOpeningOtherFiles) {
    std::string main = dir.Write("prog.bas", "first\r\nsecond line\r\nthird\r\n");
    std::string include = dir.Write("lcd.inc", "a\r\nb\r\nc\r\nd\r\n");
    OpenViaDialog(main);
    ASSERT_EQ(docs.Current()->FileName(), main);

    EXPECT_TRUE(GoToReportLocation(docs, pad, {"", 2, 4}));
    EXPECT_EQ(pad.CaretLine(), 2);
    EXPECT_EQ(pad.CaretColumn(), 4);

    EXPECT_TRUE(GoToReportLocation(docs, pad, {"LCD.INC", 3, 0}));
    EXPECT_EQ(docs.Current()->FileName(), include);
    EXPECT_EQ(docs.DocumentCount(), 2);
    EXPECT_EQ(pad.CaretLine(), 3);

    // Back to the open file: its tab comes forward, nothing is asked.
    EXPECT_TRUE(GoToReportLocation(docs, pad, {"prog.bas", 99, 99}));
    EXPECT_EQ(docs.Current()->FileName(), main);
    EXPECT_EQ(tabs.selected, 0);
    EXPECT_EQ(docs.DocumentCount(), 2);
    EXPECT_EQ(pad.CaretLine(), 3); // the last line, at its end
    EXPECT_EQ(pad.CaretColumn(), 6);
    EXPECT_TRUE(prompts.Boxes().empty());

    EXPECT_FALSE(GoToReportLocation(docs, pad, {"gone.inc", 1, 0}));
    EXPECT_EQ(docs.Current()->FileName(), main);
    ASSERT_EQ(prompts.Boxes().size(), 1u);
}
