// The word dictionary of the script compiler.
#include "core/highlight/TWordStore.h"

#include "core/base/StringUtils.h"

namespace quarno {

namespace {

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

} // namespace

std::string TWordStore::Key(std::string_view word) {
    return LowerCase(word);
}

void TWordStore::Define(const std::string& name, const std::string& text) {
    m_words[Key(name)] = Entry{text, -1};
    m_longest = std::max(m_longest, name.size());
}

void TWordStore::Reserve(const std::string& word, int code) {
    m_words[Key(word)] = Entry{"", code};
    m_longest = std::max(m_longest, word.size());
}

bool TWordStore::Contains(std::string_view word) const {
    return m_words.find(Key(word)) != m_words.end();
}

std::optional<std::string> TWordStore::Text(std::string_view name) const {
    auto found = m_words.find(Key(name));
    if (found == m_words.end()) return std::nullopt;
    return found->second.text;
}

int TWordStore::LongestAt(std::string_view text, size_t& length) const {
    for (size_t n = std::min(m_longest, text.size()); n > 0; --n) {
        auto found = m_words.find(Key(text.substr(0, n)));
        if (found == m_words.end()) continue;
        if (IsWordChar(text[n - 1]) && n < text.size() && IsWordChar(text[n])) continue;
        length = n;
        return found->second.code;
    }
    return -1;
}

} // namespace quarno
