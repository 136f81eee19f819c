// What the program-memory and EEPROM windows share: a tool window holding one
// grid of hexadecimal cells whose first column is the fixed address column.
// Cells can be typed into, but nothing reads them back; the next fill
// overwrites them.
#pragma once

#include "core/viewers/HexGridText.h"
#include "qt/viewers/TOutputWindow.h"

#include <string>

class QTableWidget;

namespace quarno {

class TMemoryGridWindow : public TOutputWindow {
    Q_OBJECT
public:
    struct TLayout {
        const char* gridName;
        int columns;
        int rows;
        int columnWidth;
        TWindowBoundsKeys boundsKeys;
    };

    TMemoryGridWindow(const TLayout& layout, QWidget* parent);

    void Fill(const TGridCells& cells);
    QTableWidget* Grid() const { return m_grid; }
    std::string CellText(int row, int column) const;

private:
    QTableWidget* m_grid;
};

} // namespace quarno
