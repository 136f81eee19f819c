// The about box.
#include "qt/dialogs/TAboutForm.h"

namespace quarno {

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("QUARNO+"));
}

} // namespace quarno
