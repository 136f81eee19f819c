// The output tool windows' bounds and close handling.
#include "qt/viewers/TOutputWindow.h"

#include <QCloseEvent>

namespace quarno {

TOutputWindow::TOutputWindow(const TWindowBoundsKeys& keys, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_keys(keys) {
    setEnabled(false);
}

void TOutputWindow::FormCreate(const std::string& configFile) {
    m_configFile = configFile;
    TWindowBounds bounds = ReadWindowBounds(TProfileFile(configFile), m_keys);
    setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

// Written as soon as the window stops being active, so a position survives
// even if the program is ended abruptly afterwards.
bool TOutputWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) WriteBounds();
    return QWidget::event(event);
}

void TOutputWindow::closeEvent(QCloseEvent* event) {
    WriteBounds();
    event->accept(); // hidden, not destroyed
    if (OnClosed) OnClosed();
}

void TOutputWindow::WriteBounds() {
    if (m_configFile.empty()) return;
    TProfileFile config(m_configFile);
    QRect frame = geometry();
    WriteWindowBounds(config, m_keys, {frame.left(), frame.top(), frame.width(), frame.height()});
}

} // namespace quarno
