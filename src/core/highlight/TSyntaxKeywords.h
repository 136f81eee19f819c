// The keyword table of a compiled parser: a keyword trie whose values are
// token values, with its stream form.
#pragma once

#include "core/lexicon/TKeywords.h"

namespace quarno {

class TStream;

class TSyntaxKeywords : public TKeywords {
public:
    TSyntaxKeywords() : TKeywords(false) {}

    // Stream form: int32 case flag (0 = words lower-cased, matched without
    // regard to case); int32 word count; per word a short string, its follow
    // group, its 32-byte state set and an int32 token value; then an empty
    // short string (one 0 byte), also after no words.
    void WriteTo(TStream& stream) const;
    // Replaces the table. Words and their order are kept; ELexipad for a
    // token value outside 0..255 or a duplicate word.
    void ReadFrom(TStream& stream);
};

} // namespace quarno
