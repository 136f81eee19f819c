// The report pane under the editor: the compiler's report as plain text,
// whose lines can lead to the source. A double-click asks for the line under
// the mouse; the line being followed is marked.
#pragma once

#include <QPlainTextEdit>

#include <string>
#include <vector>

namespace quarno {

class TReportMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TReportMemo(QWidget* parent = nullptr);

    // The report's lines as the compiler wrote them (Windows-1252 bytes).
    std::vector<std::string> Lines() const;
    // Marks a line (-1: none) and shows it.
    void MarkLine(int line);
    int MarkedLine() const { return m_marked; }

signals:
    void LineActivated(int line);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int m_marked = -1;
};

} // namespace quarno
