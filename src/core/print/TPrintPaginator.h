// Splits a document, or the real lines of the selection, into printed lines
// and pages: long lines wrap to the page when the editor prints wrapped lines,
// line numbers count real lines, and each page takes as many lines as its
// text area holds. Pages are made one at a time so that each may have its own
// text area (a header/footer handler can change it per page).
#pragma once

#include "core/print/PrintTypes.h"

#include <cstdint>
#include <vector>

namespace quarno {

class ITextMetrics;
class TCustomLexipad;

// Real lines to print, 0-based, both included.
struct TPrintLines {
    int first = 0;
    int last = 0;
};

class TPrintPaginator {
public:
    // Measures with metrics (the printer's font); the options (wrap, line
    // numbers) are read from the editor now. Lines outside the document are
    // clamped to it.
    TPrintPaginator(const TCustomLexipad& pad, const ITextMetrics& metrics, TPrintLines lines);
    // Every real line of the document.
    static TPrintLines WholeDocument(const TCustomLexipad& pad);
    // The lines the selection touches: from the line holding its start to the
    // line holding its end, that one left out when the selection ends exactly
    // at its start (but at least the start's line).
    static TPrintLines SelectionLines(const TCustomLexipad& pad);

    // Lays out the next page for a text area of width x height device units.
    // A page holds at least one line, so every call makes progress.
    TPrintPage NextPage(int width, int height);
    // No text is left for a further page.
    bool Finished() const;
    int PagesMade() const { return m_pagesMade; }
    // Width of the line-number field left of the text (0 without numbers).
    int NumberWidth() const { return m_numberWidth; }
    int LineHeight() const;

private:
    void LoadNextLine(int textWidth);
    int RealLineRecord(int line) const;

    const TCustomLexipad& m_pad;
    const ITextMetrics& m_metrics;
    bool m_wrap = false;
    int m_numberWidth = 0;
    int m_record = 0;                  // first record of the next real line to load
    int m_nextNumber = 1;              // its 1-based number
    int m_lastNumber = 1;              // the number of the last real line printed
    std::vector<TPrintLine> m_pending; // pieces of the loaded line not yet placed
    size_t m_pendingIndex = 0;
    int m_pagesMade = 0;
};

} // namespace quarno
