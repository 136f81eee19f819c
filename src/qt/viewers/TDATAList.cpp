// The EEPROM window.
#include "qt/viewers/TDATAList.h"

#include <QTableWidget>

namespace quarno {

namespace {

const TMemoryGridWindow::TLayout kLayout{"EEPROMGrid", 17, 8, 18, kDataListBoundsKeys};

constexpr int kAddressColumnWidth = 32;

} // namespace

TDATAList::TDATAList(QWidget* parent) : TMemoryGridWindow(kLayout, parent) {
    setObjectName(QStringLiteral("DATAList"));
    setWindowTitle(QStringLiteral("Eeprom Data"));
    setGeometry(391, 293, 324, 169);
    Grid()->setToolTip(QStringLiteral("Display EEPROM data area."));
    Grid()->setColumnWidth(0, kAddressColumnWidth);
}

} // namespace quarno
