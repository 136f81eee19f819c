#include "core/print/TPageFrame.h"
#include "core/settings/TLP_Settings.h"

#include <gtest/gtest.h>

using namespace quarno;

TEST(TPageFrame, HeaderAndFooterTakeTheirLinesFromTheTextArea) {
    const TPrintRect page{100, 200, 1100, 2200};
    const int L = 40;
    struct Case {
        uint32_t options;
        bool header, footer;
        std::string title, date;
    };
    const Case cases[] = {
        {0, false, false, "", ""},
        {smoPrintFilename, true, false, "prog.bas", ""},
        {smoPrintDate, true, false, "", "1/2/27 - 10:00:00"},
        {smoPrintPageNos, false, true, "", ""},
        {smoPrintFilename | smoPrintDate | smoPrintPageNos, true, true, "prog.bas",
         "1/2/27 - 10:00:00"},
    };
    for (const Case& c : cases) {
        TPageFrame frame = MakePageFrame(page, L, c.options, "prog.bas", "1/2/27 - 10:00:00", 3);
        SCOPED_TRACE(c.options);
        EXPECT_EQ(frame.header, c.header);
        EXPECT_EQ(frame.footer, c.footer);
        EXPECT_EQ(frame.title, c.title);
        EXPECT_EQ(frame.dateTime, c.date);
        EXPECT_EQ(frame.body.left, page.left);
        EXPECT_EQ(frame.body.right, page.right);
        EXPECT_EQ(frame.body.top, c.header ? 200 + 3 * L : 200);
        EXPECT_EQ(frame.body.bottom, c.footer ? 2200 - 4 * L : 2200);
        if (c.header) {
            EXPECT_EQ(frame.headerLine, (TPrintRect{100, 200, 1100, 240}));
            EXPECT_EQ(frame.headerRule, 280);
        }
        if (c.footer) {
            EXPECT_EQ(frame.footerLine, (TPrintRect{100, 2100, 1100, 2140}));
            EXPECT_EQ(frame.footerRule, 2080);
            EXPECT_EQ(frame.pageNumber, "- 3 -");
        }
    }
}

TEST(TPageFrame, HeaderDateJoinsDateAndTime) {
    EXPECT_EQ(HeaderDateText("09.12.2026", "02:43:54"), "09.12.2026 - 02:43:54");
}
