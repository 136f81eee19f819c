// The program-memory window.
#include "qt/viewers/THEXList.h"

#include <QTableWidget>

namespace quarno {

namespace {

const TMemoryGridWindow::TLayout kLayout{"StringGrid1", 9, 1024, 34, kHexListBoundsKeys};

} // namespace

THEXList::THEXList(QWidget* parent) : TMemoryGridWindow(kLayout, parent) {
    setObjectName(QStringLiteral("HEXList"));
    setWindowTitle(QStringLiteral("Program Data"));
    setGeometry(581, 164, 345, 564);
    setToolTip(QStringLiteral("Display PROGRAM CODE area"));
    Grid()->setToolTip(QStringLiteral("Display EEPROM program area."));
}

} // namespace quarno
