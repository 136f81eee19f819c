// Helpers that describe a document store for test expectations.
#pragma once

#include "core/document/TTextStore.h"

#include <string>

namespace quarno::test {

// Record lengths separated by blanks, "+" before a soft continuation.
inline std::string RecordLayout(const TTextStore& store) {
    std::string layout;
    for (int i = 0; i < store.RecordCount(); ++i) {
        if (i > 0) layout += ' ';
        if (store.Record(i).IsContinuation()) layout += '+';
        layout += std::to_string(store.Record(i).Length());
    }
    return layout;
}

// The store's invariants; returns a description of the first broken one.
inline std::string CheckInvariants(const TTextStore& store) {
    int position = 0;
    int longest = 0;
    int lines = 0;
    for (int i = 0; i < store.RecordCount(); ++i) {
        const TLineRecord& record = store.Record(i);
        lines += record.IsContinuation() ? 0 : 1;
        // The kept per-block counts; a stale one shows at every later record.
        if ((i % 37 == 0 || i + 1 == store.RecordCount()) && store.LinesThrough(i) != lines)
            return "lines through record " + std::to_string(i);
        if (store.RecordStart(i) != position) return "start of record " + std::to_string(i);
        if (record.Length() > kMaxRecordLength) return "record " + std::to_string(i) + " too long";
        bool last = i + 1 == store.RecordCount();
        if (last && record.Length() == 0) return "empty last record";
        if (!last && record.EndsWithBreak() == store.Record(i + 1).IsContinuation())
            return "continuation mark after record " + std::to_string(i);
        if (i == 0 && record.IsContinuation()) return "first record marked as continuation";
        if (record.Text().find('\n') != std::string_view::npos)
            return "LF stored in record " + std::to_string(i);
        if ((record.Flags() & lfRestyle) && (i < store.RestyleFirst() || i > store.RestyleLast()))
            return "record " + std::to_string(i) + " flagged outside the restyle range";
        position += record.Length();
        longest = std::max(longest, record.Length());
    }
    if (position != store.CharCount()) return "character count";
    if (store.RecordCount() > 0 && longest != store.LongestLine())
        return "longest line " + std::to_string(store.LongestLine()) + " instead of " +
               std::to_string(longest);
    return "";
}

} // namespace quarno::test
