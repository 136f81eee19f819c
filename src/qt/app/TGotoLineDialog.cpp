// The go-to-line dialog.
#include "app/TGotoLineDialog.h"

namespace quarno {

TGotoLineDialog::TGotoLineDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GotoLineDialog"));
    setWindowTitle(QStringLiteral("Go to line number"));
}

} // namespace quarno
