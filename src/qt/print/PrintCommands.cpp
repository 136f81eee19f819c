// The main window's print commands.
#include "qt/print/PrintCommands.h"

#include "qt/editor/TLexipad.h"
#include "qt/print/TLexipadPrinter.h"

#include <QPageSetupDialog>
#include <QPrinter>

#include <cmath>

namespace quarno {

namespace {

constexpr double kThousandths = 1000.0;

int Thousandths(double inches) {
    return static_cast<int>(std::lround(inches * kThousandths));
}

int Pixels(int thousandths, int resolution) {
    return static_cast<int>(
        std::lround(static_cast<double>(thousandths) * resolution / kThousandths));
}

} // namespace

TPrintPageSetup ReadPageSetup(const QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    QMarginsF margins = layout.margins(QPageLayout::Inch);
    TPrintPageSetup setup;
    setup.marginLeft = Thousandths(margins.left());
    setup.marginTop = Thousandths(margins.top());
    setup.marginRight = Thousandths(margins.right());
    setup.marginBottom = Thousandths(margins.bottom());
    setup.orientation = layout.orientation() == QPageLayout::Portrait ? poPortrait : poLandscape;
    return setup;
}

bool RunPageSetupDialog(QPrinter& printer, TPrintPageSetup& setup, QWidget* parent) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Inch);
    layout.setMargins(QMarginsF(setup.marginLeft / kThousandths, setup.marginTop / kThousandths,
                                setup.marginRight / kThousandths,
                                setup.marginBottom / kThousandths));
    printer.setPageLayout(layout);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    setup = ReadPageSetup(printer);
    return true;
}

QRect PrintRectFromSetup(const QPrinter& printer, const TPrintPageSetup& setup) {
    QRect sheet = printer.paperRect(QPrinter::DevicePixel).toRect();
    int dpiX = printer.logicalDpiX();
    int dpiY = printer.logicalDpiY();
    int left = Pixels(setup.marginLeft, dpiX);
    int top = Pixels(setup.marginTop, dpiY);
    int right = sheet.width() - Pixels(setup.marginRight, dpiX);
    int bottom = sheet.height() - Pixels(setup.marginBottom, dpiY);
    return QRect(left, top, right - left, bottom - top);
}

bool PrintEditor(TLexipad& editor, QPrinter& printer, const TPrintPageSetup& setup) {
    TLexipadPrinter pagePrinter(editor, &printer);
    pagePrinter.SetPrintRect(PrintRectFromSetup(printer, setup));
    return pagePrinter.Print();
}

void PreparePreview(TPreviewPrinter& preview, const TLexipad& editor,
                    const TPrintPageSetup& setup) {
    preview.ShowGrid = false;
    preview.ZoomOption = zoFitToPage;
    preview.TextOptions().SetBodyFont(editor.Font());
    preview.TextOptions().MarginLeft = setup.marginLeft / kThousandths;
    preview.TextOptions().MarginTop = setup.marginTop / kThousandths;
    preview.TextOptions().MarginRight = setup.marginRight / kThousandths;
    preview.TextOptions().MarginBottom = setup.marginBottom / kThousandths;
    preview.Orientation = preview.Printer().pageLayout().orientation() == QPageLayout::Landscape
                              ? poLandscape
                              : poPortrait;
}

void PreviewEditor(TPreviewPrinter& preview, TLexipad& editor, const TPrintPageSetup& setup) {
    PreparePreview(preview, editor, setup);
    preview.PrintMemo(editor);
    preview.Preview();
}

} // namespace quarno
