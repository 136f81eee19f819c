// The list behind a search dialog's history box: what was searched for (or
// replaced with), most recent first, read from and written to a section of
// the history file.
#pragma once

#include <string>
#include <vector>

namespace quarno {

class TSearchHistory {
public:
    const std::vector<std::string>& Items() const { return m_items; }
    // Texts the list takes: not empty, and without a line break (the history
    // file holds one item a line).
    static bool Listable(const std::string& text);
    // Replaces the list (a section just read). Repeated items are dropped,
    // since a box cannot show them apart.
    void Load(const std::vector<std::string>& items);
    // A dialog's initial text joins the list at its end when it is not
    // listed yet. Answers its index, -1 for an empty text (nothing listed).
    int AddAtEnd(const std::string& text);
    // A text that was searched for goes to the top, taken from its old place
    // when it was listed. A text the list does not take changes nothing.
    void Remember(const std::string& text);
    // The index of a text, or -1.
    int IndexOf(const std::string& text) const;

private:
    std::vector<std::string> m_items;
};

} // namespace quarno
