// The go-to-line dialog.
#include "qt/dialogs/TGotoLineDialog.h"

namespace quarno {

TGotoLineDialog::TGotoLineDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GotoLineDialog"));
    setWindowTitle(QStringLiteral("Go to line number"));
}

} // namespace quarno
