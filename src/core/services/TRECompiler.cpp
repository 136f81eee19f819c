// Compiles a regular expression into the node program the matcher walks.
//
// The shape follows the classic backtracking design: a branch node per
// alternative whose operand is the alternative's chain, "x*" and "x+" of a
// one-character x as a counting node, other repeats built from branches and
// a loop-back node, groups as open and close nodes around their
// alternatives. Counted repeats of one character are a counting node with
// bounds; other counted repeats are a counter slot that is set to 0, a loop
// node that tests and steps it, and a loop-back node after the body.
#include "core/services/TRECompiler.h"

#include "core/services/SearchCharacters.h"

#include <cassert>
#include <cstring>
#include <vector>

namespace quarno {

namespace {

constexpr int kHasWidth = 1; // never matches the empty string
constexpr int kSimple = 2;   // one character: a repeat may count it directly

bool IsRepeatOperator(char c) {
    return c == '*' || c == '+' || c == '?' || c == '{';
}

// Characters that end a run of ordinary characters.
bool IsMeta(char c) {
    return std::strchr("^$.[()|*+?{\"", c) != nullptr && c != '\0';
}

bool IsClassLetter(char c) {
    return std::strchr("dDsSwW", c) != nullptr && c != '\0';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool InClass(char letter, int c) {
    switch (letter) {
    case 'd':
    case 'D': return c >= '0' && c <= '9';
    case 's':
    case 'S': return c == 13 || c == ' ' || c == 10 || c == 12 || c == 9 || c == 8;
    default:
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               c == '_';
    }
}

void AddClass(bool* members, char letter) {
    bool complement = letter == 'D' || letter == 'S' || letter == 'W';
    for (int c = 0; c < 256; ++c)
        if (InClass(letter, c) != complement) members[c] = true;
}

// --- the either-order rewrite -----------------------------------------------

// End of the unit starting at i that is copied whole: an escape, a quoted
// text or a set; otherwise the next character.
size_t SkipUnit(std::string_view s, size_t i) {
    size_t n = s.size();
    char c = s[i];
    size_t j = i + 1;
    if (c == '\\') return std::min(i + 2, n);
    if (c == '"') {
        while (j < n && s[j] != '"')
            j += s[j] == '\\' ? 2 : 1;
        return std::min(j + 1, n);
    }
    if (c == '[') {
        if (j < n && s[j] == '^') ++j;
        while (j < n && s[j] != ']')
            j += s[j] == '\\' ? 2 : 1;
        return std::min(j + 1, n);
    }
    return j;
}

// The ")" closing the "(" at i, or npos.
size_t Closing(std::string_view s, size_t i) {
    int depth = 0;
    for (size_t j = i; j < s.size(); j = SkipUnit(s, j)) {
        if (s[j] == '(')
            ++depth;
        else if (s[j] == ')' && --depth == 0)
            return j;
    }
    return std::string_view::npos;
}

std::string Grouped(const std::string& part) {
    if (!part.empty() && part[0] == '(' && Closing(part, 0) == part.size() - 1) return part;
    return "(" + part + ")";
}

constexpr int kMaxEitherOrder = 16; // each one at least doubles the text

// The rewrite of pattern, which starts at offset base of the whole pattern
// (for the position of an error), lies inside depth groups and follows
// eithers "||" operators.
std::string RewriteFrom(std::string_view pattern, size_t base, int depth, int eithers) {
    std::string out;
    size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        if (c == '(') {
            size_t close = Closing(pattern, i);
            if (close == std::string_view::npos) { // left for the compiler to report
                out.append(pattern.substr(i));
                break;
            }
            if (depth >= kREMaxGroups) // the compiler would refuse it anyway
                throw EREParser(reTooManySubexpressions, static_cast<int>(base + i));
            out += '(';
            out +=
                RewriteFrom(pattern.substr(i + 1, close - i - 1), base + i + 1, depth + 1, eithers);
            out += ')';
            i = close + 1;
            continue;
        }
        if (c == '|' && i + 1 < pattern.size() && pattern[i + 1] == '|') {
            if (eithers >= kMaxEitherOrder)
                throw EREParser(reOutOfMemory, static_cast<int>(base + i));
            std::string first = Grouped(out);
            std::string second =
                Grouped(RewriteFrom(pattern.substr(i + 2), base + i + 2, depth, eithers + 1));
            // Each part appears twice, so every "||" doubles the text; one
            // that outgrows the largest program is refused before it does.
            if (2 * (first.size() + second.size()) > static_cast<size_t>(kREMaxProgram))
                throw EREParser(reOutOfMemory, static_cast<int>(base + i));
            return "(" + first + second + "?)|(" + second + first + "?)";
        }
        size_t next = SkipUnit(pattern, i);
        out.append(pattern.substr(i, next - i));
        i = next;
    }
    return out;
}

} // namespace

std::string TRECompiler::RewriteEitherOrder(std::string_view pattern) {
    bool either = false;
    for (size_t i = 0; i + 1 < pattern.size() && !either; i = SkipUnit(pattern, i))
        either = pattern[i] == '|' && pattern[i + 1] == '|';
    return either ? RewriteFrom(pattern, 0, 0, 0) : std::string(pattern);
}

// --- driver -------------------------------------------------------------------

TRECompiler::TRECompiler(std::string_view pattern, bool matchCase, uint8_t* code)
    : m_pattern(pattern), m_matchCase(matchCase), m_code(code) {}

TREProgram TRECompiler::Compile(std::string_view pattern, bool matchCase, int& counters) {
    if (pattern.empty()) Fail(reInvalidParameter, 0);
    TRECompiler measure(pattern, matchCase, nullptr);
    measure.Run();
    if (measure.m_size > kREMaxProgram) Fail(reOutOfMemory, static_cast<int>(pattern.size()));
    TREProgram program(static_cast<size_t>(measure.m_size));
    TRECompiler writer(pattern, matchCase, program.data());
    writer.Run();
    if (writer.m_size != measure.m_size) Fail(reInternalError, 0);
    counters = writer.m_counters;
    return program;
}

void TRECompiler::Fail(TREError error, int position) {
    throw EREParser(error, position);
}

void TRECompiler::Run() {
    Byte(kREMagic);
    int flags = 0;
    Alternatives(false, -1, flags);
}

// --- parsing ------------------------------------------------------------------

// The alternatives of the whole pattern or of a group, joined to one ender
// (the end node, or the group's close node).
int TRECompiler::Alternatives(bool paren, int openAt, int& flags) {
    flags = kHasWidth;
    int ret = -1;
    int group = 0;
    if (paren) {
        if (m_groups >= kREMaxGroups) Fail(reTooManySubexpressions, openAt);
        group = ++m_groups;
        ret = Node(static_cast<uint8_t>(opOpen + group));
    }
    int branchFlags = 0;
    int branch = Branch(branchFlags);
    if (ret >= 0)
        Tail(ret, branch);
    else
        ret = branch;
    if (!(branchFlags & kHasWidth)) flags &= ~kHasWidth;
    while (m_at < m_pattern.size() && m_pattern[m_at] == '|') {
        ++m_at;
        branch = Branch(branchFlags);
        Tail(ret, branch);
        if (!(branchFlags & kHasWidth)) flags &= ~kHasWidth;
    }
    int ender = Node(static_cast<uint8_t>(paren ? opClose + group : static_cast<int>(opEnd)));
    Tail(ret, ender);
    if (m_code)
        for (int node = ret; node != 0; node = RENext(m_code, node))
            if (m_code[node] == opBranch) Tail(REOperand(node), ender);
    if (paren) {
        if (m_at >= m_pattern.size() || m_pattern[m_at] != ')')
            Fail(reUnmatchedParenthesis, openAt);
        ++m_at;
    } else if (m_at < m_pattern.size()) {
        Fail(reUnmatchedParenthesis, static_cast<int>(m_at)); // a ")" without "("
    }
    return ret;
}

// One alternative: a branch node followed by the chain of its pieces.
int TRECompiler::Branch(int& flags) {
    flags = 0;
    int ret = Node(opBranch);
    int chain = -1;
    while (m_at < m_pattern.size() && m_pattern[m_at] != '|' && m_pattern[m_at] != ')') {
        int pieceFlags = 0;
        int latest = Piece(pieceFlags);
        flags |= pieceFlags & kHasWidth;
        if (chain >= 0) Tail(chain, latest);
        chain = latest;
    }
    if (chain < 0) Node(opNothing);
    return ret;
}

// An atom and the repeat operator after it, if any.
int TRECompiler::Piece(int& flags) {
    int atomFlags = 0;
    int ret = Atom(atomFlags);
    if (m_at >= m_pattern.size() || !IsRepeatOperator(m_pattern[m_at])) {
        flags = atomFlags;
        return ret;
    }
    int opAt = static_cast<int>(m_at);
    char op = m_pattern[m_at];
    int min = op == '+' ? 1 : 0;
    int max = op == '?' ? 1 : kREUnbounded;
    if (op == '{')
        Braces(min, max);
    else
        ++m_at;
    if (max == kREUnbounded && !(atomFlags & kHasWidth)) Fail(reInvalidRepeat, opAt);
    flags = min > 0 ? (atomFlags & kHasWidth) : 0;
    if (atomFlags & kSimple) {
        if (op == '*' || op == '+') {
            Insert(op == '*' ? opStar : opPlus, ret, nullptr, 0);
        } else {
            uint8_t bounds[4] = {static_cast<uint8_t>(min >> 8), static_cast<uint8_t>(min),
                                 static_cast<uint8_t>(max >> 8), static_cast<uint8_t>(max)};
            Insert(opRepeat, ret, bounds, 4);
        }
    } else if (op == '*') {
        ComplexStar(ret);
    } else if (op == '+') {
        ComplexPlus(ret);
    } else if (op == '?') {
        ComplexOptional(ret);
    } else {
        CountedLoop(ret, min, max, opAt);
    }
    if (m_at < m_pattern.size() && IsRepeatOperator(m_pattern[m_at]))
        Fail(reNestedRepeat, static_cast<int>(m_at));
    return ret;
}

int TRECompiler::Atom(int& flags) {
    char c = m_pattern[m_at];
    switch (c) {
    case '^':
        ++m_at;
        flags = 0;
        return Node(opBol);
    case '$':
        ++m_at;
        flags = 0;
        return Node(opEol);
    case '.':
        ++m_at;
        flags = kHasWidth | kSimple;
        return Node(opAny);
    case '[': return Set(flags);
    case '"': return Quoted(flags);
    case '(': {
        int openAt = static_cast<int>(m_at);
        ++m_at;
        int groupFlags = 0;
        int ret = Alternatives(true, openAt, groupFlags);
        flags = groupFlags & kHasWidth;
        return ret;
    }
    case '*':
    case '+':
    case '?':
    case '{': Fail(reInvalidRepeat, static_cast<int>(m_at)); // nothing to repeat
    case '|':
    case ')': Fail(reInternalError, static_cast<int>(m_at)); // a branch stops before these
    case '\\':
        if (m_at + 1 >= m_pattern.size()) Fail(reUnexpectedEnd, static_cast<int>(m_at));
        if (IsClassLetter(m_pattern[m_at + 1])) {
            bool members[256] = {};
            AddClass(members, m_pattern[m_at + 1]);
            m_at += 2;
            flags = kHasWidth | kSimple;
            return SetNode(false, members);
        }
        return Literal(flags);
    default: return Literal(flags);
    }
}

// A run of ordinary and escaped characters as one exactly node; the last
// character is left for a following repeat operator.
int TRECompiler::Literal(int& flags) {
    std::string run;
    std::vector<size_t> starts;
    while (m_at < m_pattern.size()) {
        char c = m_pattern[m_at];
        if (IsMeta(c)) break;
        size_t at = m_at;
        int value = static_cast<unsigned char>(c);
        if (c == '\\') {
            if (m_at + 1 >= m_pattern.size()) Fail(reUnexpectedEnd, static_cast<int>(m_at));
            if (IsClassLetter(m_pattern[m_at + 1])) break;
            ++m_at;
            value = Escape();
        } else {
            ++m_at;
        }
        if (value == 0) { // the text never holds NUL, and the operand is NUL-terminated
            if (run.empty()) {
                flags = kHasWidth | kSimple;
                return NeverNode();
            }
            m_at = at;
            break;
        }
        run += static_cast<char>(value);
        starts.push_back(at);
    }
    if (run.size() > 1 && m_at < m_pattern.size() && IsRepeatOperator(m_pattern[m_at])) {
        m_at = starts.back();
        run.pop_back();
    }
    flags = kHasWidth | (run.size() == 1 ? kSimple : 0);
    return ExactlyNode(run);
}

// "[...]" or "[^...]": characters, escapes, ranges and class escapes.
int TRECompiler::Set(int& flags) {
    int openAt = static_cast<int>(m_at);
    ++m_at;
    bool negate = m_at < m_pattern.size() && m_pattern[m_at] == '^';
    if (negate) ++m_at;
    bool members[256] = {};
    for (bool empty = true;; empty = false) {
        if (m_at >= m_pattern.size()) Fail(reUnmatchedBracket, openAt);
        if (m_pattern[m_at] == ']') {
            if (empty) Fail(reUnmatchedBracket, openAt);
            ++m_at;
            break;
        }
        SetItem(members);
    }
    flags = kHasWidth | kSimple;
    return SetNode(negate, members);
}

// One member of a set: a character, a range or a class escape.
void TRECompiler::SetItem(bool* members) {
    int itemAt = static_cast<int>(m_at);
    auto classAt = [&](size_t at) {
        return at + 1 < m_pattern.size() && m_pattern[at] == '\\' &&
               IsClassLetter(m_pattern[at + 1]);
    };
    if (classAt(m_at)) {
        AddClass(members, m_pattern[m_at + 1]);
        m_at += 2;
        if (m_at < m_pattern.size() && m_pattern[m_at] == '-')
            Fail(reInvalidRange, itemAt); // a class cannot start a range
        return;
    }
    int low = SetCharacter();
    if (m_at >= m_pattern.size() || m_pattern[m_at] != '-') {
        members[low] = true;
        return;
    }
    ++m_at;
    if (m_at >= m_pattern.size() || m_pattern[m_at] == ']' || classAt(m_at))
        Fail(reInvalidRange, itemAt); // the range lacks its end
    int high = SetCharacter();
    if (high < low) Fail(reInvalidRange, itemAt);
    for (int c = low; c <= high; ++c)
        members[c] = true;
}

// A double-quoted text, taken literally (escapes allowed).
int TRECompiler::Quoted(int& flags) {
    int openAt = static_cast<int>(m_at);
    ++m_at;
    std::string text;
    for (;;) {
        if (m_at >= m_pattern.size()) Fail(reQuoteExpected, openAt);
        char c = m_pattern[m_at];
        if (c == '"') {
            ++m_at;
            break;
        }
        if (c == '\\') {
            if (m_at + 1 >= m_pattern.size()) Fail(reUnexpectedEnd, static_cast<int>(m_at));
            ++m_at;
            text += static_cast<char>(Escape());
        } else {
            text += c;
            ++m_at;
        }
    }
    if (text.empty()) {
        flags = 0;
        return Node(opNothing);
    }
    flags = kHasWidth | (text.size() == 1 ? kSimple : 0);
    if (text.find('\0') != std::string::npos) return NeverNode();
    return ExactlyNode(text);
}

// The character of an escape; m_at is on the character after the backslash.
int TRECompiler::Escape() {
    char c = m_pattern[m_at++];
    switch (c) {
    case 'b': return 8;
    case 'f': return 12;
    case 'n': return 13; // the store's line break
    case 'r': return 10;
    case 't': return 9;
    case 'x': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_at < m_pattern.size() && HexValue(m_pattern[m_at]) >= 0) {
            value = value * 16 + HexValue(m_pattern[m_at++]);
            ++digits;
        }
        if (digits == 0) Fail(reHexDigitExpected, static_cast<int>(m_at));
        return value;
    }
    default:
        if (c >= '0' && c <= '7') {
            int value = c - '0';
            for (int digits = 1; digits < 3 && m_at < m_pattern.size(); ++digits) {
                char d = m_pattern[m_at];
                if (d < '0' || d > '7' || value * 8 + (d - '0') > 255) break;
                value = value * 8 + (d - '0');
                ++m_at;
            }
            return value;
        }
        return static_cast<unsigned char>(c);
    }
}

