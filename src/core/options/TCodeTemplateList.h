// The rules of the code templates page: the list of templates ("name<TAB>
// description", names in lower case), the states of its two buttons for the
// name, description and body being edited, adding, replacing and deleting
// templates, and the hot key that expands them. Every change goes straight
// into the templates object.
#pragma once

#include "core/options/TEntryList.h"
#include "core/services/TCodeTemplates.h"

#include <string>
#include <string_view>

namespace quarno {

class TCodeTemplateList {
public:
    // The object must outlive the list.
    explicit TCodeTemplateList(TCodeTemplates& templates);

    const TEntryList& Entries() const { return m_entries; }
    // The stored body of a listed entry.
    std::string Body(int index) const;
    // Both buttons off without a name; "Add" for a name not listed; else the
    // second button: "Replace" when the description or the body differs from
    // the stored ones, "Delete" when neither does.
    TEntryButtons Buttons(std::string_view name, std::string_view description,
                          std::string_view body) const;
    // Each answers the entry to select afterwards (-1: none). Replace and
    // Delete work on the template of the name typed.
    int Add(std::string_view name, std::string_view description, std::string_view body);
    int Replace(std::string_view name, std::string_view description, std::string_view body);
    int Delete(std::string_view name);

    uint16_t HotKey() const { return m_templates.HotKey(); }
    void SetHotKey(uint16_t shortCut) { m_templates.SetHotKey(shortCut); }

private:
    TCodeTemplates& m_templates;
    TEntryList m_entries;
};

} // namespace quarno
