// The small pictures of the editing control: the gutter glyphs (bookmark
// digits 0 to 9, an enabled and another breakpoint, the wrap mark) and the
// marks that make blanks and line ends visible.
#pragma once

#include <QImage>

#include <array>

class QPainter;
class QRect;

namespace quarno {

class TLexipadGlyphs {
public:
    static constexpr int kBookmark0 = 0;
    static constexpr int kBreakpointEnabled = 10;
    static constexpr int kBreakpointOther = 11;
    static constexpr int kWrapMark = 12;
    static constexpr int kGlyphCount = 13;
    static constexpr int kSize = 12; // glyphs are square
    // The bookmark glyph's face, which tests look for.
    static const QRgb kBookmarkFace;

    TLexipadGlyphs();
    // A gutter glyph with its top-left corner at (x, y); nothing for an
    // index outside 0..12.
    void Draw(QPainter& painter, int index, int x, int y) const;

    // Visible blanks, drawn by inverting what is under them: a raised dot in
    // a space's cell, an arrow centred in a TAB's cells, the end-of-line mark
    // and the wrap mark after a line's last character.
    static void DrawSpaceDot(QPainter& painter, const QRect& cell, int lineHeight);
    static void DrawTabArrow(QPainter& painter, const QRect& cells);
    static void DrawLineEnd(QPainter& painter, const QRect& cell);
    static void DrawSoftBreak(QPainter& painter, const QRect& cell);

private:
    std::array<QImage, kGlyphCount> m_images;
};

} // namespace quarno
