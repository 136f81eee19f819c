// The main window's editing commands on its editor: undo and redo, delete,
// case conversion of the selection, bookmarks chosen by a menu caption, the
// keyboard-command hook, and which Edit items are enabled.
#pragma once

#include <string>
#include <string_view>

namespace quarno {

class TCustomLexipad;
struct TDocumentStatus;

enum class TCaseConversion { Upper, Lower, Capitalise };

// Upper: letters a to z raised; Lower: A to Z lowered; Capitalise: the whole
// text lowered, then its first character raised. Other bytes stay.
std::string ConvertCase(std::string_view text, TCaseConversion conversion);

// Replaces a non-empty selection by its converted form as one undo step; the
// inserted text stays as the editor's replacement leaves it.
void ConvertSelection(TCustomLexipad& editor, TCaseConversion conversion);

// Removes the selection; with nothing selected nothing happens (the
// character at the caret stays).
void DeleteSelection(TCustomLexipad& editor);

// The editor's undo (EM_UNDO) and redo (LPM_REDO).
void UndoCommand(TCustomLexipad& editor);
void RedoCommand(TCustomLexipad& editor);

// The bookmark a pop-up item names by the last character of its caption
// ("Bookmark &3" names 3); -1 when that is not a digit.
int BookmarkFromCaption(std::string_view caption);
// Toggle at the caret / go to the bookmark the caption names; a caption
// naming none, or a bookmark that is not set, changes nothing.
void ToggleBookmarkCommand(TCustomLexipad& editor, std::string_view caption);
void GotoBookmarkCommand(TCustomLexipad& editor, std::string_view caption);

// The editor recognised a keyboard command: undo (41) and redo (42) run the
// window's own commands and the code becomes -1 so the editor does nothing
// more; other codes pass through.
void TakeKeyboardCommand(TCustomLexipad& editor, int& actionCode);

// The enabled state of the Edit menu's and the editor pop-up's items, from
// the status refresh (the tool buttons' states) and the selection.
struct TEditItemStates {
    bool undo = false;
    bool redo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool deleteSelection = false;
};
TEditItemStates EditItemStates(const TDocumentStatus& status);

} // namespace quarno
