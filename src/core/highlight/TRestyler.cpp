// Restyling a control's document with a parser.
#include "core/highlight/TRestyler.h"

#include "core/document/TEdStream.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/TLexipadParser.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstring>

namespace quarno {

namespace {

// The first character of the run of bytes equal to value that holds
// character offset of record, looking back across records.
TRestyler::TRestart RunStart(const TTextStore& store, int record, int offset, uint8_t value) {
    const uint8_t* bytes = store.Record(record).Tokens();
    for (;;) {
        if (offset > 0) {
            if (bytes[offset - 1] != value) break;
            --offset;
            continue;
        }
        if (record == 0) break;
        const TLineRecord& before = store.Record(record - 1);
        const uint8_t* previous = before.Tokens();
        if (!previous || before.Length() == 0 || previous[before.Length() - 1] != value) break;
        --record;
        bytes = previous;
        offset = before.Length() - 1;
    }
    return {store.RecordStart(record) + offset, value, record};
}

} // namespace

TRestyler::TRestyler(TLexipadParser& parser, TCustomLexipad& control)
    : m_parser(parser), m_control(control), m_store(control.Store()), m_bytes(kMaxRecordLength) {}

namespace {

// Most tokens are a character or two long: a call to memset costs more.
void Fill(uint8_t* bytes, int count, int value) {
    if (count <= 2) {
        bytes[0] = static_cast<uint8_t>(value);
        bytes[count - 1] = static_cast<uint8_t>(value);
    } else {
        std::memset(bytes, value, static_cast<size_t>(count));
    }
}

// The restart point at the nearest anchor byte at or before the last
// character of record last, looking back across records.
TRestyler::TRestart AnchorBefore(const TTextStore& store, const TByteSet& anchors, int last) {
    for (int record = last; record >= 0; --record) {
        const TLineRecord& candidate = store.Record(record);
        const uint8_t* bytes = candidate.Tokens();
        if (!bytes) continue;
        for (int offset = candidate.Length() - 1; offset >= 0; --offset)
            if (anchors.Contains(bytes[offset]))
                return RunStart(store, record, offset, bytes[offset]);
    }
    return {};
}

// A continuation left flagged by a limited run right after an up-to-date record.
bool ResumesLine(const TTextStore& store, int record) {
    if (record <= 0 || record >= store.RecordCount()) return false;
    const TLineRecord& flagged = store.Record(record);
    const TLineRecord& before = store.Record(record - 1);
    return flagged.IsContinuation() && (flagged.Flags() & lfRestyleFollow) && before.Tokens() &&
           !(before.Flags() & lfRestyle);
}

} // namespace

TRestyler::TRestart TRestyler::FindRestart(const TTextStore& store, const TByteSet& anchors,
                                           int firstFlagged) {
    int line = std::clamp(firstFlagged, 0, std::max(store.RecordCount() - 1, 0));
    if (ResumesLine(store, line)) return AnchorBefore(store, anchors, line - 1);
    while (line > 0 && store.Record(line).IsContinuation())
        --line;
    if (line == 0) return {};
    const int last = line - 1; // the last record of the line before
    int lineStart = last;
    while (lineStart > 0 && store.Record(lineStart).IsContinuation())
        --lineStart;
    const uint8_t* first = store.Record(lineStart).Tokens();
    // A plain first byte starts a token only where the last scan ended one
    // with the record before it: a plain token may run on across a break.
    const bool startsAToken =
        lineStart == 0 || (store.Record(lineStart - 1).Flags() & lfTokenEndsHere) != 0;
    if (!store.Record(last).Tokens() ||
        (anchors.Contains(0) && first && first[0] == 0 && startsAToken))
        return {store.RecordStart(lineStart), 0, lineStart};
    return AnchorBefore(store, anchors, last);
}

TRestyleProgress TRestyler::Run(const TRestyleLimit& limit) {
    m_limit = limit;
    m_scanned = 0;
    // Records before from are left alone unless nothing flagged lies there.
    const bool fromTheFirst = limit.from <= m_store.RestyleFirst();
    int from = std::max(limit.from, 0);
    bool finished = false;
    for (;;) {
        // With the budget used, only the records up to through are still due.
        const int last = m_scanned >= limit.budget ? limit.through : INT_MAX;
        const int first = FirstFlagged(from, last);
        if (first < 0) {
            finished = last == INT_MAX;
            break;
        }
        from = Rescan(first);
        if (from == kStillFlagged) return TRestyleProgress::Stuck;
        if (from < 0) {
            finished = true;
            break;
        }
    }
    if (fromTheFirst && finished) {
        m_store.ClearRestyleRange();
        m_store.ReleaseSpare(); // the tail of the slab the token bytes came from
        return TRestyleProgress::Done;
    }
    if (fromTheFirst) m_store.NarrowRestyleRange(from);
    return m_store.RestyleFirst() <= m_store.RestyleLast() ? TRestyleProgress::More
                                                           : TRestyleProgress::Done;
}

// Only the records the store says may be flagged are looked at.
int TRestyler::FirstFlagged(int from, int last) const {
    int first = std::max(from, m_store.RestyleFirst());
    return m_store.FindRecordFlags(first, std::min(last, m_store.RestyleLast()), lfRestyle);
}

int TRestyler::Rescan(int firstFlagged) {
    const TLP_Language& language = m_parser.Language();
    TRestart restart = FindRestart(m_store, language.Anchors(), firstFlagged);
    m_parser.ResetState(restart.token);
    int marker = -1;
    Seen(marker, -1, -1);
    // Custom handlers without their event cannot scan: leave the lines
    // flagged for a later rescan.
    if (language.CustomHandlers() && !m_parser.OnCustomParse) {
        marker = -2;
        Seen(marker, -2, -2);
        return kStillFlagged;
    }
    TEdStream stream(m_store);
    stream.Seek(restart.position, TSeekOrigin::soBeginning);
    m_firstFlagged = firstFlagged;
    m_current = nullptr;
    BeginRecord(restart.record);
    // The bytes before the restart point stay as they are.
    const uint8_t* old = m_current ? m_current->Tokens() : nullptr;
    int kept = restart.position - m_recordStart;
    if (old && kept > 0) std::memcpy(m_bytes.data(), old, static_cast<size_t>(kept));
    m_stopped = false;
    const int end = m_store.CharCount();
    while (!m_stopped && stream.Pos() < end) {
        int start = 0;
        const bool wasOpen = m_parser.ContainerOpen();
        int value = ReadToken(stream, start);
        const int stop = stream.Pos();
        const int plainEnd = wasOpen ? stop : stop + TakePlainRun(stream, stop);
        m_scanned += plainEnd - start;
        Seen(value, start, stop);
        if (!wasOpen && m_parser.ContainerOpen()) {
            ScanContainer(stream, start, stop, value);
            continue;
        }
        Emit(start, stop, value);
        if (plainEnd > stop) Emit(stop, plainEnd, 0);
    }
    marker = -2;
    Seen(marker, -2, -2);
    return m_stopped ? std::max(m_record, firstFlagged) + 1 : -1;
}

// One token from the parser; a token of no length is one character.
int TRestyler::ReadToken(TEdStream& stream, int& start) {
    start = stream.Pos();
    int length = 0;
    int value = m_parser.NextToken(&m_control, stream, length);
    if (stream.Pos() <= start) stream.Seek(start + 1, TSeekOrigin::soBeginning);
    return value;
}

// The characters after a token, in its record, that would each come out as
// a plain one (see PlainRun) are taken in one step. Not for a control that
// must see every token, nor across the end of a record, which only the
// token that ends there may finish.
int TRestyler::TakePlainRun(TEdStream& stream, int from) {
    const int recordEnd = m_recordStart + m_recordLength;
    if (m_control.OnTokenSeen || !m_current || from < m_recordStart || from >= recordEnd) return 0;
    const std::string_view rest = stream.RecordRest();
    const int run = m_parser.PlainRun(rest.substr(0, static_cast<size_t>(recordEnd - from)));
    if (run > 0) stream.Skip(run);
    return run;
}

// A token that opened a container: its characters are scanned again with the
// container's states, and a plain token there keeps the opening token's value.
void TRestyler::ScanContainer(TEdStream& stream, int start, int end, int value) {
    stream.Seek(start, TSeekOrigin::soBeginning);
    const int textEnd = m_store.CharCount();
    while (m_parser.ContainerOpen() && stream.Pos() < textEnd) {
        int from = 0;
        int inner = ReadToken(stream, from);
        int to = stream.Pos();
        Seen(inner, from, to);
        if (inner != 0 || from >= end) {
            Emit(from, to, inner);
            continue;
        }
        int split = std::min(to, end);
        Emit(from, split, value);
        if (split < to) Emit(split, to, 0);
    }
}

void TRestyler::Seen(int& value, int start, int end) {
    if (!m_control.OnTokenSeen) return;
    int seen = value;
    m_control.OnTokenSeen(m_control, seen, start, end);
    if (seen >= 0 && seen <= 255) value = seen;
}

// Writes [start, end) with value, finishing each record the range completes.
// Most tokens lie inside the record being filled and end before its end.
void TRestyler::Emit(int start, int end, int value) {
    assert(start >= m_recordStart);
    if (start < end && end < m_recordStart + m_recordLength && !m_stopped) {
        Fill(m_bytes.data() + (start - m_recordStart), end - start, value);
        return;
    }
    EmitAcross(start, end, value);
}

void TRestyler::EmitAcross(int start, int end, int value) {
    while (start < end && !m_stopped && m_current) {
        const int recordEnd = m_recordStart + m_recordLength;
        const int upto = std::min(end, recordEnd);
        if (upto > start) Fill(m_bytes.data() + (start - m_recordStart), upto - start, value);
        start = upto;
        if (start < recordEnd) break;
        FinishRecord(start == end);
        if (!m_stopped) BeginRecord(m_record + 1);
    }
}

// The next record starts where the current one ends; only a restart looks
// its start up.
void TRestyler::BeginRecord(int index) {
    const bool next = m_current && index == m_record + 1;
    m_record = index;
    if (index >= m_store.RecordCount()) {
        m_current = nullptr;
        m_recordStart = m_store.CharCount();
        m_recordLength = 0;
        return;
    }
    m_recordStart = next ? m_recordStart + m_recordLength : m_store.RecordStart(index);
    m_current = &m_store.Record(index);
    m_recordLength = m_current->Length();
    if (m_bytes.size() < static_cast<size_t>(m_recordLength))
        m_bytes.resize(static_cast<size_t>(m_recordLength));
}

// A completed record: stop when it came out as it was and nothing carries
// over, else store its bytes and clear its restyle flags.
void TRestyler::FinishRecord(bool tokenEndsHere) {
    if (!m_current) return;
    TLineRecord& record = *m_current;
    const size_t length = static_cast<size_t>(m_recordLength);
    const bool flagged = (record.Flags() & lfRestyle) != 0;
    const uint8_t* old = record.Tokens();
    const bool equal = length > 0 && old && std::memcmp(old, m_bytes.data(), length) == 0;
    // Records between the restart point and the first flagged one are not
    // stopping points: the changed text lies ahead of them. Equal bytes do
    // not show where tokens start, so the last scan must also have ended a
    // token with this record: else the next record's bytes began inside a
    // token that this scan no longer has.
    const bool endedBefore = (record.Flags() & lfTokenEndsHere) != 0;
    if (equal && !flagged && tokenEndsHere && endedBefore && m_record > m_firstFlagged &&
        CanStopBefore(m_record + 1)) {
        m_stopped = true;
        return;
    }
    if (!equal && length > 0) {
        std::memcpy(m_store.EnsureTokens(record), m_bytes.data(), length);
        record.AddFlags(lfRepaint);
    } else if (flagged) {
        record.AddFlags(lfRepaint);
    }
    record.ClearFlags(lfRestyle | lfRestyleFollow | lfTokenEndsHere);
    if (tokenEndsHere) record.AddFlags(lfTokenEndsHere);
    if (LimitReached(tokenEndsHere)) CutAfterCurrent();
}

// A run always gets past its first flagged record, so each one makes progress.
bool TRestyler::LimitReached(bool tokenEndsHere) const {
    return m_record >= std::max(m_limit.through, m_firstFlagged) && m_scanned >= m_limit.budget &&
           tokenEndsHere && !m_parser.ContainerOpen();
}

// The run ends after the current record; the next one is left flagged so
// that a later run takes up the rescan there.
void TRestyler::CutAfterCurrent() {
    m_stopped = true;
    const int next = m_record + 1;
    if (next >= m_store.RecordCount()) return;
    m_store.FlagRestyle(next, next);
    m_store.Record(next).AddFlags(lfRestyleFollow);
}

bool TRestyler::CanStopBefore(int next) const {
    if (next >= m_store.RecordCount()) return false;
    const TLineRecord& record = m_store.Record(next);
    return record.Tokens() && !(record.Flags() & lfRestyle) &&
           !m_parser.CurrentStates().Meets(m_parser.Language().BoundStates()) &&
           !m_parser.ContainerOpen();
}

} // namespace quarno
