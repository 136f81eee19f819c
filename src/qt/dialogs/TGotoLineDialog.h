// The go-to-line dialog.
#pragma once

#include <QDialog>

namespace quarno {

class TGotoLineDialog : public QDialog {
    Q_OBJECT
public:
    explicit TGotoLineDialog(QWidget* parent = nullptr);
};

} // namespace quarno
