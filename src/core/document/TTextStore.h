// The document store: the text of one document as line records, with the
// character and line counts, the longest line, the undo log and the numbered
// bookmark columns. A store can be detached from one editing control and
// attached to another, so a document keeps its state when tabs are switched.
//
// Records live in blocks that know their character counts, so position-to-
// line lookups are binary searches anywhere in the document and an edit moves
// at most one block of records. Record surgery is private to the store: the
// editing engine changes text only through InsertText, DeleteRange and Clear.
#pragma once

#include "core/document/IStoreView.h"
#include "core/document/TCustomBookmarks.h"
#include "core/document/TLP_Breakpoints.h"
#include "core/document/TLineList.h"
#include "core/document/TLineRecord.h"
#include "core/document/TRangeMarks.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

class TUndoStack;

enum TLineStyle : uint8_t { lsCRLF = 0, lsLF = 1 };

// The records an edit rebuilt: first index and count (count 0: none).
struct TRecordSpan {
    int first = 0;
    int count = 0;
};

class TTextStore {
public:
    TTextStore();
    ~TTextStore();
    // A store is the identity of a document (controls and tabs point at it).
    TTextStore(const TTextStore&) = delete;
    TTextStore& operator=(const TTextStore&) = delete;

    int RecordCount() const { return m_records.Count(); }
    int LineCount() const { return RecordCount() > 0 ? RecordCount() : 1; }
    int CharCount() const { return m_records.CharCount(); }
    int LongestLine() const { return m_longestLine; }

    const TLineRecord& Record(int index) const { return m_records[index]; }
    TLineRecord& Record(int index) { return m_records[index]; }
    // A record's token bytes, made when it has none (see TLineList::KeptTokens);
    // record must be one of this store's.
    uint8_t* EnsureTokens(TLineRecord& record) { return m_records.KeptTokens(record); }
    // Position of a record's first character; RecordCount() gives the end.
    int RecordStart(int index) const { return m_records.Start(index); }
    // The record holding a position (clamped); the text end maps to the last
    // record. 0 for an empty document.
    int RecordFromPosition(int position) const;
    // Record index and those after it stored next to it in memory: the first
    // and their count (0 outside the store), for walking without lookups.
    const TLineRecord* RecordRun(int index, int& count) const {
        return m_records.Run(index, count);
    }
    TLineRecord* RecordRun(int index, int& count) { return m_records.Run(index, count); }
    // Calls visit(record, index) for records first..last in order, block by
    // block (Record(i) in a loop searches for each record's block); a visit
    // that answers false stops the walk, and the answer is then false.
    template <typename Visit> bool VisitRecords(int first, int last, Visit&& visit) const {
        return Walk(*this, first, last, visit);
    }
    template <typename Visit> bool VisitRecords(int first, int last, Visit&& visit) {
        return Walk(*this, first, last, visit);
    }
    // Real lines that start at or before record last (a soft continuation
    // does not start one); 0 for an empty store.
    int LinesThrough(int last) const { return m_records.LinesThrough(last); }
    // The first record from..last carrying one of the flags, or -1.
    int FindRecordFlags(int from, int last, uint32_t flags) const {
        return m_records.FindFlags(from, last, flags);
    }

    // Flags records first..last for restyling (and repaint). The store keeps
    // the range of records that may carry the restyle flag, so a rescan need
    // not look through the whole document for them.
    void FlagRestyle(int first, int last);
    // Records that may be flagged for restyling: first > last when none.
    int RestyleFirst() const { return m_restyleFirst; }
    int RestyleLast() const { return std::min(m_restyleLast, RecordCount() - 1); }
    void ClearRestyleRange();
    // No record before first carries the restyle flag any more.
    void NarrowRestyleRange(int first);

    char CharAt(int position) const;
    std::string TextRange(int start, int end) const;
    std::string Text() const { return TextRange(0, CharCount()); }

