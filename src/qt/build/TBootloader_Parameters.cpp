// The dialog that names the user's own bootloader.
#include "build/TBootloader_Parameters.h"

namespace quarno {

TBootloader_Parameters::TBootloader_Parameters(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Bootloader_Parameters"));
    setWindowTitle(QStringLiteral("Bootloader Directory Path"));
}

} // namespace quarno
