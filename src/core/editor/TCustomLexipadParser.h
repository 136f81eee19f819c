// What the editing control needs of a syntax parser: tokens one at a time
// from a cursor, a restart at a stored token value, the language settings,
// and the rescan of changed lines. TLexipadParser implements it from a
// compiled parser block.
#pragma once

#include <climits>
#include <functional>

namespace quarno {

class TCustomLexipad;
class TEdStream;
class TLP_Settings;

// How far one restyle goes. Flagged records from `from` on are rescanned;
// once the records up to `through` are done and `budget` characters have been
// scanned, the rescan ends at the next record end where a token ends, and the
// record after it is flagged (lfRestyleFollow) so that a later restyle goes on
// from there. The default is the whole document at once.
struct TRestyleLimit {
    int from = 0;
    int through = INT_MAX;
    int budget = INT_MAX;
};

// What a restyle left behind.
enum class TRestyleProgress {
    Done,  // no record is flagged for restyling any more
    More,  // records are still flagged: another restyle goes on with them
    Stuck, // records stay flagged but cannot be scanned now (custom handlers
           // without their event)
};

class TCustomLexipadParser {
public:
    virtual ~TCustomLexipadParser() = default;

    // Reads one token at the cursor: returns its value, leaves the cursor
    // after it and adds its character count to length.
    virtual int NextToken(TCustomLexipad* control, TEdStream& cursor, int& length) = 0;
    // Prepares a restart at a character whose stored token value is given.
    virtual void ResetState(int token) = 0;
    // The editor options dialog for this parser; true when accepted.
    virtual bool EditProperties() = 0;
    virtual TLP_Settings& Settings() = 0;

    // Rescans the control's document from its first line flagged for
    // restyling, storing a token value per character, until the lines no
    // longer change (the whole protocol of restart point, token events and
    // stop condition).
    virtual void Restyle(TCustomLexipad& control) = 0;
    // The same within a limit. A parser that cannot stop early does it all.
    virtual TRestyleProgress RestyleWithin(TCustomLexipad& control, const TRestyleLimit& limit) {
        (void)limit;
        Restyle(control);
        return TRestyleProgress::Done;
    }
    // A control put the parser into one of its slots / took it out or is
    // going away. A parser that goes first takes itself out of the slots of
    // the controls it knows.
    virtual void Attach(TCustomLexipad& control) = 0;
    virtual void Detach(TCustomLexipad& control) = 0;
};

} // namespace quarno
