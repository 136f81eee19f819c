// The rules of the auto correct page.
#include "core/options/TAutoCorrectList.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"

namespace quarno {

TAutoCorrectList::TAutoCorrectList(TAutoReplace& replace) : m_replace(replace) {
    for (const TMacroEntry& entry : replace.Entries())
        m_entries.Insert(TEntryList::Entry(entry.name, entry.body));
}

TEntryButtons TAutoCorrectList::Buttons(std::string_view word, std::string_view with) const {
    TEntryButtons buttons;
    if (word.empty()) return buttons;
    std::string name = LowerCase(word);
    int listed = m_entries.IndexOfName(name);
    if (listed < 0) {
        buttons.addEnabled = true;
        return buttons;
    }
    buttons.secondEnabled = true;
    bool exact = m_entries.IndexOf(TEntryList::Entry(name, with)) >= 0;
    buttons.secondCaption = exact ? "Delete" : "Replace";
    if (with.empty()) buttons.select = listed;
    return buttons;
}

int TAutoCorrectList::Add(std::string_view word, std::string_view with) {
    std::string name = LowerCase(word.substr(0, 255)); // as the object keeps it
    if (name.empty()) return -1;
    m_replace.Add(name, "", false, std::string(with));
    return m_entries.Insert(TEntryList::Entry(name, with));
}

int TAutoCorrectList::Replace(std::string_view word, std::string_view with) {
    m_entries.RemoveAt(m_entries.IndexOfName(LowerCase(word)));
    return Add(word, with);
}

int TAutoCorrectList::Delete(std::string_view word) {
    std::string name = LowerCase(word);
    int index = m_entries.IndexOfName(name);
    if (index < 0) return -1;
    m_entries.RemoveAt(index);
    m_replace.Remove(name);
    return std::min(index, m_entries.Count() - 1);
}

std::string TAutoCorrectList::SetActKeys(const std::string& text) {
    try {
        m_replace.SetTriggerText(text);
    } catch (const Exception& error) {
        return error.what();
    }
    return "";
}

} // namespace quarno
