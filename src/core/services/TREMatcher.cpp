// Walks a compiled regular-expression program against the text.
#include "services/TREMatcher.h"

#include "services/EREParser.h"
#include "services/TStoreText.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace quarno {

namespace {

constexpr int kLastSlot = TREPositions::kSlots - 1;

int Bound(int value) {
    return value == kREUnbounded ? INT_MAX : value;
}

} // namespace

TREMatcher::TREMatcher(const TREProgram& program, int counters, const TCharMap& fold)
    : m_program(program.data()), m_fold(fold), m_counters(static_cast<size_t>(counters), 0) {}

void TREMatcher::Push(const TFrame& frame) {
    if (m_stack.size() >= kMaxBacktrack)
        throw EREParser(reOutOfMemory);
    m_stack.push_back(frame);
}

// Appends a recorded position; past the last slot only the count grows.
void TREMatcher::Record(TState& s, int position) {
    if (s.count < kLastSlot) {
        m_positions->entries[static_cast<size_t>(s.count)] = position;
        m_written = std::max(m_written, s.count + 1);
    }
    ++s.count;
}

bool TREMatcher::MatchAt(TStoreText& text, int start, int limit, TREPositions& positions,
                         int64_t& steps, int64_t stepLimit) {
    if (m_program[0] != kREMagic)
        throw EREParser(reInternalError);
    m_positions = &positions;
    m_steps = &steps;
    m_stepLimit = stepLimit;
    std::fill(positions.entries.begin(), positions.entries.begin() + m_written, -1);
    m_written = 0;
    positions.count = 0;
    m_stack.clear();
    TState s{kREFirstNode, start, 0, -1};
    for (;;) {
        if (++steps > stepLimit)
            throw EREParser(reInternalError);
        if (m_program[s.node] == opEnd) {
            int slot = std::min(s.count, kLastSlot);
            positions.entries[static_cast<size_t>(slot)] = s.pos;
            positions.count = slot;
            m_written = std::max(m_written, slot + 1);
            return true;
        }
        if (!Step(s, text, limit) && !Backtrack(s, text))
            return false;
    }
}

// Runs one node; false when it fails.
bool TREMatcher::Step(TState& s, TStoreText& text, int limit) {
    const int node = s.node;
    const uint8_t* p = m_program + node;
    const uint8_t op = *p;
    switch (op) {
    case opBol:
        // At a line start without consuming anything, or on a line break,
        // which is taken but not recorded (the match starts after it).
        if (s.pos == 0 || text.At(s.pos - 1) == '\r') {
        } else if (s.pos < limit && text.At(s.pos) == '\r') {
            ++s.pos;
        } else {
            return false;
        }
        break;
    case opEol: {
        int c = text.At(s.pos);
        if (c != '\r' && s.pos < text.Size())
            return false;
        Record(s, s.pos);
        break;
    }
    case opAny:
    case opAnyOf:
    case opAnyBut:
        if (s.pos >= limit || !MatchesOne(node, text.At(s.pos)))
            return false;
        Record(s, s.pos);
        ++s.pos;
        break;
    case opExactly: {
        const uint8_t* literal = p + kRENodeHeader;
        int length = static_cast<int>(std::strlen(reinterpret_cast<const char*>(literal)));
        if (length > limit - s.pos)
            return false;
        for (int i = 0; i < length; ++i) {
            int c = text.At(s.pos + i);
            if (c < 0 || m_fold[static_cast<size_t>(c)] != literal[i])
                return false;
        }
        Record(s, s.pos);
        s.pos += length;
        break;
    }
    case opNothing: break;
    case opBack: s.node = RENext(m_program, node); return true;
    case opBranch: {
        int next = RENext(m_program, node);
        if (next != 0 && m_program[next] == opBranch)
            Push({fkAlternative, next, s.pos, s.count, s.group, 0, 0});
        s.node = REOperand(node);
        return true;
    }
    case opStar: return Repeat(s, text, limit, 0, INT_MAX, REOperand(node));
    case opPlus: return Repeat(s, text, limit, 1, INT_MAX, REOperand(node));
    case opRepeat:
        return Repeat(s, text, limit, REWord(p, 3), Bound(REWord(p, 5)), REOperand(node) + 4);
    case opCountInit: {
        int slot = p[3];
        Push({fkCounter, slot, 0, 0, 0, m_counters[static_cast<size_t>(slot)], 0});
        m_counters[static_cast<size_t>(slot)] = 0;
        break;
    }
    case opCountLoop: {
        int slot = p[3];
        int value = m_counters[static_cast<size_t>(slot)];
        if (value >= Bound(REWord(p, 6)))
            break; // done: continue after the piece
        if (value >= REWord(p, 4))
            Push({fkAlternative, RENext(m_program, node), s.pos, s.count, s.group, 0, 0});
        Push({fkCounter, slot, 0, 0, 0, value, 0});
        m_counters[static_cast<size_t>(slot)] = value + 1;
        s.node = REOperand(node) + 5;
        return true;
    }
    default:
        if (op > opOpen && op <= opOpen + kREMaxGroups) {
            if (op == opOpen + 1)
                s.group = s.count;
            Record(s, s.pos);
        } else if (op > opClose && op <= opClose + kREMaxGroups) {
            // Closing group 1 drops what was recorded inside it, so the next
            // entry follows the one recorded where the group began.
            if (op == opClose + 1 && s.group >= 0)
                s.count = s.group + 1;
        } else {
            throw EREParser(reInternalError);
        }
        break;
    }
    s.node = RENext(m_program, node);
    if (s.node == 0)
        throw EREParser(reInternalError);
    return true;
}

