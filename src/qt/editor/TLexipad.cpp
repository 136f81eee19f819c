// The editing control on screen: construction, the published properties and
// the link through which the engine asks for repaints.
#include "qt/editor/TLexipad.h"

#include "core/editor/ILexipadView.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/LexipadColors.h"
#include "qt/editor/TLexipadReplaceDialog.h"
#include "qt/editor/TTemplatePopup.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScrollBar>

namespace quarno {

// The engine's requests to the window.
class TLexipad::ViewLink : public ILexipadView {
public:
    explicit ViewLink(TLexipad& owner) : m_owner(owner) {}
    void Repaint(bool full) override { m_owner.ViewRepaint(full); }
    void Beep() override { QApplication::beep(); }
    // The rest of the document is highlighted a slice at a time whenever the
    // event loop has nothing else to do.
    void RestyleWaiting() override { m_owner.m_restyleTimer.start(0, &m_owner); }
    void ShowFindDialog(const std::string& preset, uint32_t options) override {
        m_owner.OpenSearchDialog(false, preset, options);
    }
    void ShowReplaceDialog(const std::string& preset, uint32_t options) override {
        m_owner.OpenSearchDialog(true, preset, options);
    }
    void ShowSearchError(const std::string& message) override {
        m_owner.Prompts().ShowFixedPitch(TPromptKind::Error, message); // the "^" lines up
    }

private:
    TLexipad& m_owner;
};

TLexipad::TLexipad(QWidget* parent)
    : QAbstractScrollArea(parent), m_viewLink(std::make_unique<ViewLink>(*this)),
      m_painter(*this, m_metrics), m_lines(*this) {
    setObjectName(QStringLiteral("Lexipad"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TLexipad::VerticalAction);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &TLexipad::HorizontalAction);

    SetDoubleClickTime(QApplication::doubleClickInterval());
    SetClipboard(&m_clipboard);
    SetMetrics(&m_metrics);
    m_painter.OnDrawLine = [this](TLineDrawData& data) {
        return OnDrawLine ? OnDrawLine(*this, data) : 0;
    };
    m_painter.OnDrawMark = [this](QPainter& dc, const QRect& rect, TRangeMark& mark) {
        if (!OnDrawMark) return false;
        OnDrawMark(*this, dc, rect, mark);
        return true;
    };
    OnTemplateList = [this](TCustomLexipad&, const std::string& word) { ShowTemplateList(word); };
    ApplySettings();
    SetIdleRestyle(true);
    SetView(m_viewLink.get());
}

// The engine part outlives this class's members, so it is cut off from them
// first; the template list and the search dialogs go before anything they
// could call back into.
TLexipad::~TLexipad() {
    delete m_templateList.data();
    delete m_findDialog.data();
    delete m_replaceDialog.data();
    SetView(nullptr);
    SetMetrics(nullptr);
    SetClipboard(nullptr);
}

void TLexipad::SetBorderStyle(TBorderStyle style) {
    m_borderStyle = style;
    setFrameStyle(style == bsNone ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
}

int32_t TLexipad::def_TextColor() const {
    return Settings().Style(0).textColor;
}

void TLexipad::Setdef_TextColor(int32_t color) {
    TLP_Style style = Settings().Style(0);
    style.textColor = color;
    Settings().SetStyle(0, style);
    SettingsChanged();
}

int32_t TLexipad::def_BackColor() const {
    return Settings().Style(0).backColor;
}

void TLexipad::Setdef_BackColor(int32_t color) {
    TLP_Style style = Settings().Style(0);
    style.backColor = color;
    Settings().SetStyle(0, style);
    SettingsChanged();
}

uint8_t TLexipad::def_FontStyle() const {
    return Settings().Style(0).fontStyle;
}

void TLexipad::Setdef_FontStyle(uint8_t fontStyle) {
    TLP_Style style = Settings().Style(0);
    style.fontStyle = fontStyle;
    Settings().SetStyle(0, style);
    SettingsChanged();
}

QFont TLexipad::Font() const {
    return QFont(FromAnsi(Settings().FontName()), std::max(Settings().FontSize(), 1));
}

void TLexipad::SetFont(const QFont& font) {
    Settings().SetFontName(ToAnsi(font.family()));
    Settings().SetFontSize(font.pointSize() > 0 ? font.pointSize() : 10);
    SettingsChanged();
}

QFont TLexipad::GutterFont() const {
    const TLP_FontSpec& gutterFont = Settings().GutterFont();
    QFont font(FromAnsi(gutterFont.name), std::max(gutterFont.size, 1));
    font.setBold(gutterFont.style & kFsBold);
    font.setItalic(gutterFont.style & kFsItalic);
    return font;
}

void TLexipad::SetGutterFont(const QFont& font) {
    TLP_FontSpec gutterFont = Settings().GutterFont();
    gutterFont.name = ToAnsi(font.family());
    gutterFont.size = font.pointSize() > 0 ? font.pointSize() : 8;
    gutterFont.style =
        static_cast<uint8_t>((font.bold() ? kFsBold : 0) | (font.italic() ? kFsItalic : 0));
    Settings().SetGutterFont(gutterFont);
    SettingsChanged();
}

void TLexipad::SetGutterColor(int32_t color) {
    Settings().SetGutterColor(color);
    SettingsChanged();
}

void TLexipad::SetHideSelection(bool hide) {
    m_hideSelection = hide;
    viewport()->update();
}

void TLexipad::SetMarginColor(int32_t color) {
    Settings().SetMarginColor(color);
    SettingsChanged();
}

void TLexipad::SetScrollBars(TScrollStyle style) {
    m_scrollBars = style;
    SyncScrollBars();
}

void TLexipad::SetSelTextColor(int32_t color) {
    Settings().SetSelTextColor(color);
    SettingsChanged();
}

void TLexipad::SetSelTextBack(int32_t color) {
    Settings().SetSelTextBack(color);
    SettingsChanged();
}

void TLexipad::SetShowFocusLine(bool show) {
    m_showFocusLine = show;
    viewport()->update();
}

void TLexipad::SetTabColumns(const std::string& columns) {
    Settings().SetTabColumns(columns);
    SettingsChanged();
}

void TLexipad::SetTabDefault(int width) {
    Settings().SetTabDefault(width);
    SettingsChanged();
}

void TLexipad::SetWordWrap(bool wrap) {
    SetOptions(wrap ? Options() | smoWordWrap : Options() & ~static_cast<uint32_t>(smoWordWrap));
}

void TLexipad::SetLineImages(const QList<QImage>& images) {
    m_painter.SetLineImages(images);
    viewport()->update();
}

TTemplatePopup* TLexipad::TemplateList() const {
    return m_templateList && m_templateList->isVisible() ? m_templateList.data() : nullptr;
}

// The widget's own font follows the settings; setting it (setFont, a style
// sheet) sets the settings font.
void TLexipad::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_applying && QWidget::font() != m_appliedFont)
        SetFont(QWidget::font());
    else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::EnabledChange)
        ViewRepaint(true);
}

void TLexipad::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    SetClientSize(viewport()->width(), viewport()->height());
    SyncScrollBars();
    viewport()->update();
}

void TLexipad::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartCaretBlink();
    viewport()->update();
    if (OnEnter) OnEnter(*this);
}

void TLexipad::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_caretTimer.stop();
    viewport()->update();
    if (OnExit) OnExit(*this);
}

} // namespace quarno
