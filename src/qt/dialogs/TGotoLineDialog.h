// The go-to-line dialog: asks for a line number within a range, warns about
// anything else and stays open until it gets one or is cancelled. It blocks
// the window it serves, without blocking the caller: accepted() says when a
// number was taken.
#pragma once

#include "core/app/GotoLine.h"

#include <QDialog>

class QLineEdit;

namespace quarno {

class TPrompts;

class TGotoLineDialog : public QDialog {
    Q_OBJECT
public:
    explicit TGotoLineDialog(QWidget* parent = nullptr);

    // Shows the current line, all of it selected. The prompts must outlive
    // the showing.
    void Open(const TLineRange& range, TPrompts& prompts);
    const TLineRange& Range() const { return m_range; }
    // The line taken by the last OK.
    int Value() const { return m_range.current; }
    QLineEdit* LineNumberBox() const { return m_lineNumberBox; }
    void OKButtonClick();

private:
    TLineRange m_range;
    TPrompts* m_prompts = nullptr;
    QLineEdit* m_lineNumberBox;
};

} // namespace quarno
