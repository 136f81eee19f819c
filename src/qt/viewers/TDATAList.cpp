// The EEPROM window.
#include "viewers/TDATAList.h"

namespace quarno {

TDATAList::TDATAList(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DATAList"));
    setWindowTitle(QStringLiteral("Eeprom Data"));
}

} // namespace quarno
