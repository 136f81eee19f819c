// The print preview window.
#include "qt/print/TPreviewForm.h"

#include "qt/print/TGoPageForm.h"
#include "qt/print/TPreviewPrinter.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace quarno {

namespace {

constexpr int kGap = 20;  // around and between pages
constexpr int kEdge = 10; // a page's distance from the container's edge when it scrolls
constexpr double kZoomStep = 1.5;
const QColor kGridColor(192, 192, 192);
const double kFixedZooms[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};

// A page panel's paint box: the form paints it.
class PagePaintBox : public QWidget {
public:
    PagePaintBox(TPreviewForm& form, int which) : m_form(form), m_which(which) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_form.PaintPage(painter, m_which);
    }

private:
    TPreviewForm& m_form;
    int m_which;
};

// The zoom tool's pointer: a magnifying glass.
QCursor MagnifierCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.drawEllipse(QRect(3, 3, 16, 16));
    painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(17, 17, 27, 27);
    painter.end();
    return QCursor(pixmap, 11, 11);
}

} // namespace

TPreviewForm::TPreviewForm(TPreviewPrinter& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Preview Form"));
    AskPageNumber = [this](int maximum, int& page) {
        TGoPageForm dialog(this);
        dialog.PageNum()->setMaximum(maximum);
        dialog.PageNum()->setValue(page);
        if (dialog.exec() != QDialog::Accepted) return false;
        page = dialog.PageNum()->value();
        return true;
    };
    auto* toolBar = new QWidget;
    auto* statusBar = new QWidget;
    m_scrollArea = new QScrollArea;
    m_scrollArea->setObjectName(QStringLiteral("ScrollBox"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_scrollArea, 1);
    layout->addWidget(statusBar);
    BuildToolBar(toolBar);
    BuildPages();
    BuildStatusBar(statusBar);
    m_scrollArea->viewport()->installEventFilter(this);

    Button("GridBut")->setChecked(m_printer.ShowGrid);
    int zoom = zeFitToPage;
    if (m_printer.ZoomOption == zoFitToWidth) zoom = zeFitToWidth;
    if (m_printer.ZoomOption == zoCustom) {
        zoom = zeCustom;
        m_zoomFactor = std::max(m_printer.ZoomVal, 1) / 100.0;
    }
    m_zoomBox->setCurrentIndex(zoom);
    if (m_printer.ZoomOption == zoTwoPages) Button("TwoPageBut")->setChecked(true);
    ComputeLayout();
    ShowPage(0);
    setWindowState(Qt::WindowMaximized);
}

QToolButton* TPreviewForm::AddButton(const char* name, const QString& caption, const QString& hint,
                                     bool checkable) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setCheckable(checkable);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QToolButton* TPreviewForm::Button(const char* name) const {
    return findChild<QToolButton*>(QString::fromLatin1(name));
}

void TPreviewForm::BuildToolBar(QWidget* bar) {
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    auto* print =
        AddButton("PrintBut", QStringLiteral("&Print..."), QStringLiteral("Print the pages"));
    auto* prev = AddButton("PrevPageBut", QStringLiteral("Pre&v"), QStringLiteral("Previous page"));
    auto* next = AddButton("NextPageBut", QStringLiteral("&Next"), QStringLiteral("Next page"));
    prev->setEnabled(false);
    m_zoomBox = new QComboBox;
    m_zoomBox->setObjectName(QStringLiteral("ZoomBox"));
    m_zoomBox->addItems({QStringLiteral("Fit To Page"), QStringLiteral("Fit To Width"),
                         QStringLiteral("Custom"), QStringLiteral("25%"), QStringLiteral("50%"),
                         QStringLiteral("75%"), QStringLiteral("100%"), QStringLiteral("125%"),
                         QStringLiteral("150%"), QStringLiteral("200%"), QStringLiteral("300%"),
                         QStringLiteral("400%")});
    m_zoomBox->setToolTip(QStringLiteral("Zoom"));
    m_zoomBox->setStatusTip(QStringLiteral("Zoom"));
    auto* fitPage = AddButton("FitPageBut", QStringLiteral("Fit Page"),
                              QStringLiteral("Fit the whole page in the window"), true);
    auto* fitWidth = AddButton("FitWidthBut", QStringLiteral("Fit Width"),
                               QStringLiteral("Fit the page's width in the window"), true);
    auto* grid =
        AddButton("GridBut", QStringLiteral("Grid"), QStringLiteral("Turns Grid On/Off"), true);
    auto* zoomTool =
        AddButton("ZoomCursorBut", QStringLiteral("Zoom"), QStringLiteral("Zoom Tool"), true);
    auto* handTool =
        AddButton("HandCursorBut", QStringLiteral("Hand"), QStringLiteral("Hand Tool"), true);
    auto* one =
        AddButton("OnePageBut", QStringLiteral("&1"), QStringLiteral("Display one page"), true);
    auto* two = AddButton("TwoPageBut", QStringLiteral("&2"),
                          QStringLiteral("Display Two pages side by side"), true);
    auto* close =
        AddButton("CloseBut", QStringLiteral("&Close"), QStringLiteral("Close the preview"));
    auto* tools = new QButtonGroup(this);
    tools->addButton(zoomTool);
    tools->addButton(handTool);
    zoomTool->setChecked(true);
    auto* pages = new QButtonGroup(this);
    pages->addButton(one);
    pages->addButton(two);
    one->setChecked(true);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             print, prev, next, m_zoomBox, fitPage, fitWidth, grid, zoomTool, handTool, one, two})
        row->addWidget(widget);
    row->addStretch(1);
    row->addWidget(close);

    connect(print, &QToolButton::clicked, this, [this] { m_printer.Print(); });
    connect(prev, &QToolButton::clicked, this, [this] { PrevPage(); });
    connect(next, &QToolButton::clicked, this, [this] { NextPage(); });
    connect(m_zoomBox, &QComboBox::activated, this, [this](int index) { ChooseZoom(index); });
    connect(fitPage, &QToolButton::clicked, this, [this] { ChooseZoom(zeFitToPage); });
    connect(fitWidth, &QToolButton::clicked, this, [this] { ChooseZoom(zeFitToWidth); });
    connect(grid, &QToolButton::toggled, this, [this] { RepaintPanels(); });
    connect(zoomTool, &QToolButton::toggled, this, [this](bool on) {
        QCursor cursor = on ? MagnifierCursor() : QCursor(Qt::OpenHandCursor);
        m_pb1->setCursor(cursor);
        m_pb2->setCursor(cursor);
    });
    connect(one, &QToolButton::clicked, this, [this] { SetPageMode(false); });
    connect(two, &QToolButton::clicked, this, [this] { SetPageMode(true); });
    connect(close, &QToolButton::clicked, this, &QDialog::reject);
}

