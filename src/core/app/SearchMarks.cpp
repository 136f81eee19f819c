// The marks of Show all.
#include "core/app/SearchMarks.h"

#include "core/document/TRangeMarks.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TLexipadGuards.h"
#include "core/services/TStoreSearch.h"

namespace quarno {

bool IsSearchMark(const TRangeMark& mark) {
    return mark.value == kSearchMarkTag;
}

int RemoveSearchMarks(TCustomLexipad& editor) {
    TTextStore& store = editor.Store();
    if (!store.HasRangeMarks()) return 0;
    TUpdateLock lock(editor);
    return store.RangeMarks().DeleteIf(IsSearchMark);
}

int MarkSearchMatches(TCustomLexipad& editor, const std::string& text, uint32_t options) {
    options = (options | foSearchNow) & ~static_cast<uint32_t>(foBackward);
    TUpdateLock lock(editor);
    RemoveSearchMarks(editor);
    TUndoSelection kept = editor.Selection();
    int top = editor.TopLine();
    int left = editor.LeftCol();
    int marked = 0;
    {
        // One step budget for the whole walk, so that it ends in time
        // however many matches there are.
        TREParser::TRun run(editor.SearchEngine().RegExpr());
        editor.SetSelection(0, 0, false);
        while (editor.Find(options, text) >= 0) {
            int start = editor.SelStart();
            int length = editor.SelLength();
            if (length > 0) {
                editor.Store().RangeMarks().Add(start, length, kSearchMarkTag);
                ++marked;
            }
            editor.SetSelection(start + length, start + length, false);
        }
    }
    editor.SetSelection(kept.anchor, kept.caret, false);
    editor.SetTopLine(top);
    editor.SetLeftCol(left);
    return marked;
}

} // namespace quarno
