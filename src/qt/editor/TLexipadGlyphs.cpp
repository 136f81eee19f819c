// The glyphs of the editing control, drawn once into images.
#include "qt/editor/TLexipadGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace quarno {

const QRgb TLexipadGlyphs::kBookmarkFace = qRgb(0, 128, 128);

namespace {

QImage NewGlyph() {
    QImage image(TLexipadGlyphs::kSize, TLexipadGlyphs::kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage BookmarkGlyph(int digit) {
    QImage image = NewGlyph();
    QPainter painter(&image);
    painter.setPen(QColor(0, 64, 64));
    painter.setBrush(QColor(TLexipadGlyphs::kBookmarkFace));
    painter.drawRect(0, 0, TLexipadGlyphs::kSize - 1, TLexipadGlyphs::kSize - 1);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, TLexipadGlyphs::kSize, TLexipadGlyphs::kSize), Qt::AlignCenter,
                     QString::number(digit));
    return image;
}

QImage BreakpointGlyph(bool enabled) {
    QImage image = NewGlyph();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(160, 0, 0), 1.2));
    painter.setBrush(enabled ? QBrush(QColor(230, 0, 0)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRectF(1.5, 1.5, TLexipadGlyphs::kSize - 3, TLexipadGlyphs::kSize - 3));
    return image;
}

// A hook arrow: down the right side, then left to an arrow head.
QImage WrapGlyph() {
    QImage image = NewGlyph();
    QPainter painter(&image);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.drawLine(9, 1, 9, 8);
    painter.drawLine(9, 8, 2, 8);
    painter.drawLine(2, 8, 5, 5);
    painter.drawLine(2, 8, 5, 11);
    return image;
}

// Visible blanks show whatever lies beneath them turned over.
void Invert(QPainter& painter) {
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setPen(Qt::white);
    painter.setBrush(Qt::white);
}

} // namespace

TLexipadGlyphs::TLexipadGlyphs() {
    for (int digit = 0; digit < 10; ++digit)
        m_images[static_cast<size_t>(kBookmark0 + digit)] = BookmarkGlyph(digit);
    m_images[kBreakpointEnabled] = BreakpointGlyph(true);
    m_images[kBreakpointOther] = BreakpointGlyph(false);
    m_images[kWrapMark] = WrapGlyph();
}

void TLexipadGlyphs::Draw(QPainter& painter, int index, int x, int y) const {
    if (index < 0 || index >= kGlyphCount) return;
    painter.drawImage(x, y, m_images[static_cast<size_t>(index)]);
}

void TLexipadGlyphs::DrawSpaceDot(QPainter& painter, const QRect& cell, int lineHeight) {
    painter.save();
    Invert(painter);
    int x = cell.left() + cell.width() / 2 - 1;
    int y = cell.top() + cell.height() / 2 + cell.height() / 4 - lineHeight / 4 - 1;
    painter.drawRect(x, y, 1, 1);
    painter.restore();
}

void TLexipadGlyphs::DrawTabArrow(QPainter& painter, const QRect& cells) {
    painter.save();
    Invert(painter);
    int y = cells.center().y();
    int width = std::min(cells.width() - 2, 12);
    int left = cells.left() + (cells.width() - width) / 2;
    int right = left + width - 1;
    painter.drawLine(left, y, right, y);
    painter.drawLine(right - 3, y - 3, right, y);
    painter.drawLine(right - 3, y + 3, right, y);
    painter.restore();
}

void TLexipadGlyphs::DrawLineEnd(QPainter& painter, const QRect& cell) {
    painter.save();
    Invert(painter);
    int top = cell.top() + cell.height() / 4;
    int bottom = cell.bottom() - cell.height() / 4;
    int stem = cell.left() + cell.width() / 2;
    painter.drawLine(stem, top, stem, bottom);
    painter.drawLine(stem + 2, top, stem + 2, bottom);
    painter.drawEllipse(QRect(stem - 3, top, 3, 3));
    painter.restore();
}

void TLexipadGlyphs::DrawSoftBreak(QPainter& painter, const QRect& cell) {
    painter.save();
    Invert(painter);
    int right = cell.right() - 1;
    int left = cell.left() + 1;
    int y = cell.center().y() + 2;
    painter.drawLine(right, cell.top() + cell.height() / 4, right, y);
    painter.drawLine(right, y, left, y);
    painter.drawLine(left, y, left + 2, y - 2);
    painter.drawLine(left, y, left + 2, y + 2);
    painter.restore();
}

} // namespace quarno
