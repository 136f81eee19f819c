// The document store: laying real lines out as records (word wrap).
#include "core/document/TTextStore.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace quarno {

namespace {

// Piece lengths for a line of length characters broken at breaks, no piece
// longer than a record holds.
void PieceLengths(int length, const std::vector<int>& breaks, std::vector<int>& pieces) {
    pieces.clear();
    int start = 0;
    auto add = [&](int end) {
        while (end - start > kMaxRecordLength) {
            pieces.push_back(kMaxRecordLength);
            start += kMaxRecordLength;
        }
        if (end > start) pieces.push_back(end - start);
        start = std::max(start, end);
    };
    for (int at : breaks)
        if (at > start && at < length) add(at);
    add(length);
    if (pieces.empty()) pieces.push_back(0);
}

// A real line's records joined: the characters, the token bytes while every
// record has them, and the lengths of the records it had.
struct TLineContent {
    std::string text;
    std::string tokens;
    std::vector<int> lengths;
    bool allStyled = true;
    bool flagged = false; // a record still waits for its rescan

    void Clear() {
        text.clear();
        tokens.clear();
        lengths.clear();
        allStyled = true;
        flagged = false;
    }
    void Add(const TLineRecord& record) {
        flagged = flagged || (record.Flags() & lfRestyle);
        text.append(record.Text());
        lengths.push_back(record.Length());
        if (record.Tokens() && allStyled)
            tokens.append(reinterpret_cast<const char*>(record.Tokens()),
                          static_cast<size_t>(record.Length()));
        else
            allStyled = record.Length() == 0 && allStyled;
    }
    bool NeedsRestyle() const { return !allStyled || flagged; }
    // The line without its line break, for finding its breaks.
    std::string_view Body() const {
        std::string_view body(text);
        if (!body.empty() && body.back() == kLineBreak) body.remove_suffix(1);
        return body;
    }
    // A record rebuilt to hold part of the line (from offset) is repainted,
    // rescanned unless every old record was up to date, and keeps its token
    // bytes when the line had them; tokensOf makes the record's bytes.
    template <typename TokensOf>
    void Dress(TLineRecord& record, std::string_view part, size_t offset,
               TokensOf&& tokensOf) const {
        uint32_t flags = NeedsRestyle() ? lfRepaint | lfRestyle : lfRepaint;
        if (part.find('\t') != std::string_view::npos) flags |= lfHasTab;
        record.SetFlags(flags);
        if (allStyled && !part.empty())
            std::copy_n(tokens.data() + offset, part.size(), tokensOf(record));
    }
};

// Hands out a list's real lines in order, each as its records (a record and
// the soft continuations after it), walking the blocks without lookups.
class TLineWalk {
public:
    explicit TLineWalk(TLineList& list) : m_list(list) {}

    bool Next(std::vector<TLineRecord*>& line) {
        line.clear();
        for (TLineRecord* record = Peek(); record && (line.empty() || record->IsContinuation());
             record = Peek()) {
            line.push_back(record);
            Skip();
        }
        return !line.empty();
    }

private:
    TLineRecord* Peek() {
        if (m_left == 0) m_run = m_list.Run(m_index, m_left);
        return m_left > 0 ? m_run : nullptr;
    }
    void Skip() {
        ++m_run;
        --m_left;
        ++m_index;
    }

    TLineList& m_list;
    TLineRecord* m_run = nullptr;
    int m_left = 0;
    int m_index = 0;
};

// Lays the lines of one list out into another, made anew: a line whose
// layout stays is copied record by record, flags and all; the others are
// split as RelayoutLine splits them.
class TLayoutCopy {
public:
    TLayoutCopy(TLineList& into, const TTextStore::TBreaksOf& breaksOf)
        : m_into(into), m_breaksOf(breaksOf) {}

    // Appends the line's new records to batch; true when they need a rescan.
    bool LayOut(std::span<TLineRecord* const> line, std::vector<TLineRecord>& batch) {
        m_content.Clear();
        for (const TLineRecord* record : line)
            m_content.Add(*record);
        m_breaks.clear();
        m_breaksOf(m_content.Body(), m_breaks);
        PieceLengths(static_cast<int>(m_content.text.size()), m_breaks, m_lengths);
        if (m_lengths == m_content.lengths) {
            for (TLineRecord* record : line)
                batch.push_back(Copy(*record));
            return false;
        }
        std::string_view all(m_content.text);
        size_t offset = 0;
        for (size_t piece = 0; piece < m_lengths.size(); ++piece) {
            std::string_view part = all.substr(offset, static_cast<size_t>(m_lengths[piece]));
            TLineRecord record = m_into.KeptRecord(part);
            m_content.Dress(record, part, offset,
                            [this](TLineRecord& r) { return m_into.KeptTokens(r); });
            if (piece == 0)
                line.front()->MoveAttributesTo(record);
            else
                record.SetMarks(kSoftContinuation);
            batch.push_back(std::move(record));
            offset += part.size();
        }
        return m_content.NeedsRestyle();
    }

private:
    TLineRecord Copy(TLineRecord& old) {
        TLineRecord record = m_into.KeptRecord(old.Text());
        if (old.Tokens() && old.Length() > 0)
            std::memcpy(m_into.KeptTokens(record), old.Tokens(), static_cast<size_t>(old.Length()));
        record.SetFlags(old.Flags());
        old.MoveAttributesTo(record);
        return record;
    }

