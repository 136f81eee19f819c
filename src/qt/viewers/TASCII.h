// The ASCII table window: every character code with its decimal and
// hexadecimal value and the control names, read-only, with a Cancel button.
#pragma once

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quarno {

class TASCII : public QWidget {
    Q_OBJECT
public:
    explicit TASCII(QWidget* parent = nullptr);

    // The View menu's command: enables the window and shows it.
    void ShowTable();
    void CancelButtonClick();

    QPlainTextEdit* ASCIIText() const { return m_text; }
    QLineEdit* Edit1() const { return m_header; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    QWidget* MakeHeaderStrip();
    QWidget* MakeButtonStrip();

    QLineEdit* m_header = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace quarno
