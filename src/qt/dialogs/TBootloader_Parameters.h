// The dialog that names the user's own bootloader: the programmer's dialog
// with its own texts, on section EXT_BOOTLOADER.
#pragma once

#include "qt/dialogs/TProgPath.h"

namespace quarno {

class TBootloader_Parameters : public TProgPath {
    Q_OBJECT
public:
    explicit TBootloader_Parameters(QWidget* parent = nullptr);
};

} // namespace quarno
