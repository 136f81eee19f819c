// The replace dialog.
#pragma once

#include <QDialog>

namespace quarno {

class TEdReplDlg : public QDialog {
    Q_OBJECT
public:
    explicit TEdReplDlg(QWidget* parent = nullptr);
};

} // namespace quarno
