// The parser run time: one token at a time from the control's cursor, with
// keyword lookup, handler records, first-character rules, terminators,
// effects on the state set, the state stack and containers.
#include "core/highlight/TLexipadParser.h"

#include "core/editor/TCustomLexipad.h"
#include "core/highlight/BuiltInHandlers.h"
#include "core/highlight/TParserCursor.h"

#include <algorithm>

namespace quarno {

// The token being read.
struct TLexipadParser::TScan {
    TParserCursor& cursor;
    int start;              // position of the first character
    uint8_t first;          // the first character
    int length = 0;         // characters taken so far
    int token = 0;          // the value being built
    bool keyword = false;   // a keyword entry is in use
    bool fromTable = false; // it came from a keyword table of the settings
};

namespace {

int TokenValue(int32_t value) {
    return value >= 0 && value <= 255 ? value : 0;
}

// A cursor over characters in memory for the keyword walk. Its end is not
// the end of the text, so it can remember whether a walk asked about it;
// over a record whose last character no word holds, no walk can step past
// that character, and the cursor need not.
template <bool kTracksEnd> class TSpanCursor {
public:
    explicit TSpanCursor(std::string_view text) : m_text(text) {}
    bool AtEnd() const {
        bool end = static_cast<size_t>(m_position) >= m_text.size();
        if constexpr (kTracksEnd) m_touchedEnd = m_touchedEnd || end;
        return end;
    }
    uint8_t CurrentChar() const {
        return static_cast<uint8_t>(m_text[static_cast<size_t>(m_position)]);
    }
    void Advance() { ++m_position; }
    int Position() const { return m_position; }
    void SetPosition(int position) { m_position = position; }
    bool TouchedEnd() const { return m_touchedEnd; }

private:
    std::string_view m_text;
    int m_position = 0;
    mutable bool m_touchedEnd = false;
};

// Keyword lookup straight over the current record's characters when the
// record ends with its line break: the walk then ends inside it, where the
// next record and the end of the text play no part. A walk that still
// reaches the end of the record is done again on the control's cursor.
int MatchInRecord(const TKeywords& trie, TParserCursor& cursor, const TByteSet& states,
                  int& length) {
    std::string_view window = cursor.Window();
    if (window.empty() || window.back() != '\r') return trie.Match(cursor, states, length);
    if (!trie.Uses('\r')) {
        TSpanCursor<false> record(window);
        int entry = trie.Match(record, states, length);
        cursor.Skip(record.Position());
        return entry;
    }
    TSpanCursor<true> span(window);
    int entry = trie.Match(span, states, length);
    if (span.TouchedEnd()) return trie.Match(cursor, states, length);
    cursor.Skip(span.Position());
    return entry;
}

} // namespace

int TLexipadParser::NextToken(TCustomLexipad* control, TEdStream& stream, int& length) {
    if (m_busy && !m_containerOpen) return 0;
    if (control && control != m_lastAttached) Attach(*control);
    TParserCursor cursor(stream);
    int token = 0;
    if (!cursor.AtEnd()) {
        int start = cursor.Position();
        token = ScanToken(cursor);
        length += cursor.Position() - start;
    }
    m_busy = m_containerOpen;
    return token;
}

void TLexipadParser::ResetState(int token) {
    const TByteSet* context = nullptr;
    if (token >= 0 && token <= 255)
        context = &m_language.ContextStates(static_cast<uint8_t>(token));
    m_states = context && !context->IsEmpty() ? *context : m_language.StartStates();
    m_containerOpen = false;
    m_busy = false;
    m_containerEnd = 0;
    m_containerToken = 0;
    m_stack.clear();
    m_plain.fill(kUnjudged); // keywords or rules may have changed since
    ChooseTable();
}

int TLexipadParser::ScanToken(TParserCursor& cursor) {
    TScan scan{cursor, cursor.Position(), cursor.CurrentChar()};
    if (MatchKeyword(scan)) {
        if (const TLP_HandlerRecord* handler = m_language.Handler(static_cast<uint8_t>(scan.token)))
            if (Extend(scan, handler->continuation, handler->terminator, false) ==
                TExtend::Rejected)
                Reject(scan);
    }
    if (!scan.keyword) {
        const TLP_TokenRule* rule = RuleFor(scan.first);
        if (rule && rule->states.Meets(m_states)) ApplyRule(scan, *rule);
    }
    ApplyEffects(scan);
    return scan.token;
}

// Without a keyword the cursor stands one character on. Most tokens start
// with a character no word starts with (blanks, digits, operators): they
// need no walk, nor the cursor moved back.
bool TLexipadParser::MatchKeyword(TScan& scan) {
    bool walked = false;
    if (StartsAWord(scan.first) && FindKeyword(scan, walked)) return true;
    // A walk that found nothing leaves the cursor one on; no walk, where it was.
    if (!walked) scan.cursor.Advance();
    scan.length = 1;
    return false;
}

// The language's keywords first, then the keyword tables of its settings.
bool TLexipadParser::FindKeyword(TScan& scan, bool& walked) {
    int length = 0;
    int entry = WalkKeywords(scan, m_language.Keywords(), walked, length);
    if (entry >= 0) {
        scan.token = TokenValue(m_language.Keywords().Entry(entry).value);
        scan.length = length;
        scan.keyword = true;
        return true;
    }
    for (const TLP_KeywordTable& table : Settings().KeywordTables()) {
        entry = WalkKeywords(scan, table.Trie(), walked, length);
        if (entry >= 0) {
            scan.token = TokenValue(table.Trie().Entry(entry).value);
            scan.length = length;
            scan.keyword = scan.fromTable = true;
            return true;
        }
    }
    return false;
}

// One trie's longest word from the token's start; tries without a word that
// starts so take no walk.
int TLexipadParser::WalkKeywords(TScan& scan, const TKeywords& trie, bool& walked, int& length) {
    if (trie.Root(scan.first) < 0) return -1;
    if (walked) scan.cursor.SetPosition(scan.start);
    walked = true;
    return MatchInRecord(trie, scan.cursor, m_states, length);
}

TLexipadParser::TPlain TLexipadParser::PlainKind(uint8_t c) const {
    const auto kind = static_cast<TPlain>(m_plain[c]);
    return kind == kUnjudged ? JudgePlain(c) : kind;
}

bool TLexipadParser::StartsAWord(uint8_t c) const {
    return PlainKind(c) == kNeverPlain;
}

bool TLexipadParser::IsPlainInState(uint8_t c) const {
    const TPlain kind = PlainKind(c);
    if (kind != kPlainByState) return kind == kAlwaysPlain;
    const TLP_TokenRule* rule = RuleFor(c);
    return !rule || !rule->states.Meets(m_states);
}

TLexipadParser::TPlain TLexipadParser::JudgePlain(uint8_t c) const {
    bool keyword = m_language.Keywords().Root(c) >= 0;
    for (const TLP_KeywordTable& table : Settings().KeywordTables())
        keyword = keyword || table.Trie().Root(c) >= 0;
    bool ruled = keyword || m_language.TokenStart(c) != nullptr;
    const TByteSet& withTables = m_language.StatesWithTables();
    for (int state = withTables.Lowest(); !ruled && state >= 0 && state < 256; ++state)
        ruled = withTables.Contains(static_cast<uint8_t>(state)) &&
                m_language.StateTokenStart(static_cast<uint8_t>(state), c) != nullptr;
    const TPlain kind = keyword ? kNeverPlain : ruled ? kPlainByState : kAlwaysPlain;
    m_plain[c] = kind;
    return kind;
}

// A first-character rule: a handler scans the whole token, or the first
// character (already taken) is followed by the rule's continuation and
// terminator.
void TLexipadParser::ApplyRule(TScan& scan, const TLP_TokenRule& rule) {
    if (rule.start.hasHandler) {
        scan.cursor.SetPosition(scan.start);
        scan.length = 0;
        if (RunPartHandler(scan, rule.start.custom, rule.start.handler))
            scan.token = rule.token;
        else
            Reject(scan);
        return;
    }
    scan.token = 0;
    switch (Extend(scan, rule.continuation, rule.terminator, true)) {
    case TExtend::Complete:
    case TExtend::HandlerDone: scan.token = rule.token; break;
    case TExtend::CustomValue: break;
    case TExtend::Rejected: Reject(scan); break;
    }
}

// Takes the characters that continue a token until its terminator, the end
// of the text or (without a terminator) one piece. In rule mode a character
// that is neither taken nor the start of the terminator refuses the token,
// and a custom continuation ends it at once with the value it left.
TLexipadParser::TExtend TLexipadParser::Extend(TScan& scan, const TLP_MatchPart& continuation,
                                               const TLP_Terminator& terminator, bool ruleMode) {
    TParserCursor& cursor = scan.cursor;
    const bool hasTerminator = terminator.Exists();
    // A rule of its first character alone.
    const TLP_CharGroup& group = GroupOf(continuation.group);
    if (ruleMode && !continuation.hasHandler && !hasTerminator && group.IsEmpty())
        return TExtend::Complete;
    bool checkFirst = continuation.repeat != 0 && hasTerminator;
    const bool runs = !continuation.hasHandler && hasTerminator && !terminator.hasHandler &&
                      terminator.count == 1;
    while (!cursor.AtEnd()) {
        if (checkFirst && runs && TakeRun(scan, group, terminator) && cursor.AtEnd()) break;
        bool tested = checkFirst;
        if (checkFirst && MatchTerminator(scan, terminator)) return TExtend::Complete;
        checkFirst = hasTerminator;
        bool taken = false;
        if (continuation.hasHandler) {
            if (!continuation.custom && IsTokenHandler(continuation.handler))
                return RunPartHandler(scan, false, continuation.handler) ? TExtend::HandlerDone
                                                                         : TExtend::Rejected;
            int before = cursor.Position();
            taken = RunPartHandler(scan, continuation.custom, continuation.handler) &&
                    cursor.Position() > before; // a piece that takes nothing cannot go on
            if (taken && continuation.custom && ruleMode) return TExtend::CustomValue;
        } else if (group.Contains(cursor.CurrentChar())) {
            cursor.Advance();
            ++scan.length;
            taken = true;
        }
        if (!taken) {
            if (ruleMode && hasTerminator && !tested && MatchTerminator(scan, terminator))
                return TExtend::Complete;
            return TExtend::Rejected;
        }
        if (!hasTerminator) return TExtend::Complete;
    }
    return TExtend::Complete;
}

// The characters a plain continuation takes before a one-character
// terminator, counted straight over the current record (a comment's, mostly):
// the loop above then only sees where the run stops. True when it took any.
bool TLexipadParser::TakeRun(TScan& scan, const TLP_CharGroup& group,
                             const TLP_Terminator& terminator) {
    const TLP_CharGroup& stop = GroupOf(terminator.groups[0]);
    const std::string_view window = scan.cursor.Window();
    size_t run = 0;
    while (run < window.size()) {
        const auto c = static_cast<uint8_t>(window[run]);
        if (stop.Contains(c) || !group.Contains(c)) break;
        ++run;
    }
    if (run == 0) return false;
    scan.cursor.Skip(static_cast<int>(run));
    scan.length += static_cast<int>(run);
    return true;
}

// A handler's answer, or one character of each group in turn. Only a matched
// terminator with the include flag stays part of the token.
bool TLexipadParser::MatchTerminator(TScan& scan, const TLP_Terminator& terminator) {
    TParserCursor& cursor = scan.cursor;
    // One character, tested where it stands (the common case, once for every
    // character of a comment).
    if (!terminator.hasHandler && terminator.count == 1) {
        if (cursor.AtEnd() || !GroupOf(terminator.groups[0]).Contains(cursor.CurrentChar()))
            return false;
        if (terminator.include) {
            cursor.Advance();
            ++scan.length;
        }
        return true;
    }
    const int mark = cursor.Position();
    const int length = scan.length;
    bool matched = true;
    if (terminator.hasHandler) {
        matched = RunPartHandler(scan, terminator.custom, terminator.handler);
    } else {
        int count = std::min<int>(terminator.count, TLP_Terminator::kMaxGroups);
        for (int i = 0; i < count && matched; ++i) {
            matched =
                !cursor.AtEnd() &&
                GroupOf(terminator.groups[static_cast<size_t>(i)]).Contains(cursor.CurrentChar());
            if (matched) cursor.Advance();
        }
        if (matched) scan.length += count;
    }
    if (!matched || !terminator.include) {
        cursor.SetPosition(mark);
        scan.length = length;
    }
    return matched;
}

bool TLexipadParser::RunPartHandler(TScan& scan, bool custom, int32_t number) {
    TParserCursor& cursor = scan.cursor;
    if (!custom) return RunBuiltInHandler(number, cursor, scan.length, scan.start);
    if (!OnCustomParse) return false;
    const int before = cursor.Position();
    int length = scan.length;
    int value = scan.token;
    bool taken = OnCustomParse(*this, number, cursor.Stream(), length, value);
    // A handler that moved the cursor backwards did not take anything.
    if (!taken || cursor.Position() < before) {
        cursor.SetPosition(before);
        return false;
    }
    scan.length = length;
    scan.token = TokenValue(value);
    return true;
}

void TLexipadParser::Reject(TScan& scan) {
    scan.cursor.SetPosition(scan.start);
    scan.cursor.Advance();
    scan.length = 1;
    scan.token = 0;
    scan.keyword = false;
    scan.fromTable = false;
}

void TLexipadParser::ApplyEffects(TScan& scan) {
    TParserCursor& cursor = scan.cursor;
    const TLP_Effect* effect = m_language.Effect(static_cast<uint8_t>(scan.token));
    bool refused = effect && !scan.fromTable && !m_states.Meets(effect->allowed);
    // A token that is not allowed here, or one that took nothing, becomes a
    // one-character plain token so the caller always makes progress.
    if (refused || cursor.Position() <= scan.start) {
        cursor.SetPosition(scan.start + 1);
        scan.length = 1;
        scan.token = 0;
        effect = nullptr;
    } else if (effect) {
        // The states a container opened by this token gives back at its end.
        if (effect->context && !m_containerOpen) m_containerSaved = m_states;
        ApplyEffect(*effect);
    }
    const int position = cursor.Position();
    if (m_containerOpen) {
        if (position >= m_containerEnd || cursor.AtEnd()) {
            m_states = m_containerSaved;
            ChooseTable();
            m_containerOpen = false;
        }
    } else if (effect && effect->context) {
        m_containerOpen = true;
        m_containerEnd = position;
        m_containerToken = scan.token;
    }
}

void TLexipadParser::ApplyEffect(const TLP_Effect& effect) {
    if (effect.stackFlags & TLP_Effect::kPopBefore)
        PopStates();
    else if (effect.stackFlags & TLP_Effect::kPushBefore)
        PushStates();
    if (!effect.noChange) m_states = (m_states | effect.added) - effect.removed;
    if (effect.stackFlags & TLP_Effect::kPopAfter)
        PopStates();
    else if (effect.stackFlags & TLP_Effect::kPushAfter)
        PushStates();
    ChooseTable();
}

void TLexipadParser::PushStates() {
    if (m_stack.size() < kMaxStackDepth) m_stack.push_back(m_states);
}

// Popping an empty stack keeps the current set.
void TLexipadParser::PopStates() {
    if (m_stack.empty()) return;
    m_states = m_stack.back();
    m_stack.pop_back();
}

void TLexipadParser::ChooseTable() {
    const TByteSet& withTables = m_language.StatesWithTables();
    m_tableState = withTables.IsEmpty() ? -1 : (m_states & withTables).Lowest();
}

const TLP_TokenRule* TLexipadParser::RuleFor(uint8_t c) const {
    if (m_tableState < 0) return m_language.TokenStart(c);
    return m_language.StateTokenStart(static_cast<uint8_t>(m_tableState), c);
}

// Records built in code may name a group the pool does not hold: it matches
// nothing rather than raising in the middle of a scan.
const TLP_CharGroup& TLexipadParser::GroupOf(uint16_t index) const {
    static const TLP_CharGroup kNone;
    const TLP_CharGroupManager& groups = m_language.Groups();
    return groups.IsValid(index) ? groups.At(index) : kNone;
}

} // namespace quarno
