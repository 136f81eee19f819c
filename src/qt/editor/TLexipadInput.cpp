// The editing control on screen: keys, typed text, the mouse, the wheel, the
// mouse cursor and the template list, each handed to the engine.
#include "qt/editor/KeyMapping.h"
#include "qt/editor/TLexipad.h"
#include "qt/editor/TTemplatePopup.h"

#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace quarno {

namespace {

constexpr int kAutoScrollInterval = 50; // ms between scroll steps while selecting outside
constexpr int kWheelStep = 120;         // angle delta of one wheel notch

// Pressing Shift, Ctrl or Alt on its own is no key of a binding: a two-key
// sequence goes on through the Shift of its second key.
bool IsModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock: return true;
    default: return false;
    }
}

TPoint PointOf(const QPoint& point) {
    return {point.x(), point.y()};
}

} // namespace

// Tab and Shift+Tab are text for a control that wants tabs, not focus moves.
bool TLexipad::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && m_wantTab) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TLexipad::keyPressEvent(QKeyEvent* event) {
    RunCommand([&] { HandleKey(*event); });
    event->accept();
    AfterInput();
}

// The key goes to the key bindings first; a key they do not use is typed.
void TLexipad::HandleKey(QKeyEvent& event) {
    uint16_t key = VirtualKeyOf(event);
    uint8_t shift = ShiftBitsFromQt(event.modifiers());
    if (OnKeyDown) {
        OnKeyDown(*this, key, shift);
        if (key == 0) return;
    }
    if (!isEnabled() || IsModifierKey(event.key())) return;
    if (key != 0 && KeyDown(key, shift)) return;
    TypeKeyText(event);
}

// Enter types CR (Ctrl+Enter LF), Tab a TAB; keys held with Ctrl or Alt are
// commands, not text.
void TLexipad::TypeKeyText(const QKeyEvent& event) {
    Qt::KeyboardModifiers modifiers = event.modifiers();
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Type(modifiers & Qt::ControlModifier ? '\n' : '\r'); return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (m_wantTab) Type('\t');
        return;
    default: break;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) return;
    for (char c : ToAnsi(event.text()))
        Type(c);
}

void TLexipad::Type(char c) {
    if (OnKeyPress) {
        OnKeyPress(*this, c);
        if (c == 0) return;
    }
    KeyPress(c);
}

void TLexipad::keyReleaseEvent(QKeyEvent* event) {
    if (OnKeyUp) {
        uint16_t key = VirtualKeyOf(*event);
        OnKeyUp(*this, key, ShiftBitsFromQt(event->modifiers()));
    }
    QAbstractScrollArea::keyReleaseEvent(event);
}

// Composed characters (dead keys, input methods) arrive as committed text.
void TLexipad::inputMethodEvent(QInputMethodEvent* event) {
    if (isEnabled())
        RunCommand([&] {
            for (char c : ToAnsi(event->commitString()))
                Type(c);
        });
    event->accept();
    AfterInput();
}

QVariant TLexipad::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle)
        return m_painter.CaretRect(CaretPos(), BeyondLineEnd());
    if (query == Qt::ImEnabled) return true;
    return QAbstractScrollArea::inputMethodQuery(query);
}

// Presses take the focus. The engine counts clicks by their times; a press
// the desktop calls a double click counts as following the last one closely.
void TLexipad::PressAt(QMouseEvent& event, bool doubleClick) {
    setFocus(Qt::MouseFocusReason);
    QPoint point = event.position().toPoint();
    uint8_t shift = ShiftBitsFromQt(event.modifiers());
    if (OnMouseDown) OnMouseDown(*this, event.button(), shift, point.x(), point.y());
    if (event.button() != Qt::LeftButton || !isEnabled()) return;
    m_pressPoint = m_lastMousePoint = point;
    RunCommand([&] { MouseDown(PointOf(point), shift, PressTime(event, doubleClick)); });
    if (MarginDrag() != 0) {
        m_marginDragX = point.x();
        viewport()->update();
    }
    AfterInput();
}

int64_t TLexipad::PressTime(const QMouseEvent& event, bool doubleClick) {
    auto time = static_cast<int64_t>(event.timestamp());
    if (doubleClick) time = std::min(time, m_lastPressTime + 1);
    m_lastPressTime = time;
    return time;
}

void TLexipad::mousePressEvent(QMouseEvent* event) {
    PressAt(*event, false);
}

void TLexipad::mouseDoubleClickEvent(QMouseEvent* event) {
    PressAt(*event, true);
    if (OnDblClick && event->button() == Qt::LeftButton) OnDblClick(*this);
}