    // Splices already normalised text in at a position. The first rebuilt
    // record keeps the old record's marks, images, colours and line object;
    // every rebuilt record is flagged for repaint and restyle. Named
    // bookmarks, range marks and breakpoints after the position move on.
    TRecordSpan InsertText(int position, std::string_view normalized);
    // InsertText at the end, as loading does: the same records, but whole
    // lines are kept in the store's slabs rather than allocated one by one.
    TRecordSpan AppendText(std::string_view normalized);
    // Removes [start, end); the first record keeps its attributes. Named
    // bookmarks and range marks inside go, breakpoints of deleted lines go
    // (the code break is disabled), later ones move back. Removing all text
    // clears the store.
    TRecordSpan DeleteRange(int start, int end);
    void Clear();
    // Lays the real line whose first record is index out again: its records
    // are joined and split at the given offsets (ascending, inside the line;
    // pieces stay within 2047 characters). The first record keeps its
    // attributes; token bytes survive when every old record had them.
    // Returns the record count of the line afterwards.
    int RelayoutLine(int index, const std::vector<int>& breaks);
    // Puts a real line's breaks for its text (line break excluded) in the
    // vector, which comes empty; none when the line stays whole.
    using TBreaksOf = std::function<void(std::string_view text, std::vector<int>& breaks)>;
    // Lays every real line out again as RelayoutLine does, building the
    // records anew in one pass: no records shift, and all text and token
    // bytes move to fresh slabs (which drops the dead bytes of edited lines).
    void RelayoutAll(const TBreaksOf& breaksOf);
    // Records longer than length characters.
    int RecordsLongerThan(int length) const;
    // Records of the real line whose first record is index.
    int LineRecordCount(int index) const;
    // Takes over the text and records of another store (a completed load).
    void TakeContent(TTextStore& source);
    // A load or a whole highlighting is complete: memory kept for more
    // records and token bytes goes back.
    void ReleaseSpare() noexcept { m_records.ReleaseSpare(); }

    TUndoStack* UndoStack() const { return m_undoStack.get(); }
    // Replaces the undo log (null: none); the old one is returned to the caller.
    std::unique_ptr<TUndoStack> ReplaceUndoStack(std::unique_ptr<TUndoStack> stack);

    TLineStyle LineStyle() const { return m_lineStyle; }
    void SetLineStyle(TLineStyle style) { m_lineStyle = style; }
    std::array<uint16_t, 10>& BookmarkColumns() { return m_bookmarkColumns; }
    TCustomBookmarks& NamedBookmarks() { return m_namedBookmarks; }
    // Created on first use.
    TRangeMarks& RangeMarks();
    bool HasRangeMarks() const { return m_rangeMarks != nullptr; }
    TLP_Breakpoints& Breakpoints() { return m_breakpoints; }
    TLP_CodeBreak& CodeBreak() { return m_codeBreak; }

    // Start of the real line holding a position (soft continuations belong
    // to the line they continue), and the position after its line break.
    int RealLineStart(int position) const;
    int RealLineEnd(int position) const;
    std::vector<std::string>& Strings() { return m_strings; }

    // Views (editing controls) showing this store; each is listed once.
    void AddView(IStoreView* view);
    void RemoveView(IStoreView* view);
    const std::vector<IStoreView*>& Views() const { return m_views; }

private:
    template <typename Store, typename Visit>
    static bool Walk(Store& store, int first, int last, Visit& visit) {
        last = std::min(last, store.RecordCount() - 1);
        for (int index = std::max(first, 0); index <= last;) {
            int count = 0;
            auto* run = store.RecordRun(index, count);
            count = std::min(count, last - index + 1);
            for (int i = 0; i < count; ++i)
                if (!visit(run[i], index + i)) return false;
            index += count;
        }
        return true;
    }
    TRecordSpan Resplice(int index, std::string_view text);
    void FlowIntoContinuations(int index, std::string& combined);
    void InsertRecord(int index, TLineRecord record);
    void RemoveRecord(int index);
    void InsertRecords(int index, std::vector<TLineRecord>& records);
    void RemoveRecords(int first, int count);
    void CountLength(int length);
    void ShiftForInsert(int position, int count);
    void NoteRestyle(int first, int last);
    void ShiftBeforeDelete(int position, int count);
    void ShiftAfterDelete(int position, int count);
    void UncountLength(int length);
    void RecountLengths();

    // Records appended per insertion when a text is loaded or laid out anew.
    static constexpr size_t kAppendBatch = 256;

    TLineList m_records;
    int m_restyleFirst = 0; // the range of records that may be flagged for restyling
    int m_restyleLast = -1;
    int m_longestLine = 1;
    std::vector<int> m_lengthCounts; // records per length, for the longest line
    std::unique_ptr<TUndoStack> m_undoStack;
    TLineStyle m_lineStyle = lsCRLF;
    std::array<uint16_t, 10> m_bookmarkColumns{};
    TCustomBookmarks m_namedBookmarks;
    std::unique_ptr<TRangeMarks> m_rangeMarks;
    TLP_Breakpoints m_breakpoints;
    TLP_CodeBreak m_codeBreak;
    std::vector<std::string> m_strings;
    std::vector<IStoreView*> m_views;
};

} // namespace quarno
