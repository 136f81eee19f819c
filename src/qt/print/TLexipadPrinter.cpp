// Printed pages of the editing control.
#include "qt/print/TLexipadPrinter.h"

#include "core/print/PrintRuns.h"
#include "core/print/TPageFrame.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/LexipadColors.h"
#include "qt/editor/TLexipad.h"
#include "qt/editor/TLexipadMetrics.h"
#include "qt/print/TTulloMetaFileCanvas.h"

#include <QLocale>
#include <QPainter>
#include <QPicture>
#include <QPrinter>

#include <array>
#include <cmath>

namespace quarno {

namespace {

constexpr int kPointsPerInch = 72;

TPrintRect ToPrintRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect ToQRect(const TPrintRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

// The control's font at the device's resolution, sized in device pixels so
// that a recorded page plays back at the size it was laid out with.
QFont DeviceFont(const QFont& font, int resolutionY, int screenDpi) {
    QFont scaled(font);
    double pixels = font.pointSizeF() > 0
                        ? font.pointSizeF() * resolutionY / kPointsPerInch
                        : static_cast<double>(font.pixelSize()) * resolutionY / screenDpi;
    scaled.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return scaled;
}

} // namespace

struct TLexipadPrinter::Layout {
    TLexipadMetrics metrics;
    std::array<QFont, 16> fonts; // by font style bits
    std::unique_ptr<TPrintPaginator> paginator;
    // What the layout was made for.
    const TTextStore* store = nullptr;
    int charCount = 0;
    uint32_t options = 0;
    QFont font;
    int resolutionY = 0;
    QRect rect;
    bool monoPrint = true;
    QDateTime time; // the header's, one for every page of the job
};

TLexipadPrinter::TLexipadPrinter(TLexipad& pad, QPrinter* printer)
    : m_pad(pad), m_printer(printer) {}

TLexipadPrinter::~TLexipadPrinter() = default;

std::unique_ptr<TLexipadPrinter::Layout> TLexipadPrinter::MakeLayout(TPrintLines lines,
                                                                     int resolutionY) const {
    auto layout = std::make_unique<Layout>();
    layout->font = m_pad.Font();
    QFont font = DeviceFont(layout->font, resolutionY, std::max(m_pad.logicalDpiY(), 1));
    layout->metrics.SetFont(font);
    for (size_t style = 0; style < layout->fonts.size(); ++style) {
        QFont styled(font);
        styled.setBold(style & kFsBold);
        styled.setItalic(style & kFsItalic);
        styled.setUnderline(style & kFsUnderline);
        styled.setStrikeOut(style & kFsStrikeOut);
        layout->fonts[style] = styled;
    }
    layout->paginator = std::make_unique<TPrintPaginator>(m_pad, layout->metrics, lines);
    layout->store = &m_pad.Store();
    layout->charCount = m_pad.CharCount();
    layout->options = m_pad.Options();
    layout->resolutionY = resolutionY;
    layout->monoPrint = m_pad.MonoPrint();
    layout->time = m_headerTime.isValid() ? m_headerTime : QDateTime::currentDateTime();
    return layout;
}

bool TLexipadPrinter::LayoutMatches(const QRect& rect, int resolutionY) const {
    return m_layout && m_layout->store == &m_pad.Store() &&
           m_layout->charCount == m_pad.CharCount() && m_layout->options == m_pad.Options() &&
           m_layout->font == m_pad.Font() && m_layout->resolutionY == resolutionY &&
           m_layout->rect == rect && m_layout->monoPrint == m_pad.MonoPrint();
}

QString TLexipadPrinter::HeaderDate(const Layout& layout) const {
    const QDateTime& time = layout.time;
    QLocale locale = QLocale::system();
    return locale.toString(time.date(), QLocale::ShortFormat) + QStringLiteral(" - ") +
           locale.toString(time.time(), QLocale::LongFormat);
}

// Fills the page white, then lets the handler or the print options decorate
// it; answers where the text goes.
QRect TLexipadPrinter::PageBody(QPainter& canvas, const Layout& layout, const QRect& rect,
                                int pageNumber, bool& transparent) {
    transparent = false;
    canvas.fillRect(QRect(0, 0, rect.width(), rect.height()), Qt::white);
    canvas.fillRect(rect, Qt::white);
    QRect body = rect;
    if (m_pad.OnPrintHeaderFooter)
        m_pad.OnPrintHeaderFooter(m_pad, canvas, body, transparent);
    else
        DrawFrame(canvas, layout, rect, pageNumber, body);
    return body;
}

// Where the text goes on a page that is laid out but not drawn; a handler
// is asked on a canvas nobody keeps.
QRect TLexipadPrinter::SkippedPageBody(const Layout& layout, const QRect& rect) {
    QRect body = rect;
    if (m_pad.OnPrintHeaderFooter) {
        QPicture scratch;
        QPainter painter(&scratch);
        bool transparent = false;
        m_pad.OnPrintHeaderFooter(m_pad, painter, body, transparent);
        return body;
    }
    return ToQRect(MakePageFrame(ToPrintRect(rect), layout.metrics.LineHeight(), m_pad.Options(),
                                 std::string(), std::string(), 1)
                       .body);
}

void TLexipadPrinter::DrawFrame(QPainter& canvas, const Layout& layout, const QRect& rect,
                                int pageNumber, QRect& body) {
    TPageFrame frame =
        MakePageFrame(ToPrintRect(rect), layout.metrics.LineHeight(), m_pad.Options(),
                      m_pad.PrintTitle(), ToAnsi(HeaderDate(layout)), pageNumber);
    body = ToQRect(frame.body);
    canvas.save();
    canvas.setFont(layout.fonts[0]);
    canvas.setPen(QPen(Qt::black, std::max(1, layout.resolutionY / 96)));
    canvas.setBackgroundMode(Qt::TransparentMode);
    if (frame.header) {
        QRect line = ToQRect(frame.headerLine);
        canvas.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, FromAnsi(frame.title));
        canvas.drawText(line, Qt::AlignRight | Qt::AlignVCenter, FromAnsi(frame.dateTime));
        canvas.drawLine(rect.left(), frame.headerRule, rect.left() + rect.width(),
                        frame.headerRule);
    }
    if (frame.footer) {
        canvas.drawText(ToQRect(frame.footerLine), Qt::AlignCenter, FromAnsi(frame.pageNumber));
        canvas.drawLine(rect.left(), frame.footerRule, rect.left() + rect.width(),
                        frame.footerRule);
    }
    canvas.restore();
}

void TLexipadPrinter::DrawLine(QPainter& canvas, const Layout& layout, const TPrintLine& line,
                               int x, int y, int right, bool transparent) {
    const TLexipadMetrics& metrics = layout.metrics;
    int lineHeight = metrics.LineHeight();
    int baseline = y + metrics.Ascent();
    QPalette palette = m_pad.palette();
    int numberWidth = layout.paginator->NumberWidth();
    if (numberWidth > 0 && line.lineNumber > 0) {
        canvas.setFont(layout.fonts[0]);
        canvas.setPen(Qt::black);
        QRect field(x, y, numberWidth - metrics.CharWidth(), lineHeight);
        canvas.drawText(field, Qt::AlignRight | Qt::AlignVCenter, QString::number(line.lineNumber));
    }
    int left = x + numberWidth;
    for (const TPrintRun& run : PrintRuns(m_pad, metrics, line, layout.monoPrint)) {
        int runX = left + run.x;
        if (runX >= right) break;
        QRect cell(runX, y, std::min(run.width, right - runX), lineHeight);
        if (!transparent) canvas.fillRect(cell, LexipadColor(run.look.back, palette));
        if (run.tab) continue;
        canvas.setFont(layout.fonts[run.look.fontStyle & 15]);
        canvas.setPen(LexipadColor(run.look.text, palette));
        canvas.save();
        canvas.setClipRect(cell);
        if (metrics.FixedPitch()) {
            for (size_t i = 0; i < run.text.size(); ++i)
                canvas.drawText(runX + static_cast<int>(i) * metrics.CharWidth(), baseline,
                                FromAnsi(&run.text[i], 1));
        } else {
            canvas.drawText(runX, baseline, FromAnsi(run.text.data(), run.text.size()));
        }
        canvas.restore();
    }
}

void TLexipadPrinter::DrawPage(QPainter& canvas, const Layout& layout, const TPrintPage& page,
                               const QRect& body, bool transparent) {
    canvas.save();
    canvas.setBackgroundMode(Qt::TransparentMode);
    int y = body.top();
    for (const TPrintLine& line : page.lines) {
        DrawLine(canvas, layout, line, body.left(), y, body.left() + body.width(), transparent);
        y += layout.metrics.LineHeight();
    }
    canvas.restore();
}

bool TLexipadPrinter::PrintPage(QPainter& canvas, int resolutionY, const QRect& rect,
                                int pageNumber) {
    pageNumber = std::max(pageNumber, 1);
    bool continues =
        LayoutMatches(rect, resolutionY) && m_layout->paginator->PagesMade() == pageNumber - 1;
    if (!continues) {
        m_layout = MakeLayout(TPrintPaginator::WholeDocument(m_pad), resolutionY);
        m_layout->rect = rect;
        for (int skipped = 1; skipped < pageNumber; ++skipped) {
            QRect body = SkippedPageBody(*m_layout, rect);
            m_layout->paginator->NextPage(body.width(), body.height());
        }
    }
    bool transparent = false;
    QRect body = PageBody(canvas, *m_layout, rect, pageNumber, transparent);
    TPrintPage page = m_layout->paginator->NextPage(body.width(), body.height());
    DrawPage(canvas, *m_layout, page, body, transparent);
    return !m_layout->paginator->Finished();
}

bool TLexipadPrinter::PrintPage(TTulloMetaFileCanvas& canvas, const QRect& rect, int pageNumber) {
    return PrintPage(canvas.Painter(), canvas.ResolutionY(), rect, pageNumber);
}

std::vector<TPrintPage> TLexipadPrinter::LayOut(const QRect& rect, int resolutionY,
                                                const std::function<void(int page)>& onPage) {
    m_layout = MakeLayout(TPrintPaginator::WholeDocument(m_pad), resolutionY);
    m_layout->rect = rect;
    std::vector<TPrintPage> pages;
    do {
        if (onPage) onPage(static_cast<int>(pages.size()) + 1);
        QRect body = SkippedPageBody(*m_layout, rect);
        pages.push_back(m_layout->paginator->NextPage(body.width(), body.height()));
    } while (!m_layout->paginator->Finished());
    return pages;
}

void TLexipadPrinter::DrawLaidOutPage(QPainter& canvas, const QRect& rect, const TPrintPage& page) {
    if (!m_layout) return;
    bool transparent = false;
    QRect body = PageBody(canvas, *m_layout, rect, page.number, transparent);
    DrawPage(canvas, *m_layout, page, body, transparent);
}

bool TLexipadPrinter::PrintLines(TPrintLines lines, const std::function<bool(int page)>& onPage) {
    if (!m_printer) return false;
    m_printer->setDocName(FromAnsi(m_pad.PrintTitle()));
    QPainter canvas;
    if (!canvas.begin(m_printer)) return false;
    QRect paper = m_printer->paperRect(QPrinter::DevicePixel).toRect();
    QRect printable = m_printer->pageRect(QPrinter::DevicePixel).toRect();
    QPoint offset = printable.topLeft() - paper.topLeft();
    // Work in sheet coordinates, as the print rectangle is given in them.
    canvas.translate(-offset);
    QRect rect = m_printRect.value_or(QRect(offset, printable.size()));
    std::unique_ptr<Layout> layout = MakeLayout(lines, m_printer->resolution());
    for (int number = 1;; ++number) {
        if (onPage && !onPage(number)) {
            m_printer->abort();
            return false;
        }
        bool transparent = false;
        QRect body = PageBody(canvas, *layout, rect, number, transparent);
        TPrintPage page = layout->paginator->NextPage(body.width(), body.height());
        DrawPage(canvas, *layout, page, body, transparent);
        if (layout->paginator->Finished()) break;
        m_printer->newPage();
    }
    return canvas.end();
}

bool TLexipadPrinter::Print(const std::function<bool(int page)>& onPage) {
    return PrintLines(TPrintPaginator::WholeDocument(m_pad), onPage);
}

bool TLexipadPrinter::PrintSelection() {
    return PrintLines(TPrintPaginator::SelectionLines(m_pad), {});
}

} // namespace quarno
