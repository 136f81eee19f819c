// The preview printer: paginates an editing control into recorded pages (one
// QPicture per page, in the printer's device units), shows them in the
// preview window and prints them through the print dialog. The main window
// owns one for its lifetime; the recorded pages stay until the next document
// is begun.
#pragma once

#include "core/print/PrintTypes.h"
#include "qt/print/TTextOptions.h"

#include <QObject>
#include <QPicture>
#include <QPointer>
#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace quarno {

class TLexipad;
class TLexipadPrinter;
class TTulloMetaFileCanvas;

enum TPrinterOrientation { poPortrait, poLandscape };
enum TUnits { unInches, unCentimeters };
enum TZoomOption { zoFitToPage, zoFitToWidth, zoTwoPages, zoCustom };

// The reference device's measures in device pixels.
struct TDeviceMetrics {
    int resolutionX = 0;
    int resolutionY = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int offsetX = 0; // of the printable area from the sheet's corner
    int offsetY = 0;
};

// What the print dialog gave: a page range (1-based) or all pages, and copies.
struct TPrintChoice {
    bool pageRange = false;
    int fromPage = 1;
    int toPage = 1;
    int copies = 1;
};

class TPreviewPrinter : public QObject {
    Q_OBJECT
public:
    // Records against printer (not owned; null: a printer of its own, which
    // writes PDF when no printer is installed).
    explicit TPreviewPrinter(QPrinter* printer = nullptr, QObject* parent = nullptr);
    ~TPreviewPrinter() override;

    TPrinterOrientation Orientation = poPortrait;
    std::string Title;
    TUnits Units = unInches;
    bool ShowGrid = false;
    TZoomOption ZoomOption = zoFitToPage;
    int ZoomVal = 100;
    // Progress: text, page number, status type (0 paginating, 1 printing,
    // 2 pagination complete, 3 print job complete).
    std::function<void(TPreviewPrinter& Sender, const std::string& StatMsg, int PageNum,
                       int StatusType)>
        OnStatus;
    // The print dialog offering pages 1..pageCount; false when cancelled.
    // Replaced by owners and tests; the default shows the system's dialog.
    std::function<bool(QPrinter& printer, int pageCount, TPrintChoice& choice)> PrintDialog;
    // The preview window's parent.
    QWidget* PreviewParent = nullptr;

    TTextOptions& TextOptions() { return m_textOptions; }
    QPrinter& Printer() const { return *m_printer; }
    void SetPrinter(QPrinter* printer);

    void BeginDoc();
    void NewPage();
    // The current recording canvas; the page now counts as drawn on.
    TTulloMetaFileCanvas& PageCanvas();
    void EndDoc();
    bool InDocument() const { return m_inDocument; }
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    // A page's recording; a page PrintMemo laid out is recorded when first
    // asked for, so a long document shows its first page at once.
    const QPicture& Pages(int index);
    // How many pages are recorded so far.
    int RecordedPageCount() const;
    const TDeviceMetrics& Metrics() const { return m_metrics; }

    // Paginates an editing control into pages, recorded as they are shown or
    // printed; the editor must stay unchanged while its pages are used.
    void PrintMemo(TLexipad& editor);
    // Shows the recorded pages in the preview window, modally.
    void Preview();
    // Print dialog, then PrintPages once per copy; true when accepted.
    bool Print();
    // Prints recorded pages first..last (0-based) as one job; false when the
    // printer could not start it.
    bool PrintPages(int first, int last);

private:
    void ReadMetrics();
    void ClearPages();
    QRect MarginRect() const;
    void Status(const std::string& text, int page, int type);
    bool DefaultPrintDialog(QPrinter& printer, int pageCount, TPrintChoice& choice);

    std::unique_ptr<QPrinter> m_ownPrinter;
    QPrinter* m_printer = nullptr;
    TTextOptions m_textOptions;
    std::vector<std::unique_ptr<QPicture>> m_pages; // null: laid out, not yet recorded
    // What PrintMemo laid out, drawn into a page when it is first wanted.
    QPointer<TLexipad> m_editor;
    std::unique_ptr<TLexipadPrinter> m_pagePrinter;
    std::vector<TPrintPage> m_laidOut;
    QRect m_pageRect;
    std::unique_ptr<QPicture> m_scratchPage; // what a canvas asked for outside a document draws on
    std::unique_ptr<TTulloMetaFileCanvas> m_canvas;
    TDeviceMetrics m_metrics;
    bool m_inDocument = false;
    bool m_pageDrawn = false;
};

} // namespace quarno
