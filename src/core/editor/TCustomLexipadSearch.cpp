// The editing engine: the find entry, the replace variant the dialogs use and
// Replace All, over the store search it keeps.
#include "core/document/TextNormalization.h"
#include "core/editor/ILexipadView.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"
#include "core/editor/TLexipadGuards.h"
#include "core/services/TStoreSearch.h"
#include "core/services/TStoreText.h"

namespace quarno {

TStoreSearch& TCustomLexipad::SearchEngine() {
    if (!m_search) {
        m_search = std::make_unique<TStoreSearch>();
        m_search->SetCharStartsWord([this](char c) { return CharStartsWord(c); });
        m_search->SetCharIsInWord([this](char c) { return CharIsInWord(c); });
    }
    return *m_search;
}

void TCustomLexipad::ReportSearchError(const EREParser& error) {
    m_patternFailed = true;
    m_searchError = SearchEngine().ErrorText(error);
    if (m_view) m_view->ShowSearchError(m_searchError);
}

int TCustomLexipad::Find(uint32_t options, std::string_view text) {
    if (!(options & foSearchNow)) {
        if (m_view) m_view->ShowFindDialog(DialogPreset(options, text), options);
        return -1;
    }
    m_patternFailed = false;
    int from = (options & foBackward) ? SelStart() : SelStart() + SelLength();
    std::optional<TFindMatch> match;
    try {
        match = SearchEngine().Search(Store(), from, options, text, [from](int start, int end) {
            return start != end || start != from;
        });
    } catch (const EREParser& error) {
        ReportSearchError(error);
        return -1;
    }
    if (!match) return -1;
    SetSelection(match->start, match->end);
    ScrollCaret();
    return match->start;
}

void TCustomLexipad::ReplaceDialog(uint32_t options, std::string_view text) {
    if (m_view) m_view->ShowReplaceDialog(DialogPreset(options, text), options);
}

std::string TCustomLexipad::SearchFailMessage(std::string_view searchString) {
    return "Search string \"" + std::string(searchString) + "\" not found.";
}

std::optional<std::string> TCustomLexipad::FindReplace(uint32_t options, std::string_view text,
                                                       std::string_view replacement) {
    if (Find(options | foSearchNow, text) < 0) return std::nullopt;
    return SearchEngine().Insertion(options, replacement);
}

std::optional<TFindMatch> TCustomLexipad::NextReplaceMatch(uint32_t options, std::string_view text,
                                                           int previousEnd) {
    if (options & foBackward) {
        try {
            return SearchEngine().Search(Store(), SelStart(), options, text);
        } catch (const EREParser& error) {
            ReportSearchError(error);
            return std::nullopt;
        }
    }
    TStoreText storeText(Store());
    return NextMatchIn(storeText, options, text, SelStart() + SelLength(), previousEnd);
}

// The next forward match from from; nothing after an engine error, which is
// reported.
std::optional<TFindMatch> TCustomLexipad::NextMatchIn(TStoreText& storeText, uint32_t options,
                                                      std::string_view text, int from,
                                                      int previousEnd) {
    try {
        return SearchEngine().SearchNext(storeText, from, previousEnd, options, text);
    } catch (const EREParser& error) {
        ReportSearchError(error);
        return std::nullopt;
    }
}

int TCustomLexipad::ReplaceAll(uint32_t options, std::string_view text,
                               std::string_view replacement, const TReplacePrompt& prompt) {
    options |= foSearchNow;
    m_patternFailed = false;
    int replaced = prompt || (options & foBackward)
                       ? ReplaceEachMatch(options, text, replacement, prompt)
                       : ReplaceEveryMatch(options, text, replacement);
    SetSelection(m_selection.anchor, m_selection.caret);
    ScrollCaret();
    return replaced;
}

// Without questions: the matches are found in the text as it stands and the
// span from the first to the end of the last is replaced once by the text
// they make, so one undo step holds the old span and the new one (a small
// multiple of the text, however many matches there are).
int TCustomLexipad::ReplaceEveryMatch(uint32_t options, std::string_view text,
                                      std::string_view replacement) {
    TStoreSearch& search = SearchEngine();
    std::string changed; // the new text of [first, copied), normalised
    int first = -1;
    int copied = 0; // the end of the last match
    int replaced = 0;
    {
        TREParser::TRun run(search.RegExpr());
        TStoreText original(Store());
        int from = 0;
        int previousEnd = -1;
        while (std::optional<TFindMatch> match =
                   NextMatchIn(original, options, text, from, previousEnd)) {
            if (first < 0) first = copied = match->start;
            original.AppendRange(copied, match->start, changed);
            changed += NormalizeText(search.Insertion(options, replacement));
            copied = from = previousEnd = match->end;
            ++replaced;
        }
    }
    if (replaced == 0) {
        SetSelection(0, 0, false);
        return 0;
    }
    ChangeStep step(*this);
    TUpdateLock lock(*this);
    TUndoGroup group(*this, ucOwnerEdit);
    SetSelection(first, copied, false);
    ReplaceRangeNormalized(first, copied, std::move(changed));
    return replaced;
}

// One match at a time, each replaced (when the prompt says so) before the
// next is looked for.
int TCustomLexipad::ReplaceEachMatch(uint32_t options, std::string_view text,
                                     std::string_view replacement, const TReplacePrompt& prompt) {
    int replaced = 0;
    // Opened at the first replacement, so a run that changes nothing leaves
    // no empty step in the undo log.
    std::optional<TUndoGroup> group;
    TUpdateLock lock(*this, !prompt);
    TREParser::TRun run(SearchEngine().RegExpr());
    SetSelection(0, 0, false);
    int previousEnd = -1;
    while (std::optional<TFindMatch> match = NextReplaceMatch(options, text, previousEnd)) {
        SetSelection(match->start, match->end, false);
        std::string insertion = SearchEngine().Insertion(options, replacement);
        TReplaceAnswer answer =
            prompt ? prompt(Store().TextRange(match->start, match->end), insertion) : raYes;
        if (answer == raCancel) break;
        if (answer == raYes) {
            if (!group) group.emplace(*this, ucOwnerEdit);
            ReplaceSelection(insertion);
            ++replaced;
        }
        int end = SelStart() + SelLength();
        SetSelection(end, end, false);
        previousEnd = end;
        if (options & foBackward) break; // a backward run never meets a further match
    }
    return replaced;
}

std::string TCustomLexipad::DialogPreset(uint32_t options, std::string_view text) const {
    if (SelLength() > 0 && !(options & foRegExpr)) {
        std::string selected = Store().TextRange(SelStart(), SelStart() + SelLength());
        if (selected.find('\r') == std::string::npos) return selected;
    }
    return std::string(text);
}

} // namespace quarno