int TRECompiler::SetCharacter() {
    if (m_pattern[m_at] != '\\') return static_cast<unsigned char>(m_pattern[m_at++]);
    if (m_at + 1 >= m_pattern.size()) Fail(reUnexpectedEnd, static_cast<int>(m_at));
    ++m_at;
    return Escape();
}

// "{n}", "{n,}", "{,m}" or "{n,m}"; m_at is on the "{".
void TRECompiler::Braces(int& min, int& max) {
    int braceAt = static_cast<int>(m_at);
    ++m_at;
    bool hasMin = Number(min);
    bool comma = m_at < m_pattern.size() && m_pattern[m_at] == ',';
    bool hasMax = false;
    if (comma) {
        ++m_at;
        hasMax = Number(max);
    }
    if (m_at >= m_pattern.size() || m_pattern[m_at] != '}' || (!hasMin && !hasMax))
        Fail(reInvalidRange, braceAt);
    ++m_at;
    if (!comma) max = min;
    if (!hasMin) min = 0;
    if (comma && !hasMax) max = kREUnbounded;
    if (max < min) Fail(reInvalidRange, braceAt);
}

static_assert(kREMaxCount == 65534, "the message of reCountTooLarge states the limit");

bool TRECompiler::Number(int& value) {
    size_t start = m_at;
    value = 0;
    while (m_at < m_pattern.size() && m_pattern[m_at] >= '0' && m_pattern[m_at] <= '9') {
        value = value * 10 + (m_pattern[m_at++] - '0');
        if (value > kREMaxCount) Fail(reCountTooLarge, static_cast<int>(start));
    }
    return m_at > start;
}

