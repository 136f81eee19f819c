// What the main window's print commands need: the page set-up values (margins
// in thousandths of an inch) read from the printer without a dialog or
// through the page set-up dialog, the print rectangle the Print button hands
// to the editor, and the preview command's preparation of the preview
// printer.
#pragma once

#include "qt/print/TPreviewPrinter.h"

#include <QRect>

class QPrinter;
class QWidget;

namespace quarno {

class TLexipad;

struct TPrintPageSetup {
    int marginLeft = 1000; // thousandths of an inch
    int marginTop = 1000;
    int marginRight = 1000;
    int marginBottom = 1000;
    TPrinterOrientation orientation = poPortrait;
};

// The printer's current page set-up, read without showing anything.
TPrintPageSetup ReadPageSetup(const QPrinter& printer);
// The page set-up dialog starting from setup; on OK the printer takes the
// chosen page and setup the chosen values. False when cancelled.
bool RunPageSetupDialog(QPrinter& printer, TPrintPageSetup& setup, QWidget* parent);
// The printer's whole sheet in device pixels less the margins.
QRect PrintRectFromSetup(const QPrinter& printer, const TPrintPageSetup& setup);
// The Print button: the editor's text printed straight to the printer in
// the page set-up's rectangle, without a dialog.
bool PrintEditor(TLexipad& editor, QPrinter& printer, const TPrintPageSetup& setup);
// The Preview button: no grid, whole-page zoom, the editor's font as body
// font, the set-up margins in inches and the printer's orientation; then
// the editor is paginated and the preview shown.
void PreparePreview(TPreviewPrinter& preview, const TLexipad& editor, const TPrintPageSetup& setup);
void PreviewEditor(TPreviewPrinter& preview, TLexipad& editor, const TPrintPageSetup& setup);

} // namespace quarno
