// The drawing routine of the editing control: rows of the view painted onto a
// QPainter (gutter cell, margin strip, text runs in their styles, selection,
// visible blanks, range marks, margin lines), then the focus line and the
// caret. The widget paints the screen with it; printing and benchmarks paint
// images with the same routine.
#pragma once

#include "core/editor/TDisplayLine.h"
#include "qt/editor/TLexipadGlyphs.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QPointF>
#include <QRawFont>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <string>

class QPainter;

namespace quarno {

class TCustomLexipad;
class TLexipadMetrics;
struct TLineLook;
struct TRangeMark;
class TTextStore;

// What OnDrawLine receives for a line before its text is drawn.
struct TLineDrawData {
    int version = 1;
    std::string text; // the line expanded to display columns, from the left column on
    int version2 = 1;
    QPainter* dc = nullptr;
    QRect rect;        // the line's part of the text area
    int firstChar = 0; // position of the line's first character
    int leftCol = 0;
    int count = 0;       // characters to draw
    bool result = false; // set by the handler: the control draws nothing more for the line
};

// The state of the control a paint pass shows besides its text.
struct TPaintState {
    bool showSelection = true; // the control has the focus, or HideSelection is off
    bool monoPrint = false;    // printing in black and white
    bool caretShown = false;   // the caret is drawn (focus, blink phase)
    int dropPosition = -1;     // while text is dragged over the control: where it would go
    bool showFocusLine = false;
    int marginDragX = -1; // the margin line being dragged, drawn inverted
};

class TLexipadPainter {
public:
    TLexipadPainter(TCustomLexipad& pad, const TLexipadMetrics& metrics);
    // The painter draws one control and keeps its fonts and buffers.
    TLexipadPainter(const TLexipadPainter&) = delete;
    TLexipadPainter& operator=(const TLexipadPainter&) = delete;

    // The fonts of the text (each style's font style applied to font) and of
    // the gutter's line numbers.
    void SetFonts(const QFont& font, const QFont& gutterFont, const QColor& gutterText);
    void SetPalette(const QPalette& palette) { m_palette = palette; }
    // The gutter's line images (15 x 16); a line shows the one its lowest
    // image bit selects.
    void SetLineImages(const QList<QImage>& images) { m_lineImages = images; }

    // Paints view rows first..last (0 = the top line) across width pixels and
    // clears the painted records' repaint and restyle flags.
    void PaintRows(QPainter& painter, int first, int last, int width, const TPaintState& state);
    // The focus line, the caret, the drop caret and a dragged margin line.
    void PaintOverlays(QPainter& painter, int width, const TPaintState& state);
    // The rectangle the caret (or the drop caret at a position) takes.
    QRect CaretRect(int position, bool beyondLineEnd) const;

    std::function<int(TLineDrawData& data)> OnDrawLine;
    // Draws a range mark; false leaves it to the red zig-zag.
    std::function<bool(QPainter& dc, const QRect& rect, TRangeMark& mark)> OnDrawMark;

private:
    void PaintRow(QPainter& painter, int row, int width, const TPaintState& state, int& number);
    void PaintGutterCell(QPainter& painter, int record, int y, int breakGlyph, int number);
    void PaintText(QPainter& painter, int record, int y, int width, const TLineLook& look,
                   const TPaintState& state);
    void PaintRuns(QPainter& painter, int y, int width, const TLineLook& look,
                   const TPaintState& state);
    void PaintBlanks(QPainter& painter, int y);
    void PaintMarks(QPainter& painter, int record, int y);
    void PaintMarginLines(QPainter& painter, int y, int width);
    void DrawRunText(QPainter& painter, const TDisplayRun& run, int x, int y, uint8_t fontStyle);
    bool DrawRunGlyphs(QPainter& painter, const TDisplayRun& run, int x, int baseline,
                       uint8_t fontStyle);
    int RunX(const TDisplayRun& run) const;
    int ColumnX(int column) const;
    int RealLineNumber(int record);
    bool BreakpointLook(int record, TLineLook& look, int& glyph);
    QColor Color(int32_t color) const;
    void UsePen(QPainter& painter, const QColor& color);
    void UseFont(QPainter& painter, uint8_t fontStyle);

    TCustomLexipad& m_pad;
    const TLexipadMetrics& m_metrics;
    TLexipadGlyphs m_glyphs;
    QPalette m_palette;
    std::array<QFont, 16> m_fonts;          // by font style bits
    std::array<bool, 16> m_fontFitsCells{}; // a fixed-pitch style font whose "W" fills a cell
    // The glyph of each byte in each style font, made on first use; cells of
    // a fixed-pitch font are drawn from them without shaping text.
    struct TGlyphTable {
        bool made = false;
        QRawFont font;
        std::array<quint32, 256> glyphs{};
    };
    std::array<TGlyphTable, 16> m_glyphTables;
    QList<quint32> m_glyphIndexes;
    QList<QPointF> m_glyphPositions;
    QFont m_gutterFont;
    QColor m_gutterText;
    QList<QImage> m_lineImages;
    QImage m_gutterCell;
    TDisplayLine m_line;
    QString m_runText;
    // The pen and font last set on the painter of the current pass.
    QColor m_pen;
    int m_font = -1;
};

} // namespace quarno
