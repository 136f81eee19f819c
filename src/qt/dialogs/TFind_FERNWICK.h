// The dialog that locates the Fernwick bootloader: the ORLA dialog with its
// own texts, on FERNWICK/PATHNAME.
#pragma once

#include "qt/dialogs/TORLAPath.h"

namespace quarno {

class TFind_FERNWICK : public TORLAPath {
    Q_OBJECT
public:
    explicit TFind_FERNWICK(QWidget* parent = nullptr);
};

} // namespace quarno
