#include "core/print/TPrintPaginator.h"
#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quarno;

namespace {

constexpr int kCharWidth = 10;
constexpr int kLineHeight = 20;

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "line " + std::to_string(i) + (i < count ? "\r" : "");
    return text;
}

// Every page of a paginator for one text area, each page's lines as
// "number:text" ("+:text" on a wrapped continuation).
std::vector<std::vector<std::string>> Pages(TPrintPaginator& paginator, int width, int height) {
    std::vector<std::vector<std::string>> pages;
    do {
        TPrintPage page = paginator.NextPage(width, height);
        EXPECT_EQ(page.number, static_cast<int>(pages.size()) + 1);
        std::vector<std::string> lines;
        for (const TPrintLine& line : page.lines) {
            EXPECT_EQ(line.tokens.size(), line.text.size());
            lines.push_back((line.lineNumber ? std::to_string(line.lineNumber) : "+") + ":" +
                            line.text);
        }
        pages.push_back(lines);
    } while (!paginator.Finished() && pages.size() < 1000);
    return pages;
}

struct PrintPad {
    TFixedMetrics metrics{kCharWidth, kLineHeight};
    TCustomLexipad pad;
    PrintPad(const std::string& text, uint32_t printOptions) {
        pad.SetOptions((pad.Options() & ~(smoPrintWrap | smoPrintLineNos)) | printOptions);
        pad.SetText(text);
    }
    std::vector<std::vector<std::string>> Print(int width, int height, bool selection = false) {
        TPrintPaginator paginator(pad, metrics,
                                  selection ? TPrintPaginator::SelectionLines(pad)
                                            : TPrintPaginator::WholeDocument(pad));
        return Pages(paginator, width, height);
    }
};

} // namespace

TEST(TPrintPaginator, BreaksPagesWhenTheTextAreaIsFull) {
    PrintPad doc(NumberedLines(25), 0);
    auto pages = doc.Print(500, 10 * kLineHeight + kLineHeight / 2);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 10u);
    EXPECT_EQ(pages[1].size(), 10u);
    ASSERT_EQ(pages[2].size(), 5u);
    EXPECT_EQ(pages[0][0], "1:line 1");
    EXPECT_EQ(pages[1][0], "11:line 11");
    EXPECT_EQ(pages[2][4], "25:line 25");
}

TEST(TPrintPaginator, ExactlyFullPageLeavesNoEmptyPage) {
    PrintPad doc(NumberedLines(20), 0);
    EXPECT_EQ(doc.Print(500, 10 * kLineHeight).size(), 2u);
}

TEST(TPrintPaginator, EmptyDocumentGivesOneEmptyPage) {
    PrintPad doc("", smoPrintWrap | smoPrintLineNos);
    auto pages = doc.Print(500, 200);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].empty());
}

TEST(TPrintPaginator, TextAreaLowerThanALineStillMovesOn) {
    PrintPad doc(NumberedLines(3), 0);
    auto pages = doc.Print(500, kLineHeight / 2);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2][0], "3:line 3");
    // Margins wider than the sheet leave a negative area.
    PrintPad wrapped("aaaa bbbb cccc", smoPrintWrap | smoPrintLineNos);
    pages = wrapped.Print(-300, -40);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0][0], "1:aaaa ");
}

TEST(TPrintPaginator, WrapsLongLinesAtBlanksWhenPrintWrapIsOn) {
    std::string text = "aaaa bbbb cccc dddd\rshort\rabcdefghijklmnopqrstuvwxy";
    PrintPad wrapped(text, smoPrintWrap);
    auto pages = wrapped.Print(10 * kCharWidth, 1000);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (std::vector<std::string>{"1:aaaa bbbb ", "+:cccc dddd", "2:short",
                                                  "3:abcdefghij", "+:klmnopqrst", "+:uvwxy"}));

    PrintPad clipped(text, 0);
    EXPECT_EQ(clipped.Print(10 * kCharWidth, 1000)[0],
              (std::vector<std::string>{"1:aaaa bbbb cccc dddd", "2:short",
                                        "3:abcdefghijklmnopqrstuvwxy"}));
}

