// Search over a document store with the find entry's options.
#include "core/services/TStoreSearch.h"

#include "core/services/TStoreText.h"

namespace quarno {

TStoreSearch::TStoreSearch()
    : m_startsWord(DefaultCharStartsWord), m_isInWord(DefaultCharIsInWord) {}

bool TStoreSearch::IsWholeWord(TStoreText& text, int start, int end) const {
    int before = text.At(start - 1);
    int after = text.At(end);
    return !(before >= 0 && m_isInWord(static_cast<char>(before))) &&
           !(after >= 0 && m_isInWord(static_cast<char>(after)));
}

std::optional<TFindMatch> TStoreSearch::Search(const TTextStore& store, int from, uint32_t options,
                                               std::string_view text, const TMatchFilter& extra) {
    TStoreText storeText(store);
    return Search(storeText, from, options, text, extra);
}

std::optional<TFindMatch> TStoreSearch::Search(TStoreText& storeText, int from, uint32_t options,
                                               std::string_view text, const TMatchFilter& extra) {
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
            return (!wholeWord || IsWholeWord(storeText, start, end)) &&
                   (!extra || extra(start, end));
        };
        if (!m_regExpr.Search(storeText, from, forward, accept)) return std::nullopt;
        return TFindMatch{m_regExpr.MatchStart(), m_regExpr.MatchEnd()};
    }
    m_plain.SetPattern(text, matchCase);
    const TWordCharTest* test = wholeWord ? &m_isInWord : nullptr;
    int start = forward ? m_plain.FindForward(storeText, from, test)
                        : m_plain.FindBackward(storeText, from, test);
    if (start < 0) return std::nullopt;
    return TFindMatch{start, start + m_plain.Length()};
}

std::optional<TFindMatch> TStoreSearch::SearchNext(const TTextStore& store, int from,
                                                   int previousEnd, uint32_t options,
                                                   std::string_view text) {
    TStoreText storeText(store);
    return SearchNext(storeText, from, previousEnd, options, text);
}

std::optional<TFindMatch> TStoreSearch::SearchNext(TStoreText& storeText, int from, int previousEnd,
                                                   uint32_t options, std::string_view text) {
    options &= ~static_cast<uint32_t>(foBackward);
    return Search(storeText, from, options, text, [previousEnd](int start, int end) {
        return start != end || start != previousEnd;
    });
}

std::string TStoreSearch::Insertion(uint32_t options, std::string_view replacement) const {
    if (options & foRegExpr) return m_regExpr.Substitute(replacement);
    return std::string(replacement);
}

std::string TStoreSearch::ErrorText(const EREParser& error) const {
    bool syntax = error.Position() >= 0 && error.Error() == m_regExpr.LastError();
    return syntax ? m_regExpr.ErrorText() : std::string(error.what());
}

} // namespace quarno
