// The screenshot of headless runs.
#include "qt/app/TScreenshot.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QImageWriter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace quarno {

TScreenshot::TScreenshot(QWidget* window, QString path, QObject* parent)
    : QObject(parent), m_window(window), m_path(std::move(path)) {
    // A window covered by its children (an editor filling it) is painted
    // through them only, so any paint inside it counts.
    qApp->installEventFilter(this);
    // Headless runs have no window manager to carry out "maximised", so the
    // window takes the screen itself, as a maximised window would.
    if (QScreen* screen = m_window->screen()) m_window->setGeometry(screen->availableGeometry());
}

bool TScreenshot::eventFilter(QObject* watched, QEvent* event) {
    // The paint has reached the screen once control is back in the event
    // loop, so the grab waits for the next turn.
    auto* widget = qobject_cast<QWidget*>(watched);
    bool inWindow = widget && (widget == m_window || m_window->isAncestorOf(widget));
    if (inWindow && event->type() == QEvent::Paint && !m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &TScreenshot::Capture);
    }
    return QObject::eventFilter(watched, event);
}

void TScreenshot::Capture() {
    // What the first activation changed (the start-up file loaded) reaches
    // the screen before it is taken.
    m_window->repaint();
    QScreen* screen = m_window->screen();
    QPixmap shot = screen ? screen->grabWindow(0) : QPixmap();
    // The file's suffix names the format (PNG when it names none we write):
    // timed runs take BMP, which costs nothing to encode. A PNG is written at
    // zlib's fastest level (quality 80); the default took longer than drawing
    // the window.
    QByteArray format = QFileInfo(m_path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) format = "png";
    const int quality = format == "png" ? 80 : -1;
    if (shot.isNull() || !shot.save(m_path, format.constData(), quality)) {
        std::fprintf(stderr, "Cannot write the screenshot %s\n", qPrintable(m_path));
        QCoreApplication::exit(1);
        return;
    }
    // Closed as the user would close it, so what a run keeps (the recent
    // files) is kept; a close that was cancelled still ends the run.
    if (!m_window->close()) QCoreApplication::exit(0);
}

} // namespace quarno
