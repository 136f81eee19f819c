// The editing control on screen. TLexipad is the editing engine
// (TCustomLexipad) shown in a scroll area: it measures text with a Qt font,
// paints the engine's view, and turns Qt's keyboard, mouse, wheel, scroll
// bar, clipboard and drag-and-drop events into engine operations. It adds the
// published properties that only concern the screen and the events that hand
// out a painter or a data object; the engine's own properties and events are
// inherited.
//
// Ownership: the engine shows one document store at a time (AttachStore);
// stores exchanged on tab switches stay owned by their documents.
#pragma once

#include "core/editor/TCustomLexipad.h"
#include "core/editor/TLexipadStrings.h"
#include "qt/base/TQtPrompts.h"
#include "qt/editor/TLexipadMetrics.h"
#include "qt/editor/TLexipadPainter.h"
#include "qt/editor/TQtClipboard.h"
#include "qt/editor/TTemplatePopup.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QImage>
#include <QList>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMimeData;

namespace quarno {

class TLexipadFindDialog;
class TLexipadReplaceDialog;

class TLexipad : public QAbstractScrollArea, public TCustomLexipad {
    Q_OBJECT
public:
    enum TBorderStyle { bsNone, bsSingle };
    enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
    enum TFlatScrollStyle { fssEncarta, fssFLAT, fssREGULAR };

    explicit TLexipad(QWidget* parent = nullptr);
    ~TLexipad() override;

