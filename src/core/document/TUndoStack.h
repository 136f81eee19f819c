// The undo log of a document: simple groups (one replacement each), compound
// groups around them, transactions, undo and redo, the save point behind the
// modified flag, and an optional size limit.
//
// A simple group is six records: marker(code), selection before, text before,
// inserted text or stream, selection after, marker(code). A compound group is
// marker(code, begin), selection ... selection, marker(code, end).
#pragma once

#include "core/document/TStack.h"

#include <string>
#include <string_view>

namespace quarno {

// What undo and redo act on: the editing control.
class IUndoTarget {
public:
    virtual ~IUndoTarget() = default;
    // Replaces [start, end) by text without recording and without repainting.
    virtual void UndoReplace(int start, int end, std::string_view text) = 0;
    virtual void UndoSelect(TUndoSelection selection) = 0;
    virtual void Beep() = 0;
};

class TUndoStack : public TStack {
public:
    TUndoStack() = default;
    // The log belongs to exactly one document store.
    TUndoStack(const TUndoStack&) = delete;
    TUndoStack& operator=(const TUndoStack&) = delete;

    bool Recording() const { return m_recording && !m_replaying; }
    void EnableRecording() { m_recording = true; }
    void DisableRecording() { m_recording = false; }

    // Opens a simple group; ELexipad "Bad transaction log entry" (after
    // clearing the log) when one is already open.
    void BeginTransaction(int code, TUndoSelection before, std::string textBefore,
                          std::string inserted);
    // Closes it and pushes the group; the same error when none is open or the
    // code differs.
    void EndTransaction(int code, TUndoSelection after);
    bool TransactionOpen() const { return m_transactionOpen; }
    // The inserted text of the open transaction, so that a large insertion
    // need not be held twice while it is made.
    const std::string& PendingInserted() const { return m_inserted; }

    // Compound groups do not nest: Begin does nothing while one is open or
    // while undo or redo runs; End closes only a group with the same code.
    void BeginGroup(int code, TUndoSelection selection);
    void EndGroup(int code, TUndoSelection selection);
    bool GroupOpen() const { return m_groupOpen; }

    bool CanUndo() const { return Count() > 0; }
    bool CanRedo() const { return Count() < Total(); }
    // Errors clear the log and beep; nothing is raised.
    void Undo(IUndoTarget& target);
    void Redo(IUndoTarget& target);
    bool Replaying() const { return m_replaying; }

    bool IsModified() const;
    void SetSavePoint();
    void ClearLog();

    // -1: no limit. Whole groups are dropped, oldest first, to stay under it.
    int64_t Limit() const { return m_limit; }
    void SetLimit(int64_t limit);

private:
    void PushMarker(int code, int phase);
    void PushSelection(TUndoSelection selection);
    void PushText(int kind, std::string text);
    void FailTransaction();
    void UndoSimple(IUndoTarget& target);
    void UndoCompound(IUndoTarget& target);
    void RedoSimple(IUndoTarget& target);
    void RedoCompound(IUndoTarget& target);
    const TUndoRecord& ReadDown();
    const TUndoRecord& ReadUp();
    int OldestGroupLength() const;
    void TrimToLimit();

    bool m_recording = true;
    bool m_replaying = false;
    bool m_transactionOpen = false;
    int m_transactionCode = 0;
    TUndoSelection m_before;
    std::string m_textBefore;
    std::string m_inserted;
    bool m_groupOpen = false;
    int m_groupCode = 0;
    bool m_hasSavePoint = false;
    int m_saveCount = -1;
    uint64_t m_saveSerial = 0;
    int64_t m_limit = -1;
};

} // namespace quarno
