// The EEPROM window.
#pragma once

#include <QWidget>

namespace quarno {

class TDATAList : public QWidget {
    Q_OBJECT
public:
    explicit TDATAList(QWidget* parent = nullptr);
};

} // namespace quarno
