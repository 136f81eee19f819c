#include "core/viewers/WindowBounds.h"
#include "core/base/FileUtils.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;

TEST(WindowBounds, MissingKeysReadAsZero) {
    test::TempDir folder;
    TProfileFile config(folder.File("KBX.INI"));
    EXPECT_EQ(ReadWindowBounds(config, kHexListBoundsKeys), TWindowBounds{});
}

TEST(WindowBounds, WrittenInTheOrderWidthLeftTopHeightAndReadBack) {
    test::TempDir folder;
    TProfileFile config(folder.File("KBX.INI"));
    TWindowBounds bounds{10, 20, 300, 400};
    WriteWindowBounds(config, kDataListBoundsKeys, bounds);
    EXPECT_EQ(ReadWindowBounds(config, kDataListBoundsKeys), bounds);
    std::string text = ReadWholeFile(folder.File("KBX.INI"));
    size_t width = text.find("DATA_WIDTH=300"), left = text.find("DATA_LEFT=10"),
           top = text.find("DATA_TOP=20"), height = text.find("DATA_HEIGHT=400");
    ASSERT_NE(height, std::string::npos);
    EXPECT_TRUE(text.find("[EEPROM]") < width && width < left && left < top && top < height)
        << text;
    EXPECT_EQ(ReadWindowBounds(config, kHexListBoundsKeys), TWindowBounds{}); // other section
}
