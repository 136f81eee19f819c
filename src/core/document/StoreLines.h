// Counting real lines in a store: a record that continues a line longer
// than a record holds (or a wrapped one) does not start a line of its own.
#pragma once

#include "core/document/TTextStore.h"

namespace quarno {

// Real lines that start at or before record last.
inline int LinesUpTo(const TTextStore& store, int last) {
    int lines = 0;
    store.VisitRecords(0, last, [&lines](const TLineRecord& record, int) {
        lines += record.IsContinuation() ? 0 : 1;
        return true;
    });
    return lines;
}

} // namespace quarno
