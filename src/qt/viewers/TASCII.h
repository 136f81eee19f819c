// The ASCII table window.
#pragma once

#include <QWidget>

namespace quarno {

class TASCII : public QWidget {
    Q_OBJECT
public:
    explicit TASCII(QWidget* parent = nullptr);
};

} // namespace quarno
