// The window shown while the compiler runs.
#pragma once

#include <QWidget>

namespace quarno {

class TDummy_Virtual_Form : public QWidget {
    Q_OBJECT
public:
    explicit TDummy_Virtual_Form(QWidget* parent = nullptr);
};

} // namespace quarno
