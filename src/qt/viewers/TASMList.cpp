// The assembler listing window.
#include "viewers/TASMList.h"

namespace quarno {

TASMList::TASMList(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ASMList"));
    setWindowTitle(QStringLiteral("ASSEMBLER Listing"));
}

} // namespace quarno
