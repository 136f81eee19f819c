// Runs of a printed line.
#include "core/print/PrintRuns.h"

#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"

#include <algorithm>

namespace quarno {

TLineLook PrintLineLook(const TCustomLexipad& pad, const TPrintLine& line, bool monoPrint) {
    TLineLook look;
    look.monoPrint = monoPrint;
    if (monoPrint) return look;
    TTextStore& store = pad.Store();
    if (store.RecordCount() == 0) return look;
    int lineStart = store.RealLineStart(line.position);
    const TLineRecord& first = store.Record(store.RecordFromPosition(lineStart));
    look.lineText = first.TextColor();
    look.lineBack = first.BackColor();
    TBreakpointLook found;
    if (store.CodeBreak().LineLook(lineStart, found) ||
        store.Breakpoints().LineLook(lineStart, found)) {
        look.breakpoint = true;
        look.breakText = found.textColor;
        look.breakBack = found.backColor;
    }
    return look;
}

std::vector<TPrintRun> PrintRuns(const TCustomLexipad& pad, const ITextMetrics& metrics,
                                 const TPrintLine& line, bool monoPrint) {
    TLineLook lineLook = PrintLineLook(pad, line, monoPrint);
    const TLP_Settings& settings = pad.Settings();
    int charWidth = std::max(metrics.CharWidth(), 1);
    std::vector<TPrintRun> runs;
    int column = 0;
    int x = 0;
    int runToken = -1;
    for (size_t i = 0; i < line.text.size(); ++i) {
        char c = line.text[i];
        uint8_t token = i < line.tokens.size() ? line.tokens[i] : 0;
        if (c == '\t') {
            int stop = std::max(pad.NextTabStop(column), column + 1);
            int right = std::max(stop * charWidth, x + 1);
            TPrintRun run{x,
                          right - x,
                          static_cast<int>(i),
                          std::string(stop - column, ' '),
                          RunLook(settings, token, false, lineLook),
                          true};
            runs.push_back(std::move(run));
            runToken = -1;
            column = stop;
            x = right;
            continue;
        }
        int width = metrics.FixedPitch() ? charWidth : metrics.TextWidth(std::string_view(&c, 1));
        if (token != runToken) {
            runs.push_back({x, 0, static_cast<int>(i), std::string(),
                            RunLook(settings, token, false, lineLook), false});
            runToken = token;
        }
        runs.back().text.push_back(c);
        runs.back().width += width;
        ++column;
        x += width;
    }
    return runs;
}

} // namespace quarno
