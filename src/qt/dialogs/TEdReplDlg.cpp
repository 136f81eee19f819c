// The replace dialog.
#include "qt/dialogs/TEdReplDlg.h"

namespace quarno {

TEdReplDlg::TEdReplDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EdReplDlg"));
    setWindowTitle(QStringLiteral("Find and replace text..."));
}

} // namespace quarno