// --- repeats of atoms that are not one character ------------------------------

// x* as: branch(x, loop back to the branch) or branch(nothing).
void TRECompiler::ComplexStar(int atom) {
    Insert(opBranch, atom, nullptr, 0);
    OperandTail(atom, Node(opBack));
    OperandTail(atom, atom);
    Tail(atom, Node(opBranch));
    Tail(atom, Node(opNothing));
}

// x+ as: x, then branch(loop back to x) or branch(nothing).
void TRECompiler::ComplexPlus(int atom) {
    int loop = Node(opBranch);
    Tail(atom, loop);
    Tail(Node(opBack), atom);
    Tail(loop, Node(opBranch));
    Tail(atom, Node(opNothing));
}

// x? as: branch(x) or branch(nothing), both continuing at one nothing node.
void TRECompiler::ComplexOptional(int atom) {
    Insert(opBranch, atom, nullptr, 0);
    Tail(atom, Node(opBranch));
    int join = Node(opNothing);
    Tail(atom, join);
    OperandTail(atom, join);
}

// x{n,m} as: counter set, loop node (test and step) whose body is x followed
// by a loop back to the loop node; the loop node continues after the piece.
void TRECompiler::CountedLoop(int atom, int min, int max, int opAt) {
    if (m_counters > 255) Fail(reOutOfMemory, opAt);
    uint8_t slot = static_cast<uint8_t>(m_counters++);
    uint8_t loopOperand[5] = {slot, static_cast<uint8_t>(min >> 8), static_cast<uint8_t>(min),
                              static_cast<uint8_t>(max >> 8), static_cast<uint8_t>(max)};
    Insert(opCountLoop, atom, loopOperand, 5);
    Insert(opCountInit, atom, &slot, 1);
    int loop = atom + kRENodeHeader + 1;
    Tail(atom, loop);
    int back = Node(opBack);
    OperandTail(loop, back);
    Tail(back, loop);
}

