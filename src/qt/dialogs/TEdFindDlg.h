// The find dialog.
#pragma once

#include <QDialog>

namespace quarno {

class TEdFindDlg : public QDialog {
    Q_OBJECT
public:
    explicit TEdFindDlg(QWidget* parent = nullptr);
};

} // namespace quarno
