// The cell texts of the program-memory and EEPROM grids: an address column and
// the words or bytes of the memory image, upper-case hexadecimal.
#pragma once

#include "core/viewers/THexImage.h"

#include <string>
#include <vector>

namespace quarno {

// Rows of cells; cell 0 of each row is the row's PIC word address.
using TGridCells = std::vector<std::vector<std::string>>;

constexpr int kHexGridRows = 1024; // 8 words a row, 0000 to 1FF8
constexpr int kHexGridWords = 8;
constexpr int kEepromGridRows = 8; // 16 bytes a row, 2100 to 2170
constexpr int kEepromGridBytes = 16;

TGridCells FillHexGrid(const THexImage& image = HexImage);
// Addresses as above, every data cell "3FFF".
TGridCells FillHexGridBlank();
// The first 128 EEPROM bytes, two digits each.
TGridCells FillEepromGrid(const THexImage& image = HexImage);
// Addresses as above, every data cell "FF".
TGridCells FillEepromGridBlank();

// One line per row, cells separated by one blank, each line ended by LF.
std::string GridText(const TGridCells& cells);

} // namespace quarno
