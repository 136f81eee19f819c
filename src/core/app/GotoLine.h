// Go to line without a window: the numbers a user may enter (real lines, as
// the gutter numbers them), reading what was typed, and moving there. A real
// line may take several rows of the control (a wrapped line, or one longer
// than a record holds), so line numbers are translated into rows.
#pragma once

#include <optional>
#include <string>

namespace quarno {

class TCustomLexipad;
class TTextStore;

struct TLineRange {
    int lowest = 1;
    int highest = 1;
    int current = 1;
};

// 1 to the real line count + 1 (one past the last line is allowed), and the
// real line holding the selection start.
TLineRange GotoLineRange(const TCustomLexipad& editor);
// "Value must be between %d and %d", filled in.
std::string LineRangeMessage(const TLineRange& range);
// The number typed (blanks around it allowed) when it lies in the range.
std::optional<int> ParseLineNumber(const std::string& typed, const TLineRange& range);

// Real lines of a store (an empty store has one), the real line (1-based)
// holding a position, and the row (record index) where a real line starts;
// a line past the last one gives the row count.
int RealLineCount(const TTextStore& store);
int RealLineOfPosition(const TTextStore& store, int position);
int RowOfRealLine(const TTextStore& store, int line);

// Puts an empty selection at the start of a real line (one past the last:
// the text end) and scrolls that row into the middle of the view.
void GotoLine(TCustomLexipad& editor, int line);

} // namespace quarno
