// The editing control's print operations: painting one page of its text into
// a rectangle of a canvas (for recorded pages), and printing the whole text or
// the lines of the selection straight to a printer. Pages carry the header
// and footer the editor's print options ask for, or whatever the control's
// OnPrintHeaderFooter handler draws instead; text is drawn with the control's
// fonts scaled to the device and in its colours, or black on white when the
// control prints in monochrome.
#pragma once

#include "core/print/TPrintPaginator.h"

#include <QDateTime>
#include <QRect>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QPrinter;

namespace quarno {

class TLexipad;
class TLexipadMetrics;
class TTulloMetaFileCanvas;

class TLexipadPrinter {
public:
    // Prints pad (which must outlive this object) on printer (may be null
    // until SetPrinter; Print and PrintSelection then do nothing).
    explicit TLexipadPrinter(TLexipad& pad, QPrinter* printer = nullptr);
    ~TLexipadPrinter();
    TLexipadPrinter(const TLexipadPrinter&) = delete;
    TLexipadPrinter& operator=(const TLexipadPrinter&) = delete;

    void SetPrinter(QPrinter* printer) { m_printer = printer; }
    QPrinter* Printer() const { return m_printer; }

    // Paints page pageNumber (1-based) of the text into rect (device units of
    // a device with resolutionY pixels per inch) and answers whether text
    // remains for a further page. Consecutive pages of an unchanged text
    // continue the previous layout; any other page lays the text out again
    // from its beginning.
    bool PrintPage(QPainter& canvas, int resolutionY, const QRect& rect, int pageNumber);
    bool PrintPage(TTulloMetaFileCanvas& canvas, const QRect& rect, int pageNumber);

    // Lays the whole text out into pages for rect without drawing any (a
    // header and footer handler is asked on scratch canvases, as for skipped
    // pages); onPage hears each page number as it is laid out. Cheap next to
    // drawing, so a long document's pages can be drawn only when wanted.
    std::vector<TPrintPage> LayOut(const QRect& rect, int resolutionY,
                                   const std::function<void(int page)>& onPage = {});
    // Draws one page of the last LayOut, with its header and footer.
    void DrawLaidOutPage(QPainter& canvas, const QRect& rect, const TPrintPage& page);

    // The rectangle Print and PrintSelection use, in sheet coordinates;
    // until it is set they use the printer's printable area.
    void SetPrintRect(const QRect& rect) { m_printRect = rect; }
    std::optional<QRect> PrintRect() const { return m_printRect; }
    // The whole text / the lines the selection touches, as one job named
    // after the control's print title. False when the printer could not
    // start the job (or there is none), or when onPage (told each page
    // number before it prints) answered false to stop it.
    bool Print(const std::function<bool(int page)>& onPage = {});
    bool PrintSelection();

    // The date and time the header shows; unset: when the job was laid out
    // (one time for all its pages).
    void SetHeaderTime(const QDateTime& time) { m_headerTime = time; }

private:
    struct Layout;
    struct DrawContext;

    bool PrintLines(TPrintLines lines, const std::function<bool(int page)>& onPage);
    std::unique_ptr<Layout> MakeLayout(TPrintLines lines, int resolutionY) const;
    bool LayoutMatches(const QRect& rect, int resolutionY) const;
    QRect PageBody(QPainter& canvas, const Layout& layout, const QRect& rect, int pageNumber,
                   bool& transparent);
    QRect SkippedPageBody(const Layout& layout, const QRect& rect);
    void DrawFrame(QPainter& canvas, const Layout& layout, const QRect& rect, int pageNumber,
                   QRect& body);
    void DrawPage(QPainter& canvas, const Layout& layout, const TPrintPage& page, const QRect& body,
                  bool transparent);
    void DrawLine(QPainter& canvas, const Layout& layout, const TPrintLine& line, int x, int y,
                  int right, bool transparent);
    QString HeaderDate(const Layout& layout) const;

    TLexipad& m_pad;
    QPrinter* m_printer = nullptr;
    std::optional<QRect> m_printRect;
    QDateTime m_headerTime;
    std::unique_ptr<Layout> m_layout; // the layout PrintPage continues
};

} // namespace quarno
