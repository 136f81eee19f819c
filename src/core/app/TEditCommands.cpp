// The main window's editing commands.
#include "core/app/TEditCommands.h"

#include "core/app/IDocumentsView.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"

namespace quarno {

namespace {

constexpr int kUndoAction = caUNDO;
constexpr int kRedoAction = caREDO;

char Raised(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char Lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string ConvertCase(std::string_view text, TCaseConversion conversion) {
    std::string result(text);
    for (char& c : result)
        c = conversion == TCaseConversion::Upper ? Raised(c) : Lowered(c);
    if (conversion == TCaseConversion::Capitalise && !result.empty()) result[0] = Raised(result[0]);
    return result;
}

void ConvertSelection(TCustomLexipad& editor, TCaseConversion conversion) {
    if (editor.SelLength() <= 0) return;
    editor.ReplaceSelection(ConvertCase(editor.SelectedText(), conversion));
}

void DeleteSelection(TCustomLexipad& editor) {
    if (editor.SelLength() > 0) editor.ReplaceSelection({});
}

void UndoCommand(TCustomLexipad& editor) {
    editor.Perform(EM_UNDO);
}

void RedoCommand(TCustomLexipad& editor) {
    editor.Perform(LPM_REDO);
}

int BookmarkFromCaption(std::string_view caption) {
    if (caption.empty()) return -1;
    char last = caption.back();
    return last >= '0' && last <= '9' ? last - '0' : -1;
}

void ToggleBookmarkCommand(TCustomLexipad& editor, std::string_view caption) {
    int index = BookmarkFromCaption(caption);
    if (index >= 0) editor.SetBookmark(index);
}

void GotoBookmarkCommand(TCustomLexipad& editor, std::string_view caption) {
    int index = BookmarkFromCaption(caption);
    int line = 0;
    int column = 0;
    if (index >= 0 && editor.GetBookmark(index, line, column)) editor.GotoBookmark(index);
}

void TakeKeyboardCommand(TCustomLexipad& editor, int& actionCode) {
    if (actionCode == kUndoAction)
        UndoCommand(editor);
    else if (actionCode == kRedoAction)
        RedoCommand(editor);
    else
        return;
    actionCode = -1;
}

TEditItemStates EditItemStates(const TDocumentStatus& status) {
    TEditItemStates states;
    states.undo = status.canUndo;
    states.redo = status.canRedo;
    states.cut = status.hasSelection;
    states.copy = status.hasSelection;
    states.paste = status.canPaste;
    states.deleteSelection = status.hasSelection;
    return states;
}

} // namespace quarno
