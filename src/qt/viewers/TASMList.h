// The assembler listing window.
#pragma once

#include <QWidget>

namespace quarno {

class TASMList : public QWidget {
    Q_OBJECT
public:
    explicit TASMList(QWidget* parent = nullptr);
};

} // namespace quarno
