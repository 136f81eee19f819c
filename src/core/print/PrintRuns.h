// A printed line as runs to draw: characters of one token value form a run in
// that token's look (black on white when printing in monochrome), a TAB is a
// run of its own reaching its tab stop. Positions are device units from the
// left edge of the text.
#pragma once

#include "core/print/PrintTypes.h"
#include "core/settings/RunColors.h"

#include <string>
#include <vector>

namespace quarno {

class ITextMetrics;
class TCustomLexipad;

struct TPrintRun {
    int x = 0;
    int width = 0;
    int offset = 0;   // of the first character in the printed line
    std::string text; // a TAB run holds one blank per column it covers
    TRunLook look;
    bool tab = false;
};

// The look a printed line's characters take before their token (line
// colours, breakpoints, monochrome).
TLineLook PrintLineLook(const TCustomLexipad& pad, const TPrintLine& line, bool monoPrint);
std::vector<TPrintRun> PrintRuns(const TCustomLexipad& pad, const ITextMetrics& metrics,
                                 const TPrintLine& line, bool monoPrint);

} // namespace quarno
