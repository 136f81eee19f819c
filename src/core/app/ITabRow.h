// The row of tabs above the editor as the document commands see it: one tab
// per document, in the order of the documents.
#pragma once

#include <string>

namespace quarno {

class ITabRow {
public:
    virtual ~ITabRow() = default;

    virtual int Count() const = 0;
    // Appends a tab; the selection does not move.
    virtual void Add(const std::string& caption) = 0;
    virtual void Delete(int index) = 0;
    virtual void SetCaption(int index, const std::string& caption) = 0;
    // The text shown while the pointer rests on a tab.
    virtual void SetHint(int index, const std::string& hint) = 0;
    // -1 when there is no tab.
    virtual int Selected() const = 0;
    // Selecting does not report a tab change back to the documents.
    virtual void Select(int index) = 0;
};

} // namespace quarno
