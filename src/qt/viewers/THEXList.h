// The program-memory window "Program Data": 1024 rows of an address and
// eight program words.
#pragma once

#include "qt/viewers/TMemoryGridWindow.h"

namespace quarno {

class THEXList : public TMemoryGridWindow {
    Q_OBJECT
public:
    explicit THEXList(QWidget* parent = nullptr);
};

} // namespace quarno
