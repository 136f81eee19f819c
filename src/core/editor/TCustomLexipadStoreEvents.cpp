// The editing engine: the attached store's notifications (named bookmarks,
// range marks, breakpoints) raised as the control's events.
#include "core/editor/TCustomLexipad.h"

namespace quarno {

// The store calls back into the control it is attached to; the handlers read
// the event members when they fire, so events assigned later are seen too.
void TCustomLexipad::ConnectStoreEvents() {
    TTextStore& store = *m_store;
    store.NamedBookmarks().OnFree = [this](const std::string& name) {
        if (OnCustomBookmarkFree) OnCustomBookmarkFree(*this, name);
    };
    TRangeMarks& marks = store.RangeMarks();
    marks.OnChange = [this](TRangeMark& mark) {
        if (OnMarkChange) OnMarkChange(*this, mark);
    };
    marks.OnFree = [this](TRangeMark& mark) {
        if (OnMarkFree) OnMarkFree(*this, mark);
    };
    for (TLP_Breakpoints* list : {static_cast<TLP_Breakpoints*>(&store.Breakpoints()),
                                  static_cast<TLP_Breakpoints*>(&store.CodeBreak())}) {
        list->OnFree = [this](TLP_BreakpointData& data) {
            if (OnBreakpointFree) OnBreakpointFree(*this, data);
        };
        list->OnStateChange = [this](TLP_BreakpointData& data) {
            if (OnBreakpointStateChange) OnBreakpointStateChange(*this, data);
        };
    }
}

// A store this control leaves must not call back into it; another control
// still showing the store takes the notifications over.
void TCustomLexipad::DisconnectStoreEvents() {
    TTextStore& store = *m_store;
    store.NamedBookmarks().OnFree = nullptr;
    if (store.HasRangeMarks()) {
        store.RangeMarks().OnChange = nullptr;
        store.RangeMarks().OnFree = nullptr;
    }
    for (TLP_Breakpoints* list : {static_cast<TLP_Breakpoints*>(&store.Breakpoints()),
                                  static_cast<TLP_Breakpoints*>(&store.CodeBreak())}) {
        list->OnFree = nullptr;
        list->OnStateChange = nullptr;
    }
    for (IStoreView* view : store.Views())
        if (view != this) {
            view->TakeStoreEvents();
            break;
        }
}

} // namespace quarno
