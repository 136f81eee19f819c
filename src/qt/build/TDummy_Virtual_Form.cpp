// The window shown while the compiler runs.
#include "build/TDummy_Virtual_Form.h"

namespace quarno {

TDummy_Virtual_Form::TDummy_Virtual_Form(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Dummy_Virtual_Form"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(211, 96);
    // Enabled only while a compile is being waited for.
    setEnabled(false);
}

} // namespace quarno
