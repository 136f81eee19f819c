// A short number field with a narrow up/down spin button at its right end.
// The field does no checking of its own: its owner decides what a text
// means (textChanged) and what a step makes of it (Stepped).
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace quarno {

class TSmallNumberEdit : public QWidget {
    Q_OBJECT
public:
    explicit TSmallNumberEdit(QWidget* parent = nullptr);

    QLineEdit* Field() const { return m_field; }
    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

signals:
    // A spin button was pressed: +1 up, -1 down.
    void Stepped(int delta);

private:
    QLineEdit* m_field = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};

} // namespace quarno
