// A character group: a set of characters plus a negate flag, the unit every
// rule of a compiled parser matches characters with.
#pragma once

#include "core/lexicon/TByteSet.h"

namespace quarno {

class TStream;

struct TLP_CharGroup {
    TByteSet set;
    bool negate = false;

    // A character belongs when its bit in the set differs from the negate flag.
    bool Contains(uint8_t c) const { return set.Contains(c) != negate; }
    // The group written as '' or '[]' in a script: no bits and not negated.
    // Keyword follow groups that are empty let anything follow.
    bool IsEmpty() const { return !negate && set.IsEmpty(); }
    bool operator==(const TLP_CharGroup& other) const = default;

    // Stream form: the 32-byte set, an int32 range count (always 0) and the
    // negate flag byte. A range count other than 0 is rejected with ELexipad:
    // no writer produces one and its entries have no agreed layout.
    void WriteTo(TStream& stream) const;
    static TLP_CharGroup ReadFrom(TStream& stream);
};

} // namespace quarno
