// A sorted list of two-column entries, "name<TAB>value", as the auto
// correct and code template pages show them: sorted without regard to case,
// found by whole entry or by name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarno {

class TEntryList {
public:
    static std::string Entry(std::string_view name, std::string_view value);

    const std::vector<std::string>& Items() const { return m_items; }
    int Count() const { return static_cast<int>(m_items.size()); }
    std::string Name(int index) const;
    std::string Value(int index) const;

    // Inserts in sorted place; answers the index.
    int Insert(const std::string& entry);
    void RemoveAt(int index);
    // The index of exactly this entry, or -1.
    int IndexOf(std::string_view entry) const;
    // The first entry starting with name + TAB, or -1.
    int IndexOfName(std::string_view name) const;

private:
    std::vector<std::string> m_items;
};

// What the two buttons of the auto correct and code template pages offer:
// the first one is always "Add".
struct TEntryButtons {
    bool addEnabled = false;
    bool secondEnabled = false;
    std::string secondCaption = "Delete"; // "Delete" or "Replace"
    int select = -1;                      // an entry to select, -1: leave the selection
    bool operator==(const TEntryButtons&) const = default;
};

} // namespace quarno
