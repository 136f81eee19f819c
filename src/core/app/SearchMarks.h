// The marks of Show all: a range mark over every match of a search, carrying
// the search-mark tag so that the window draws it and removes it again.
#pragma once

#include <cstdint>
#include <string>

namespace quarno {

class TCustomLexipad;
struct TRangeMark;

constexpr int32_t kSearchMarkTag = 0x123456;

bool IsSearchMark(const TRangeMark& mark);

// Marks every match of text (TFindOption bits; always forwards from the text
// start) after removing the search marks already there, so that marks never
// pile up. Empty matches get no mark. The selection and the view stay where
// they were. An invalid pattern ends the walk (the control has reported it:
// PatternFailed). Answers the number of marks.
int MarkSearchMatches(TCustomLexipad& editor, const std::string& text, uint32_t options);
// Removes every search mark of the shown document; answers how many went.
int RemoveSearchMarks(TCustomLexipad& editor);

} // namespace quarno
