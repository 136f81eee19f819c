// The ASCII table window.
#include "viewers/TASCII.h"

namespace quarno {

TASCII::TASCII(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ASCII"));
    setWindowTitle(QStringLiteral("ASCII Table"));
    // Enabled each time the View menu shows it.
    setEnabled(false);
}

} // namespace quarno
