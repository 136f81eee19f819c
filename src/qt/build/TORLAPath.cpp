// The dialog that locates the ORLA programmer.
#include "build/TORLAPath.h"

namespace quarno {

TORLAPath::TORLAPath(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ORLAPath"));
    setWindowTitle(QStringLiteral("Find ORLA Directory Path"));
}

} // namespace quarno
