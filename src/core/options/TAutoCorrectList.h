// The rules of the auto correct page: the list of replacements ("word<TAB>
// replacement", words in lower case), the states of its two buttons for the
// texts of "Replace" and "With", adding, replacing and deleting entries, and
// the act keys. Every change goes straight into the replacement object.
#pragma once

#include "core/options/TEntryList.h"
#include "core/services/TAutoReplace.h"

#include <string>
#include <string_view>

namespace quarno {

class TAutoCorrectList {
public:
    // The object must outlive the list.
    explicit TAutoCorrectList(TAutoReplace& replace);

    const TEntryList& Entries() const { return m_entries; }
    // Both buttons off without a word; "Add" for a word not listed; else the
    // second button, "Delete" when the entry exists exactly, "Replace"
    // otherwise (with an empty "With" the word's entry is selected).
    TEntryButtons Buttons(std::string_view word, std::string_view with) const;
    // Each answers the entry to select afterwards (-1: none). Replace and
    // Delete work on the entry of the word typed, whichever entry is
    // selected.
    int Add(std::string_view word, std::string_view with);
    int Replace(std::string_view word, std::string_view with);
    int Delete(std::string_view word);

    const std::string& ActKeys() const { return m_replace.TriggerText(); }
    // Takes the act keys; answers the message of a refused text ("" when
    // taken), the previous keys then staying.
    std::string SetActKeys(const std::string& text);

private:
    TAutoReplace& m_replace;
    TEntryList m_entries;
};

} // namespace quarno