void TLexipad::mouseMoveEvent(QMouseEvent* event) {
    QPoint point = event->position().toPoint();
    uint8_t shift = ShiftBitsFromQt(event->modifiers());
    m_lastMousePoint = point;
    if (OnMouseMove) OnMouseMove(*this, shift, point.x(), point.y());
    if (!(event->buttons() & Qt::LeftButton)) {
        RunCommand([&] { SetViewportCursor(MouseHover(PointOf(point))); });
        return;
    }
    if (MarginDrag() != 0) {
        m_marginDragX = point.x();
        viewport()->update();
        return;
    }
    if (DragPending()) {
        if (HasOption(smoOLEDragSource) &&
            (point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            CancelDragPending();
            StartSelectionDrag();
        }
        return;
    }
    RunCommand([&] { MouseMove(PointOf(point), shift); });
    bool outside = point.y() < 0 || point.y() >= viewport()->height();
    if (outside && !m_autoScrollTimer.isActive())
        m_autoScrollTimer.start(kAutoScrollInterval, this);
    else if (!outside)
        m_autoScrollTimer.stop();
    AfterInput();
}

void TLexipad::mouseReleaseEvent(QMouseEvent* event) {
    QPoint point = event->position().toPoint();
    uint8_t shift = ShiftBitsFromQt(event->modifiers());
    m_autoScrollTimer.stop();
    if (event->button() == Qt::LeftButton) {
        RunCommand([&] { MouseUp(PointOf(point), shift); });
        if (m_marginDragX >= 0) {
            m_marginDragX = -1;
            viewport()->update();
        }
    }
    if (OnMouseUp) OnMouseUp(*this, event->button(), shift, point.x(), point.y());
    if (OnClick && event->button() == Qt::LeftButton) OnClick(*this);
    AfterInput();
}

// The view moves by the desktop's wheel step per notch; partial notches of
// smooth wheels add up.
void TLexipad::wheelEvent(QWheelEvent* event) {
    uint8_t shift = ShiftBitsFromQt(event->modifiers());
    QPoint point = event->position().toPoint();
    int delta = event->angleDelta().y();
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(*this, shift, delta, point, handled);
    if (!handled && delta < 0 && OnMouseWheelDown) OnMouseWheelDown(*this, shift, point, handled);
    if (!handled && delta > 0 && OnMouseWheelUp) OnMouseWheelUp(*this, shift, point, handled);
    event->accept();
    if (handled) return;
    int lines = QApplication::wheelScrollLines();
    m_wheelRemainder += delta;
    int notches = m_wheelRemainder / kWheelStep;
    m_wheelRemainder -= notches * kWheelStep;
    m_horizontalWheelRemainder += event->angleDelta().x();
    int sideways = m_horizontalWheelRemainder / kWheelStep;
    m_horizontalWheelRemainder -= sideways * kWheelStep;
    RunCommand([&] {
        if (notches != 0) MouseWheel(-notches * lines);
        if (sideways != 0 && !HasOption(smoWordWrap)) SetLeftCol(LeftCol() - sideways * lines);
    });
}

void TLexipad::SetViewportCursor(TLexipadCursor cursor) {
    Qt::CursorShape shape = Qt::IBeamCursor;
    switch (cursor) {
    case TLexipadCursor::Arrow:
    case TLexipadCursor::DragArrow: shape = Qt::ArrowCursor; break;
    case TLexipadCursor::Split: shape = Qt::SplitHCursor; break;
    case TLexipadCursor::Hyper: shape = m_hyperCursor; break;
    case TLexipadCursor::IBeam: shape = Qt::IBeamCursor; break;
    }
    if (viewport()->cursor().shape() != shape) viewport()->setCursor(shape);
}

// Below the caret line, moved left when it would leave the control.
void TLexipad::ShowTemplateList(const std::string& typedWord) {
    if (!m_templateList) {
        m_templateList = new TTemplatePopup(this);
        connect(m_templateList, &TTemplatePopup::Chosen, this, [this](int index) {
            RunCommand([&] { ExpandTemplate(index); });
            setFocus();
            AfterInput();
        });
        connect(m_templateList, &TTemplatePopup::Closed, this, [this] {
            setFocus();
            viewport()->update();
        });
    }
    m_templateList->Fill(Settings().Templates().Entries(), TemplateListIndex(typedWord));
    QRect caret = m_painter.CaretRect(CaretPos(), BeyondLineEnd());
    QPoint below = viewport()->mapToGlobal(QPoint(caret.left(), caret.bottom() + 1));
    QRect bounds(viewport()->mapToGlobal(QPoint(0, 0)), viewport()->size());
    m_templateList->ShowBelow(below, bounds);
}

} // namespace quarno
