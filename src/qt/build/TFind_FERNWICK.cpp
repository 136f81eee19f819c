// The dialog that locates the Fernwick bootloader.
#include "build/TFind_FERNWICK.h"

namespace quarno {

TFind_FERNWICK::TFind_FERNWICK(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Find_FERNWICK"));
    setWindowTitle(QStringLiteral("Find FERNWICK Directory Path"));
}

} // namespace quarno
