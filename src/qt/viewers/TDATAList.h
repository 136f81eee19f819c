// The EEPROM window "Eeprom Data": 8 rows of an address and sixteen bytes.
#pragma once

#include "qt/viewers/TMemoryGridWindow.h"

namespace quarno {

class TDATAList : public TMemoryGridWindow {
    Q_OBJECT
public:
    explicit TDATAList(QWidget* parent = nullptr);
};

} // namespace quarno