void TPreviewForm::BuildStatusBar(QWidget* bar) {
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    auto* first = AddButton("FirstPageSpeed", QStringLiteral("|<"), QStringLiteral("First page"));
    auto* prev = AddButton("PrevPageSpeed", QStringLiteral("<"), QStringLiteral("Previous page"));
    auto* next = AddButton("NextPageSpeed", QStringLiteral(">"), QStringLiteral("Next page"));
    auto* last = AddButton("LastPageSpeed", QStringLiteral(">|"), QStringLiteral("Last page"));
    auto* go =
        AddButton("PageNumSpeed", QStringLiteral("#"), QStringLiteral("Go to Page by Page Number"));
    m_curPageLabel = new QLabel;
    m_curPageLabel->setObjectName(QStringLiteral("CurPageLabel"));
    m_zoomLabel = new QLabel;
    m_zoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    m_hintLabel = new QLabel;
    m_hintLabel->setObjectName(QStringLiteral("HintLabel"));
    for (QWidget* widget : std::initializer_list<QWidget*>{first, prev, next, last, go})
        row->addWidget(widget);
    row->addWidget(m_curPageLabel);
    row->addSpacing(16);
    row->addWidget(m_zoomLabel);
    row->addSpacing(16);
    row->addWidget(m_hintLabel, 1);
    connect(first, &QToolButton::clicked, this, [this] { FirstPage(); });
    connect(prev, &QToolButton::clicked, this, [this] { PrevPage(); });
    connect(next, &QToolButton::clicked, this, [this] { NextPage(); });
    connect(last, &QToolButton::clicked, this, [this] { LastPage(); });
    connect(go, &QToolButton::clicked, this, [this] { GoToPage(); });
}

void TPreviewForm::BuildPages() {
    m_container = new QWidget;
    m_container->setObjectName(QStringLiteral("ContainPanel"));
    m_container->setAutoFillBackground(true);
    QPalette shadow = m_container->palette();
    shadow.setColor(QPalette::Window, palette().color(QPalette::Dark));
    m_container->setPalette(shadow);
    const QString hint =
        QStringLiteral("Page View.  With Zoom Tool, left or right click to zoom in/out.  Click & "
                       "drag with Hand Tool to pan.");
    for (int which = 0; which < 2; ++which) {
        auto* panel = new QFrame(m_container);
        panel->setObjectName(which == 0 ? QStringLiteral("PagePanel")
                                        : QStringLiteral("PagePanel2"));
        panel->setFrameShape(QFrame::Box);
        panel->setLineWidth(1);
        auto* box = new PagePaintBox(*this, which);
        box->setObjectName(which == 0 ? QStringLiteral("PB1") : QStringLiteral("PB2"));
        box->setParent(panel);
        box->setToolTip(hint);
        box->setStatusTip(hint);
        box->setCursor(MagnifierCursor());
        box->installEventFilter(this);
        (which == 0 ? m_pagePanel : m_pagePanel2) = panel;
        (which == 0 ? m_pb1 : m_pb2) = box;
    }
    m_scrollArea->setWidget(m_container);
    m_scrollArea->setWidgetResizable(false);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QDialog::reject);
}

