// The document store of line records.
#include "core/document/TTextStore.h"

#include "core/document/TUndoStack.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace quarno {

namespace {

// The records a text splits into: a record ends after a CR, or after 2047
// characters without one. An empty text is one empty record.
std::vector<std::string_view> SplitRecords(std::string_view text) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (start < text.size()) {
        size_t limit = std::min(text.size(), start + kMaxRecordLength);
        const void* found = std::memchr(text.data() + start, kLineBreak, limit - start);
        size_t end =
            found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) + 1 : limit;
        pieces.push_back(text.substr(start, end - start));
        start = end;
    }
    if (pieces.empty()) pieces.emplace_back();
    return pieces;
}

uint32_t NewRecordFlags(std::string_view text) {
    uint32_t flags = lfRepaint | lfRestyle;
    if (text.find('\t') != std::string_view::npos) flags |= lfHasTab;
    return flags;
}

} // namespace

TTextStore::TTextStore()
    : m_lengthCounts(kMaxRecordLength + 1, 0), m_undoStack(std::make_unique<TUndoStack>()) {}

TTextStore::~TTextStore() = default;

int TTextStore::RecordFromPosition(int position) const {
    if (RecordCount() == 0) return 0;
    return m_records.IndexFromPosition(std::clamp(position, 0, CharCount()));
}

char TTextStore::CharAt(int position) const {
    if (position < 0 || position >= CharCount()) return '\0';
    int index = RecordFromPosition(position);
    return m_records[index].Text()[static_cast<size_t>(position - RecordStart(index))];
}

std::string TTextStore::TextRange(int start, int end) const {
    start = std::clamp(start, 0, CharCount());
    end = std::clamp(end, start, CharCount());
    std::string text;
    text.reserve(static_cast<size_t>(end - start));
    for (int index = RecordFromPosition(start); text.size() < static_cast<size_t>(end - start);
         ++index) {
        int recordStart = RecordStart(index);
        std::string_view record = m_records[index].Text();
        size_t from = static_cast<size_t>(std::max(start - recordStart, 0));
        size_t to =
            static_cast<size_t>(std::min(end - recordStart, static_cast<int>(record.size())));
        text.append(record.substr(from, to - from));
    }
    return text;
}

void TTextStore::CountLength(int length) {
    assert(length >= 0 && length <= kMaxRecordLength);
    length = std::clamp(length, 0, kMaxRecordLength);
    ++m_lengthCounts[static_cast<size_t>(length)];
    m_longestLine = std::max(m_longestLine, length);
}

void TTextStore::UncountLength(int length) {
    length = std::clamp(length, 0, kMaxRecordLength);
    --m_lengthCounts[static_cast<size_t>(length)];
    if (length != m_longestLine || m_lengthCounts[static_cast<size_t>(length)] > 0) return;
    while (m_longestLine > 0 && m_lengthCounts[static_cast<size_t>(m_longestLine)] == 0)
        --m_longestLine;
}

void TTextStore::NoteRestyle(int first, int last) {
    if (m_restyleFirst > m_restyleLast) {
        m_restyleFirst = first;
        m_restyleLast = last;
        return;
    }
    m_restyleFirst = std::min(m_restyleFirst, first);
    m_restyleLast = std::max(m_restyleLast, last);
}

void TTextStore::FlagRestyle(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, RecordCount() - 1);
    VisitRecords(first, last, [](TLineRecord& record, int) {
        record.AddFlags(lfRestyle | lfRepaint);
        return true;
    });
    if (first <= last) NoteRestyle(first, last);
}

void TTextStore::ClearRestyleRange() {
    m_restyleFirst = 0;
    m_restyleLast = -1;
}

void TTextStore::NarrowRestyleRange(int first) {
    if (m_restyleFirst > m_restyleLast) return;
    m_restyleFirst = std::max(m_restyleFirst, first);
    if (m_restyleFirst > m_restyleLast) ClearRestyleRange();
}

void TTextStore::InsertRecord(int index, TLineRecord record) {
    if (m_restyleFirst <= m_restyleLast && index <= m_restyleLast)
        ++m_restyleLast; // flagged records after it move down
    int length = record.Length();
    m_records.Insert(index, std::move(record));
    CountLength(length);
}

void TTextStore::RemoveRecord(int index) {
    RemoveRecords(index, 1);
}

void TTextStore::InsertRecords(int index, std::vector<TLineRecord>& records) {
    int count = static_cast<int>(records.size());
    if (m_restyleFirst <= m_restyleLast && index <= m_restyleLast)
        m_restyleLast += count; // flagged records after them move down
    for (const TLineRecord& record : records)
        CountLength(record.Length());
    m_records.InsertRange(index, records);
}

