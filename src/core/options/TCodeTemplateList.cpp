// The rules of the code templates page.
#include "core/options/TCodeTemplateList.h"

#include "core/base/StringUtils.h"
#include "core/document/TextNormalization.h"

namespace quarno {

TCodeTemplateList::TCodeTemplateList(TCodeTemplates& templates) : m_templates(templates) {
    for (const TMacroEntry& entry : templates.Entries())
        m_entries.Insert(TEntryList::Entry(entry.name, entry.description));
}

std::string TCodeTemplateList::Body(int index) const {
    if (index < 0 || index >= m_entries.Count()) return "";
    return m_templates.Lookup(m_entries.Name(index)).value_or("");
}

TEntryButtons TCodeTemplateList::Buttons(std::string_view name, std::string_view description,
                                         std::string_view body) const {
    TEntryButtons buttons;
    if (name.empty()) return buttons;
    std::string key = LowerCase(name);
    int listed = m_entries.IndexOfName(key);
    if (listed < 0) {
        buttons.addEnabled = true;
        return buttons;
    }
    buttons.secondEnabled = true;
    int exact = m_entries.IndexOf(TEntryList::Entry(key, description));
    // The editor keeps line breaks as CR; a stored body may hold CR LF.
    bool same = exact >= 0 && NormalizeText(Body(exact)) == NormalizeText(body);
    buttons.secondCaption = same ? "Delete" : "Replace";
    return buttons;
}

int TCodeTemplateList::Add(std::string_view name, std::string_view description,
                           std::string_view body) {
    // The templates object keeps names and descriptions of up to 255 characters.
    std::string key = LowerCase(name.substr(0, 255));
    std::string text(description.substr(0, 255));
    if (key.empty()) return -1;
    m_templates.Add(key, text, false, std::string(body));
    return m_entries.Insert(TEntryList::Entry(key, text));
}

int TCodeTemplateList::Replace(std::string_view name, std::string_view description,
                               std::string_view body) {
    m_entries.RemoveAt(m_entries.IndexOfName(LowerCase(name)));
    return Add(name, description, body);
}

int TCodeTemplateList::Delete(std::string_view name) {
    std::string key = LowerCase(name);
    int index = m_entries.IndexOfName(key);
    if (index < 0) return -1;
    m_entries.RemoveAt(index);
    m_templates.Remove(key);
    return std::min(index, m_entries.Count() - 1);
}

} // namespace quarno