bool TPreviewForm::TwoPages() const {
    return Button("TwoPageBut")->isChecked();
}

double TPreviewForm::ZoomOf(int index) const {
    const TDeviceMetrics& m = m_printer.Metrics();
    QSize client = m_scrollArea->viewport()->size();
    double dpi = std::max(logicalDpiY(), 1);
    double inchesHigh = static_cast<double>(m.physicalHeight) / std::max(m.resolutionY, 1);
    double inchesWide = static_cast<double>(m.physicalWidth) / std::max(m.resolutionX, 1);
    switch (index) {
    case zeFitToPage: return (client.height() - kGap) / dpi / std::max(inchesHigh, 0.01);
    case zeFitToWidth: return (client.width() - kGap) / dpi / std::max(inchesWide, 0.01);
    case zeCustom: return m_zoomFactor;
    default: break;
    }
    int fixed = index - zeCustom - 1;
    if (fixed >= 0 && fixed < static_cast<int>(std::size(kFixedZooms))) return kFixedZooms[fixed];
    return 1.0;
}

void TPreviewForm::ComputeLayout() {
    if (m_zoomBox->currentIndex() < 0) m_zoomBox->setCurrentIndex(zeFitToPage);
    int index = m_zoomBox->currentIndex();
    Button("FitPageBut")->setChecked(index == zeFitToPage);
    Button("FitWidthBut")->setChecked(index == zeFitToWidth);
    double zoom = std::max(ZoomOf(index), 0.01);
    if (index != zeFitToPage) Button("OnePageBut")->setChecked(true);
    bool two = TwoPages();
    const TDeviceMetrics& m = m_printer.Metrics();
    double dpi = logicalDpiY();
    int pageHeight = static_cast<int>(dpi * zoom * m.physicalHeight / std::max(m.resolutionY, 1));
    int pageWidth = static_cast<int>(dpi * zoom * m.physicalWidth / std::max(m.resolutionX, 1));
    int contentWidth = pageWidth + kGap + (two ? pageWidth + kGap : 0);
    QSize client = m_scrollArea->viewport()->size();
    int width = std::max(contentWidth, client.width() - 1);
    int height = std::max(pageHeight + kGap, client.height() - 1);
    m_container->resize(width, height);
    int top = pageHeight + kGap < height ? (height - pageHeight) / 2 : kEdge;
    int left = contentWidth < width ? width / 2 - (contentWidth - kGap) / 2 : kEdge;
    m_pagePanel->setGeometry(left, top, pageWidth, pageHeight);
    m_pagePanel2->setGeometry(left + pageWidth + kGap, top, pageWidth, pageHeight);
    m_pagePanel2->setVisible(two);
    for (QWidget* box : {m_pb1, m_pb2})
        box->setGeometry(1, 1, std::max(pageWidth - 2, 0), std::max(pageHeight - 2, 0));
    m_zoomFactor = zoom;
    m_zoomLabel->setText(QLocale().toString(zoom * 100, 'f', 0) + QStringLiteral("%"));
    RepaintPanels();
}

void TPreviewForm::ChooseZoom(int index) {
    m_zoomBox->setCurrentIndex(index);
    // Twice: the second pass sees the scroll bars the first one brought.
    ComputeLayout();
    ComputeLayout();
}

void TPreviewForm::SetPageMode(bool twoPages) {
    Button(twoPages ? "TwoPageBut" : "OnePageBut")->setChecked(true);
    m_zoomBox->setCurrentIndex(zeFitToPage);
    ComputeLayout();
}

void TPreviewForm::ZoomAt(QWidget* panel, QPoint point, bool zoomIn) {
    double ratioX = static_cast<float>(point.x()) / std::max(panel->width(), 1);
    double ratioY = static_cast<float>(point.y()) / std::max(panel->height(), 1);
    m_zoomFactor = zoomIn ? m_zoomFactor * kZoomStep : m_zoomFactor / kZoomStep;
    m_zoomBox->setCurrentIndex(zeCustom);
    ComputeLayout();
    QSize viewport = m_scrollArea->viewport()->size();
    m_scrollArea->horizontalScrollBar()->setValue(static_cast<int>(m_pagePanel->width() * ratioX) -
                                                  viewport.width() / 2);
    m_scrollArea->verticalScrollBar()->setValue(static_cast<int>(m_pagePanel->height() * ratioY) -
                                                viewport.height() / 2);
}