    // --- published properties of the screen ---------------------------------------
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // Style 0 of the settings in use.
    int32_t def_TextColor() const;
    void Setdef_TextColor(int32_t color);
    int32_t def_BackColor() const;
    void Setdef_BackColor(int32_t color);
    uint8_t def_FontStyle() const;
    void Setdef_FontStyle(uint8_t fontStyle);
    // The platform has no flat scroll bars; the values are kept for owners.
    bool FlatScrollBars() const { return m_flatScrollBars; }
    void SetFlatScrollBars(bool flat) { m_flatScrollBars = flat; }
    TFlatScrollStyle FlatScrollBarStyle() const { return m_flatScrollBarStyle; }
    void SetFlatScrollBarStyle(TFlatScrollStyle style) { m_flatScrollBarStyle = style; }
    // The text font (settings font) and the gutter's line-number font.
    QFont Font() const;
    void SetFont(const QFont& font);
    QFont GutterFont() const;
    void SetGutterFont(const QFont& font);
    int32_t GutterColor() const { return Settings().GutterColor(); }
    void SetGutterColor(int32_t color);
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool hide);
    Qt::CursorShape HyperCursor() const { return m_hyperCursor; }
    void SetHyperCursor(Qt::CursorShape cursor) { m_hyperCursor = cursor; }
    TLexipadStrings& Lines() { return m_lines; }
    int32_t MarginColor() const { return Settings().MarginColor(); }
    void SetMarginColor(int32_t color);
    bool MonoPrint() const { return m_monoPrint; }
    void SetMonoPrint(bool mono) { m_monoPrint = mono; }
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle style);
    TLineStyle SelLineStyle() const { return Store().LineStyle(); }
    void SetSelLineStyle(TLineStyle style) { Store().SetLineStyle(style); }
    int32_t SelTextColor() const { return Settings().SelTextColor(); }
    void SetSelTextColor(int32_t color);
    int32_t SelTextBack() const { return Settings().SelTextBack(); }
    void SetSelTextBack(int32_t color);
    bool ShowFocusLine() const { return m_showFocusLine; }
    void SetShowFocusLine(bool show);
    std::string TabColumns() const { return Settings().TabColumnsText(); }
    void SetTabColumns(const std::string& columns);
    int TabDefault() const { return Settings().TabDefault(); }
    void SetTabDefault(int width);
    bool WantTab() const { return m_wantTab; }
    void SetWantTab(bool want) { m_wantTab = want; }
    bool WordWrap() const { return HasOption(smoWordWrap); }
    void SetWordWrap(bool wrap);
    // "3.00.39"; assigning has no effect.
    std::string Version() const { return "3.00.39"; }
    void SetVersion(const std::string&) {}
    // The parser slots by name (ActiveParser picks the one in use).
    TCustomLexipadParser* Parser1() const { return Parser(1); }
    TCustomLexipadParser* Parser2() const { return Parser(2); }
    TCustomLexipadParser* Parser3() const { return Parser(3); }
    TCustomLexipadParser* Parser4() const { return Parser(4); }
    TCustomLexipadParser* Parser5() const { return Parser(5); }
    TCustomLexipadParser* Parser6() const { return Parser(6); }
    void SetParser1(TCustomLexipadParser* parser) { SetParser(1, parser); }
    void SetParser2(TCustomLexipadParser* parser) { SetParser(2, parser); }
    void SetParser3(TCustomLexipadParser* parser) { SetParser(3, parser); }
    void SetParser4(TCustomLexipadParser* parser) { SetParser(4, parser); }
    void SetParser5(TCustomLexipadParser* parser) { SetParser(5, parser); }
    void SetParser6(TCustomLexipadParser* parser) { SetParser(6, parser); }
    // The gutter's line images (15 x 16 pixels), chosen by the lines' image bits.
    void SetLineImages(const QList<QImage>& images);

    // --- events that hand out a painter or a data object ---------------------------
    std::function<void(TLexipad& sender, QPainter& aDC, const QRect& aRect, TRangeMark& aMark)>
        OnDrawMark;
    std::function<int(TLexipad& sender, TLineDrawData& LineDrawData)> OnDrawLine;
    std::function<void(TLexipad& sender, const QMimeData* DataObject, QPoint AtPoint,
                       Qt::DropAction& dwEffect)>
        OnOLEDragOver;
    // Raised by printing for each page.
    std::function<void(TLexipad& sender, QPainter& RenderCanvas, QRect& RenderRect,
                       bool& TransparentText)>
        OnPrintHeaderFooter;

    // --- standard control events ----------------------------------------------------
    std::function<void(TLexipad& sender)> OnClick;
    std::function<void(TLexipad& sender)> OnDblClick;
    std::function<void(TLexipad& sender)> OnEnter;
    std::function<void(TLexipad& sender)> OnExit;
    // A key press or release (virtual-key code, TShiftBits); a handler that
    // sets Key to 0 swallows it.
    std::function<void(TLexipad& sender, uint16_t& Key, uint8_t Shift)> OnKeyDown;
    std::function<void(TLexipad& sender, uint16_t& Key, uint8_t Shift)> OnKeyUp;
    // A typed character; a handler that sets Key to 0 swallows it.
    std::function<void(TLexipad& sender, char& Key)> OnKeyPress;
    std::function<void(TLexipad& sender, Qt::MouseButton Button, uint8_t Shift, int X, int Y)>
        OnMouseDown;
    std::function<void(TLexipad& sender, uint8_t Shift, int X, int Y)> OnMouseMove;
    std::function<void(TLexipad& sender, Qt::MouseButton Button, uint8_t Shift, int X, int Y)>
        OnMouseUp;
    // A handler that sets Handled keeps the control from scrolling.
    std::function<void(TLexipad& sender, uint8_t Shift, int WheelDelta, QPoint MousePos,
                       bool& Handled)>
        OnMouseWheel;
    std::function<void(TLexipad& sender, uint8_t Shift, QPoint MousePos, bool& Handled)>
        OnMouseWheelDown;
    std::function<void(TLexipad& sender, uint8_t Shift, QPoint MousePos, bool& Handled)>
        OnMouseWheelUp;
    // Dragging the selection out (start, end with the target's verdict) and
    // anything dragged over or dropped on the control.
    std::function<void(TLexipad& sender)> OnStartDrag;
    std::function<void(TLexipad& sender, bool Dropped, int X, int Y)> OnEndDrag;
    std::function<void(TLexipad& sender, QObject* Source, int X, int Y, bool& Accept)> OnDragOver;
    std::function<void(TLexipad& sender, QObject* Source, int X, int Y)> OnDragDrop;

    // --- the built-in find and replace dialogs --------------------------------------
    // Where the control's message boxes go (not owned); null restores the
    // control's own Qt boxes.
    void SetPrompts(TPrompts* prompts) { m_prompts = prompts; }
    TPrompts& Prompts() { return m_prompts ? *m_prompts : m_qtPrompts; }
    // A search from the built-in dialogs found nothing: OnSearchFail when
    // assigned, else a message box.
    void ReportSearchFail(const std::string& searchString);
    // The built-in dialogs while they are shown, else null.
    TLexipadFindDialog* BuiltInFindDialog() const;
    TLexipadReplaceDialog* BuiltInReplaceDialog() const;

    // --- for tests, printing and benchmarks -----------------------------------------
    const TLexipadMetrics& TextMetrics() const { return m_metrics; }
    TLexipadPainter& Painter() { return m_painter; }
    // The view as the screen shows it, without the caret.
    QImage RenderView();
    // The template list while it is shown, else null.
    TTemplatePopup* TemplateList() const;
    // The position the drop caret shows while data is dragged over (-1: none).
    int DropPosition() const { return m_dropPosition; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    class ViewLink;

    // painting (TLexipadPaint.cpp)
    void ViewRepaint(bool full);
    void ApplySettings();
    TPaintState PaintState(bool caret) const;
    void UpdateRows(int first, int last);
    void AfterInput();
    void RestartCaretBlink();
    int CaretRow() const;
    // scrolling (TLexipadScroll.cpp)
    void SyncScrollBars();
    int ScrollDivisor() const;
    int MaxTopLine() const;
    int ScrollPositionOf(int top) const;
    void VerticalAction(int action);
    void HorizontalAction(int action);
    // keyboard and mouse (TLexipadInput.cpp)
    void HandleKey(QKeyEvent& event);
    void TypeKeyText(const QKeyEvent& event);
    void Type(char c);
    void PressAt(QMouseEvent& event, bool doubleClick);
    int64_t PressTime(const QMouseEvent& event, bool doubleClick);
    void SetViewportCursor(TLexipadCursor cursor);
    void ShowTemplateList(const std::string& typedWord);
    // the built-in dialogs (TLexipadSearchDialogs.cpp)
    void OpenSearchDialog(bool replace, const std::string& preset, uint32_t options);
    // drag and drop (TLexipadDragDrop.cpp)
    void StartSelectionDrag();
    TSourceTypes SourceTypesOf(const QMimeData* data) const;
    TDropObj DropObjOf(const QMimeData* data) const;
    void DragTo(QDropEvent& event, bool entering);
    void SetDropPosition(int position);

    std::unique_ptr<ViewLink> m_viewLink;
    TLexipadMetrics m_metrics;
    TLexipadPainter m_painter;
    TQtClipboard m_clipboard;
    TLexipadStrings m_lines;
    QPointer<TTemplatePopup> m_templateList;
    QPointer<TLexipadFindDialog> m_findDialog;
    QPointer<TLexipadReplaceDialog> m_replaceDialog;
    TQtPrompts m_qtPrompts;
    TPrompts* m_prompts = nullptr;

    TBorderStyle m_borderStyle = bsSingle;
    TScrollStyle m_scrollBars = ssBoth;
    TFlatScrollStyle m_flatScrollBarStyle = fssFLAT;
    bool m_flatScrollBars = false;
    bool m_hideSelection = true;
    bool m_showFocusLine = false;
    bool m_monoPrint = true;
    bool m_wantTab = true;
    Qt::CursorShape m_hyperCursor = Qt::ArrowCursor;

    // The settings font and gutter font the metrics and painter were made for.
    QFont m_appliedFont;
    QFont m_appliedGutterFont;
    int32_t m_appliedGutterColor = 0;
    bool m_applying = false;
    int m_paintedRecords = -1;
    QRect m_caretRect; // where the caret was last drawn
    bool m_caretPhase = true;
    QBasicTimer m_caretTimer;
    QBasicTimer m_restyleTimer; // a zero timer: idle highlighting
    bool m_syncingScrollBars = false;

    QPoint m_pressPoint;
    int64_t m_lastPressTime = 0;
    QPoint m_lastMousePoint;
    QBasicTimer m_autoScrollTimer;
    int m_marginDragX = -1;
    int m_wheelRemainder = 0;
    int m_horizontalWheelRemainder = 0;

    int m_dropPosition = -1;
    bool m_dragging = false;      // a drag of the selection is under way
    bool m_droppedOnSelf = false; // that drag ended in this control
};

} // namespace quarno
