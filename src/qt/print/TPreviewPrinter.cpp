// Recording, previewing and printing pages.
#include "qt/print/TPreviewPrinter.h"

#include "core/base/StringUtils.h"
#include "core/editor/TLexipadGuards.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/TLexipad.h"
#include "qt/print/TLexipadPrinter.h"
#include "qt/print/TPreviewForm.h"
#include "qt/print/TTulloMetaFileCanvas.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace quarno {

namespace {

constexpr double kLetterWidth = 8.5; // inches, for a device that reports no sheet
constexpr double kLetterHeight = 11.0;

// The hourglass while a long operation runs.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

int Round(double value) {
    return static_cast<int>(std::nearbyint(value)); // halves to even
}

QPageLayout::Orientation PageOrientation(TPrinterOrientation orientation) {
    return orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

TPreviewPrinter::TPreviewPrinter(QPrinter* printer, QObject* parent) : QObject(parent) {
    SetPrinter(printer);
    PrintDialog = [this](QPrinter& target, int pageCount, TPrintChoice& choice) {
        return DefaultPrintDialog(target, pageCount, choice);
    };
}

TPreviewPrinter::~TPreviewPrinter() {
    m_canvas.reset();
}

void TPreviewPrinter::SetPrinter(QPrinter* printer) {
    if (printer) {
        m_printer = printer;
        m_ownPrinter.reset();
        return;
    }
    m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer = m_ownPrinter.get();
}

void TPreviewPrinter::Status(const std::string& text, int page, int type) {
    if (OnStatus) OnStatus(*this, text, page, type);
}

void TPreviewPrinter::ReadMetrics() {
    QRect paper = m_printer->paperRect(QPrinter::DevicePixel).toRect();
    QRect printable = m_printer->pageRect(QPrinter::DevicePixel).toRect();
    m_metrics.resolutionX = m_printer->logicalDpiX();
    m_metrics.resolutionY = m_printer->logicalDpiY();
    m_metrics.physicalWidth = paper.width();
    m_metrics.physicalHeight = paper.height();
    m_metrics.offsetX = printable.left() - paper.left();
    m_metrics.offsetY = printable.top() - paper.top();
    if (m_metrics.physicalWidth > 0 && m_metrics.resolutionX > 0 && m_metrics.resolutionY > 0)
        return;
    // A device that reports no sheet: a Letter page at the screen's resolution.
    QScreen* screen = QGuiApplication::primaryScreen();
    int dpiX = screen ? Round(screen->logicalDotsPerInchX()) : 96;
    int dpiY = screen ? Round(screen->logicalDotsPerInchY()) : 96;
    m_metrics = {dpiX, dpiY, Round(kLetterWidth * dpiX), Round(kLetterHeight * dpiY), 0, 0};
}

void TPreviewPrinter::ClearPages() {
    m_canvas.reset();
    m_pages.clear();
    m_laidOut.clear();
    m_pagePrinter.reset();
    m_editor = nullptr;
}

void TPreviewPrinter::BeginDoc() {
    m_inDocument = true;
    ClearPages();
    NewPage();
}

void TPreviewPrinter::NewPage() {
    Q_ASSERT_X(m_inDocument, "TPreviewPrinter::NewPage", "outside a document");
    if (!m_inDocument) return;
    m_pages.push_back(std::make_unique<QPicture>());
    m_printer->setPageOrientation(PageOrientation(Orientation));
    ReadMetrics();
    auto canvas = std::make_unique<TTulloMetaFileCanvas>(*m_pages.back(), m_metrics.resolutionX,
                                                         m_metrics.resolutionY);
    if (m_canvas) canvas->CopyState(*m_canvas);
    m_canvas = std::move(canvas);
    m_pageDrawn = false;
    Status(Format("Paginating page %d", PageCount()), PageCount(), 0);
}

TTulloMetaFileCanvas& TPreviewPrinter::PageCanvas() {
    Q_ASSERT_X(m_inDocument && m_canvas, "TPreviewPrinter::PageCanvas", "outside a document");
    if (!m_canvas) {
        // Outside a document: a canvas on a page nobody keeps.
        m_scratchPage = std::make_unique<QPicture>();
        m_canvas = std::make_unique<TTulloMetaFileCanvas>(*m_scratchPage, m_metrics.resolutionX,
                                                          m_metrics.resolutionY);
    }
    m_pageDrawn = true;
    return *m_canvas;
}

void TPreviewPrinter::EndDoc() {
    m_inDocument = false;
    m_canvas.reset();
    if (!m_pageDrawn && !m_pages.empty()) m_pages.pop_back();
    m_pageDrawn = false;
    Status("Pagination Complete", -1, 2);
}

// The text area between the margins; they are inches here whatever Units says.
QRect TPreviewPrinter::MarginRect() const {
    const TDeviceMetrics& m = m_metrics;
    int left = Round(m.resolutionX * m_textOptions.MarginLeft);
    int top = Round(m.resolutionY * m_textOptions.MarginTop);
    int right = m.physicalWidth - Round(m.resolutionX * m_textOptions.MarginRight);
    int bottom = m.physicalHeight - Round(m.resolutionY * m_textOptions.MarginBottom);
    return QRect(left, top, right - left, bottom - top);
}

void TPreviewPrinter::PrintMemo(TLexipad& editor) {
    WaitCursor wait;
    m_inDocument = false;
    ClearPages();
    m_printer->setPageOrientation(PageOrientation(Orientation));
    ReadMetrics();
    m_pageRect = MarginRect();
    m_editor = &editor;
    m_pagePrinter = std::make_unique<TLexipadPrinter>(editor);
    {
        TUpdateLock lock(editor);
        m_laidOut = m_pagePrinter->LayOut(m_pageRect, m_metrics.resolutionY, [this](int page) {
            Status(Format("Paginating page %d", page), page, 0);
        });
    }
    m_pages.resize(m_laidOut.size());
    Status("Pagination Complete", -1, 2);
}

const QPicture& TPreviewPrinter::Pages(int index) {
    std::unique_ptr<QPicture>& page = m_pages.at(static_cast<size_t>(index));
    if (page) return *page;
    page = std::make_unique<QPicture>();
    size_t laidOut = static_cast<size_t>(index);
    if (m_editor && m_pagePrinter && laidOut < m_laidOut.size()) {
        TTulloMetaFileCanvas canvas(*page, m_metrics.resolutionX, m_metrics.resolutionY);
        m_pagePrinter->DrawLaidOutPage(canvas.Painter(), m_pageRect, m_laidOut[laidOut]);
    }
    return *page;
}

int TPreviewPrinter::RecordedPageCount() const {
    return static_cast<int>(std::count_if(m_pages.begin(), m_pages.end(),
                                          [](const auto& page) { return page != nullptr; }));
}

void TPreviewPrinter::Preview() {
    Q_ASSERT_X(!m_inDocument, "TPreviewPrinter::Preview", "a document is being recorded");
    if (m_inDocument) return;
    TPreviewForm form(*this, PreviewParent);
    form.exec();
}

bool TPreviewPrinter::DefaultPrintDialog(QPrinter& printer, int pageCount, TPrintChoice& choice) {
    QPrintDialog dialog(&printer, PreviewParent);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice.pageRange = printer.printRange() == QPrinter::PageRange;
    choice.fromPage = printer.fromPage();
    choice.toPage = printer.toPage();
    choice.copies = std::max(printer.copyCount(), 1);
    return true;
}

bool TPreviewPrinter::Print() {
    if (PageCount() == 0) return false;
    TPrintChoice choice;
    choice.toPage = PageCount();
    if (!PrintDialog || !PrintDialog(*m_printer, PageCount(), choice)) return false;
    int first = choice.pageRange ? choice.fromPage - 1 : 0;
    int last = choice.pageRange ? choice.toPage - 1 : PageCount() - 1;
    // Each copy is a job of its own, so the printer must not copy again.
    m_printer->setCopyCount(1);
    for (int copy = 0; copy < std::max(choice.copies, 1); ++copy)
        PrintPages(first, last);
    return true;
}

bool TPreviewPrinter::PrintPages(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, PageCount() - 1);
    if (first > last) return false;
    WaitCursor wait;
    m_printer->setPageOrientation(PageOrientation(Orientation));
    m_printer->setDocName(FromAnsi(Title));
    QPainter painter;
    if (!painter.begin(m_printer)) return false;
    ReadMetrics();
    for (int page = first; page <= last; ++page) {
        Status(Format("Printing page %d", page + 1), page, 1);
        painter.drawPicture(QPoint(-m_metrics.offsetX, -m_metrics.offsetY), Pages(page));
        if (page < last) m_printer->newPage();
    }
    painter.end();
    Status("Print Job Complete", -1, 3);
    return true;
}

} // namespace quarno
