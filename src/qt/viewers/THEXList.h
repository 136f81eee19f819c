// The program-memory window.
#pragma once

#include <QWidget>

namespace quarno {

class THEXList : public QWidget {
    Q_OBJECT
public:
    explicit THEXList(QWidget* parent = nullptr);
};

} // namespace quarno