    TLineList& m_into;
    const TTextStore::TBreaksOf& m_breaksOf;
    TLineContent m_content;
    std::vector<int> m_breaks;
    std::vector<int> m_lengths;
};

} // namespace

int TTextStore::LineRecordCount(int index) const {
    int count = 1;
    while (index + count < RecordCount() && m_records[index + count].IsContinuation())
        ++count;
    return count;
}

int TTextStore::RelayoutLine(int index, const std::vector<int>& breaks) {
    int count = LineRecordCount(index);
    TLineContent content;
    for (int i = index; i < index + count; ++i)
        content.Add(m_records[i]);
    std::vector<int> lengths;
    PieceLengths(static_cast<int>(content.text.size()), breaks, lengths);
    if (lengths == content.lengths) return count;
    RemoveRecords(index + 1, count - 1);
    auto ownTokens = [](TLineRecord& record) { return record.EnsureTokens(); };
    std::string_view all(content.text);
    std::string_view head = all.substr(0, static_cast<size_t>(lengths[0]));
    UncountLength(m_records[index].Length());
    m_records.SetText(index, head);
    CountLength(static_cast<int>(head.size()));
    content.Dress(m_records[index], head, 0, ownTokens);
    std::vector<TLineRecord> pieces;
    pieces.reserve(lengths.size() - 1);
    size_t offset = head.size();
    for (size_t piece = 1; piece < lengths.size(); ++piece) {
        std::string_view part = all.substr(offset, static_cast<size_t>(lengths[piece]));
        TLineRecord& record = pieces.emplace_back(part);
        record.SetMarks(kSoftContinuation);
        content.Dress(record, part, offset, ownTokens);
        offset += part.size();
    }
    InsertRecords(index + 1, pieces);
    if (content.NeedsRestyle()) NoteRestyle(index, index + static_cast<int>(lengths.size()) - 1);
    return static_cast<int>(lengths.size());
}

void TTextStore::RelayoutAll(const TBreaksOf& breaksOf) {
    if (RecordCount() == 0) return;
    const int oldFirst = m_restyleFirst;
    const int oldLast = RestyleLast();
    ClearRestyleRange();
    TLineList fresh;
    TLayoutCopy layout(fresh, breaksOf);
    TLineWalk walk(m_records);
    std::vector<TLineRecord*> line;
    std::vector<TLineRecord> batch;
    batch.reserve(kAppendBatch);
    for (int oldIndex = 0; walk.Next(line); oldIndex += static_cast<int>(line.size())) {
        int first = fresh.Count() + static_cast<int>(batch.size());
        bool restyle = layout.LayOut(line, batch);
        // A line that held records which might be flagged still may.
        bool wasInRange =
            oldIndex <= oldLast && oldIndex + static_cast<int>(line.size()) > oldFirst;
        if (restyle || wasInRange)
            NoteRestyle(first, fresh.Count() + static_cast<int>(batch.size()) - 1);
        if (batch.size() >= kAppendBatch) {
            fresh.InsertRange(fresh.Count(), batch);
            batch.clear();
        }
    }
    fresh.InsertRange(fresh.Count(), batch);
    m_records.Swap(fresh);
    RecountLengths();
    m_records.ReleaseSpare();
}

int TTextStore::RecordsLongerThan(int length) const {
    int count = 0;
    for (int l = std::max(length + 1, 0); l <= kMaxRecordLength; ++l)
        count += m_lengthCounts[static_cast<size_t>(l)];
    return count;
}

void TTextStore::RecountLengths() {
    std::fill(m_lengthCounts.begin(), m_lengthCounts.end(), 0);
    m_longestLine = 0;
    VisitRecords(0, RecordCount() - 1, [this](const TLineRecord& record, int) {
        CountLength(record.Length());
        return true;
    });
}

} // namespace quarno
