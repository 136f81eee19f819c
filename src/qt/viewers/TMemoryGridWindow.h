// What the program-memory and EEPROM windows share: a tool window holding one
// grid of hexadecimal cells whose first column is the fixed address column,
// remembering its position and size in KBX.INI. Cells can be typed into, but
// nothing reads them back; the next fill overwrites them.
#pragma once

#include "viewers/HexGridText.h"
#include "viewers/WindowBounds.h"

#include <QWidget>

#include <functional>
#include <string>

class QTableWidget;

namespace quarno {

class TMemoryGridWindow : public QWidget {
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

    // Reads the window's bounds from the configuration file and applies them.
    void FormCreate(const std::string& configFile);
    void Fill(const TGridCells& cells);
    QTableWidget* Grid() const { return m_grid; }
    std::string CellText(int row, int column) const;

    // The close box hid the window (the main window unchecks its menu item).
    std::function<void()> OnClosed;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void WriteBounds();

    TWindowBoundsKeys m_keys;
    std::string m_configFile;
    QTableWidget* m_grid;
};

} // namespace quarno
