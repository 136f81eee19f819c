// Printing and the print preview: pages recorded against a PDF printer, their
// pixels, printed jobs, and the preview window's navigation and zoom.
#include "core/editor/ITextMetrics.h"
#include "core/editor/LexipadMessages.h"
#include "core/print/TPageFrame.h"
#include "core/print/TPrintPaginator.h"
#include "qt/editor/TLexipad.h"
#include "qt/editor/TLexipadMetrics.h"
#include "qt/print/PrintCommands.h"
#include "qt/print/TLexipadPrinter.h"
#include "qt/print/TPreviewForm.h"
#include "qt/print/TPreviewPrinter.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace quarno;

namespace {

constexpr int kPrintOptions = smoPrintFilename | smoPrintDate | smoPrintPageNos;
constexpr int kMargin = 1000; // thousandths of an inch

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "PRINT line " + std::to_string(i) + (i < count ? "\r" : "");
    return text;
}

struct PrintRig {
    test::TempDir dir;
    std::string pdf = dir.File("out.pdf");
    QPrinter printer{QPrinter::HighResolution};
    TLexipad pad;
    TPreviewPrinter preview{&printer};
    std::vector<std::string> status;

    explicit PrintRig(int lines, uint32_t printOptions = kPrintOptions) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Portrait);
        pad.SetFont(QFont(QStringLiteral("Courier New"), 10));
        pad.SetOptions((pad.Options() & ~(kPrintOptions | smoPrintLineNos | smoPrintWrap)) |
                       printOptions);
        pad.SetPrintTitle("PROG.BAS");
        pad.SetText(Lines(lines));
        preview.OnStatus = [this](TPreviewPrinter&, const std::string& text, int page, int type) {
            status.push_back(text + "|" + std::to_string(page) + "|" + std::to_string(type));
        };
    }
    TPrintPageSetup Setup() const { return {kMargin, kMargin, kMargin, kMargin, poPortrait}; }
    void Paginate() {
        PreparePreview(preview, pad, Setup());
        preview.PrintMemo(pad);
    }
    // Printed line height and lines per page of the text area between a
    // 1-inch margin, the header (3 lines) and the footer (4 lines).
    int LineHeight() const {
        QFont font = pad.Font();
        font.setPixelSize(
            static_cast<int>(std::lround(font.pointSizeF() * printer.resolution() / 72)));
        TLexipadMetrics metrics;
        metrics.SetFont(font);
        return metrics.LineHeight();
    }
    int CharWidth() const {
        QFont font = pad.Font();
        font.setPixelSize(
            static_cast<int>(std::lround(font.pointSizeF() * printer.resolution() / 72)));
        TLexipadMetrics metrics;
        metrics.SetFont(font);
        return metrics.CharWidth();
    }
    // Pages the core paginator lays out with fixed metrics (the printed
    // font's cell) in the text area the core page frame leaves inside 1-inch
    // margins: the count the preview must reach.
    int CorePages() const {
        TFixedMetrics metrics(CharWidth(), LineHeight());
        int inch = printer.resolution();
        QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
        TPrintRect rect{inch, inch, paper.width() - inch, paper.height() - inch};
        TPageFrame frame = MakePageFrame(rect, metrics.LineHeight(), pad.Options(),
                                         pad.PrintTitle(), "date - time", 1);
        TPrintPaginator paginator(pad, metrics, TPrintPaginator::WholeDocument(pad));
        int pages = 0;
        do {
            paginator.NextPage(frame.body.Width(), frame.body.Height());
            ++pages;
        } while (!paginator.Finished() && pages < 1000);
        return pages;
    }
    int RowsPerPage() const {
        int height =
            printer.paperRect(QPrinter::DevicePixel).toRect().height() - 2 * printer.resolution();
        return (height - 7 * LineHeight()) / LineHeight();
    }
};

// A recorded page drawn the way the preview draws it, scaled down.
QImage Render(TPreviewPrinter& preview, int page, double scale) {
    const TDeviceMetrics& m = preview.Metrics();
    QImage image(static_cast<int>(m.physicalWidth * scale),
                 static_cast<int>(m.physicalHeight * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, preview.Pages(page));
    painter.end();
    return image;
}

int Dark(const QImage& image, QRect area) {
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++count;
    return count;
}

int Reddish(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QRgb c = image.pixel(x, y);
            if (qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 110) ++count;
        }
    return count;
}

