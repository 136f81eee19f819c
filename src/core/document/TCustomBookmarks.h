// Named bookmarks: positions in the text under a name, ordered by position,
// that follow the text as it is edited.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace quarno {

class TCustomBookmarks {
public:
    // Raised with the name of every bookmark removed by an edit or Clear.
    std::function<void(const std::string& name)> OnFree;

    // Sets a bookmark; a bookmark of the same name is replaced.
    void Add(const std::string& name, int position);
    void Remove(const std::string& name);
    // The bookmark's position, or -1.
    int Find(const std::string& name) const;
    // Names in position order.
    std::multimap<int, std::string> ByPosition() const;
    int Count() const { return static_cast<int>(m_positions.size()); }
    void Clear();

    void ShiftForInsert(int position, int count);
    void ShiftForDelete(int position, int count);

private:
    std::map<std::string, int> m_positions; // sorted by name
};

} // namespace quarno
