// The editing control on screen: the control as a drop target for text, HTML
// and files, and as the drag source of its selection.
#include "qt/editor/TLexipad.h"

#include "core/editor/LexipadMessages.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace quarno {

namespace {

// Dropped files come as local file URLs; a file manager adds their names as
// text too, which is not text the user meant to drop.
bool HoldsFiles(const QMimeData* data) {
    if (!data->hasUrls() || data->urls().isEmpty()) return false;
    for (const QUrl& url : data->urls())
        if (!url.isLocalFile()) return false;
    return true;
}

} // namespace

TSourceTypes TLexipad::SourceTypesOf(const QMimeData* data) const {
    TSourceTypes types = 0;
    if (!data) return types;
    if (HoldsFiles(data)) return HasOption(smoProcessDroppedFiles) ? stFiles : 0;
    if (data->hasText()) types |= stUnicodeText | stText;
    if (data->hasHtml()) types |= stHtml;
    return types;
}

TDropObj TLexipad::DropObjOf(const QMimeData* data) const {
    TDropObj dropped;
    if (HoldsFiles(data)) {
        for (const QUrl& url : data->urls())
            dropped.files.push_back(ToPath(url.toLocalFile()));
        return dropped;
    }
    if (data->hasText()) {
        std::string text = ToAnsi(data->text());
        dropped.unicodeText.push_back(text);
        dropped.text.push_back(text);
    }
    if (data->hasHtml()) dropped.html.push_back(ToAnsi(data->html()));
    return dropped;
}

void TLexipad::SetDropPosition(int position) {
    if (position == m_dropPosition) return;
    m_dropPosition = position;
    viewport()->update();
}

// Copy with Ctrl held, move otherwise; the drop caret follows the mouse and
// the view scrolls when the mouse nears its top or bottom edge.
void TLexipad::DragTo(QDropEvent& event, bool entering) {
    TSourceTypes types = SourceTypesOf(event.mimeData());
    if (types == 0) {
        event.ignore();
        SetDropPosition(-1);
        return;
    }
    QPoint point = event.position().toPoint();
    bool copy =
        (event.modifiers() & Qt::ControlModifier) || !(event.possibleActions() & Qt::MoveAction);
    Qt::DropAction effect = copy ? Qt::CopyAction : Qt::MoveAction;
    if (!entering) {
        int height = LineHeight();
        if (point.y() < height)
            SetTopLine(TopLine() - 1);
        else if (point.y() >= viewport()->height() - height)
            SetTopLine(TopLine() + 1);
    }
    SetDropPosition(types == stFiles ? -1 : CharFromPos({point.x(), point.y()}, true));
    if (OnOLEDragOver) OnOLEDragOver(*this, event.mimeData(), point, effect);
    bool accept = effect != Qt::IgnoreAction;
    if (OnDragOver) OnDragOver(*this, event.source(), point.x(), point.y(), accept);
    if (!accept) {
        event.ignore();
        return;
    }
    event.setDropAction(effect);
    event.accept();
}

void TLexipad::dragEnterEvent(QDragEnterEvent* event) {
    RunCommand([&] { DragTo(*event, true); });
}

void TLexipad::dragMoveEvent(QDragMoveEvent* event) {
    RunCommand([&] { DragTo(*event, false); });
}

void TLexipad::dragLeaveEvent(QDragLeaveEvent* event) {
    SetDropPosition(-1);
    event->accept();
}

void TLexipad::dropEvent(QDropEvent* event) {
    SetDropPosition(-1);
    const QMimeData* data = event->mimeData();
    QPoint point = event->position().toPoint();
    TDropRequest request;
    request.available = SourceTypesOf(data);
    request.position = CharFromPos({point.x(), point.y()}, true);
    request.point = {point.x(), point.y()};
    request.copy =
        (event->modifiers() & Qt::ControlModifier) || !(event->possibleActions() & Qt::MoveAction);
    request.fromSelf = m_dragging && event->source() == this;
    TDropResult result = TDropResult::Refused;
    RunCommand([&] { result = DropData(DropObjOf(data), request); });
    switch (result) {
    case TDropResult::Refused:
    case TDropResult::Ignored:
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        break;
    case TDropResult::FilesTaken:
        event->setDropAction(Qt::CopyAction);
        event->accept();
        setFocus(Qt::OtherFocusReason);
        break;
    case TDropResult::Inserted:
        event->setDropAction(request.copy ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
        m_droppedOnSelf = request.fromSelf;
        setFocus(Qt::OtherFocusReason);
        break;
    }
    if (OnDragDrop && result != TDropResult::Refused)
        OnDragDrop(*this, event->source(), point.x(), point.y());
    AfterInput();
}

// The selection as 8-bit text; a read-only control lets it be copied only.
// A move to another target takes the text away here; a move within the
// control was done by the drop.
void TLexipad::StartSelectionDrag() {
    if (SelLength() == 0) return;
    if (OnStartDrag) OnStartDrag(*this);
    auto* data = new QMimeData;
    data->setText(FromAnsi(SelectedText(kWriteCrLf)));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    m_dragging = true;
    m_droppedOnSelf = false;
    Qt::DropActions allowed = ReadOnly() ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    Qt::DropAction result = drag->exec(allowed, Qt::MoveAction);
    m_dragging = false;
    if (result == Qt::MoveAction && !m_droppedOnSelf) RunCommand([&] { DragMovedAway(); });
    if (OnEndDrag)
        OnEndDrag(*this, result != Qt::IgnoreAction, m_lastMousePoint.x(), m_lastMousePoint.y());
    AfterInput();
}

} // namespace quarno
