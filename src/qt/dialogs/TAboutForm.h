// The about box.
#pragma once

#include <QDialog>

namespace quarno {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);
};

} // namespace quarno
