#include "core/viewers/AsciiTableText.h"
#include "core/base/FileUtils.h"

#include <gtest/gtest.h>

using namespace quarno;

TEST(AsciiTableText, WholeTextMatchesTheGoldenFile) {
    std::string text;
    for (const std::string& line : AsciiTableLines())
        text += line + "\n";
    EXPECT_EQ(text, ReadWholeFile(std::string(QUARNO_TEST_DATA) + "/viewers/ascii_table.txt"));
}

TEST(AsciiTableText, LinesOfTheEdgeCases) {
    std::vector<std::string> lines = AsciiTableLines();
    ASSERT_EQ(lines.size(), 263u);
    EXPECT_EQ(lines[10], "\x7F       10      0A      LF");
    EXPECT_EQ(lines[10].size(), 26u);
    EXPECT_EQ(lines[65], "A       65      41");
    EXPECT_EQ(lines[200], "\xC8       200     C8");
    EXPECT_EQ(lines[32], "        32      20      SP");
    EXPECT_EQ(lines[0], "\x7F       00      00      NUL");
    EXPECT_EQ(lines[143].substr(0, 1), "\x8D");
    EXPECT_EQ(lines[141].substr(0, 1), "\x8D"); // 141 is itself
    EXPECT_EQ(lines[145].substr(0, 1), "\x91");
    EXPECT_EQ(lines[256], "");
    for (size_t i = 257; i < 263; ++i)
        EXPECT_EQ(lines[i], " ");
    EXPECT_EQ(std::string(kAsciiTableHeader), "chr     dec#    hex#    ctrl");
}
