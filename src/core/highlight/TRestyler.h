// One restyle of a control's document by a parser: from each record flagged
// for restyling it finds a restart point in the line before, rescans token by
// token (OnTokenSeen sees each token, bracketed by -1 and -2), writes one
// token byte per character into the records, flags changed ones for repaint,
// and stops at the first completed record past the flagged one that came out
// unchanged, ends with a token boundary (as the scan before ended it there:
// lfTokenEndsHere), is followed by a record that has
// bytes and is not flagged, with no bound state active and no container open.
// A limited run also ends where its limit says (TRestyleLimit), leaving the
// record after its last one flagged for the next run.
#pragma once

#include "core/editor/TCustomLexipadParser.h"
#include "core/lexicon/TByteSet.h"

#include <cstdint>
#include <vector>

namespace quarno {

class TCustomLexipad;
class TEdStream;
class TLexipadParser;
class TLineRecord;
class TTextStore;

class TRestyler {
public:
    // Where a rescan starts: a position, the token value stored there and
    // the record holding it.
    struct TRestart {
        int position = 0;
        int token = 0;
        int record = 0;
        bool operator==(const TRestart&) const = default;
    };

    TRestyler(TLexipadParser& parser, TCustomLexipad& control);
    // Rescans the flagged records within the limit (all of them by default).
    TRestyleProgress Run(const TRestyleLimit& limit = {});

    // The restart point for a rescan whose first flagged record is given. It
    // lies in the real line before the one holding that record (soft
    // continuations belong to the line they continue, so no token before the
    // restart point can look into changed text): the start of that line when
    // token 0 is an anchor and the line's first byte is 0; otherwise, looking
    // back from the line's last character, the first character of the run of
    // equal bytes holding the nearest anchor byte. Records without token
    // bytes hold no anchor; a line before whose last record has none restarts
    // at its first character with token 0. Without an anchor, the start of
    // the text. A continuation that a limited run left flagged after its last
    // record (lfRestyleFollow) goes on from the nearest anchor before it in its
    // own line, as long as the record before it is up to date, so a long line
    // is highlighted in pieces without starting over each time.
    static TRestart FindRestart(const TTextStore& store, const TByteSet& anchors, int firstFlagged);

private:
    int FirstFlagged(int from, int last) const;
    // Where the next search for flagged records starts, -1 when done, or
    // kStillFlagged when the lines could not be scanned and stay flagged.
    static constexpr int kStillFlagged = -2;
    int Rescan(int firstFlagged);
    void ScanContainer(TEdStream& stream, int start, int end, int value);
    int ReadToken(TEdStream& stream, int& start);
    int TakePlainRun(TEdStream& stream, int from);
    void Seen(int& value, int start, int end);
    void Emit(int start, int end, int value);
    void EmitAcross(int start, int end, int value);
    void BeginRecord(int index);
    void FinishRecord(bool tokenEndsHere);
    bool CanStopBefore(int next) const;
    bool LimitReached(bool tokenEndsHere) const;
    void CutAfterCurrent();

    TLexipadParser& m_parser;
    TCustomLexipad& m_control;
    TTextStore& m_store;
    std::vector<uint8_t> m_bytes;     // the new token bytes of the current record
    TLineRecord* m_current = nullptr; // the record being filled (null past the last)
    int m_record = 0;
    int m_recordStart = 0;
    int m_recordLength = 0;
    int m_firstFlagged = 0;
    bool m_stopped = false;
    TRestyleLimit m_limit;
    int m_scanned = 0; // characters scanned in this run
};

} // namespace quarno
