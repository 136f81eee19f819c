// A dictionary of words for the script compiler: macro names to their
// replacement texts, or reserved words to token codes. Words match without
// regard to case.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quarno {

class TWordStore {
public:
    // Adds or replaces a macro.
    void Define(const std::string& name, const std::string& text);
    // Adds a reserved word.
    void Reserve(const std::string& word, int code);
    bool Contains(std::string_view word) const;
    std::optional<std::string> Text(std::string_view name) const;
    // The longest word at the start of text; a word ending in a letter, digit
    // or underscore counts only when the character after it is none of those.
    // Returns the code and sets length, or -1.
    int LongestAt(std::string_view text, size_t& length) const;

private:
    struct Entry {
        std::string text;
        int code = -1;
    };
    static std::string Key(std::string_view word);
    std::map<std::string, Entry, std::less<>> m_words;
    size_t m_longest = 0;
};

} // namespace quarno
