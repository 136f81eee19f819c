#include "core/viewers/THexLoader.h"
#include "core/viewers/ViewerExceptions.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

// One expected entry after a load: program word or EEPROM byte at an index.
struct Expect {
    bool eeprom;
    size_t index;
    uint16_t value;
};

struct LoadCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<Expect> expects;
};

THexImage Load(const std::vector<std::string>& lines) {
    THexImage image;
    image.ProgramWords.fill(0x1234); // the load must reset whatever was there
    image.EepromBytes.fill(0x0012);
    THexLoader(image).LoadHexLines(lines);
    return image;
}

// Every entry not named keeps its erased value.
void CheckImage(const THexImage& image, const std::vector<Expect>& expects,
                const std::string& name) {
    THexImage expected;
    for (const Expect& e : expects)
        (e.eeprom ? expected.EepromBytes.data() : expected.ProgramWords.data())[e.index] = e.value;
    for (size_t i = 0; i < expected.ProgramWords.size(); ++i)
        ASSERT_EQ(image.ProgramWords[i], expected.ProgramWords[i]) << name << " word " << i;
    for (size_t i = 0; i < expected.EepromBytes.size(); ++i)
        ASSERT_EQ(image.EepromBytes[i], expected.EepromBytes[i]) << name << " eeprom " << i;
}

} // namespace

TEST(THexLoader, RecordsLandWhereTheRulesPutThem) {
    const std::vector<LoadCase> cases = {
        {"low byte first", {":0400000001020304F2"}, {{false, 0, 0x0201}, {false, 1, 0x0403}}},
        {"EEPROM at byte 0x4200 keeps the low byte", {":02420000AB0011"}, {{true, 0, 0xAB}}},
        {"EEPROM high byte dropped", {":02420200CD12DB"}, {{true, 1, 0xCD}}},
        {"configuration word dropped", {":02400E00FF3F72"}, {}},
        {"ID locations and 0x2200 up dropped", {":02400000AA0014", ":02440000550065"}, {}},
        {"odd count leaves the last byte", {":0300000011223397"}, {{false, 0, 0x2211}}},
        {"odd byte address rounds down", {":020003003412B5"}, {{false, 1, 0x1234}}},
        {"end record stores nothing, later lines still count",
         {":00000001FF", ":0400000001020304F2"},
         {{false, 0, 0x0201}, {false, 1, 0x0403}}},
        {"wrong checksum digit skips the record", {":0400000001020304F3"}, {}},
        {"lower-case digits",
         {":0400000001020304f2", ":02420000ab0011"},
         {{false, 0, 0x0201}, {false, 1, 0x0403}, {true, 0, 0xAB}}},
        {"one trailing character is ignored",
         {":0400000001020304F2 "},
         {{false, 0, 0x0201}, {false, 1, 0x0403}}},
        {"two trailing characters join the sum",
         {":0400000001020304F200"},
         {{false, 0, 0x0201}, {false, 1, 0x0403}}},
        {"two trailing characters that break the sum", {":0400000001020304F201"}, {}},
        {"type is not examined", {":02000004ABCD82"}, {{false, 0, 0xCDAB}}},
        {"later records overwrite earlier ones",
         {":020000001111DC", ":020000002222BA"},
         {{false, 0, 0x2222}}},
        {"non-records are skipped", {"", "; comment", " :0400000001020304F2", "0400"}, {}},
        {"last program word and last EEPROM byte",
         {":023FFE0034127B", ":0243FE00990024"},
         {{false, 0x1FFF, 0x1234}, {true, 0xFF, 0x99}}},
    };
    for (const LoadCase& c : cases)
        CheckImage(Load(c.lines), c.expects, c.name);
}

