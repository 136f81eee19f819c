// The report pane.
#include "qt/app/TReportMemo.h"

#include "qt/base/TextConversion.h"

#include <QMouseEvent>
#include <QTextBlock>

namespace quarno {

TReportMemo::TReportMemo(QWidget* parent) : QPlainTextEdit(parent) {
    // A new report marks nothing.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        m_marked = -1;
        setExtraSelections({});
    });
}

std::vector<std::string> TReportMemo::Lines() const {
    std::vector<std::string> lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines.push_back(ToAnsi(block.text()));
    return lines;
}

void TReportMemo::MarkLine(int line) {
    m_marked = line;
    QTextBlock block = document()->findBlockByNumber(line);
    if (line < 0 || !block.isValid()) {
        m_marked = -1;
        setExtraSelections({});
        return;
    }
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(palette().highlight());
    mark.format.setForeground(palette().highlightedText());
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    mark.cursor = QTextCursor(block);
    setExtraSelections({mark});
    setTextCursor(QTextCursor(block));
    ensureCursorVisible();
}

void TReportMemo::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit LineActivated(cursorForPosition(event->position().toPoint()).blockNumber());
}

} // namespace quarno
