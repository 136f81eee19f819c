// The find dialog.
#include "qt/dialogs/TEdFindDlg.h"

namespace quarno {

TEdFindDlg::TEdFindDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EdFindDlg"));
    setWindowTitle(QStringLiteral("Find text..."));
}

} // namespace quarno
