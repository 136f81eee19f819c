#include "core/viewers/HexGridText.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/viewers/THexLoader.h"

#include <gtest/gtest.h>

using namespace quarno;

static std::string Golden(const std::string& name) {
    return ReadWholeFile(std::string(QUARNO_TEST_DATA) + "/viewers/" + name);
}

TEST(HexGridText, BlankGridsMatchTheGoldenFiles) {
    EXPECT_EQ(GridText(FillHexGridBlank()), Golden("blank_program_grid.txt"));
    EXPECT_EQ(GridText(FillEepromGridBlank()), Golden("blank_eeprom_grid.txt"));
    // An erased image fills exactly like the blank grids.
    THexImage erased;
    EXPECT_EQ(FillHexGrid(erased), FillHexGridBlank());
    EXPECT_EQ(FillEepromGrid(erased), FillEepromGridBlank());
}

// sample.hex holds program words in the first and last rows, EEPROM bytes in
// the first and last visible cells and one beyond them, the configuration
// word, a bad checksum, lower-case digits, an odd address and count, and a
// record after the end record.
TEST(HexGridText, SampleFileGridsMatchTheGoldenFiles) {
    THexImage image;
    THexLoader(image).LoadHexLines(SplitLines(Golden("sample.hex")));
    EXPECT_EQ(GridText(FillHexGrid(image)), Golden("sample_program_grid.txt"));
    EXPECT_EQ(GridText(FillEepromGrid(image)), Golden("sample_eeprom_grid.txt"));
    EXPECT_EQ(image.EepromBytes[0x80], 0x77); // loaded but outside the grid
}

TEST(HexGridText, CellsAreUpperCaseZeroPaddedHex) {
    THexImage image;
    image.ProgramWords[9] = 0x00ab;
    image.EepromBytes[17] = 0x0c;
    TGridCells program = FillHexGrid(image);
    ASSERT_EQ(program.size(), 1024u);
    ASSERT_EQ(program[1].size(), 9u);
    EXPECT_EQ(program[1][0], "0008");
    EXPECT_EQ(program[1][2], "00AB");
    EXPECT_EQ(program[1023][0], "1FF8");
    TGridCells eeprom = FillEepromGrid(image);
    ASSERT_EQ(eeprom.size(), 8u);
    ASSERT_EQ(eeprom[1].size(), 17u);
    EXPECT_EQ(eeprom[1][0], "2110");
    EXPECT_EQ(eeprom[1][2], "0C");
    EXPECT_EQ(eeprom[7][0], "2170");
}
