// The dialog that names the user's own programmer.
#pragma once

#include <QDialog>

namespace quarno {

class TProgPath : public QDialog {
    Q_OBJECT
public:
    explicit TProgPath(QWidget* parent = nullptr);
};

} // namespace quarno
