// The dialog that locates the Fernwick bootloader.
#pragma once

#include <QDialog>

namespace quarno {

class TFind_FERNWICK : public QDialog {
    Q_OBJECT
public:
    explicit TFind_FERNWICK(QWidget* parent = nullptr);
};

} // namespace quarno
