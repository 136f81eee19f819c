// The editing control's search operations.
#include "services/TLexipadSearch.h"

#include "editor/TCustomLexipad.h"
#include "editor/TUndoRecord.h"
#include "services/TStoreText.h"

#include <algorithm>

namespace quarno {

namespace {

// Keeps the control's compound undo group open for a scope.
class UndoGroup {
public:
    UndoGroup(TCustomLexipad& pad, int code) : m_pad(pad), m_code(code) {
        m_pad.BeginUndoGroup(code);
    }
    ~UndoGroup() { m_pad.EndUndoGroup(m_code); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    TCustomLexipad& m_pad;
    int m_code;
};

// Suspends painting for a scope when asked to.
class PaintLock {
public:
    PaintLock(TCustomLexipad& pad, bool lock) : m_pad(pad), m_locked(lock) {
        if (m_locked) m_pad.LockUpdate(true);
    }
    ~PaintLock() {
        if (m_locked) m_pad.LockUpdate(false);
    }
    PaintLock(const PaintLock&) = delete;
    PaintLock& operator=(const PaintLock&) = delete;

private:
    TCustomLexipad& m_pad;
    bool m_locked;
};

} // namespace

TLexipadSearch::TLexipadSearch()
    : m_startsWord(DefaultCharStartsWord), m_isInWord(DefaultCharIsInWord) {}

bool TLexipadSearch::IsWholeWord(const TTextStore& store, int start, int end) const {
    TStoreText text(store);
    int before = text.At(start - 1);
    int after = text.At(end);
    return !(before >= 0 && m_isInWord(static_cast<char>(before))) &&
           !(after >= 0 && m_isInWord(static_cast<char>(after)));
}

std::optional<TFindMatch> TLexipadSearch::Search(const TTextStore& store, int from,
                                                 uint32_t options, std::string_view text) {
    return SearchWith(store, from, options, text, {});
}

std::optional<TFindMatch> TLexipadSearch::SearchWith(const TTextStore& store, int from,
                                                     uint32_t options, std::string_view text,
                                                     const TMatchFilter& extra) {
    if (text.empty() && !(options & foRegExpr))
        return std::nullopt; // (an empty regular expression is the engine's "Invalid parameter")
    bool forward = (options & foBackward) == 0;
    bool matchCase = (options & foMatchCase) != 0;
    bool wholeWord = (options & foWholeWord) != 0;
    if (options & foRegExpr) {
        m_regExpr.SetMatchCase(matchCase);
        if (!m_regExpr.SetPattern(text))
            throw EREParser(m_regExpr.LastError(), m_regExpr.ErrorPosition());
        TMatchFilter accept = [&](int start, int end) {
            return (!wholeWord || IsWholeWord(store, start, end)) && (!extra || extra(start, end));
        };
        if (!m_regExpr.Search(store, from, forward, accept)) return std::nullopt;
        return TFindMatch{m_regExpr.MatchStart(), m_regExpr.MatchEnd()};
    }
    m_plain.SetPattern(text, matchCase);
    TStoreText storeText(store);
    const TWordCharTest* test = wholeWord ? &m_isInWord : nullptr;
    int start = forward ? m_plain.FindForward(storeText, from, test)
                        : m_plain.FindBackward(storeText, from, test);
    if (start < 0) return std::nullopt;
    return TFindMatch{start, start + m_plain.Length()};
}

std::optional<TFindMatch> TLexipadSearch::SearchNext(const TTextStore& store, int from,
                                                     int previousEnd, uint32_t options,
                                                     std::string_view text) {
    options &= ~static_cast<uint32_t>(foBackward);
    return SearchWith(store, from, options, text, [previousEnd](int start, int end) {
        return start != end || start != previousEnd;
    });
}

void TLexipadSearch::Report(const EREParser& error) {
    m_patternFailed = true;
    if (!OnSearchError) return;
    bool syntax = error.Position() >= 0 && error.Error() == m_regExpr.LastError();
    OnSearchError(syntax ? m_regExpr.ErrorText() : std::string(error.what()));
}

int TLexipadSearch::Find(TCustomLexipad& pad, uint32_t options, std::string_view text) {
    if (!(options & foSearchNow)) {
        if (OnFindDialog) OnFindDialog(DialogPreset(pad, options, text), options);
        return -1;
    }
    m_patternFailed = false;
    int from = (options & foBackward) ? pad.SelStart() : pad.SelStart() + pad.SelLength();
    std::optional<TFindMatch> match;
    try {
        match = SearchWith(pad.Store(), from, options, text,
                           [from](int start, int end) { return start != end || start != from; });
    } catch (const EREParser& error) {
        Report(error);
        return -1;
    }
    if (!match) return -1;
    pad.SetSelection(match->start, match->end);
    pad.ScrollCaret();
    return match->start;
}

void TLexipadSearch::ReplaceDialog(TCustomLexipad& pad, uint32_t options, std::string_view text) {
    if (OnReplaceDialog) OnReplaceDialog(DialogPreset(pad, options, text), options);
}

std::string TLexipadSearch::SearchFailMessage(std::string_view searchString) {
    return "Search string \"" + std::string(searchString) + "\" not found.";
}

std::string TLexipadSearch::Insertion(uint32_t options, std::string_view replacement) const {
    if (options & foRegExpr) return m_regExpr.Substitute(replacement);
    return std::string(replacement);
}

std::optional<std::string> TLexipadSearch::FindReplace(TCustomLexipad& pad, uint32_t options,
                                                       std::string_view text,
                                                       std::string_view replacement) {
    if (Find(pad, options | foSearchNow, text) < 0) return std::nullopt;
    return Insertion(options, replacement);
}

int TLexipadSearch::ReplaceAll(TCustomLexipad& pad, uint32_t options, std::string_view text,
                               std::string_view replacement, const TReplacePrompt& prompt) {
    options |= foSearchNow;
    m_patternFailed = false;
    bool backward = (options & foBackward) != 0;
    int replaced = 0;
    {
        // Opened at the first replacement, so a run that changes nothing
        // leaves no empty step in the undo log.
        std::optional<UndoGroup> group;
        PaintLock lock(pad, !prompt);
        TREParser::TRun run(m_regExpr);
        pad.SetSelection(0, 0, false);
        int previousEnd = -1;
        for (;;) {
            std::optional<TFindMatch> match;
            try {
                int from = backward ? pad.SelStart() : pad.SelStart() + pad.SelLength();
                match = backward ? Search(pad.Store(), from, options, text)
                                 : SearchNext(pad.Store(), from, previousEnd, options, text);
            } catch (const EREParser& error) {
                Report(error);
                break;
            }
            if (!match) break;
            pad.SetSelection(match->start, match->end, false);
            std::string insertion = Insertion(options, replacement);
            TReplaceAnswer answer =
                prompt ? prompt(pad.Store().TextRange(match->start, match->end), insertion) : raYes;
            if (answer == raCancel) break;
            if (answer == raYes) {
                if (!group) group.emplace(pad, ucOwnerEdit);
                pad.ReplaceSelection(insertion);
                ++replaced;
            }
            int end = pad.SelStart() + pad.SelLength();
            pad.SetSelection(end, end, false);
            previousEnd = end;
            if (backward) break; // a backward run never meets a further match after this one
        }
    }
    TUndoSelection selection = pad.Selection();
    pad.SetSelection(selection.anchor, selection.caret);
    pad.ScrollCaret();
    return replaced;
}

std::string TLexipadSearch::DialogPreset(const TCustomLexipad& pad, uint32_t options,
                                         std::string_view text) {
    if (pad.SelLength() > 0 && !(options & foRegExpr)) {
        std::string selected =
            pad.Store().TextRange(pad.SelStart(), pad.SelStart() + pad.SelLength());
        if (selected.find('\r') == std::string::npos) return selected;
    }
    return std::string(text);
}

} // namespace quarno
