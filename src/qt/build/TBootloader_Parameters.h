// The dialog that names the user's own bootloader.
#pragma once

#include <QDialog>

namespace quarno {

class TBootloader_Parameters : public QDialog {
    Q_OBJECT
public:
    explicit TBootloader_Parameters(QWidget* parent = nullptr);
};

} // namespace quarno