void TPreviewForm::LastPage() {
    ShowPage(m_printer.PageCount() - 1);
}

void TPreviewForm::GoToPage() {
    int page = m_currentPage + 1;
    if (!AskPageNumber || !AskPageNumber(m_printer.PageCount(), page)) return;
    ShowPage(std::clamp(page, 1, std::max(m_printer.PageCount(), 1)) - 1);
}

void TPreviewForm::ShowPage(int page) {
    m_currentPage = std::clamp(page, 0, std::max(m_printer.PageCount() - 1, 0));
    m_curPageLabel->setText(
        QStringLiteral("Page %1 of %2").arg(m_currentPage + 1).arg(m_printer.PageCount()));
    RepaintPanels();
    UpdateButtons();
}

void TPreviewForm::UpdateButtons() {
    bool forward = m_currentPage + 1 < m_printer.PageCount();
    bool back = m_currentPage > 0;
    for (const char* name : {"NextPageBut", "NextPageSpeed", "LastPageSpeed"})
        Button(name)->setEnabled(forward);
    for (const char* name : {"PrevPageBut", "PrevPageSpeed", "FirstPageSpeed"})
        Button(name)->setEnabled(back);
    Button("PageNumSpeed")->setEnabled(m_printer.PageCount() > 1);
}

// In two-page view the second sheet shows only while there is a page for
// it, so the last page is not followed by a blank one.
void TPreviewForm::RepaintPanels() {
    m_pagePanel2->setVisible(ShownPage(1) >= 0);
    m_pb1->update();
    m_pb2->update();
}

int TPreviewForm::ShownPage(int which) const {
    int page = m_currentPage + which;
    if (which == 1 && !TwoPages()) return -1;
    return page < m_printer.PageCount() ? page : -1;
}

void TPreviewForm::PaintPage(QPainter& painter, int which) const {
    QWidget* box = PaintBox(which);
    painter.fillRect(box->rect(), Qt::white);
    int page = ShownPage(which);
    const TDeviceMetrics& m = m_printer.Metrics();
    if (page < 0 || m.physicalWidth <= 0 || m.physicalHeight <= 0) return;
    double scaleX = static_cast<double>(box->width()) / m.physicalWidth;
    double scaleY = static_cast<double>(box->height()) / m.physicalHeight;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scaleX, scaleY);
    painter.drawPicture(0, 0, m_printer.Pages(page));
    painter.restore();
    if (!Button("GridBut")->isChecked()) return;
    painter.setPen(kGridColor);
    for (int inch = 1; inch <= m.physicalWidth / std::max(m.resolutionX, 1); ++inch) {
        int x = static_cast<int>(inch * m.resolutionX * scaleX);
        painter.drawLine(x, 0, x, box->height());
    }
    for (int inch = 1; inch <= m.physicalHeight / std::max(m.resolutionY, 1); ++inch) {
        int y = static_cast<int>(inch * m.resolutionY * scaleY);
        painter.drawLine(0, y, box->width(), y);
    }
}

void TPreviewForm::PanelMouse(QWidget* panel, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    bool zoomTool = Button("ZoomCursorBut")->isChecked();
    if (event->type() == QEvent::MouseButtonPress) {
        if (zoomTool) {
            if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton)
                ZoomAt(panel, mouse->position().toPoint(), mouse->button() == Qt::LeftButton);
            return;
        }
        m_dragging = true;
        m_dragStart = mouse->globalPosition().toPoint();
    } else if (event->type() == QEvent::MouseMove && m_dragging) {
        QPoint now = mouse->globalPosition().toPoint();
        QPoint delta = m_dragStart - now;
        m_scrollArea->horizontalScrollBar()->setValue(m_scrollArea->horizontalScrollBar()->value() +
                                                      delta.x());
        m_scrollArea->verticalScrollBar()->setValue(m_scrollArea->verticalScrollBar()->value() +
                                                    delta.y());
        m_dragStart = now;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_dragging = false;
    }
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Resize) {
        ComputeLayout();
    } else if (watched == m_pb1 || watched == m_pb2) {
        QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
            type == QEvent::MouseButtonRelease) {
            PanelMouse(static_cast<QWidget*>(watched), event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TPreviewForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        m_hintLabel->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void TPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowPage(0);
}

} // namespace quarno
