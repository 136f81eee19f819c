// The program-memory window.
#include "viewers/THEXList.h"

namespace quarno {

THEXList::THEXList(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("HEXList"));
    setWindowTitle(QStringLiteral("Program Data"));
}

} // namespace quarno
