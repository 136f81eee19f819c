// A control showing a document store. Only one of the controls showing a
// store receives its notifications (bookmarks, marks, breakpoints); when that
// one lets the store go, another takes them over.
#pragma once

namespace quarno {

class IStoreView {
public:
    // Start receiving the store's notifications.
    virtual void TakeStoreEvents() = 0;

protected:
    ~IStoreView() = default;
};

} // namespace quarno
