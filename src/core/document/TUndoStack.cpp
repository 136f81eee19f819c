// The undo log of a document.
#include "core/document/TUndoStack.h"

#include "core/base/Exceptions.h"

#include <climits>

namespace quarno {

namespace {

// A broken log: the replay stops and the log is cleared.
struct BadStackState {};

bool IsMarker(const TUndoRecord& record, int phase) {
    return record.kind == ukMarker && record.value == phase;
}

} // namespace

void TUndoStack::PushMarker(int code, int phase) {
    TUndoRecord record;
    record.kind = ukMarker;
    record.first = code;
    record.value = phase;
    Push(std::move(record));
}

void TUndoStack::PushSelection(TUndoSelection selection) {
    TUndoRecord record;
    record.kind = ukSelection;
    record.first = selection.anchor;
    record.second = selection.caret;
    Push(std::move(record));
}

void TUndoStack::PushText(int kind, std::string text) {
    TUndoRecord record;
    record.kind = kind;
    record.data = std::move(text);
    Push(std::move(record));
}

void TUndoStack::FailTransaction() {
    ClearLog();
    throw ELexipad("Bad transaction log entry");
}

void TUndoStack::BeginTransaction(int code, TUndoSelection before, std::string textBefore,
                                  std::string inserted) {
    if (m_transactionOpen) FailTransaction();
    m_transactionOpen = true;
    m_transactionCode = code;
    m_before = before;
    m_textBefore = std::move(textBefore);
    m_inserted = std::move(inserted);
}

void TUndoStack::EndTransaction(int code, TUndoSelection after) {
    if (!m_transactionOpen || code != m_transactionCode) FailTransaction();
    m_transactionOpen = false;
    PushMarker(code, upSimple);
    PushSelection(m_before);
    PushText(ukText, std::move(m_textBefore));
    PushText(code == ucStream ? ukStream : ukText, std::move(m_inserted));
    PushSelection(after);
    PushMarker(code, upSimple);
    m_textBefore.clear();
    m_inserted.clear();
    TrimToLimit();
}

void TUndoStack::BeginGroup(int code, TUndoSelection selection) {
    if (m_groupOpen || m_replaying) return;
    m_groupOpen = true;
    m_groupCode = code;
    PushMarker(code, upCompoundBegin);
    PushSelection(selection);
}

void TUndoStack::EndGroup(int code, TUndoSelection selection) {
    if (!m_groupOpen || code != m_groupCode) return;
    PushSelection(selection);
    PushMarker(code, upCompoundEnd);
    m_groupOpen = false;
}

const TUndoRecord& TUndoStack::ReadDown() {
    const TUndoRecord* record = Current();
    if (!record) throw BadStackState{};
    MoveDown();
    return *record;
}

const TUndoRecord& TUndoStack::ReadUp() {
    const TUndoRecord* record = Next();
    if (!record) throw BadStackState{};
    MoveUp();
    return *record;
}

void TUndoStack::Undo(IUndoTarget& target) {
    if (!CanUndo() || m_replaying) return;
    m_replaying = true;
    try {
        const TUndoRecord* top = Current();
        if (IsMarker(*top, upCompoundEnd))
            UndoCompound(target);
        else
            UndoSimple(target);
    } catch (...) {
        ClearLog();
        target.Beep();
    }
    m_replaying = false;
}

void TUndoStack::UndoSimple(IUndoTarget& target) {
    const TUndoRecord& closing = ReadDown();
    if (!IsMarker(closing, upSimple)) throw BadStackState{};
    TUndoSelection after = ReadDown().Selection();
    ReadDown(); // the inserted text: its extent is given by the selection after
    std::string before = ReadDown().data;
    TUndoSelection selectionBefore = ReadDown().Selection();
    const TUndoRecord& opening = ReadDown();
    if (!IsMarker(opening, upSimple) || opening.first != closing.first) throw BadStackState{};
    target.UndoReplace(selectionBefore.Start(), after.End(), before);
    target.UndoSelect(selectionBefore);
}

void TUndoStack::UndoCompound(IUndoTarget& target) {
    int code = ReadDown().first;
    ReadDown(); // the selection at the end of the group
    for (;;) {
        const TUndoRecord* top = Current();
        if (!top) throw BadStackState{};
        if (top->kind != ukSelection) {
            UndoSimple(target);
            continue;
        }
        TUndoSelection selection = ReadDown().Selection();
        const TUndoRecord& opening = ReadDown();
        if (!IsMarker(opening, upCompoundBegin) || opening.first != code) throw BadStackState{};
        target.UndoSelect(selection);
        return;
    }
}

void TUndoStack::Redo(IUndoTarget& target) {
    if (!CanRedo() || m_replaying) return;
    m_replaying = true;
    try {
        if (IsMarker(*Next(), upCompoundBegin))
            RedoCompound(target);
        else
            RedoSimple(target);
    } catch (...) {
        ClearLog();
        target.Beep();
    }
    m_replaying = false;
}

void TUndoStack::RedoSimple(IUndoTarget& target) {
    const TUndoRecord& opening = ReadUp();
    if (!IsMarker(opening, upSimple)) throw BadStackState{};
    TUndoSelection before = ReadUp().Selection();
    ReadUp(); // the text that was selected before
    std::string inserted = ReadUp().data;
    TUndoSelection after = ReadUp().Selection();
    const TUndoRecord& closing = ReadUp();
    if (!IsMarker(closing, upSimple) || closing.first != opening.first) throw BadStackState{};
    target.UndoReplace(before.Start(), before.End(), inserted);
    target.UndoSelect(after);
}

void TUndoStack::RedoCompound(IUndoTarget& target) {
    int code = ReadUp().first;
    ReadUp(); // the selection at the start of the group
    for (;;) {
        const TUndoRecord* next = Next();
        if (!next) throw BadStackState{};
        if (next->kind != ukSelection) {
            RedoSimple(target);
            continue;
        }
        TUndoSelection selection = ReadUp().Selection();
        const TUndoRecord& closing = ReadUp();
        if (!IsMarker(closing, upCompoundEnd) || closing.first != code) throw BadStackState{};
        target.UndoSelect(selection);
        return;
    }
}

bool TUndoStack::IsModified() const {
    if (!m_hasSavePoint) return Count() > 0;
    if (Count() != m_saveCount) return true;
    return Count() > 0 && Current()->serial != m_saveSerial;
}

void TUndoStack::SetSavePoint() {
    m_hasSavePoint = true;
    m_saveCount = Count();
    m_saveSerial = Count() > 0 ? Current()->serial : 0;
}

void TUndoStack::ClearLog() {
    Clear();
    m_hasSavePoint = false;
    m_saveCount = -1;
    m_transactionOpen = false;
    m_groupOpen = false;
    m_textBefore.clear();
    m_inserted.clear();
}

void TUndoStack::SetLimit(int64_t limit) {
    m_limit = limit;
    TrimToLimit();
}

// Records in the oldest complete group (0 when the oldest group is still open
// or the log does not start with a marker).
int TUndoStack::OldestGroupLength() const {
    if (Total() == 0 || At(0).kind != ukMarker) return Total();
    const TUndoRecord& opening = At(0);
    int closingPhase = opening.value == upCompoundBegin ? upCompoundEnd : upSimple;
    for (int i = 1; i < Total(); ++i) {
        const TUndoRecord& record = At(i);
        if (IsMarker(record, closingPhase) && record.first == opening.first) return i + 1;
    }
    return 0;
}

void TUndoStack::TrimToLimit() {
    while (m_limit >= 0 && AccountedSize() > m_limit) {
        int length = OldestGroupLength();
        if (length == 0) return;
        RemoveOldest(length);
        if (m_hasSavePoint) m_saveCount = m_saveCount >= length ? m_saveCount - length : INT_MIN;
    }
}

} // namespace quarno