TEST(TPrintPaginator, LineNumberFieldNarrowsTheWrapWidth) {
    // 12 lines: two digits and a blank take 3 of the 12 columns.
    std::string text = NumberedLines(11) + "\raaaaa bbbbb";
    PrintPad doc(text, smoPrintWrap | smoPrintLineNos);
    TPrintPaginator paginator(doc.pad, doc.metrics, TPrintPaginator::WholeDocument(doc.pad));
    EXPECT_EQ(paginator.NumberWidth(), 3 * kCharWidth);
    auto pages = Pages(paginator, 12 * kCharWidth, 1000);
    EXPECT_EQ(pages[0].back(), "+:bbbbb");
    EXPECT_EQ(pages[0][pages[0].size() - 2], "12:aaaaa ");

    PrintPad plain(text, smoPrintWrap);
    TPrintPaginator unnumbered(plain.pad, plain.metrics, TPrintPaginator::WholeDocument(plain.pad));
    EXPECT_EQ(unnumbered.NumberWidth(), 0);
    EXPECT_EQ(Pages(unnumbered, 12 * kCharWidth, 1000)[0].back(), "12:aaaaa bbbbb");
}

TEST(TPrintPaginator, WrappedLineContinuesOnTheNextPage) {
    PrintPad doc("one\raaaa bbbb cccc dddd eeee\rlast", smoPrintWrap);
    auto pages = doc.Print(10 * kCharWidth, 2 * kLineHeight);
    EXPECT_EQ(pages, (std::vector<std::vector<std::string>>{
                         {"1:one", "2:aaaa bbbb "}, {"+:cccc dddd ", "+:eeee"}, {"3:last"}}));
}

TEST(TPrintPaginator, ScreenWrapDoesNotSplitPrintedLinesOrTheirNumbers) {
    PrintPad doc("aaaa bbbb cccc dddd\rsecond", 0);
    doc.pad.SetWrapAtColumn(6);
    doc.pad.SetOptions(doc.pad.Options() | smoWordWrap);
    ASSERT_GT(doc.pad.Store().RecordCount(), 2);
    EXPECT_EQ(doc.Print(1000, 1000)[0],
              (std::vector<std::string>{"1:aaaa bbbb cccc dddd", "2:second"}));
}

TEST(TPrintPaginator, SelectionPrintsTheLinesItTouches) {
    struct Case {
        int startLine, startColumn, endLine, endColumn; // 1-based lines
        int first, last;                                // expected line numbers
    };
    const Case cases[] = {
        {5, 3, 8, 0, 5, 7},   // ends at the very start of line 8
        {5, 3, 8, 1, 5, 8},   // one character into line 8
        {2, 0, 2, 4, 2, 2},   // inside one line
        {4, 2, 4, 2, 4, 4},   // empty selection: the caret's line
        {3, 0, 3, 0, 3, 3},   // empty selection at a line start
        {9, 0, 10, 7, 9, 10}, // to the end of the text
    };
    for (const Case& c : cases) {
        PrintPad doc(NumberedLines(10), 0);
        doc.pad.SetSelection(doc.pad.LineIndex(c.startLine - 1) + c.startColumn,
                             doc.pad.LineIndex(c.endLine - 1) + c.endColumn);
        auto pages = doc.Print(1000, 1000, true);
        ASSERT_EQ(pages.size(), 1u);
        std::vector<std::string> expected;
        for (int n = c.first; n <= c.last; ++n)
            expected.push_back(std::to_string(n) + ":line " + std::to_string(n));
        EXPECT_EQ(pages[0], expected) << "selection from line " << c.startLine;
    }
}

TEST(TPrintPaginator, SelectionCountsRealLinesUnderScreenWrap) {
    PrintPad doc("aaaa bbbb cccc\rsecond line here\rthird", 0);
    doc.pad.SetWrapAtColumn(6);
    doc.pad.SetOptions(doc.pad.Options() | smoWordWrap);
    int second = doc.pad.Text().find("second");
    doc.pad.SetSelection(second + 8, second + 10); // on a soft continuation
    EXPECT_EQ(doc.Print(1000, 1000, true)[0], (std::vector<std::string>{"2:second line here"}));
}