// Resumes the most recent choice; false when none is left.
bool TREMatcher::Backtrack(TState& s, TStoreText& text) {
    while (!m_stack.empty()) {
        TFrame frame = m_stack.back();
        m_stack.pop_back();
        if (frame.kind == fkCounter) {
            m_counters[static_cast<size_t>(frame.node)] = frame.run;
            continue;
        }
        if (frame.kind == fkAlternative) {
            s = {frame.node, frame.pos, frame.count, frame.group};
            return true;
        }
        int run = FitRun(text, frame.node, frame.pos, frame.run - 1, frame.min);
        if (run < 0)
            continue;
        if (run > frame.min)
            Push({fkRepeat, frame.node, frame.pos, frame.count, frame.group, run, frame.min});
        s = {RENext(m_program, frame.node), frame.pos + run, frame.count + run, frame.group};
        return true;
    }
    return false;
}

// A counting node: takes as many characters as it may, then gives them back
// one at a time when what follows fails.
bool TREMatcher::Repeat(TState& s, TStoreText& text, int limit, int min, int max, int atom) {
    int run = CountRun(text, s.pos, max, limit, atom);
    run = run < min ? -1 : FitRun(text, s.node, s.pos, run, min);
    if (run < 0)
        return false;
    for (int i = 0; i < run && s.count + i < kLastSlot; ++i)
        m_positions->entries[static_cast<size_t>(s.count + i)] = s.pos + i;
    m_written = std::max(m_written, std::min(s.count + run, kLastSlot));
    if (run > min)
        Push({fkRepeat, s.node, s.pos, s.count, s.group, run, min});
    s.count += run;
    s.pos += run;
    s.node = RENext(m_program, s.node);
    if (s.node == 0)
        throw EREParser(reInternalError);
    return true;
}

int TREMatcher::CountRun(TStoreText& text, int pos, int max, int limit, int atom) {
    int cap = std::min(max, limit - pos);
    int run = 0;
    while (run < cap && MatchesOne(atom, text.At(pos + run)))
        ++run;
    *m_steps += run;
    if (*m_steps > m_stepLimit)
        throw EREParser(reInternalError);
    return run;
}

// The longest run not above run (and not below min) after which the
// literal that follows the repeat can match; -1 when there is none.
int TREMatcher::FitRun(TStoreText& text, int node, int pos, int run, int min) {
    int next = RENext(m_program, node);
    if (next == 0 || m_program[next] != opExactly) {
        return run >= min ? run : -1;
    }
    uint8_t first = m_program[next + kRENodeHeader];
    while (run >= min) {
        int c = text.At(pos + run);
        if (c >= 0 && m_fold[static_cast<size_t>(c)] == first)
            return run;
        --run;
        if (++*m_steps > m_stepLimit)
            throw EREParser(reInternalError);
    }
    return -1;
}

// Whether a one-character node matches character c (-1: none).
bool TREMatcher::MatchesOne(int atom, int c) const {
    if (c < 0)
        return false;
    const uint8_t* p = m_program + atom;
    switch (*p) {
    case opAny: return c != '\r';
    case opAnyOf: return p[kRENodeHeader + c] != 0;
    case opAnyBut: return p[kRENodeHeader + c] == 0;
    case opExactly: return m_fold[static_cast<size_t>(c)] == p[kRENodeHeader];
    default: return false;
    }
}

} // namespace quarno
