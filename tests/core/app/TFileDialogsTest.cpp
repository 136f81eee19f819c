#include "core/app/TFileDialogs.h"

#include <gtest/gtest.h>

using namespace quarno;
using Words = std::vector<std::string>;

TEST(TFileDialogs, ParsesTheApplicationsFilterTexts) {
    struct Case {
        const char* filter;
        std::vector<std::pair<std::string, Words>> expected;
    };
    const Case cases[] = {
        {"MCUBASIC files|*.bas;|INCLUDE files|*.inc;|All files|*.*",
         {{"MCUBASIC files", {"*.bas"}}, {"INCLUDE files", {"*.inc"}}, {"All files", {"*.*"}}}},
        {"FERNWICK|FERNWICK.EXE;", {{"FERNWICK", {"FERNWICK.EXE"}}}},
        {"Sources|*.bas; *.inc;;|Empty|", {{"Sources", {"*.bas", "*.inc"}}}},
        {"*.*", {{"*.*", {"*.*"}}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<TDialogFilter> entries = ParseDialogFilter(c.filter);
        ASSERT_EQ(entries.size(), c.expected.size()) << c.filter;
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].description, c.expected[i].first) << c.filter;
            EXPECT_EQ(entries[i].patterns, c.expected[i].second) << c.filter;
        }
    }
}