// --- emitting -------------------------------------------------------------------

int TRECompiler::Node(uint8_t op) {
    int at = m_size;
    Byte(op);
    Byte(0);
    Byte(0);
    return at;
}

void TRECompiler::Byte(uint8_t value) {
    if (m_code) m_code[m_size] = value;
    ++m_size;
}

int TRECompiler::ExactlyNode(const std::string& text) {
    int ret = Node(opExactly);
    const TCharMap& fold = m_matchCase ? IdentityMap() : UpperCaseMap();
    for (char c : text)
        Byte(fold[static_cast<unsigned char>(c)]);
    Byte(0);
    return ret;
}

int TRECompiler::SetNode(bool negate, const bool* members) {
    bool folded[256];
    std::copy(members, members + 256, folded);
    if (!m_matchCase) {
        const TCharMap& upper = UpperCaseMap();
        const TCharMap& lower = LowerCaseMap();
        for (int c = 0; c < 256; ++c)
            if (members[c])
                folded[upper[static_cast<size_t>(c)]] = folded[lower[static_cast<size_t>(c)]] =
                    true;
    }
    int ret = Node(negate ? opAnyBut : opAnyOf);
    for (int c = 0; c < 256; ++c)
        Byte(folded[c] ? 1 : 0);
    return ret;
}

