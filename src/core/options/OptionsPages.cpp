// The pages of the editor options dialog.
#include "core/options/OptionsPages.h"

namespace quarno {

TOptionsPages FirstOptionsPage(TOptionsPages pages) {
    if (pages & opHighlighting) return opHighlighting;
    for (TOptionsPage page : kOptionsPageOrder)
        if (pages & page) return page;
    return 0;
}

const char* OptionsPageCaption(TOptionsPage page) {
    switch (page) {
    case opOptions: return "Options";
    case opHighlighting: return "Highlighting";
    case opKeyAssignments: return "Key assignments";
    case opAutoCorrect: return "Auto correct";
    case opCodeTemplates: return "Code templates";
    }
    return "";
}

} // namespace quarno
