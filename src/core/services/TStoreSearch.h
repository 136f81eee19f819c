// Search over a document store with the option word of the editing control's
// find entry: the plain search or the regular-expression engine, matching
// case and whole words, in either direction. One object keeps both engines,
// so patterns and skip tables are compiled once.
#pragma once

#include "core/services/SearchCharacters.h"
#include "core/services/TPlainSearch.h"
#include "core/services/TREParser.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarno {

class TStoreText;
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

class TStoreSearch {
public:
    TStoreSearch();

    // The word-character tests (defaults: letters and "_" start a word;
    // letters, digits, "_", "'" and "-" continue it). Whole-word search
    // rejects a match whose neighbour continues a word.
    void SetCharStartsWord(TWordCharTest test) { m_startsWord = std::move(test); }
    void SetCharIsInWord(TWordCharTest test) { m_isInWord = std::move(test); }
    const TWordCharTest& CharStartsWord() const { return m_startsWord; }
    const TWordCharTest& CharIsInWord() const { return m_isInWord; }

    // The first match from a position (forwards, or backwards with
    // foBackward); raises EREParser for an invalid pattern. An empty plain
    // text finds nothing. extra, when set, must accept the match as well.
    std::optional<TFindMatch> Search(const TTextStore& store, int from, uint32_t options,
                                     std::string_view text, const TMatchFilter& extra = {});
    // The next forward match from from when the previous one ended at
    // previousEnd: an empty match right there is passed over, so walking
    // through every match always advances.
    std::optional<TFindMatch> SearchNext(const TTextStore& store, int from, int previousEnd,
                                         uint32_t options, std::string_view text);
    // The same two through a reader that successive searches of an
    // unchanged store share (walking through every match reads the text once).
    std::optional<TFindMatch> Search(TStoreText& storeText, int from, uint32_t options,
                                     std::string_view text, const TMatchFilter& extra = {});
    std::optional<TFindMatch> SearchNext(TStoreText& storeText, int from, int previousEnd,
                                         uint32_t options, std::string_view text);

    // The text that replaces the last match: for a regular expression with
    // its substitutions filled in.
    std::string Insertion(uint32_t options, std::string_view replacement) const;
    // What to show for an engine error: for a syntax error of the last
    // pattern its message, the pattern and a caret line under the failure.
    std::string ErrorText(const EREParser& error) const;

    TREParser& RegExpr() { return m_regExpr; }
    TPlainSearch& Plain() { return m_plain; }

private:
    bool IsWholeWord(TStoreText& text, int start, int end) const;

    TREParser m_regExpr;
    TPlainSearch m_plain;
    TWordCharTest m_startsWord;
    TWordCharTest m_isInWord;
};

} // namespace quarno
