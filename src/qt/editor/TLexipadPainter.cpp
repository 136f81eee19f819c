// The drawing routine of the editing control.
#include "qt/editor/TLexipadPainter.h"

#include "core/editor/TCustomLexipad.h"
#include "core/settings/RunColors.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/LexipadColors.h"
#include "qt/editor/TLexipadMetrics.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>

namespace quarno {

namespace {

constexpr QRgb kSilver = qRgb(192, 192, 192);
constexpr int kGlyphX = 2;          // left edge of the mark glyph in the gutter
constexpr int kBreakpointShift = 4; // the breakpoint glyph sits this much further right
constexpr int kImageWidth = 15;
constexpr int kImageHeight = 16;
constexpr int kNumberX = 2;
constexpr int kCentredNumberHeight = 9; // lines at least this high centre their number
constexpr int kZigZagStep = 3;
constexpr int kZigZagHeight = 2;

int LowestBit(uint32_t bits) {
    int index = 0;
    while (!(bits & 1u)) {
        bits >>= 1;
        ++index;
    }
    return index;
}

// Inverts what lies under a rectangle.
void InvertRect(QPainter& painter, const QRect& rect) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.fillRect(rect, Qt::white);
    painter.restore();
}

} // namespace

TLexipadPainter::TLexipadPainter(TCustomLexipad& pad, const TLexipadMetrics& metrics)
    : m_pad(pad), m_metrics(metrics) {
    SetFonts(metrics.Font(), QFont(QStringLiteral("MS Sans Serif"), 8), Qt::black);
}

void TLexipadPainter::SetFonts(const QFont& font, const QFont& gutterFont,
                               const QColor& gutterText) {
    int cell = m_metrics.CellWidth();
    for (size_t style = 0; style < m_fonts.size(); ++style) {
        QFont styled(font);
        styled.setBold(style & kFsBold);
        styled.setItalic(style & kFsItalic);
        styled.setUnderline(style & kFsUnderline);
        styled.setStrikeOut(style & kFsStrikeOut);
        m_fonts[style] = styled;
        m_fontFitsCells[style] = QFontMetrics(styled).horizontalAdvance(QLatin1Char('W')) == cell;
        m_glyphTables[style] = TGlyphTable();
    }
    m_gutterFont = gutterFont;
    m_gutterText = gutterText;
}

QColor TLexipadPainter::Color(int32_t color) const {
    return LexipadColor(color, m_palette);
}

void TLexipadPainter::UsePen(QPainter& painter, const QColor& color) {
    if (color == m_pen) return;
    m_pen = color;
    painter.setPen(color);
}

void TLexipadPainter::UseFont(QPainter& painter, uint8_t fontStyle) {
    int index = fontStyle & 15;
    if (index == m_font) return;
    m_font = index;
    painter.setFont(m_fonts[static_cast<size_t>(index)]);
}

void TLexipadPainter::PaintRows(QPainter& painter, int first, int last, int width,
                                const TPaintState& state) {
    m_pen = QColor();
    m_font = -1;
    // Rows still waiting for idle highlighting are highlighted before they
    // are drawn; a failing token handler leaves them plain.
    try {
        m_pad.StyleRecords(m_pad.TopLine() + std::max(first, 0), m_pad.TopLine() + last);
    } catch (const std::exception&) {
    }
    int number = 0;
    for (int row = std::max(first, 0); row <= last; ++row)
        PaintRow(painter, row, width, state, number);
}

// Soft continuations share their line's number; the store keeps the count.
int TLexipadPainter::RealLineNumber(int record) {
    return m_pad.Store().LinesThrough(record);
}

// The code break is asked first, then the breakpoints, for the start of the
// record's real line; the glyph goes on the line's first record only.
bool TLexipadPainter::BreakpointLook(int record, TLineLook& look, int& glyph) {
    TTextStore& store = m_pad.Store();
    int lineStart = store.RealLineStart(store.RecordStart(record));
    TBreakpointLook found;
    bool codeBreak = store.CodeBreak().LineLook(lineStart, found);
    if (!codeBreak && !store.Breakpoints().LineLook(lineStart, found)) return false;
    look.breakpoint = true;
    look.breakText = found.textColor;
    look.breakBack = found.backColor;
    if (!store.Record(record).IsContinuation()) {
        bool enabled = !codeBreak && found.glyph == store.Breakpoints().enabledLook.glyph;
        glyph = enabled ? TLexipadGlyphs::kBreakpointEnabled : TLexipadGlyphs::kBreakpointOther;
    }
    return true;
}