int PdfPages(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    QByteArray bytes = file.readAll();
    int count = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0;
         at = bytes.indexOf("/Type /Page", at + 1))
        if (bytes.mid(at + 11, 1) != "s") ++count;
    return count;
}

void SetTokens(TLexipad& pad, int line, std::vector<uint8_t> tokens) {
    int lines[2] = {line, line};
    pad.Perform(LPM_SETSTYLES, reinterpret_cast<uintptr_t>(lines), tokens.data());
}

} // namespace

class PrintPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void pageCountFollowsTheTextArea();
    void headerAndFooterAreDrawnInTheirBands();
    void handlerReplacesTheDecoration();
    void monochromePrintsNoColour();
    void lineNumbersMoveTheTextRight();
    void aSinglePageIsLaidOutFromTheBeginning();
    void recordedPagesPrintAsPdfJobs();
    void editorPrintsStraightToThePrinter();
    void previewNavigatesPages();
    void previewShowsTwoPages();
    void previewZooms();
    void handToolPansAndHintsShow();
};

void PrintPreviewTest::pageCountFollowsTheTextArea() {
    PrintRig probe(1);
    int rows = probe.RowsPerPage();
    QVERIFY(rows > 20);
    for (int lines : {rows, rows + 1, 2 * rows + 1}) {
        PrintRig rig(lines);
        rig.Paginate();
        int expected = (lines + rows - 1) / rows;
        QCOMPARE(rig.CorePages(), expected);
        QCOMPARE(rig.preview.PageCount(), expected);
        QCOMPARE(rig.status.front(), std::string("Paginating page 1|1|0"));
        QCOMPARE(rig.status.back(), std::string("Pagination Complete|-1|2"));
        QCOMPARE(static_cast<int>(rig.status.size()), expected + 1);
    }
    // Without header and footer the same text needs fewer pages.
    PrintRig bare(2 * rows + 1, 0);
    bare.Paginate();
    QCOMPARE(bare.CorePages(), 2);
    QCOMPARE(bare.preview.PageCount(), 2);
}

void PrintPreviewTest::headerAndFooterAreDrawnInTheirBands() {
    PrintRig rig(10);
    rig.Paginate();
    QCOMPARE(rig.preview.PageCount(), 1);
    const double scale = 0.1;
    QImage page = Render(rig.preview, 0, scale);
    int inch = static_cast<int>(rig.printer.resolution() * scale);
    int line = static_cast<int>(rig.LineHeight() * scale);
    int width = page.width();
    QVERIFY(Dark(page, QRect(inch, inch, width / 3, line + 1)) > 5);                 // title
    QVERIFY(Dark(page, QRect(width * 2 / 3, inch, width / 3 - inch, line + 1)) > 5); // date
    int rule = inch + 2 * line;
    QVERIFY2(Dark(page, QRect(inch, rule - 1, width - 2 * inch, 3)) > (width - 2 * inch) / 2,
             "the rule under the header");
    int bottom = page.height() - inch;
    QVERIFY(Dark(page, QRect(width / 3, bottom - 3 * line, width / 3, 2 * line)) > 5); // "- 1 -"
    QCOMPARE(Dark(page, QRect(0, 0, width, inch - 2)), 0);      // nothing in the top margin
    QCOMPARE(Dark(page, QRect(0, bottom + 2, width, inch)), 0); // nor in the bottom one
    QCOMPARE(Dark(page, QRect(0, 0, inch - 2, page.height())), 0);

    PrintRig bare(10, 0);
    bare.Paginate();
    QImage plain = Render(bare.preview, 0, scale);
    QVERIFY2(Dark(plain, QRect(inch, rule - 1, width - 2 * inch, 3)) < (width - 2 * inch) / 4,
             "no rule without a header");
    QCOMPARE(Dark(plain, QRect(0, bottom - 3 * line, width, 3 * line)), 0);
}

void PrintPreviewTest::handlerReplacesTheDecoration() {
    PrintRig rig(10);
    std::vector<QRect> rects;
    rig.pad.OnPrintHeaderFooter = [&](TLexipad&, QPainter& canvas, QRect& rect, bool&) {
        rects.push_back(rect);
        canvas.fillRect(QRect(rect.left(), rect.top(), 100, 100), Qt::black);
        rect.setTop(rect.top() + 1000);
    };
    rig.Paginate();
    QCOMPARE(rig.preview.PageCount(), 1);
    QCOMPARE(static_cast<int>(rects.size()), 1);
    int inch = rig.printer.resolution();
    QCOMPARE(rects.front().left(), inch);
    QCOMPARE(rects.front().top(), inch);
    const double scale = 0.1;
    QImage page = Render(rig.preview, 0, scale);
    QVERIFY(Dark(page, QRect(inch / 10, inch / 10, 10, 10)) > 50);
    int width = page.width();
    QCOMPARE(Dark(page, QRect(inch / 10 + 12, inch / 10, width, 95)), 0); // no title, date, rule
}

