// One entry of the undo log.
#pragma once

#include <cstdint>
#include <string>

namespace quarno {

enum TUndoKind : int32_t {
    ukSelection = 0, // first = selection start (anchor), second = end (caret)
    ukText = 1,      // data = a text
    ukStream = 4,    // data = the contents of an inserted stream
    ukMarker = 5,    // first = operation code, value = phase
};

enum TUndoPhase : int32_t {
    upSimple = 0,        // the two markers around a simple group
    upCompoundBegin = 2, // compound group begin
    upCompoundEnd = 3,   // compound group end
};

// Operation codes of simple groups and of compound groups.
enum TUndoCode : int32_t {
    ucReplace = 1,
    ucStream = 4,
    ucDrop = 13,
    ucTyping = 14,
    ucDelete = 15,
    ucPaste = 16,
    ucCut = 17,
    ucTemplate = 18,
    ucBlockIndent = 19,
    ucBlockUnindent = 20,
    ucDeletePreviousWord = 21,
    ucDeleteNextWord = 22,
    ucSearchReplace = 23,
    ucInsertText = 24,
    ucAutoIndentBreak = 25,
    ucOwnerEdit = 34,
};

struct TUndoSelection {
    int anchor = 0;
    int caret = 0;
    int Start() const { return anchor < caret ? anchor : caret; }
    int End() const { return anchor < caret ? caret : anchor; }
    bool operator==(const TUndoSelection&) const = default;
};

struct TUndoRecord {
    int32_t value = 0; // group markers: the phase
    int32_t kind = ukSelection;
    int32_t first = 0;   // selection anchor, or the operation code of a marker
    int32_t second = 0;  // selection caret
    std::string data;    // owned text or stream contents
    uint64_t serial = 0; // identity of the record, compared by the save point

    TUndoSelection Selection() const { return {first, second}; }
    // Bytes the record counts against the size limit.
    int64_t AccountedSize() const {
        if (kind == ukText) return 16 + static_cast<int64_t>(data.size());
        if (kind == ukStream) return 32 + static_cast<int64_t>(data.size());
        return 16;
    }
};

} // namespace quarno