void TLexipadPainter::PaintRow(QPainter& painter, int row, int width, const TPaintState& state,
                               int& number) {
    TTextStore& store = m_pad.Store();
    int record = m_pad.TopLine() + row;
    int y = row * m_metrics.LineHeight();
    bool stored = record < store.RecordCount();
    TLineLook look;
    look.monoPrint = state.monoPrint;
    int breakGlyph = -1;
    number = 0;
    if (stored) {
        const TLineRecord& line = store.Record(record);
        look.lineText = line.TextColor();
        look.lineBack = line.BackColor();
        BreakpointLook(record, look, breakGlyph);
        if (!line.IsContinuation()) number = RealLineNumber(record);
    } else if (record == store.RecordCount() &&
               (record == 0 || store.Record(record - 1).EndsWithBreak())) {
        // The empty line after a final line break is a line too.
        number = record == 0 ? 1 : RealLineNumber(record - 1) + 1;
    }
    int lineHeight = m_metrics.LineHeight();
    if (m_pad.HasOption(smoShowGutter) && m_pad.GutterWidth() > 0)
        PaintGutterCell(painter, record, y, breakGlyph, number);
    int margin = m_pad.Margin();
    if (margin > 0) {
        const TLP_Settings& settings = m_pad.Settings();
        int32_t color =
            settings.MarginDefault() ? StyleLook(settings, 0).back : settings.MarginColor();
        painter.fillRect(m_pad.TextLeft() - margin, y, margin, lineHeight, Color(color));
    }
    PaintText(painter, record, y, width, look, state);
    if (stored) store.Record(record).ClearFlags(lfRepaint | lfRestyle | lfRestyleFollow);
}

// Composed off-screen and copied in one step.
void TLexipadPainter::PaintGutterCell(QPainter& painter, int record, int y, int breakGlyph,
                                      int number) {
    const TTextStore& store = m_pad.Store();
    const TLP_Settings& settings = m_pad.Settings();
    int width = m_pad.GutterWidth();
    int height = m_metrics.LineHeight();
    if (m_gutterCell.width() != width || m_gutterCell.height() != height)
        m_gutterCell = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    m_gutterCell.fill(Color(settings.GutterDefault() ? static_cast<int32_t>(0x80000000)
                                                     : settings.GutterColor()));
    QPainter cell(&m_gutterCell);
    if (width > 9) {
        cell.setPen(Qt::white);
        cell.drawLine(width - 3, 0, width - 3, height - 1);
    }
    int glyphY = (height - TLexipadGlyphs::kSize) / 2;
    uint16_t marks = 0;
    uint16_t images = 0;
    if (record < store.RecordCount()) {
        const TLineRecord& line = store.Record(record);
        uint16_t shown = kBookmarkBits;
        if (m_pad.HasOption(smoShowWrapGlyph)) shown |= kSoftContinuation;
        marks = line.Marks() & shown;
        images = line.Images();
    }
    if (marks) {
        int bit = LowestBit(marks);
        m_glyphs.Draw(cell, bit < 10 ? bit : TLexipadGlyphs::kWrapMark, kGlyphX, glyphY);
    }
    if (breakGlyph >= 0) m_glyphs.Draw(cell, breakGlyph, kGlyphX + kBreakpointShift, glyphY);
    if (images) {
        int index = LowestBit(images);
        if (index < m_lineImages.size()) {
            int top = height > kImageHeight ? (height - kImageHeight) / 2 : 0;
            cell.drawImage(width - kImageWidth - 4, top, m_lineImages[index]);
        }
    }
    bool numbers = m_pad.HasOption(smoShowGutter) && m_pad.HasOption(smoLineNumbers);
    if (numbers && number > 0 && images == 0 && (marks & kBookmarkBits) == 0) {
        cell.setFont(m_gutterFont);
        cell.setPen(m_gutterText);
        QRect area(kNumberX, 0, width - kNumberX, height);
        int align =
            Qt::AlignLeft | (height >= kCentredNumberHeight ? Qt::AlignVCenter : Qt::AlignTop);
        cell.drawText(area, align, QString::number(number));
    }
    cell.end();
    painter.drawImage(0, y, m_gutterCell);
}