TEST(THexLoader, ShortOrLongRecordsNeverReadPastTheLine) {
    // A lone colon sums to 0 and holds no fields; a record cut short stores
    // its complete words only.
    CheckImage(Load({":"}), {}, "lone colon");
    CheckImage(Load({":00"}), {}, "count only");
    // Count 4 announced, one word and the checksum present: sum is 0 when
    // the checksum makes it so.
    CheckImage(Load({":04000000010208F1"}), {{false, 0, 0x0201}, {false, 1, 0xF108}},
               "short record");
    // 130 data bytes: a record longer than 255 characters is read whole.
    std::string line = ":82000000";
    unsigned sum = 0x82;
    for (int i = 0; i < 130; ++i) {
        line += "01";
        sum += 1;
    }
    char checksum[3];
    std::snprintf(checksum, sizeof checksum, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    line += checksum;
    ASSERT_GT(line.size(), 255u);
    THexImage image = Load({line});
    EXPECT_EQ(image.ProgramWords[0], 0x0101);
    EXPECT_EQ(image.ProgramWords[64], 0x0101);
    EXPECT_EQ(image.ProgramWords[65], 0x3FFF);
}

TEST(THexLoader, NonHexPairStopsTheLoadAtThatLine) {
    THexImage image;
    THexLoader loader(image);
    try {
        loader.LoadHexLines({":0400000001020304F2", ":04000400G1020304F2", ":02420000AB0011"});
        FAIL() << "no conversion error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'$G1' is not a valid integer value");
    }
    EXPECT_EQ(image.ProgramWords[0], 0x0201); // before the line: stored
    EXPECT_EQ(image.ProgramWords[2], 0x3FFF); // the line itself: not stored
    EXPECT_EQ(image.EepromBytes[0], 0xFF);    // after it: not processed
}

TEST(THexLoader, ConversionErrorNamesTheDollarPair) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {":0400000001020304F2 x", "'$ x' is not a valid integer value"},
        {":04 0", "'$ 0' is not a valid integer value"},
        {":0x00", "'$0x' is not a valid integer value"},
        {":-1", "'$-1' is not a valid integer value"},
        {std::string(":\0"
                     "1",
                     3),
         "'$\\x001' is not a valid integer value"},
        {std::string(":1\0", 3), "'$1\\x00' is not a valid integer value"},
        {":\t\x7F", "'$\\x09\\x7F' is not a valid integer value"},
    };
    for (const auto& [line, message] : cases) {
        THexImage image;
        THexLoader loader(image);
        try {
            loader.HexLineValid(line);
            ADD_FAILURE() << line;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), message) << line;
        }
    }
}

TEST(THexLoader, LoadingASecondFileLeavesNothingOfTheFirst) {
    THexImage image;
    THexLoader loader(image);
    loader.LoadHexLines({":0400000001020304F2", ":02420000AB0011"});
    loader.LoadHexLines({":020002003412B6"});
    CheckImage(image, {{false, 1, 0x1234}}, "second load");
    loader.LoadHexLines({});
    CheckImage(image, {}, "empty list");
}

TEST(THexLoader, ReadHexByteAndWordFollowThePosition) {
    THexImage image;
    THexLoader loader(image);
    ASSERT_TRUE(loader.HexLineValid(":0400000001020304F2"));
    EXPECT_EQ(loader.Position(), 2u); // the character after the colon
    EXPECT_EQ(loader.ReadHexByte(), 0x04);
    EXPECT_EQ(loader.Position(), 4u);
    EXPECT_EQ(loader.ReadHexWord(), 0x0000);
    EXPECT_EQ(loader.ReadHexByte(), 0x00);
    EXPECT_EQ(loader.ReadHexWord(), 0x0102); // first byte read is the high byte
    EXPECT_EQ(loader.Position(), 14u);
    loader.ReadHexWord();
    EXPECT_EQ(loader.ReadHexByte(), 0xF2);
    EXPECT_EQ(loader.Position(), 20u);
}

TEST(THexLoader, GlobalImageOperations) {
    LoadHexLines({":0400000001020304F2"});
    EXPECT_EQ(HexImage.ProgramWords[1], 0x0403);
    EXPECT_TRUE(HexLineValid(":00000001FF"));
    EXPECT_FALSE(HexLineValid(":00000001FE"));
    EXPECT_FALSE(HexLineValid(""));
    ClearHexImage();
    EXPECT_EQ(HexImage.ProgramWords[1], 0x3FFF);
    EXPECT_EQ(HexImage.EepromBytes[255], 0xFF);
}
