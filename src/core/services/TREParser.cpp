// The regular-expression search engine: compiling, the search loops and the
// replacement text.
//
// A search runs the matcher at successive start positions. To keep that fast
// the program is analysed once after compiling: when every match starts with
// a literal, only its occurrences (found by the plain search) are tried; when
// the first character must belong to a set, the records are scanned for it;
// when a literal occurs in every match and is missing from the rest of the
// text, the search ends at once. When no part of the pattern can take a line
// break, every match lies inside one line, so only lines holding all the
// literals every match contains are tried.
#include "core/services/TREParser.h"

#include "core/document/TEdStream.h"
#include "core/document/TTextStore.h"
#include "core/services/TPlainSearch.h"
#include "core/services/TRECompiler.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

namespace quarno {

namespace {

TCharSet LineBreakSet() {
    TCharSet set{};
    set['\r'] = true;
    return set;
}

} // namespace

TREParser::TREParser() = default;
TREParser::~TREParser() = default;

bool TREParser::SetPattern(std::string_view text) {
    m_pattern.assign(text);
    if (!m_program.empty() && text == m_compiled && m_matchCase == m_compiledCase) return true;
    m_program.clear();
    m_matcher.reset();
    m_compiled.clear();
    try {
        m_errorPattern.assign(text);
        m_errorPattern = TRECompiler::RewriteEitherOrder(text);
        m_program = TRECompiler::Compile(m_errorPattern, m_matchCase, m_counters);
    } catch (const EREParser& error) {
        m_error = error.Error();
        m_errorPosition = error.Position();
        m_program.clear();
        return false;
    } catch (const std::bad_alloc&) {
        m_error = reOutOfMemory;
        m_errorPosition = -1;
        m_program.clear();
        return false;
    }
    ++m_compileCount;
    m_compiled.assign(text);
    m_compiledCase = m_matchCase;
    m_error = reNoError;
    m_errorPosition = -1;
    m_matcher = std::make_unique<TREMatcher>(m_program, m_counters,
                                             m_matchCase ? IdentityMap() : UpperCaseMap());
    m_matcher->SetLearning(m_learning);
    Analyze();
    return true;
}

void TREParser::SetLearning(bool learning) {
    m_learning = learning;
    if (m_matcher) m_matcher->SetLearning(learning);
}

void TREParser::SetPrefilters(bool on) {
    m_prefilters = on;
    if (m_matcher) Analyze();
}

void TREParser::SetStepBudget(int64_t base, int64_t perPosition) {
    m_stepBase = std::max<int64_t>(base, 1);
    m_stepsPerPosition = std::max<int64_t>(perPosition, 0);
}

std::string TREParser::ErrorText() const {
    std::string text = REErrorMessage(m_error);
    if (m_errorPosition < 0) return text;
    text += "\n" + m_errorPattern + "\n";
    // Tabs are copied so that the caret lines up under them.
    for (int i = 0; i < m_errorPosition && i < static_cast<int>(m_errorPattern.size()); ++i)
        text += m_errorPattern[static_cast<size_t>(i)] == '\t' ? '\t' : ' ';
    return text + "^";
}

int TREParser::Position(int i) const {
    if (i < 0 || i >= TREPositions::kSlots) throw EREParser(reIndexRangeError);
    return m_positions.entries[static_cast<size_t>(i)];
}

// --- analysis of the program ------------------------------------------------

void TREParser::Analyze() {
    const uint8_t* program = m_program.data();
    m_startKind = skAnywhere;
    m_prefix.reset();
    m_literals.clear();
    m_lineConfined = false;
    m_firstSet.fill(false);
    m_matcher->SetLeadingRepeat(0);
    if (!m_prefilters) return;
    int top = kREFirstNode;
    if (program[top] == opBranch && program[RENext(program, top)] == opEnd) {
        int node = REOperand(top);
        while (program[node] > opOpen && program[node] <= opOpen + kREMaxGroups)
            node = RENext(program, node);
        bool unbounded =
            program[node] == opStar || program[node] == opPlus ||
            (program[node] == opRepeat && REWord(program, REOperand(node) + 2) == kREUnbounded);
        m_matcher->SetLeadingRepeat(unbounded ? node : 0);
        const char* literal = reinterpret_cast<const char*>(program + REOperand(node));
        if (program[node] == opExactly && std::strlen(literal) >= 2) {
            m_startKind = skLiteral;
            m_prefix = std::make_unique<TPlainSearch>();
            m_prefix->SetPattern(literal, m_matchCase);
        } else if (program[node] == opBol) {
            m_startKind = skLineStart;
        }
    }
    if (m_startKind == skAnywhere) {
        std::vector<bool> visited(m_program.size(), false);
        if (!FirstCharacters(top, visited)) m_startKind = skFirstSet;
    }
    ChooseLiterals();
}

// The mandatory literals, longest (then rarest) first. Without line
// confinement only the first is kept, and not even that when candidates at
// the literal the pattern starts with already carry it.
void TREParser::ChooseLiterals() {
    for (const std::string& literal : MandatoryLiterals()) {
        m_literals.push_back(std::make_unique<TPlainSearch>());
        m_literals.back()->SetPattern(literal, m_matchCase);
    }
    std::stable_sort(m_literals.begin(), m_literals.end(), [](const auto& a, const auto& b) {
        if (a->Length() != b->Length()) return a->Length() > b->Length();
        return a->RareScore() < b->RareScore();
    });
    m_lineConfined = !m_literals.empty() && !CanTakeLineBreak();
    if (m_lineConfined || m_literals.empty()) return;
    m_literals.resize(1);
    if (m_prefix && m_prefix->Pattern().find(m_literals[0]->Pattern()) != std::string::npos)
        m_literals.clear();
}

// Whether some node can consume a line break (the start-of-line node takes
// one before a line's first character). Patterns that repeat a group or
// count are treated as if they could: lines are passed over only for
// patterns whose repeats are one-character ones, whose attempts the matcher
// keeps linear, so a search that ran out of steps on a line before still
// does.
bool TREParser::CanTakeLineBreak() const {
    const uint8_t* program = m_program.data();
    const int size = static_cast<int>(m_program.size());
    std::vector<bool> seen(m_program.size(), false);
    std::vector<int> pending{kREFirstNode};
    while (!pending.empty()) {
        int node = pending.back();
        pending.pop_back();
        if (node <= 0 || node >= size || seen[static_cast<size_t>(node)]) continue;
        seen[static_cast<size_t>(node)] = true;
        uint8_t op = program[node];
        if (op == opBol || op == opBack || op == opCountInit || TakesLineBreak(node)) return true;
        if (op == opEnd) continue;
        pending.push_back(RENext(program, node));
        if (op == opBranch || op == opStar || op == opPlus) pending.push_back(REOperand(node));
        if (op == opRepeat) pending.push_back(REOperand(node) + 4);
        if (op == opCountLoop) pending.push_back(REOperand(node) + 5);
    }
    return false;
}

bool TREParser::TakesLineBreak(int node) const {
    const uint8_t* operand = m_program.data() + REOperand(node);
    switch (m_program[static_cast<size_t>(node)]) {
    case opAnyOf: return operand[size_t{'\r'}] != 0;
    case opAnyBut: return operand[size_t{'\r'}] == 0;
    case opExactly: return std::strchr(reinterpret_cast<const char*>(operand), '\r') != nullptr;
    default: return false; // "." never takes one
    }
}

// Adds to m_firstSet the characters a match through node can start with.
// True when a match may start without consuming one of them (the search
// must then try every position). A node reached again adds nothing new: the
// paths to it consumed nothing, and what follows it was added the first time.
bool TREParser::FirstCharacters(int node, std::vector<bool>& visited) {
    const uint8_t* program = m_program.data();
    while (node != 0 && !visited[static_cast<size_t>(node)]) {
        visited[static_cast<size_t>(node)] = true;
        uint8_t op = program[node];
        if (REIsSimple(op)) {
            AddFirstCharacters(node);
            return false;
        }
        switch (op) {
        case opBranch:
            if (program[RENext(program, node)] == opBranch)
                return FirstOfAlternatives(node, visited);
            node = REOperand(node);
            continue;
        case opStar:
        case opPlus:
        case opRepeat:
            AddFirstCharacters(REOperand(node) + (op == opRepeat ? 4 : 0));
            if (op == opPlus || (op == opRepeat && REWord(program, REOperand(node)) > 0))
                return false;
            break;
        case opEnd:
        case opBol:
        case opEol:
        case opCountInit: // a counted body may be empty: not worth the analysis
        case opCountLoop: return true;
        default: break; // nothing, loop back, group open and close
        }
        node = RENext(program, node);
    }
    return node == 0;
}

bool TREParser::FirstOfAlternatives(int node, std::vector<bool>& visited) {
    for (int branch = node; branch != 0 && m_program[static_cast<size_t>(branch)] == opBranch;
         branch = RENext(m_program.data(), branch))
        if (FirstCharacters(REOperand(branch), visited)) return true;
    return false;
}

// Adds the characters a one-character node matches (for a literal, its first).
void TREParser::AddFirstCharacters(int node) {
    const uint8_t op = m_program[static_cast<size_t>(node)];
    const uint8_t* operand = m_program.data() + REOperand(node);
    const TCharMap& fold = m_matchCase ? IdentityMap() : UpperCaseMap();
    for (size_t c = 0; c < 256; ++c) {
        bool member = op == opAny      ? c != '\r'
                      : op == opAnyOf  ? operand[c] != 0
                      : op == opAnyBut ? operand[c] == 0
                                       : fold[c] == operand[0];
        m_firstSet[c] = m_firstSet[c] || member;
    }
}

// The literals on the main chain of a one-alternative program (every match
// contains each of them), each once.
std::vector<std::string> TREParser::MandatoryLiterals() const {
    const uint8_t* program = m_program.data();
    std::vector<std::string> literals;
    int top = kREFirstNode;
    if (program[top] != opBranch || program[RENext(program, top)] != opEnd) return literals;
    for (int node = REOperand(top); node != 0 && program[node] != opEnd;
         node = RENext(program, node)) {
        if (program[node] != opExactly) continue;
        std::string literal = reinterpret_cast<const char*>(program + REOperand(node));
        if (std::find(literals.begin(), literals.end(), literal) == literals.end())
            literals.push_back(literal);
    }
    return literals;
}

// --- searching --------------------------------------------------------------

bool TREParser::Search(TEdStream* cursor, bool forward, const TMatchFilter& accept) {
    if (!cursor) throw EREParser(reInvalidParameter);
    bool found = Search(cursor->Store(), cursor->Pos(), forward, accept);
    if (found)
        cursor->Seek(MatchStart(), TSeekOrigin::soBeginning);
    else
        cursor->Seek(forward ? cursor->CharCount() : 0, TSeekOrigin::soBeginning);
    return found;
}

bool TREParser::Search(const TTextStore& store, int from, bool forward,
                       const TMatchFilter& accept) {
    TStoreText text(store);
    return Search(text, from, forward, accept);
}

bool TREParser::Search(TStoreText& text, int from, bool forward, const TMatchFilter& accept) {
    if (m_program.empty() || !m_matcher) throw EREParser(reInvalidParameter);
    m_store = &text.Store();
    m_matcher->BeginSearch();
    if (!m_inRun) {
        m_steps = 0;
        m_passedBefore = 0;
    }
    from = std::clamp(from, 0, text.Size());
    bool found = forward ? SearchForward(text, from, accept) : SearchBackward(text, from, accept);
    // The positions this search covered earn the later searches of a run.
    if (forward)
        m_passedBefore += found ? m_attemptStart - from + 1 : text.Size() - from + 1;
    else
        m_passedBefore += found ? from - m_attemptStart : from;
    return found;
}

TREParser::TRun::TRun(TREParser& parser) : m_parser(parser) {
    m_parser.m_inRun = true;
    m_parser.m_steps = 0;
    m_parser.m_passedBefore = 0;
}

TREParser::TRun::~TRun() {
    m_parser.m_inRun = false;
}

// Start positions from up to the text end (an empty match may lie there),
// except that a search from the end finds nothing.
bool TREParser::SearchForward(TStoreText& text, int from, const TMatchFilter& accept) {
    if (from >= text.Size()) return false;
    if (m_lineConfined) return SearchForwardByLines(text, from, accept);
    TPlainSearch* mandatory = m_literals.empty() ? nullptr : m_literals.front().get();
    int mandatoryAt = -1;
    for (int position = from; position <= text.Size(); ++position) {
        if (mandatory && mandatoryAt < position) {
            mandatoryAt = mandatory->FindForward(text, position);
            if (mandatoryAt < 0) return false; // every match needs it
        }
        position = NextCandidate(text, position, text.Size());
        if (position < 0) return false;
        if (Attempt(text, position, text.Size(), position - from, false, accept)) return true;
        // When every match starts with an unbounded one-character repeat
        // and none started here, none starts inside the run it took either:
        // from there the repeat ends at the same place, and the rest of the
        // pattern was tried at each position it could continue from.
        int runEnd = m_matcher->LeadingRunEnd();
        if (m_learning && !m_matched && runEnd > position) position = runEnd;
    }
    return false;
}

// Start positions from-1 down to 0; the match must end at or before from.
bool TREParser::SearchBackward(TStoreText& text, int from, const TMatchFilter& accept) {
    if (m_lineConfined) return SearchBackwardByLines(text, from, accept);
    int lastStart = from - 1;
    if (!m_literals.empty()) {
        int at = m_literals.front()->FindBackward(text, from);
        if (at < 0) return false;
        lastStart = std::min(lastStart, at);
    }
    for (int position = lastStart; position >= 0; --position) {
        position = PreviousCandidate(text, position, from, 0);
        if (position < 0) return false;
        if (Attempt(text, position, from, from - position, true, accept)) return true;
    }
    return false;
}

// Every match lies inside one line that holds every mandatory literal: the
// lines are found through the first literal, and the others pass over the
// lines that lack one of them.
bool TREParser::SearchForwardByLines(TStoreText& text, int from, const TMatchFilter& accept) {
    static const TCharSet breaks = LineBreakSet();
    TPlainSearch& guide = *m_literals.front();
    for (int position = from; position < text.Size();) {
        int at = guide.FindForward(text, position);
        if (at < 0) return false;
        int lineStart = std::max(position, text.FindLastOf(at - 1, position, breaks) + 1);
        int lineEnd = text.FindFirstOf(at + guide.Length(), text.Size(), breaks);
        if (lineEnd < 0) lineEnd = text.Size();
        if (LineHoldsLiterals(text, lineStart, lineEnd) &&
            SearchLine(text, from, lineStart, lineEnd, accept))
            return true;
        position = lineEnd + 1;
    }
    return false;
}

bool TREParser::SearchBackwardByLines(TStoreText& text, int from, const TMatchFilter& accept) {
    static const TCharSet breaks = LineBreakSet();
    TPlainSearch& guide = *m_literals.front();
    for (int end = from; end > 0;) {
        int at = guide.FindBackward(text, end);
        if (at < 0) return false;
        int lineStart = text.FindLastOf(at - 1, 0, breaks) + 1;
        int lineEnd = text.FindFirstOf(at + guide.Length(), from, breaks);
        if (lineEnd < 0) lineEnd = from;
        if (LineHoldsLiterals(text, lineStart, lineEnd) &&
            SearchLineBackward(text, from, lineStart, std::min(lineEnd, from) - 1, accept))
            return true;
        end = lineStart - 1; // the line break before the line (no literal holds one)
    }
    return false;
}

// Attempts at the candidates of [lineStart, lineEnd), in order.
bool TREParser::SearchLine(TStoreText& text, int from, int lineStart, int lineEnd,
                           const TMatchFilter& accept) {
    for (int position = lineStart; position < lineEnd; ++position) {
        position = NextCandidate(text, position, lineEnd);
        if (position < 0) return false;
        if (Attempt(text, position, text.Size(), position - from, false, accept)) return true;
        int runEnd = m_matcher->LeadingRunEnd(); // as in SearchForward
        if (m_learning && !m_matched && runEnd > position) position = runEnd;
    }
    return false;
}

// Attempts at the candidates from last down to lineStart.
bool TREParser::SearchLineBackward(TStoreText& text, int from, int lineStart, int last,
                                   const TMatchFilter& accept) {
    for (int position = last; position >= lineStart; --position) {
        position = PreviousCandidate(text, position, from, lineStart);
        if (position < lineStart) return false;
        if (Attempt(text, position, from, from - position, true, accept)) return true;
    }
    return false;
}

bool TREParser::LineHoldsLiterals(TStoreText& text, int lineStart, int lineEnd) {
    for (size_t i = 1; i < m_literals.size(); ++i)
        if (m_literals[i]->FindForwardWithin(text, lineStart, lineEnd) < 0) return false;
    return true;
}

// The first candidate start at or after position and before end (the text
// size, or a line's end; a literal start must fit before it), or -1.
int TREParser::NextCandidate(TStoreText& text, int position, int end) {
    switch (m_startKind) {
    case skFirstSet: return text.FindFirstOf(position, end, m_firstSet);
    case skLiteral: return m_prefix->FindForwardWithin(text, position, end);
    case skLineStart: { // the first line start at or after position
        static const TCharSet breaks = LineBreakSet();
        if (position == 0 || text.At(position - 1) == '\r') return position;
        int lineBreak = text.FindFirstOf(position, text.Size(), breaks);
        return lineBreak < 0 ? -1 : lineBreak + 1;
    }
    default: return position;
    }
}

// The last candidate start at or before position and not before begin (-1
// or a position before begin when there is none).
int TREParser::PreviousCandidate(TStoreText& text, int position, int limit, int begin) {
    switch (m_startKind) {
    case skFirstSet: return text.FindLastOf(position, begin, m_firstSet);
    case skLiteral:
        return m_prefix->FindBackward(text, std::min(position + m_prefix->Length(), limit));
    case skLineStart: { // the last line start at or before position
        static const TCharSet breaks = LineBreakSet();
        return position <= 0 ? 0 : text.FindLastOf(position - 1, 0, breaks) + 1;
    }
    default: return position;
    }
}

// One attempt at start; passed counts the positions the search has covered,
// which earn the budget (with those of the earlier searches of a run).
bool TREParser::Attempt(TStoreText& text, int start, int limit, int64_t passed, bool backward,
                        const TMatchFilter& accept) {
    m_attemptStart = start;
    int64_t allowance = m_stepBase + m_stepsPerPosition * (m_passedBefore + passed + 1);
    m_matched = m_matcher->MatchAt(text, start, limit, m_positions, m_steps, allowance);
    if (!m_matched) return false;
    // Backwards the match must begin before the cursor (an empty match at the
    // cursor would be found again and again).
    if (backward && MatchStart() >= limit) return false;
    return !accept || accept(MatchStart(), MatchEnd());
}

// --- replacement text -------------------------------------------------------

std::string TREParser::Between(int start, int end) const {
    if (!m_store || start < 0 || end < start) return std::string();
    return m_store->TextRange(start, end);
}

std::string TREParser::Substitute(std::string_view replacement) const {
    std::string out;
    for (size_t i = 0; i < replacement.size();) {
        char c = replacement[i++];
        if (c == '%')
            SubstituteReference(replacement, i, out);
        else if (c != '\\')
            out += c;
        else if (!SubstituteEscape(replacement, i, out))
            break;
    }
    return out;
}

// After a "%": a number n from 1 to 255 gives the text between Position(n -
// 1) and Position(n); "%%" gives "%", and "%" before anything else that thing.
void TREParser::SubstituteReference(std::string_view text, size_t& i, std::string& out) const {
    auto digit = [&](size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
    if (i >= text.size()) {
        out += '%';
        return;
    }
    if (!digit(i) || text[i] == '0') {
        out += text[i++];
        return;
    }
    int number = 0;
    for (int digits = 0; digits < 3 && digit(i) && number * 10 + (text[i] - '0') <= 255; ++digits)
        number = number * 10 + (text[i++] - '0');
    if (number <= Count()) out += Between(Position(number - 1), Position(number));
}

// After a backslash: the character it stands for. False when an octal value
// of 256 or more ends the replacement.
bool TREParser::SubstituteEscape(std::string_view text, size_t& i, std::string& out) {
    if (i >= text.size()) {
        out += '\\';
        return true;
    }
    char e = text[i++];
    switch (e) {
    case 'b': out += '\b'; return true;
    case 'f': out += '\f'; return true;
    case 's': out += ' '; return true;
    case 't': out += '\t'; return true;
    case 'n': out += '\r'; return true; // the store's line break
    case 'r': out += '\n'; return true;
    case 'x': {
        int value = 0;
        int digits = 0;
        for (; digits < 2 && i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i]));
             ++digits, ++i)
            value = value * 16 + (text[i] <= '9' ? text[i] - '0' : (text[i] | 0x20) - 'a' + 10);
        out += digits > 0 ? static_cast<char>(value) : 'x';
        return true;
    }
    default: break;
    }
    if (e < '0' || e > '7') {
        out += e;
        return true;
    }
    int value = e - '0';
    for (int digits = 1; digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7';
         ++digits)
        value = value * 8 + (text[i++] - '0');
    if (value > 255) return false;
    out += static_cast<char>(value);
    return true;
}

} // namespace quarno