int TLexipadPainter::ColumnX(int column) const {
    return m_pad.TextLeft() + column * m_metrics.CharWidth();
}

int TLexipadPainter::RunX(const TDisplayRun& run) const {
    if (m_metrics.FixedPitch()) return ColumnX(run.column);
    return m_pad.PosFromChar(m_line.RecordStart() + run.offset).x;
}

void TLexipadPainter::PaintText(QPainter& painter, int record, int y, int width,
                                const TLineLook& look, const TPaintState& state) {
    int left = m_pad.TextLeft();
    int height = m_metrics.LineHeight();
    int columns = std::max(width - left, 0) / m_metrics.CharWidth() + 2;
    m_line.Build(m_pad, record, columns);
    if (OnDrawLine && record < m_pad.Store().RecordCount()) {
        TLineDrawData data;
        data.text = m_line.Text();
        data.dc = &painter;
        data.rect = QRect(left, y, std::max(width - left, 0), height);
        data.firstChar = m_line.RecordStart();
        data.leftCol = m_pad.LeftCol();
        data.count = static_cast<int>(m_line.Text().size());
        painter.save();
        OnDrawLine(data);
        painter.restore();
        m_pen = QColor();
        m_font = -1;
        if (data.result) return;
    }
    PaintRuns(painter, y, width, look, state);
    if (m_pad.HasOption(smoShowAllChars)) PaintBlanks(painter, y);
    if (record < m_pad.Store().RecordCount()) PaintMarks(painter, record, y);
    PaintMarginLines(painter, y, width);
}

void TLexipadPainter::PaintRuns(QPainter& painter, int y, int width, const TLineLook& look,
                                const TPaintState& state) {
    const TLP_Settings& settings = m_pad.Settings();
    const std::vector<TDisplayRun>& runs = m_line.Runs();
    int height = m_metrics.LineHeight();
    int endX = m_metrics.FixedPitch()
                   ? ColumnX(m_line.EndColumn())
                   : m_pad
                         .PosFromChar(m_line.RecordStart() +
                                      (runs.empty() ? 0 : runs.back().offset + runs.back().length))
                         .x;
    for (size_t i = 0; i < runs.size(); ++i) {
        const TDisplayRun& run = runs[i];
        int x = RunX(run);
        int right = i + 1 < runs.size() ? RunX(runs[i + 1]) : endX;
        TRunLook paint = RunLook(settings, run.token, run.selected && state.showSelection, look);
        painter.fillRect(x, y, right - x, height, Color(paint.back));
        if (run.tab) continue;
        UsePen(painter, Color(paint.text));
        DrawRunText(painter, run, x, y, paint.fontStyle);
    }
    int from = std::max(endX, m_pad.TextLeft());
    if (from < width) {
        bool selected = m_line.SelectedPastEnd() && state.showSelection;
        painter.fillRect(from, y, width - from, height,
                         Color(RunLook(settings, 0, selected, look).back));
    }
}

void TLexipadPainter::DrawRunText(QPainter& painter, const TDisplayRun& run, int x, int y,
                                  uint8_t fontStyle) {
    const std::string& text = m_line.Text();
    int baseline = y + m_metrics.Ascent();
    if (m_metrics.FixedPitch() && DrawRunGlyphs(painter, run, x, baseline, fontStyle)) return;
    m_runText = FromAnsi(text.data() + run.column, static_cast<size_t>(run.columns));
    UseFont(painter, fontStyle);
    if (!m_metrics.FixedPitch() || m_fontFitsCells[fontStyle & 15]) {
        painter.drawText(QPoint(x, baseline), m_runText);
        return;
    }
    // A style font wider or narrower than the cells is placed character by character.
    int cell = m_metrics.CharWidth();
    for (qsizetype i = 0; i < m_runText.size(); ++i)
        painter.drawText(QPoint(x + static_cast<int>(i) * cell, baseline), QString(m_runText[i]));
}

