// The replace dialog.
#include "app/TEdReplDlg.h"

namespace quarno {

TEdReplDlg::TEdReplDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EdReplDlg"));
    setWindowTitle(QStringLiteral("Find and replace text..."));
}

} // namespace quarno
