// Texts with the caret marked, for editing-engine tests: "ab|c" is the text
// "abc" with the caret after "b"; "^" marks the anchor of a non-empty
// selection; "\n" stands for the stored line break CR.
#pragma once

#include "core/editor/TCustomLexipad.h"

#include <string>

namespace quarno::test {

inline void SetCaretText(TCustomLexipad& pad, const std::string& marked) {
    std::string text;
    int caret = -1;
    int anchor = -1;
    for (char c : marked) {
        if (c == '|')
            caret = static_cast<int>(text.size());
        else if (c == '^')
            anchor = static_cast<int>(text.size());
        else
            text += c == '\n' ? '\r' : c;
    }
    pad.SetText(text);
    if (caret < 0) caret = 0;
    pad.SetSelection(anchor < 0 ? caret : anchor, caret);
}

inline std::string CaretText(const TCustomLexipad& pad) {
    std::string text = pad.Text();
    TUndoSelection selection = pad.Selection();
    std::string marked;
    for (int i = 0; i <= static_cast<int>(text.size()); ++i) {
        if (i == selection.anchor && selection.anchor != selection.caret) marked += '^';
        if (i == selection.caret) marked += '|';
        if (i < static_cast<int>(text.size()))
            marked += text[static_cast<size_t>(i)] == '\r' ? '\n' : text[static_cast<size_t>(i)];
    }
    return marked;
}

} // namespace quarno::test