void TTextStore::RemoveRecords(int first, int count) {
    if (count <= 0) return;
    if (m_restyleFirst <= m_restyleLast) {
        m_restyleFirst -= std::clamp(m_restyleFirst - first, 0, count);
        m_restyleLast -= std::clamp(m_restyleLast - first + 1, 0, count);
    }
    for (int index = first; index < first + count; ++index)
        UncountLength(m_records[index].Length());
    m_records.Erase(first, count);
}

// Gives record index the text and splits it into as many records as it needs.
TRecordSpan TTextStore::Resplice(int index, std::string_view text) {
    bool nextContinues = index + 1 < RecordCount() && m_records[index + 1].IsContinuation();
    std::vector<std::string_view> pieces = SplitRecords(text);
    UncountLength(m_records[index].Length());
    m_records.SetText(index, pieces[0]);
    m_records[index].SetFlags(NewRecordFlags(pieces[0]));
    CountLength(static_cast<int>(pieces[0].size()));
    for (size_t i = 1; i < pieces.size(); ++i) {
        TLineRecord record(pieces[i]);
        record.SetFlags(NewRecordFlags(pieces[i]));
        if (pieces[i - 1].back() != kLineBreak) record.SetMarks(kSoftContinuation);
        InsertRecord(index + static_cast<int>(i), std::move(record));
    }
    int count = static_cast<int>(pieces.size());
    NoteRestyle(index, index + count - 1);
    if (!text.empty() && text.back() == kLineBreak && nextContinues) {
        TLineRecord& next = m_records[index + count];
        next.SetMarks(static_cast<uint16_t>(next.Marks() & ~kSoftContinuation));
        m_records.ContinuationChanged(index + count);
        FlagRestyle(index + count, index + count);
    }
    return {index, count};
}

// A long line keeps full records: what no longer fits a record flows on into
// the soft continuations after it, instead of standing as a short record (a
// one-character row) in the middle of the line. At most kFlowRecords are
// taken in, so typing into a huge line stays cheap, and never one that
// carries anything besides its text.
void TTextStore::FlowIntoContinuations(int index, std::string& combined) {
    constexpr int kFlowRecords = 8;
    if (combined.find(kLineBreak) != std::string::npos) return;
    size_t capacity = kMaxRecordLength;
    for (int taken = 0; taken < kFlowRecords && combined.size() > capacity; ++taken) {
        int next = index + 1;
        if (next >= RecordCount()) return;
        const TLineRecord& record = m_records[next];
        if (record.Marks() != kSoftContinuation || record.Images() != 0 ||
            record.TextColor() != -1 || record.BackColor() != -1 || record.Object())
            return;
        bool endsLine = record.EndsWithBreak();
        combined.append(record.Text());
        RemoveRecord(next);
        capacity += kMaxRecordLength;
        if (endsLine) return;
    }
}

TRecordSpan TTextStore::InsertText(int position, std::string_view normalized) {
    if (normalized.empty()) return {};
    position = std::clamp(position, 0, CharCount());
    if (RecordCount() == 0) InsertRecord(0, TLineRecord());
    int index = RecordFromPosition(position);
    std::string_view old = m_records[index].Text();
    size_t column = static_cast<size_t>(position - RecordStart(index));
    std::string combined;
    combined.reserve(old.size() + normalized.size());
    combined.append(old.substr(0, column)).append(normalized).append(old.substr(column));
    FlowIntoContinuations(index, combined);
    TRecordSpan span = Resplice(index, combined);
    ShiftForInsert(position, static_cast<int>(normalized.size()));
    return span;
}

TRecordSpan TTextStore::AppendText(std::string_view normalized) {
    if (normalized.empty()) return {};
    int first = RecordCount();
    if (RecordCount() > 0 && !m_records[RecordCount() - 1].EndsWithBreak()) {
        // The open last line takes the text up to its break as an insertion would.
        size_t cr = normalized.find(kLineBreak);
        size_t head = cr == std::string_view::npos ? normalized.size() : cr + 1;
        first = InsertText(CharCount(), normalized.substr(0, head)).first;
        normalized.remove_prefix(head);
    }
    int position = CharCount();
    int added = RecordCount();
    bool continues = false;
    // Records go in a block's worth at a time: one at a time, the look-up of
    // the block to insert into cost more than making the record.
    std::vector<TLineRecord> batch;
    batch.reserve(kAppendBatch);
    for (size_t start = 0; start < normalized.size();) {
        size_t limit = std::min(normalized.size(), start + kMaxRecordLength);
        const void* found = std::memchr(normalized.data() + start, kLineBreak, limit - start);
        size_t end =
            found ? static_cast<size_t>(static_cast<const char*>(found) - normalized.data()) + 1
                  : limit;
        std::string_view piece = normalized.substr(start, end - start);
        TLineRecord record = m_records.KeptRecord(piece);
        record.SetFlags(NewRecordFlags(piece));
        if (continues) record.SetMarks(kSoftContinuation);
        continues = piece.back() != kLineBreak;
        batch.push_back(std::move(record));
        if (batch.size() == kAppendBatch) {
            InsertRecords(RecordCount(), batch);
            batch.clear();
        }
        start = end;
    }
    if (!batch.empty()) InsertRecords(RecordCount(), batch);
    if (RecordCount() > added) {
        NoteRestyle(added, RecordCount() - 1);
        ShiftForInsert(position, static_cast<int>(normalized.size()));
    }
    return {first, RecordCount() - first};
}

