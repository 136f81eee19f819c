// The editing engine: data dropped on the control (text, HTML, files) and the
// end of a drag of its selection.
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"

#include <algorithm>

namespace quarno {

namespace {

// The first data type a drop reads, in order of preference.
TSourceType TakenType(TSourceTypes usable) {
    for (TSourceType type : {stHtml, stText, stUnicodeText, stFiles})
        if (usable & type) return type;
    return TSourceType(0);
}

} // namespace

bool TCustomLexipad::DropOntoSelection(int position, bool copy) const {
    int start = SelStart();
    int end = start + SelLength();
    if (start == end) return false;
    // Moving the text to either of its own edges would change nothing.
    return copy ? position > start && position < end : position >= start && position <= end;
}

TDropResult TCustomLexipad::DropData(const TDropObj& data, const TDropRequest& request) {
    ChangeStep step(*this);
    TSourceTypes types = request.available | stInsertAsText | stDrop;
    if (OnDataDrop) OnDataDrop(*this, types);
    TSourceType taken = TakenType(types & data.Available());
    if (taken == 0) return TDropResult::Refused;
    std::string text;
    if (taken == stFiles) {
        std::vector<std::string> files = data.files;
        if ((types & stDrop) && HasOption(smoProcessDroppedFiles) && OnFilesDropped) {
            OnFilesDropped(*this, files, request.point);
            if (!(types & stInsertAsText)) return TDropResult::FilesTaken;
        }
        TDropObj list;
        list.files = std::move(files);
        text = list.Joined(stFiles);
    } else {
        text = data.Joined(taken);
        if (taken == stHtml && !(types & stInsertAsText)) text = ExtractHtmlFragment(text, types);
    }
    return InsertDropped(text, request);
}

// A move deletes the selection and inserts at the drop position (corrected
// for the deleted text); a copy or a drop from outside only inserts. Either
// is one undo step. The moved or dropped text ends selected; a copy within
// the control keeps the selection it copied.
TDropResult TCustomLexipad::InsertDropped(const std::string& text, const TDropRequest& request) {
    int position = std::clamp(request.position, 0, CharCount());
    if (request.fromSelf && DropOntoSelection(position, request.copy)) return TDropResult::Refused;
    if (m_readOnly || text.empty()) return TDropResult::Ignored;
    TUndoSelection copied = m_selection;
    bool move = request.fromSelf && !request.copy && SelLength() > 0;
    {
        TUndoGroup group(*this, ucDrop);
        if (move) {
            int start = SelStart();
            int length = SelLength();
            ReplaceSelection({});
            if (position >= start + length) position -= length;
        }
        SetSelection(position, position, false);
        ReplaceSelection(text);
    }
    int end = m_selection.caret;
    int inserted = end - position;
    if (request.fromSelf && request.copy) {
        auto shift = [&](int at) { return at >= position ? at + inserted : at; };
        SetSelection(shift(copied.anchor), shift(copied.caret));
    } else {
        SetSelection(position, end);
    }
    ScrollCaret();
    return TDropResult::Inserted;
}

void TCustomLexipad::DragMovedAway() {
    if (m_readOnly || SelLength() == 0) return;
    ChangeStep step(*this);
    ReplaceSelection({});
    ScrollCaret();
}

} // namespace quarno
