// The editing control's search operations: the find entry (behind LPM_FIND)
// that runs the plain or the regular-expression search from the selection
// and selects the match, the replace variant the find and replace dialogs
// use, and Replace All as one undo step. One object per control keeps both
// engines, so patterns and skip tables are compiled once.
#pragma once

#include "services/SearchCharacters.h"
#include "services/TPlainSearch.h"
#include "services/TREParser.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quarno {

class TCustomLexipad;
class TTextStore;

// Bits of the find entry's option word.
enum TFindOption : uint32_t {
    foSearchNow = 0x08, // clear: open the find dialog preset with the text instead
    foMatchCase = 0x10,
    foRegExpr = 0x20,
    foWholeWord = 0x40,
    foBackward = 0x80, // from the selection start backwards (clear: forwards from its end)
};

struct TFindMatch {
    int start = -1;
    int end = -1;
};

enum TReplaceAnswer { raYes, raNo, raCancel };

// Asked before each replacement of a prompting Replace All, with the found
// text and the text that would replace it.
using TReplacePrompt =
    std::function<TReplaceAnswer(const std::string& found, const std::string& replacement)>;

class TLexipadSearch {
public:
    TLexipadSearch();

    // The word-character tests (defaults: letters and "_" start a word;
    // letters, digits, "_", "'" and "-" continue it). Whole-word search
    // rejects a match whose neighbour continues a word.
    void SetCharStartsWord(TWordCharTest test) { m_startsWord = std::move(test); }
    void SetCharIsInWord(TWordCharTest test) { m_isInWord = std::move(test); }
    const TWordCharTest& CharStartsWord() const { return m_startsWord; }
    const TWordCharTest& CharIsInWord() const { return m_isInWord; }

    // The find entry: with foSearchNow, searches from the selection (its
    // start backwards, its end forwards), selects the match and answers its
    // start (an empty match right at the search start does not count, so
    // searching again moves on); -1 when nothing is found or the pattern is
    // invalid (then OnSearchError shows the engine's message). Without
    // foSearchNow it asks OnFindDialog to open the find dialog and answers -1.
    int Find(TCustomLexipad& pad, uint32_t options, std::string_view text);
    // Asks OnReplaceDialog to open the replace dialog, preset as Find does.
    void ReplaceDialog(TCustomLexipad& pad, uint32_t options, std::string_view text);
    // The replace variant: as Find, and the text to insert for the selected
    // match (for a regular expression with its substitutions filled in).
    std::optional<std::string> FindReplace(TCustomLexipad& pad, uint32_t options,
                                           std::string_view text, std::string_view replacement);
    // Replaces every match from the text start on as one undo step (group
    // 34); with a prompt, each replacement is asked for and Cancel stops.
    // Answers the number of replacements.
    int ReplaceAll(TCustomLexipad& pad, uint32_t options, std::string_view text,
                   std::string_view replacement, const TReplacePrompt& prompt = {});

    // The search alone, without touching a selection; raises EREParser.
    std::optional<TFindMatch> Search(const TTextStore& store, int from, uint32_t options,
                                     std::string_view text);
    // The next forward match from from when the previous one ended at
    // previousEnd: an empty match right there is passed over, so walking
    // through every match always advances.
    std::optional<TFindMatch> SearchNext(const TTextStore& store, int from, int previousEnd,
                                         uint32_t options, std::string_view text);

    // The text the find dialog is opened with: the selection when it is not
    // empty, lies on one line and regular expressions are off; else text.
    static std::string DialogPreset(const TCustomLexipad& pad, uint32_t options,
                                    std::string_view text);

    // What the built-in dialogs say when a search finds nothing:
    // Search string "text" not found.
    static std::string SearchFailMessage(std::string_view searchString);
    // Whether the last Find, FindReplace or ReplaceAll stopped on an invalid
    // pattern (already reported through OnSearchError) rather than finding
    // nothing.
    bool PatternFailed() const { return m_patternFailed; }

    TREParser& RegExpr() { return m_regExpr; }
    TPlainSearch& Plain() { return m_plain; }

    // Shows an engine error: its message, the pattern and a caret line.
    std::function<void(const std::string& message)> OnSearchError;
    // Open the control's built-in find or replace dialog with a search text
    // and the option word it was asked with.
    std::function<void(const std::string& preset, uint32_t options)> OnFindDialog;
    std::function<void(const std::string& preset, uint32_t options)> OnReplaceDialog;

private:
    // As Search; extra, when set, must accept the match as well.
    std::optional<TFindMatch> SearchWith(const TTextStore& store, int from, uint32_t options,
                                         std::string_view text, const TMatchFilter& extra);
    bool IsWholeWord(const TTextStore& store, int start, int end) const;
    std::string Insertion(uint32_t options, std::string_view replacement) const;
    void Report(const EREParser& error);

    TREParser m_regExpr;
    TPlainSearch m_plain;
    TWordCharTest m_startsWord;
    TWordCharTest m_isInWord;
    bool m_patternFailed = false;
};

} // namespace quarno
