// The recording canvas of a printed page.
#include "qt/print/TTulloMetaFileCanvas.h"

namespace quarno {

TTulloMetaFileCanvas::TTulloMetaFileCanvas(QPicture& picture, int resolutionX, int resolutionY)
    : m_resolutionX(resolutionX), m_resolutionY(resolutionY) {
    m_painter.begin(&picture);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, resolutionY * 10 / 72));
    m_painter.setFont(font);
    m_painter.setBrush(Qt::NoBrush);
}

TTulloMetaFileCanvas::~TTulloMetaFileCanvas() {
    if (m_painter.isActive()) m_painter.end();
}

void TTulloMetaFileCanvas::CopyState(const TTulloMetaFileCanvas& previous) {
    m_painter.setFont(previous.m_painter.font());
    m_painter.setBrush(previous.m_painter.brush());
    m_painter.setPen(previous.m_painter.pen());
}

} // namespace quarno
