// An extra keyword table of a language's settings: words with token values
// that count in some states and must be followed by a character of the
// table's end-with specifier. The run time consults these tables when the
// language's own keyword table finds nothing.
#pragma once

#include "core/lexicon/TKeywords.h"

#include <string>
#include <utility>
#include <vector>

namespace quarno {

class TStream;

class TLP_KeywordTable {
public:
    // caseFlag 0: words match without regard to case. endsWith is a script
    // character specifier ('' lets anything follow); ELexipad when it does
    // not describe exactly one group.
    TLP_KeywordTable(const TByteSet& states, const std::string& endsWith, int32_t caseFlag);

    // Adds a word with its token value (ELexipad for a duplicate).
    void AddWord(const std::string& word, int32_t token);

    const TByteSet& States() const { return m_states; }
    const std::string& EndsWith() const { return m_endsWith; }
    int32_t CaseFlag() const { return m_caseFlag; }
    const std::vector<std::pair<std::string, int32_t>>& Words() const { return m_words; }
    // The trie the run time walks; entry values are token values.
    const TKeywords& Trie() const { return m_trie; }

    // Stream form: set of states; long string end-with specifier; int32 case
    // flag; int32 n; n x {long string word; int32 token value}.
    void WriteTo(TStream& stream) const;
    static TLP_KeywordTable ReadFrom(TStream& stream);

private:
    TByteSet m_states;
    std::string m_endsWith;
    int32_t m_caseFlag;
    TLP_CharGroup m_follow;
    std::vector<std::pair<std::string, int32_t>> m_words;
    TKeywords m_trie;
};

} // namespace quarno