void PrintPreviewTest::monochromePrintsNoColour() {
    PrintRig rig(3);
    TLP_Style keyword{kFsBold, 0x0000FF, 0xFFFFFF, 0, 0, 0, 1}; // red on white
    rig.pad.Settings().SetStyle(3, keyword);
    rig.pad.Settings().SetTokenStyle(7, 3);
    SetTokens(rig.pad, 0, {7, 7, 7, 7, 7});
    rig.pad.SetMonoPrint(false);
    rig.Paginate();
    QVERIFY(Reddish(Render(rig.preview, 0, 0.25)) > 20);
    rig.pad.SetMonoPrint(true);
    rig.Paginate();
    QCOMPARE(Reddish(Render(rig.preview, 0, 0.25)), 0);
}

void PrintPreviewTest::lineNumbersMoveTheTextRight() {
    const double scale = 0.1;
    PrintRig plain(3, 0);
    plain.Paginate();
    PrintRig numbered(3, smoPrintLineNos);
    numbered.Paginate();
    int inch = static_cast<int>(plain.printer.resolution() * scale);
    int line = static_cast<int>(plain.LineHeight() * scale);
    int cell = static_cast<int>(plain.CharWidth() * scale);
    QVERIFY(cell >= 4);
    QImage plainPage = Render(plain.preview, 0, scale);
    QImage numberedPage = Render(numbered.preview, 0, scale);
    // One digit and a blank before the text: the blank's cell has no ink
    // where the plain page shows the "R" of "PRINT".
    QRect blank(inch + cell + 1, inch, cell - 2, line);
    QVERIFY(Dark(plainPage, blank) > 0);
    QCOMPARE(Dark(numberedPage, blank), 0);
    QVERIFY(Dark(numberedPage, QRect(inch, inch, cell, line)) > 0); // the "1"
    QCOMPARE(numberedPage.copy(inch + 2 * cell, inch, 5 * cell, line),
             plainPage.copy(inch, inch, 5 * cell, line));
}

void PrintPreviewTest::aSinglePageIsLaidOutFromTheBeginning() {
    int rows = PrintRig(1).RowsPerPage();
    PrintRig rig(3 * rows);
    rig.Paginate();
    QCOMPARE(rig.preview.PageCount(), 3);
    const TDeviceMetrics& m = rig.preview.Metrics();
    int inch = m.resolutionX;
    QRect rect(inch, inch, m.physicalWidth - 2 * inch, m.physicalHeight - 2 * inch);
    TLexipadPrinter printer(rig.pad);
    QPicture page;
    QPainter painter(&page);
    printer.SetHeaderTime(QDateTime::currentDateTime());
    QVERIFY(!printer.PrintPage(painter, m.resolutionY, rect, 3));
    painter.end();
    QImage alone(m.physicalWidth / 10, m.physicalHeight / 10, QImage::Format_RGB32);
    alone.fill(Qt::white);
    QPainter render(&alone);
    render.scale(0.1, 0.1);
    render.drawPicture(0, 0, page);
    render.end();
    QImage recorded = Render(rig.preview, 2, 0.1);
    int line = static_cast<int>(rig.LineHeight() * 0.1);
    int body = inch / 10 + 3 * line;
    // The body text of page 3 (the header's time may differ by a second).
    QCOMPARE(alone.copy(0, body, alone.width(), alone.height() - body),
             recorded.copy(0, body, recorded.width(), recorded.height() - body));
}

void PrintPreviewTest::recordedPagesPrintAsPdfJobs() {
    PrintRig rig(3 * PrintRig(1).RowsPerPage());
    rig.Paginate();
    QCOMPARE(rig.preview.PageCount(), 3);
    rig.status.clear();
    QVERIFY(rig.preview.PrintPages(0, 2));
    QCOMPARE(PdfPages(rig.pdf), 3);

    rig.status.clear();
    rig.preview.PrintDialog = [](QPrinter&, int pageCount, TPrintChoice& choice) {
        if (pageCount != 3) return false;
        choice = {true, 2, 3, 2};
        return true;
    };
    QVERIFY(rig.preview.Print());
    const std::vector<std::string> job = {"Printing page 2|1|1", "Printing page 3|2|1",
                                          "Print Job Complete|-1|3"};
    std::vector<std::string> twice = job;
    twice.insert(twice.end(), job.begin(), job.end());
    QCOMPARE(rig.status, twice);
    QCOMPARE(PdfPages(rig.pdf), 2);

    rig.status.clear();
    rig.preview.PrintDialog = [](QPrinter&, int, TPrintChoice&) { return false; };
    QVERIFY(!rig.preview.Print());
    QVERIFY(rig.status.empty());
}

