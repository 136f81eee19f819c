// The tool bar's glyphs, each drawn on a 16 by 16 grid.
#include "qt/app/TToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quarno {

namespace {

const QColor kInk(0x20, 0x20, 0x20);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kFolder(0xE8, 0xB8, 0x40);
const QColor kBlue(0x20, 0x50, 0xB0);
const QColor kGreen(0x20, 0x80, 0x30);
const QColor kChip(0x40, 0x40, 0x48);

void Page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
    p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void TextLines(QPainter& p, qreal x, qreal y, qreal width, int count, qreal step = 2) {
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(x, y + i * step), QPointF(x + width, y + i * step));
}

void Arrow(QPainter& p, bool right, const QColor& color) {
    QPainterPath curve;
    qreal sign = right ? 1 : -1;
    qreal start = right ? 3 : 13;
    curve.moveTo(start, 12);
    curve.cubicTo(start, 5, start + sign * 8, 4, start + sign * 9, 8);
    p.setPen(QPen(color, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    QPolygonF head;
    qreal tipX = start + sign * 11;
    head << QPointF(tipX, 10) << QPointF(tipX - sign * 5, 10) << QPointF(tipX - sign * 1, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(head);
}

void IndentLines(QPainter& p, bool in) {
    p.setPen(QPen(kInk, 1));
    for (int row = 0; row < 4; ++row) {
        qreal x = row == 1 || row == 2 ? 8 : 2;
        p.drawLine(QPointF(x, 3.5 + row * 3), QPointF(14, 3.5 + row * 3));
    }
    QPolygonF head;
    if (in)
        head << QPointF(2, 6) << QPointF(6, 8) << QPointF(2, 10);
    else
        head << QPointF(6, 6) << QPointF(2, 8) << QPointF(6, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(head);
}

void Chip(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    for (int pin = 0; pin < 4; ++pin) {
        p.drawLine(QPointF(3.5 + pin * 3, 1), QPointF(3.5 + pin * 3, 3));
        p.drawLine(QPointF(3.5 + pin * 3, 13), QPointF(3.5 + pin * 3, 15));
    }
    p.setBrush(kChip);
    p.drawRect(QRectF(1.5, 3.5, 13, 9));
}

void DrawFile(QPainter& p, TToolGlyph glyph) {
    p.setPen(QPen(kInk, 1));
    switch (glyph) {
    case TToolGlyph::New: Page(p, QRectF(3.5, 1.5, 9, 13)); break;
    case TToolGlyph::Open: {
        p.setBrush(kFolder);
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.drawRect(QRectF(1.5, 3.5, 5, 1));
        QPolygonF flap;
        flap << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 13.5)
             << QPointF(1.5, 13.5);
        p.setBrush(kFolder.lighter(120));
        p.drawPolygon(flap);
        break;
    }
    case TToolGlyph::Save:
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    default: break;
    }
}

void DrawPrint(QPainter& p, TToolGlyph glyph) {
    p.setPen(QPen(kInk, 1));
    if (glyph == TToolGlyph::Print) {
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0xB0, 0xB0, 0xB8));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        return;
    }
    Page(p, QRectF(1.5, 1.5, 9, 12));
    TextLines(p, 3.5, 5, 5, 3);
    p.setBrush(QColor(0xC8, 0xE0, 0xFF));
    p.drawEllipse(QPointF(10, 9.5), 3.2, 3.2);
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(12.3, 11.8), QPointF(15, 14.5));
}

void DrawClipboard(QPainter& p, TToolGlyph glyph) {
    p.setPen(QPen(kInk, 1));
    switch (glyph) {
    case TToolGlyph::Cut:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
        p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
        p.drawLine(QPointF(6, 10.5), QPointF(11, 1.5));
        p.drawLine(QPointF(10, 10.5), QPointF(5, 1.5));
        break;
    case TToolGlyph::Copy:
        Page(p, QRectF(1.5, 1.5, 8, 10));
        Page(p, QRectF(6.5, 4.5, 8, 10));
        TextLines(p, 8.5, 8, 4, 3);
        break;
    case TToolGlyph::Paste:
        p.setBrush(QColor(0xB0, 0x80, 0x50));
        p.drawRect(QRectF(2.5, 2.5, 10, 12));
        p.setBrush(QColor(0xC0, 0xC0, 0xC0));
        p.drawRect(QRectF(5.5, 1.5, 4, 2));
        Page(p, QRectF(7.5, 6.5, 7, 8));
        break;
    default: break;
    }
}

void DrawBuild(QPainter& p, TToolGlyph glyph) {
    switch (glyph) {
    case TToolGlyph::Compile: {
        p.setPen(QPen(kInk, 1));
        Page(p, QRectF(1.5, 1.5, 9, 13));
        QPolygonF bolt;
        bolt << QPointF(11, 3) << QPointF(7, 9) << QPointF(10, 9) << QPointF(8, 15)
             << QPointF(14, 7) << QPointF(11, 7) << QPointF(13, 3);
        p.setPen(QPen(QColor(0x90, 0x60, 0x00), 0.8));
        p.setBrush(QColor(0xF0, 0xC0, 0x20));
        p.drawPolygon(bolt);
        break;
    }
    case TToolGlyph::Program:
        Chip(p);
        p.setPen(QPen(kGreen.lighter(160), 1.5));
        p.drawLine(QPointF(4.5, 8), QPointF(7, 10.5));
        p.drawLine(QPointF(7, 10.5), QPointF(11.5, 5.5));
        break;
    case TToolGlyph::Download: {
        Chip(p);
        QPolygonF arrow;
        arrow << QPointF(6.5, 4.5) << QPointF(9.5, 4.5) << QPointF(9.5, 7.5) << QPointF(11.5, 7.5)
              << QPointF(8, 11.5) << QPointF(4.5, 7.5) << QPointF(6.5, 7.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x60, 0xC0, 0xFF));
        p.drawPolygon(arrow);
        break;
    }
    case TToolGlyph::Asm: {
        p.setPen(QPen(kInk, 1));
        Page(p, QRectF(1.5, 1.5, 13, 13));
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(6);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kBlue);
        p.drawText(QRectF(1.5, 4, 13, 8), Qt::AlignCenter, QStringLiteral("ASM"));
        break;
    }
    default: break;
    }
}

void Draw(QPainter& p, TToolGlyph glyph) {
    switch (glyph) {
    case TToolGlyph::New:
    case TToolGlyph::Open:
    case TToolGlyph::Save: DrawFile(p, glyph); break;
    case TToolGlyph::Print:
    case TToolGlyph::Preview: DrawPrint(p, glyph); break;
    case TToolGlyph::Cut:
    case TToolGlyph::Copy:
    case TToolGlyph::Paste: DrawClipboard(p, glyph); break;
    case TToolGlyph::Undo: Arrow(p, false, kBlue); break;
    case TToolGlyph::Redo: Arrow(p, true, kBlue); break;
    case TToolGlyph::Indent: IndentLines(p, true); break;
    case TToolGlyph::Undent: IndentLines(p, false); break;
    default: DrawBuild(p, glyph); break;
    }
}

QPixmap Render(TToolGlyph glyph, int scale) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    Draw(painter, glyph);
    painter.end();
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

} // namespace

QIcon ToolGlyph(TToolGlyph glyph) {
    QIcon icon;
    icon.addPixmap(Render(glyph, 1));
    icon.addPixmap(Render(glyph, 2));
    return icon;
}

} // namespace quarno
