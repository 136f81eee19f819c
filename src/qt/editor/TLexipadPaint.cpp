// The editing control on screen: painting the view, the incremental repaint
// the engine asks for, the caret and its blinking, and applying settings.
#include "qt/editor/LexipadColors.h"
#include "qt/editor/TLexipad.h"

#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

namespace quarno {

TPaintState TLexipad::PaintState(bool caret) const {
    TPaintState state;
    // The template list takes the focus but leaves the selection on show.
    state.showSelection = hasFocus() || !m_hideSelection || TemplateList();
    state.caretShown = caret && hasFocus() && m_caretPhase && m_dropPosition < 0;
    state.dropPosition = m_dropPosition;
    state.showFocusLine = m_showFocusLine;
    state.marginDragX = m_marginDragX;
    return state;
}

// Nothing is painted under the painting lock; its release repaints all.
void TLexipad::paintEvent(QPaintEvent* event) {
    if (UpdateLocked()) return;
    QPainter painter(viewport());
    int height = LineHeight();
    QRect area = event->rect();
    int width = viewport()->width();
    TPaintState state = PaintState(true);
    m_painter.SetPalette(palette());
    m_painter.PaintRows(painter, area.top() / height, area.bottom() / height, width, state);
    m_painter.PaintOverlays(painter, width, state);
    m_caretRect = state.caretShown ? m_painter.CaretRect(CaretPos(), BeyondLineEnd()) : QRect();
    m_paintedRecords = Store().RecordCount();
}

QImage TLexipad::RenderView() {
    QImage image(viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    TPaintState state = PaintState(false);
    m_painter.SetPalette(palette());
    int rows = viewport()->height() / LineHeight();
    m_painter.PaintRows(painter, 0, rows, image.width(), state);
    m_painter.PaintOverlays(painter, image.width(), state);
    return image;
}

void TLexipad::UpdateRows(int first, int last) {
    int height = LineHeight();
    viewport()->update(QRect(0, first * height, viewport()->width(), (last - first + 1) * height));
}

int TLexipad::CaretRow() const {
    QRect caret = m_painter.CaretRect(CaretPos(), false);
    return caret.isValid() ? caret.top() / LineHeight() : -1;
}

// A full repaint follows a scroll, a resize, a settings change or a new
// store; otherwise only the rows of records flagged for repaint or restyle,
// and the rows the caret leaves and enters, are painted again.
void TLexipad::ViewRepaint(bool full) {
    if (full) {
        ApplySettings();
        SyncScrollBars();
        viewport()->update();
        return;
    }
    SyncScrollBars();
    const TTextStore& store = Store();
    if (store.RecordCount() != m_paintedRecords) {
        viewport()->update();
        return;
    }
    int top = TopLine();
    int rows = VisibleRows() + 1;
    int last = std::min(top + rows, store.RecordCount() - 1);
    for (int record = top; record <= last; ++record) {
        uint32_t flags = store.Record(record).Flags();
        if (flags & (lfRepaint | lfRestyle)) UpdateRows(record - top, record - top);
    }
    AfterInput();
}

// The caret's old and new rows are painted again, and the blinking restarts
// visible, whenever input may have moved it.
void TLexipad::AfterInput() {
    QRect caret = m_painter.CaretRect(CaretPos(), BeyondLineEnd());
    if (caret == m_caretRect && m_caretPhase) return;
    if (m_caretRect.isValid())
        viewport()->update(QRect(0, m_caretRect.top(), viewport()->width(), m_caretRect.height()));
    if (caret.isValid())
        viewport()->update(QRect(0, caret.top(), viewport()->width(), caret.height()));
    if (m_showFocusLine) viewport()->update();
    RestartCaretBlink();
}

void TLexipad::RestartCaretBlink() {
    m_caretPhase = true;
    int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_caretTimer.start(flash / 2, this);
    else
        m_caretTimer.stop();
}

void TLexipad::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_caretTimer.timerId()) {
        // Under the painting lock the caret waits; the release repaints all.
        if (UpdateLocked()) return;
        m_caretPhase = !m_caretPhase;
        QRect caret = m_painter.CaretRect(CaretPos(), BeyondLineEnd());
        if (caret.isValid())
            viewport()->update(QRect(0, caret.top(), viewport()->width(), caret.height()));
        return;
    }
    if (event->timerId() == m_restyleTimer.timerId()) {
        bool more = false;
        RunCommand([&] { more = RestyleSlice(); });
        if (!more) m_restyleTimer.stop();
        return;
    }
    if (event->timerId() == m_autoScrollTimer.timerId()) {
        RunCommand([&] { MouseMove({m_lastMousePoint.x(), m_lastMousePoint.y()}, 0); });
        return;
    }
    QAbstractScrollArea::timerEvent(event);
}

// The settings font and gutter font are measured again when they changed.
void TLexipad::ApplySettings() {
    if (m_applying) return;
    m_applying = true;
    const TLP_Settings& settings = Settings();
    QFont font(FromAnsi(settings.FontName()), std::max(settings.FontSize(), 1));
    const TLP_FontSpec& gutterSpec = settings.GutterFont();
    QFont gutterFont(FromAnsi(gutterSpec.name), std::max(gutterSpec.size, 1));
    gutterFont.setBold(gutterSpec.style & kFsBold);
    gutterFont.setItalic(gutterSpec.style & kFsItalic);
    bool fontChanged = font != m_appliedFont;
    if (fontChanged || gutterFont != m_appliedGutterFont ||
        gutterSpec.color != m_appliedGutterColor) {
        if (fontChanged) m_metrics.SetFont(font);
        m_metrics.SetGutterFont(gutterFont);
        m_painter.SetFonts(font, gutterFont, LexipadColor(gutterSpec.color, palette()));
        m_appliedFont = font;
        m_appliedGutterFont = gutterFont;
        m_appliedGutterColor = gutterSpec.color;
        if (fontChanged) QWidget::setFont(font);
    }
    SetClientSize(viewport()->width(), viewport()->height());
    if (fontChanged && HasOption(smoWordWrap)) Rewrap();
    m_applying = false;
}

} // namespace quarno
