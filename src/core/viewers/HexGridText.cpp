// The cell texts of the program-memory and EEPROM grids.
#include "core/viewers/HexGridText.h"

#include "core/base/StringUtils.h"

namespace quarno {

static std::string Hex(unsigned value, int digits) {
    return Format("%0*X", digits, value);
}

// Rows of `columns` data cells addressed from `base` in steps of `columns`,
// each data cell produced by cell(index of the entry).
template <typename CellText>
static TGridCells MakeGrid(int rows, int columns, unsigned base, CellText cell) {
    TGridCells grid(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string>& row = grid[static_cast<size_t>(r)];
        row.reserve(static_cast<size_t>(columns) + 1);
        row.push_back(Hex(base + static_cast<unsigned>(r * columns), 4));
        for (int j = 0; j < columns; ++j)
            row.push_back(cell(r * columns + j));
    }
    return grid;
}

TGridCells FillHexGrid(const THexImage& image) {
    return MakeGrid(kHexGridRows, kHexGridWords, 0, [&](int index) {
        return Hex(image.ProgramWords[static_cast<size_t>(index)], 4);
    });
}

TGridCells FillHexGridBlank() {
    return MakeGrid(kHexGridRows, kHexGridWords, 0, [](int) { return std::string("3FFF"); });
}

TGridCells FillEepromGrid(const THexImage& image) {
    return MakeGrid(kEepromGridRows, kEepromGridBytes, THexImage::kEepromBase, [&](int index) {
        return Hex(image.EepromBytes[static_cast<size_t>(index)] & 0xFFu, 2);
    });
}

TGridCells FillEepromGridBlank() {
    return MakeGrid(kEepromGridRows, kEepromGridBytes, THexImage::kEepromBase,
                    [](int) { return std::string("FF"); });
}

std::string GridText(const TGridCells& cells) {
    std::string text;
    for (const auto& row : cells) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0) text += ' ';
            text += row[i];
        }
        text += '\n';
    }
    return text;
}

} // namespace quarno