// Each byte's glyph placed in its cell; false when the font lacks a glyph
// (the text is then drawn with font fallback).
bool TLexipadPainter::DrawRunGlyphs(QPainter& painter, const TDisplayRun& run, int x, int baseline,
                                    uint8_t fontStyle) {
    TGlyphTable& table = m_glyphTables[fontStyle & 15];
    if (!table.made) {
        table.made = true;
        table.font = QRawFont::fromFont(m_fonts[fontStyle & 15]);
        if (table.font.isValid()) {
            std::string bytes(256, ' ');
            for (int i = 32; i < 256; ++i)
                bytes[static_cast<size_t>(i)] = static_cast<char>(i);
            QString characters = FromAnsi(bytes);
            QList<quint32> indexes = table.font.glyphIndexesForString(characters);
            for (int i = 0; i < 256 && i < indexes.size(); ++i)
                table.glyphs[static_cast<size_t>(i)] = i >= 32 ? indexes[i] : 0;
        }
    }
    if (!table.font.isValid()) return false;
    const std::string& text = m_line.Text();
    int cell = m_metrics.CharWidth();
    m_glyphIndexes.resize(run.columns);
    m_glyphPositions.resize(run.columns);
    for (int i = 0; i < run.columns; ++i) {
        auto byte = static_cast<unsigned char>(text[static_cast<size_t>(run.column + i)]);
        quint32 glyph = table.glyphs[byte];
        if (glyph == 0) return false;
        m_glyphIndexes[i] = glyph;
        m_glyphPositions[i] = QPointF(i * cell, 0);
    }
    QGlyphRun glyphs;
    glyphs.setRawFont(table.font);
    glyphs.setGlyphIndexes(m_glyphIndexes);
    glyphs.setPositions(m_glyphPositions);
    glyphs.setUnderline(fontStyle & kFsUnderline);
    glyphs.setStrikeOut(fontStyle & kFsStrikeOut);
    painter.drawGlyphRun(QPointF(x, baseline), glyphs);
    return true;
}

void TLexipadPainter::PaintBlanks(QPainter& painter, int y) {
    int height = m_metrics.LineHeight();
    int cell = m_metrics.CharWidth();
    const std::string& text = m_line.Text();
    for (const TDisplayRun& run : m_line.Runs()) {
        int x = RunX(run);
        if (run.tab) {
            TLexipadGlyphs::DrawTabArrow(painter, QRect(x, y, run.columns * cell, height));
            continue;
        }
        for (int i = 0; i < run.columns; ++i)
            if (text[static_cast<size_t>(run.column + i)] == ' ')
                TLexipadGlyphs::DrawSpaceDot(painter, QRect(x + i * cell, y, cell, height), height);
    }
    QRect after(ColumnX(m_line.EndColumn()), y, cell, height);
    if (after.left() < m_pad.TextLeft()) return;
    if (m_line.EndsWithBreak())
        TLexipadGlyphs::DrawLineEnd(painter, after);
    else if (m_line.ContinuesBelow() && m_pad.HasOption(smoWordWrap))
        TLexipadGlyphs::DrawSoftBreak(painter, after);
}

// Each mark's part of the line, one pixel short at the bottom, goes to
// OnDrawMark; without a handler it is underlined with a red zig-zag.
void TLexipadPainter::PaintMarks(QPainter& painter, int record, int y) {
    TTextStore& store = m_pad.Store();
    if (!store.HasRangeMarks() || store.RangeMarks().Count() == 0) return;
    const TLineRecord& line = store.Record(record);
    int start = m_line.RecordStart();
    int length = line.TextLength();
    TRangeMarks& marks = store.RangeMarks();
    TRangeMark* mark = nullptr;
    if (!marks.Find(start, std::max(line.Length(), 1), mark)) return;
    int left = m_pad.LeftCol();
    for (; mark && mark->start < start + std::max(line.Length(), 1); mark = marks.Next(mark)) {
        if (mark->end <= start || mark->end <= mark->start) continue;
        int from = mark->start <= start ? 0 : m_pad.DisplayColumn(record, mark->start - start);
        int to = m_pad.DisplayColumn(record, std::min(mark->end - start, length));
        int x = m_metrics.FixedPitch()
                    ? ColumnX(from - left)
                    : m_pad.PosFromChar(start + std::min(mark->start - start, length)).x;
        int right = m_metrics.FixedPitch()
                        ? ColumnX(to - left)
                        : m_pad.PosFromChar(start + std::min(mark->end - start, length)).x;
        x = std::max(x, m_pad.TextLeft());
        if (right <= x) continue;
        QRect rect(x, y, right - x, m_metrics.LineHeight() - 1);
        if (OnDrawMark) {
            painter.save();
            bool drawn = OnDrawMark(painter, rect, *mark);
            painter.restore();
            m_pen = QColor();
            m_font = -1;
            if (drawn) continue;
        }
        QPolygon zigzag;
        for (int px = rect.left(), up = 0; px <= rect.right() + 1; px += kZigZagStep, up ^= 1)
            zigzag << QPoint(std::min(px, rect.right()), rect.bottom() - up * kZigZagHeight);
        UsePen(painter, Qt::red);
        painter.drawPolyline(zigzag);
    }
}

