// The dialog that names the user's own programmer.
#include "build/TProgPath.h"

namespace quarno {

TProgPath::TProgPath(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ProgPath"));
    setWindowTitle(QStringLiteral("Programmer Directory Path"));
}

} // namespace quarno
