// Go to line.
#include "core/app/GotoLine.h"

#include "core/base/StringUtils.h"
#include "core/editor/TCustomLexipad.h"

#include <charconv>

namespace quarno {

int RealLineCount(const TTextStore& store) {
    return std::max(store.LinesThrough(store.RecordCount() - 1), 1);
}

int RealLineOfPosition(const TTextStore& store, int position) {
    if (store.RecordCount() == 0) return 1;
    return std::max(store.LinesThrough(store.RecordFromPosition(position)), 1);
}

int RowOfRealLine(const TTextStore& store, int line) {
    int seen = 0;
    int found = store.RecordCount();
    store.VisitRecords(0, store.RecordCount() - 1, [&](const TLineRecord& record, int row) {
        if (record.IsContinuation() || ++seen != line) return true;
        found = row;
        return false;
    });
    return found;
}

TLineRange GotoLineRange(const TCustomLexipad& editor) {
    const TTextStore& store = editor.Store();
    return {1, RealLineCount(store) + 1, RealLineOfPosition(store, editor.SelStart())};
}

std::string LineRangeMessage(const TLineRange& range) {
    return Format("Value must be between %d and %d", range.lowest, range.highest);
}

std::optional<int> ParseLineNumber(const std::string& typed, const TLineRange& range) {
    std::string_view digits = Trim(typed);
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    int value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    if (value < range.lowest || value > range.highest) return std::nullopt;
    return value;
}

void GotoLine(TCustomLexipad& editor, int line) {
    const TTextStore& store = editor.Store();
    int row = RowOfRealLine(store, line);
    int position = store.RecordStart(row);
    editor.SetSelection(position, position);
    editor.SetTopLine(row - editor.VisibleRows() / 2);
}

} // namespace quarno