TRecordSpan TTextStore::DeleteRange(int start, int end) {
    start = std::clamp(start, 0, CharCount());
    end = std::clamp(end, start, CharCount());
    if (start == end) return {};
    ShiftBeforeDelete(start, end - start);
    if (start == 0 && end == CharCount()) {
        m_namedBookmarks.Clear();
        if (m_rangeMarks) m_rangeMarks->ShiftForDelete(start, end - start);
        Clear();
        return {};
    }
    int first = RecordFromPosition(start);
    int last = RecordFromPosition(end);
    std::string joined(
        m_records[first].Text().substr(0, static_cast<size_t>(start - RecordStart(first))));
    joined.append(m_records[last].Text().substr(static_cast<size_t>(end - RecordStart(last))));
    for (int index = first + 1; index <= last; ++index)
        UncountLength(m_records[index].Length());
    m_records.Erase(first + 1, last - first);
    if (m_restyleFirst <= m_restyleLast) {
        int removed = last - first;
        if (m_restyleFirst > last)
            m_restyleFirst -= removed;
        else if (m_restyleFirst > first)
            m_restyleFirst = first;
        if (m_restyleLast > last)
            m_restyleLast -= removed;
        else if (m_restyleLast > first)
            m_restyleLast = first;
    }
    TRecordSpan span{first, 0};
    if (joined.empty() && first == RecordCount() - 1) {
        RemoveRecord(first); // the line after a final CR is never stored
        // The line before now ends the text, and its last token may have
        // looked into the text that went.
        FlagRestyle(first - 1, first - 1);
    } else {
        span = Resplice(first, joined);
    }
    ShiftAfterDelete(start, end - start);
    return span;
}

TRangeMarks& TTextStore::RangeMarks() {
    if (!m_rangeMarks) m_rangeMarks = std::make_unique<TRangeMarks>();
    return *m_rangeMarks;
}

int TTextStore::RealLineStart(int position) const {
    if (RecordCount() == 0) return 0;
    int index = RecordFromPosition(position);
    while (index > 0 && m_records[index].IsContinuation())
        --index;
    return RecordStart(index);
}

int TTextStore::RealLineEnd(int position) const {
    if (RecordCount() == 0) return 0;
    int index = RecordFromPosition(position);
    while (index + 1 < RecordCount() && m_records[index + 1].IsContinuation())
        ++index;
    return RecordStart(index + 1);
}

void TTextStore::ShiftForInsert(int position, int count) {
    m_namedBookmarks.ShiftForInsert(position, count);
    if (m_rangeMarks) m_rangeMarks->ShiftForInsert(position, count);
    auto lineStart = [this](int p) { return RealLineStart(p); };
    m_breakpoints.ShiftForInsert(position, count);
    m_breakpoints.SnapToLines(lineStart);
    m_codeBreak.ShiftForInsert(position, count);
    m_codeBreak.SnapToLines(lineStart);
}

// Breakpoints need the lines as they were to know which ones go.
void TTextStore::ShiftBeforeDelete(int position, int count) {
    auto lineEnd = [this](int p) { return RealLineEnd(p); };
    m_breakpoints.ShiftForDelete(position, count, lineEnd);
    m_codeBreak.ShiftForDelete(position, count, lineEnd);
}

void TTextStore::ShiftAfterDelete(int position, int count) {
    m_namedBookmarks.ShiftForDelete(position, count);
    if (m_rangeMarks) m_rangeMarks->ShiftForDelete(position, count);
    auto lineStart = [this](int p) { return RealLineStart(p); };
    m_breakpoints.SnapToLines(lineStart);
    m_codeBreak.SnapToLines(lineStart);
}

void TTextStore::Clear() {
    ClearRestyleRange();
    m_records.Clear();
    std::fill(m_lengthCounts.begin(), m_lengthCounts.end(), 0);
    m_longestLine = 0;
}

void TTextStore::TakeContent(TTextStore& source) {
    std::swap(m_restyleFirst, source.m_restyleFirst);
    std::swap(m_restyleLast, source.m_restyleLast);
    m_records.Swap(source.m_records);
    std::swap(m_longestLine, source.m_longestLine);
    std::swap(m_lengthCounts, source.m_lengthCounts);
}

std::unique_ptr<TUndoStack> TTextStore::ReplaceUndoStack(std::unique_ptr<TUndoStack> stack) {
    std::swap(stack, m_undoStack);
    return stack;
}

void TTextStore::AddView(IStoreView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
}

void TTextStore::RemoveView(IStoreView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

} // namespace quarno