void TLexipadPainter::PaintMarginLines(QPainter& painter, int y, int width) {
    int left = m_pad.TextLeft();
    int bottom = y + m_metrics.LineHeight() - 1;
    if (m_pad.HasOption(smoShowRMargin)) {
        int x = ColumnX(m_pad.RightMargin() - m_pad.LeftCol());
        if (x >= left && x < width) painter.fillRect(x, y, 1, bottom - y + 1, QColor(kSilver));
    }
    int wrap = m_pad.WrapAtColumn();
    if (m_pad.HasOption(smoWordWrap) && m_pad.HasOption(smoShowWrapColumn) && wrap >= 1) {
        int x = ColumnX(wrap - m_pad.LeftCol());
        if (x >= left && x < width) {
            // Every other pixel, counted from the top of the view so rows join up.
            UsePen(painter, QColor(kSilver));
            for (int py = y + (y & 1); py <= bottom; py += 2)
                painter.drawPoint(x, py);
        }
    }
}

QRect TLexipadPainter::CaretRect(int position, bool beyondLineEnd) const {
    TPoint point = m_pad.PosFromChar(position);
    if (point.y < 0) return QRect();
    int cell = m_metrics.CharWidth();
    int x = point.x;
    if (beyondLineEnd) x = m_pad.TextLeft() + (m_pad.VirtualColumn() - m_pad.LeftCol()) * cell;
    int width = 2;
    if (!m_pad.InsertMode() && m_pad.HasOption(smoBlockOverwriteCursor)) {
        width = cell;
        const TTextStore& store = m_pad.Store();
        if (!beyondLineEnd && position < store.CharCount() &&
            store.CharAt(position) != kLineBreak) {
            TPoint next = m_pad.PosFromChar(position + 1);
            if (next.y == point.y && next.x > x) width = next.x - x;
        }
    }
    return QRect(x, point.y, width, m_metrics.LineHeight());
}

void TLexipadPainter::PaintOverlays(QPainter& painter, int width, const TPaintState& state) {
    int left = m_pad.TextLeft();
    painter.save();
    painter.setClipRect(QRect(left, 0, std::max(width - left, 0), painter.device()->height()),
                        Qt::IntersectClip);
    if (state.showFocusLine) {
        QRect caret = CaretRect(m_pad.CaretPos(), false);
        if (caret.isValid()) {
            QPen pen(Color(StyleLook(m_pad.Settings(), 0).text));
            pen.setStyle(Qt::DotLine);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(left, caret.top(), width - left - 1, caret.height() - 1);
        }
    }
    if (state.caretShown) {
        QRect caret = CaretRect(m_pad.CaretPos(), m_pad.BeyondLineEnd());
        if (caret.isValid()) InvertRect(painter, caret);
    }
    if (state.dropPosition >= 0) {
        QRect drop = CaretRect(state.dropPosition, false);
        if (drop.isValid()) InvertRect(painter, QRect(drop.left(), drop.top(), 2, drop.height()));
    }
    if (state.marginDragX >= left)
        InvertRect(painter, QRect(state.marginDragX, 0, 1, painter.device()->height()));
    painter.restore();
}

} // namespace quarno
