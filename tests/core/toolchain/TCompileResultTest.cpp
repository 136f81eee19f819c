#include "core/toolchain/TCompileResult.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::TempDir;

TEST(TCompileResult, StatusLineRules) {
    struct Case {
        std::string first;
        TResultStatus status;
        std::string device, code, ram;
    };
    const std::vector<Case> cases = {
        {"16F877,1234,56,", TResultStatus::rsSummary, "16F877", "1234", "56"},
        {"RFPIC12F675,100,20,", TResultStatus::rsSummary, "RFPIC12F675", "100", "20"},
        {"PIC16F84,100,20,", TResultStatus::rsOther, "", "", ""},
        {"ERROR", TResultStatus::rsError, "", "", ""},
        {"ASSEMBLER ERRORS", TResultStatus::rsError, "", "", ""},
        {"error", TResultStatus::rsOther, "", "", ""},
        {"ERROR ", TResultStatus::rsOther, "", "", ""},
        {"ERRORS", TResultStatus::rsOther, "", "", ""},
        {"", TResultStatus::rsOther, "", "", ""},
        // An empty field swallows the comma after it and runs to the next.
        {"16F84,,56,", TResultStatus::rsSummary, "16F84", ",56", ""},
        {"1,2,3", TResultStatus::rsSummary, "1", "2", "3"}, // last field to the end
        {"16F84,12", TResultStatus::rsSummary, "16F84", "12", ""},
        {"1", TResultStatus::rsSummary, "1", "", ""},
        {"R,,,,x,", TResultStatus::rsSummary, "R", ",", ",x"},
        {"16F84 , 12 , 3 ,", TResultStatus::rsSummary, "16F84 ", " 12 ", " 3 "},
    };
    for (const Case& c : cases) {
        TCompileResult result = ParseCompileResult({c.first, "report"});
        EXPECT_EQ(result.Status, c.status) << c.first;
        EXPECT_EQ(result.Device, c.device) << c.first;
        EXPECT_EQ(result.Code, c.code) << c.first;
        EXPECT_EQ(result.Ram, c.ram) << c.first;
    }
}

TEST(TCompileResult, ReportLinesInPaneOrder) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(ParseCompileResult({"ERROR", "two", "three", "four"}).ReportLines,
              (Lines{"two", "three", "four"}));
    EXPECT_EQ(ParseCompileResult({"ERROR", "two"}).ReportLines, (Lines{"two", ""}));
    EXPECT_EQ(ParseCompileResult({"ERROR"}).ReportLines, (Lines{"", ""}));
    EXPECT_EQ(ParseCompileResult({}).ReportLines, (Lines{"", ""}));
    EXPECT_EQ(ParseCompileResult({}).Status, TResultStatus::rsOther);
    EXPECT_EQ(ParseCompileResult({"x", "", "", ""}).ReportLines, (Lines{"", "", ""}));
}

TEST(TCompileResult, FileReadingAndMissingFile) {
    TempDir dir;
    dir.Write("P.KBR", "16F877,1234,56,\r\nline two\r\nline three\nline four\r");
    TCompileResult result = ReadCompileResultFile(dir.File("P.KBR"));
    EXPECT_EQ(result.Status, TResultStatus::rsSummary);
    EXPECT_EQ(result.Device, "16F877");
    EXPECT_EQ(result.ReportLines,
              (std::vector<std::string>{"line two", "line three", "line four"}));
    TCompileResult missing = ReadCompileResultFile(dir.File("NONE.KBR"));
    EXPECT_EQ(missing.Status, TResultStatus::rsMissing);
    EXPECT_TRUE(missing.ReportLines.empty());
}

TEST(TCompileResult, SummaryPanels) {
    TCompileResult summary = ParseCompileResult({"16F877,1234,56,"});
    EXPECT_EQ(SummaryPanelTexts(summary),
              (std::vector<std::string>{"DEVICE 16F877", "CODE 1234", "RAM 56"}));
    EXPECT_EQ(SummaryPanelTexts(ParseCompileResult({"ERROR"})),
              (std::vector<std::string>{"", "", ""}));
}

TEST(TCompileResult, ReportPaneFollowsTheLastReading) {
    struct Case {
        const char* first;
        TReportPaneState before;
        TReportPaneState after;
    };
    // {PaneVisible, ViewChecked, ReportShown}
    const std::vector<Case> cases = {
        {"ERROR", {false, false, false}, {true, true, true}}, // forced open
        {"ASSEMBLER ERRORS", {true, true, false}, {true, true, true}},
        {"16F84,1,2,", {false, true, true}, {true, true, false}}, // follows the mark
        {"16F84,1,2,", {true, false, false}, {false, false, false}},
        {"other", {true, false, true}, {true, false, false}}, // left as it was
        {"other", {false, true, false}, {false, true, false}},
    };
    for (const Case& c : cases) {
        TReportPaneState after = ReportPaneAfter(ParseCompileResult({c.first}), c.before);
        EXPECT_EQ(after.PaneVisible, c.after.PaneVisible) << c.first;
        EXPECT_EQ(after.ViewChecked, c.after.ViewChecked) << c.first;
        EXPECT_EQ(after.ReportShown, c.after.ReportShown) << c.first;
    }
    TReportPaneState missing = ReportPaneAfter(TCompileResult(), {true, true, true});
    EXPECT_TRUE(missing.PaneVisible);
    EXPECT_FALSE(missing.ReportShown);
}
