// The dialog that locates the ORLA programmer.
#pragma once

#include <QDialog>

namespace quarno {

class TORLAPath : public QDialog {
    Q_OBJECT
public:
    explicit TORLAPath(QWidget* parent = nullptr);
};

} // namespace quarno