void PrintPreviewTest::editorPrintsStraightToThePrinter() {
    int rows = PrintRig(1).RowsPerPage();
    PrintRig rig(2 * rows + 5);
    rig.Paginate();
    QCOMPARE(rig.preview.PageCount(), 3);
    QVERIFY(PrintEditor(rig.pad, rig.printer, rig.Setup()));
    QCOMPARE(PdfPages(rig.pdf), 3);

    // The selection from the middle of line 5 to the start of line 8.
    rig.pad.SetSelection(rig.pad.LineIndex(4) + 3, rig.pad.LineIndex(7));
    TLexipadPrinter printer(rig.pad, &rig.printer);
    QVERIFY(printer.PrintSelection());
    QCOMPARE(PdfPages(rig.pdf), 1);
}

void PrintPreviewTest::previewNavigatesPages() {
    PrintRig rig(3 * PrintRig(1).RowsPerPage());
    rig.Paginate();
    TPreviewForm form(rig.preview);
    QCOMPARE(form.windowTitle(), QStringLiteral("Preview Form"));
    QCOMPARE(form.CurPageLabel()->text(), QStringLiteral("Page 1 of 3"));
    QVERIFY(!form.Button("PrevPageBut")->isEnabled());
    QVERIFY(form.Button("NextPageBut")->isEnabled());
    form.Button("NextPageBut")->click();
    QCOMPARE(form.CurrentPage(), 1);
    QCOMPARE(form.CurPageLabel()->text(), QStringLiteral("Page 2 of 3"));
    QVERIFY(form.Button("FirstPageSpeed")->isEnabled());
    form.Button("LastPageSpeed")->click();
    QCOMPARE(form.CurrentPage(), 2);
    QVERIFY(!form.Button("NextPageBut")->isEnabled());
    QVERIFY(!form.Button("NextPageSpeed")->isEnabled());
    int asked = -1;
    int askedMaximum = -1;
    form.AskPageNumber = [&](int maximum, int& page) {
        asked = page;
        askedMaximum = maximum;
        page = 99;
        return true;
    };
    form.GoToPage();
    QCOMPARE(asked, 3);
    QCOMPARE(askedMaximum, 3);
    QCOMPARE(form.CurrentPage(), 2); // a number past the last page is limited
    form.AskPageNumber = [](int, int& page) {
        page = 1;
        return true;
    };
    form.Button("PageNumSpeed")->click();
    QCOMPARE(form.CurrentPage(), 0);

    PrintRig single(5);
    single.Paginate();
    TPreviewForm one(single.preview);
    QCOMPARE(one.CurPageLabel()->text(), QStringLiteral("Page 1 of 1"));
    for (const char* name :
         {"NextPageBut", "PrevPageBut", "FirstPageSpeed", "LastPageSpeed", "PageNumSpeed"})
        QVERIFY2(!one.Button(name)->isEnabled(), name);
}

void PrintPreviewTest::previewShowsTwoPages() {
    PrintRig rig(PrintRig(1).RowsPerPage() + 1);
    rig.Paginate();
    QCOMPARE(rig.preview.PageCount(), 2);
    TPreviewForm form(rig.preview);
    form.resize(900, 700);
    QCOMPARE(form.ShownPage(1), -1);
    form.Button("TwoPageBut")->click();
    QVERIFY(form.TwoPages());
    QCOMPARE(form.ZoomBox()->currentText(), QStringLiteral("Fit To Page"));
    QCOMPARE(form.ShownPage(0), 0);
    QCOMPARE(form.ShownPage(1), 1);
    QVERIFY(!form.PagePanel(1)->isHidden());
    QCOMPARE(form.PagePanel(1)->x(), form.PagePanel(0)->x() + form.PagePanel(0)->width() + 20);
    form.NextPage();
    QCOMPARE(form.ShownPage(0), 1);
    QCOMPARE(form.ShownPage(1), -1);

    form.ChooseZoom(form.ZoomBox()->findText(QStringLiteral("50%")));
    QVERIFY(!form.TwoPages());
    QVERIFY(form.PagePanel(1)->isHidden());
    QCOMPARE(form.ZoomFactor(), 0.5);
    QCOMPARE(form.ZoomLabel()->text(), QStringLiteral("50%"));
}