// A one-character node no character matches (for a NUL in a literal).
int TRECompiler::NeverNode() {
    bool none[256] = {};
    return SetNode(false, none);
}

// Puts a node (with its operand) in front of the node at at, moving it and
// everything after it; links inside the moved code are relative and stay valid.
void TRECompiler::Insert(uint8_t op, int at, const uint8_t* operand, int operandSize) {
    int size = kRENodeHeader + operandSize;
    if (m_code) {
        std::memmove(m_code + at + size, m_code + at, static_cast<size_t>(m_size - at));
        m_code[at] = op;
        m_code[at + 1] = 0;
        m_code[at + 2] = 0;
        if (operandSize > 0)
            std::memcpy(m_code + at + kRENodeHeader, operand, static_cast<size_t>(operandSize));
    }
    m_size += size;
}

// Links the last node of the chain starting at node to target.
void TRECompiler::Tail(int node, int target) {
    if (!m_code) return;
    int scan = node;
    for (int next = RENext(m_code, scan); next != 0; next = RENext(m_code, scan))
        scan = next;
    int offset = m_code[scan] == opBack ? scan - target : target - scan;
    if (offset <= 0 || offset > 0xFFFF) Fail(reInternalError, static_cast<int>(m_at));
    m_code[scan + 1] = static_cast<uint8_t>(offset >> 8);
    m_code[scan + 2] = static_cast<uint8_t>(offset);
}

// Links the end of the chain inside a branch or counted loop to target.
void TRECompiler::OperandTail(int node, int target) {
    if (!m_code) return;
    if (m_code[node] == opBranch)
        Tail(REOperand(node), target);
    else if (m_code[node] == opCountLoop)
        Tail(REOperand(node) + 5, target);
}

} // namespace quarno
