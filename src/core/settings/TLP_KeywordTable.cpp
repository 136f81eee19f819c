// An extra keyword table of a language's settings.
#include "core/settings/TLP_KeywordTable.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TStream.h"
#include "core/lexicon/CharSpecifiers.h"

namespace quarno {

TLP_KeywordTable::TLP_KeywordTable(const TByteSet& states, const std::string& endsWith,
                                   int32_t caseFlag)
    : m_states(states), m_endsWith(endsWith), m_caseFlag(caseFlag), m_trie(caseFlag != 0) {
    std::vector<TLP_CharGroup> groups = ParseCharSpecifiers(endsWith);
    if (groups.size() > 1) throw ELexipad("Single character specifier expected");
    if (!groups.empty()) m_follow = groups.front();
}

void TLP_KeywordTable::AddWord(const std::string& word, int32_t token) {
    if (token < 0 || token > 255) throw ELexipad(Format("Invalid token value (%d)", token));
    if (m_trie.Add(word, m_follow, m_states, token) >= 0) m_words.emplace_back(word, token);
}

void TLP_KeywordTable::WriteTo(TStream& stream) const {
    m_states.WriteTo(stream);
    WriteLongString(stream, m_endsWith);
    WriteInt32(stream, m_caseFlag);
    WriteInt32(stream, static_cast<int32_t>(m_words.size()));
    for (const auto& [word, token] : m_words) {
        WriteLongString(stream, word);
        WriteInt32(stream, token);
    }
}

TLP_KeywordTable TLP_KeywordTable::ReadFrom(TStream& stream) {
    TByteSet states = TByteSet::ReadFrom(stream);
    std::string endsWith = ReadLongString(stream);
    int32_t caseFlag = ReadInt32(stream);
    TLP_KeywordTable table(states, endsWith, caseFlag);
    int32_t count = ReadInt32(stream);
    for (int32_t i = 0; i < count; ++i) {
        std::string word = ReadLongString(stream);
        table.AddWord(word, ReadInt32(stream));
    }
    return table;
}

} // namespace quarno