void PrintPreviewTest::previewZooms() {
    PrintRig rig(10);
    rig.Paginate();
    TPreviewForm form(rig.preview);
    form.setWindowState(Qt::WindowNoState);
    form.resize(900, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const TDeviceMetrics& m = rig.preview.Metrics();
    int dpi = form.logicalDpiY();
    QVERIFY(form.Button("FitPageBut")->isChecked());
    int client = form.ScrollArea()->viewport()->height();
    QVERIFY(std::abs(form.PagePanel(0)->height() - (client - 20)) <= 1);

    form.ChooseZoom(form.ZoomBox()->findText(QStringLiteral("100%")));
    QVERIFY(!form.Button("FitPageBut")->isChecked());
    QCOMPARE(form.PagePanel(0)->height(), dpi * m.physicalHeight / m.resolutionY);
    form.resize(500, 500); // narrower than the page: it starts 10 pixels from the left
    QTRY_COMPARE(form.PagePanel(0)->x(), 10);
    QCOMPARE(form.PagePanel(0)->width(), dpi * m.physicalWidth / m.resolutionX);

    QWidget* box = form.PaintBox(0);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
    QCOMPARE(form.ZoomFactor(), 1.5);
    QCOMPARE(form.ZoomBox()->currentText(), QStringLiteral("Custom"));
    QCOMPARE(form.ZoomLabel()->text(), QStringLiteral("150%"));
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(form.ZoomFactor(), 1.0);

    form.Button("FitWidthBut")->click();
    QVERIFY(form.Button("FitWidthBut")->isChecked());
    QVERIFY(!form.Button("FitPageBut")->isChecked());
    int width = form.ScrollArea()->viewport()->width();
    QVERIFY(std::abs(form.PagePanel(0)->width() - (width - 20)) <= 1);

    QImage shown = form.PaintBox(0)->grab().toImage();
    if (qEnvironmentVariableIsSet("PRINT_PREVIEW_DUMP"))
        shown.save(qEnvironmentVariable("PRINT_PREVIEW_DUMP"));
    QVERIFY2(Dark(shown, shown.rect()) > 50, "the page's text is painted");
    form.close();
}

void PrintPreviewTest::handToolPansAndHintsShow() {
    PrintRig rig(10);
    rig.Paginate();
    TPreviewForm form(rig.preview);
    form.setWindowState(Qt::WindowNoState);
    form.resize(600, 500);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.ChooseZoom(form.ZoomBox()->findText(QStringLiteral("400%")));
    form.Button("HandCursorBut")->click();
    QVERIFY(!form.Button("ZoomCursorBut")->isChecked());
    QScrollBar* across = form.ScrollArea()->horizontalScrollBar();
    QScrollBar* down = form.ScrollArea()->verticalScrollBar();
    across->setValue(100);
    down->setValue(100);
    QWidget* box = form.PaintBox(0);
    auto send = [box](QEvent::Type type, QPoint global, Qt::MouseButtons held) {
        QMouseEvent event(type, box->mapFromGlobal(QPointF(global)), QPointF(global),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(box, &event);
    };
    QPoint start = box->mapToGlobal(QPoint(300, 300));
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(QEvent::MouseMove, start - QPoint(30, 20), Qt::LeftButton);
    send(QEvent::MouseMove, start - QPoint(50, 60), Qt::LeftButton);
    QCOMPARE(across->value(), 150);
    QCOMPARE(down->value(), 160);
    QCOMPARE(form.ZoomFactor(), 4.0); // the hand tool does not zoom
    send(QEvent::MouseButtonRelease, start - QPoint(50, 60), Qt::NoButton);
    send(QEvent::MouseMove, start, Qt::NoButton);
    QCOMPARE(across->value(), 150);

    QStatusTipEvent tip(form.Button("TwoPageBut")->statusTip());
    QApplication::sendEvent(form.Button("TwoPageBut"), &tip);
    QCOMPARE(form.HintLabel()->text(), QStringLiteral("Display Two pages side by side"));
    form.close();
}

QTEST_MAIN(PrintPreviewTest)
#include "PrintPreviewTest.moc"
