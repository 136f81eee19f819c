// The recording canvas of one printed page: a painter bound to the page's
// picture, with the resolution of the device the page is laid out for, so
// that text measured for that device keeps its size when the picture is
// played back on it.
#pragma once

#include <QPainter>
#include <QPicture>

namespace quarno {

class TTulloMetaFileCanvas {
public:
    // Records into picture (which must outlive the canvas).
    TTulloMetaFileCanvas(QPicture& picture, int resolutionX, int resolutionY);
    ~TTulloMetaFileCanvas();
    TTulloMetaFileCanvas(const TTulloMetaFileCanvas&) = delete;
    TTulloMetaFileCanvas& operator=(const TTulloMetaFileCanvas&) = delete;

    QPainter& Painter() { return m_painter; }
    int ResolutionX() const { return m_resolutionX; }
    int ResolutionY() const { return m_resolutionY; }
    // Takes over font, brush and pen of the previous page's canvas.
    void CopyState(const TTulloMetaFileCanvas& previous);

private:
    QPainter m_painter;
    int m_resolutionX;
    int m_resolutionY;
};

} // namespace quarno
