// Walks a compiled regular-expression program against the text.
#include "core/services/TREMatcher.h"

#include "core/services/EREParser.h"
#include "core/services/TStoreText.h"

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
    : m_program(program.data()), m_fold(fold), m_counters(static_cast<size_t>(counters), 0),
      m_noCounters(counters == 0), m_failed(program.size()) {
    if (counters > 0) FindLoops(program);
}

void TREMatcher::BeginSearch() {
    ++m_generation;
    m_failedLoopStates.clear();
}

// The counter slots of the loops around each loop node, itself included. A
// loop's body lies between its loop node and the loop-back node that
// returns to it, so the loops around a node are those whose span holds it.
void TREMatcher::FindLoops(const TREProgram& program) {
    const int size = static_cast<int>(program.size());
    std::vector<std::pair<int, int>> spans; // loop node, its loop-back node
    std::vector<bool> seen(program.size(), false);
    std::vector<int> pending{kREFirstNode};
    while (!pending.empty()) {
        int node = pending.back();
        pending.pop_back();
        if (node <= 0 || node >= size || seen[static_cast<size_t>(node)]) continue;
        seen[static_cast<size_t>(node)] = true;
        uint8_t op = m_program[node];
        if (op == opEnd) continue;
        int next = RENext(m_program, node);
        if (op == opBack && next > 0 && m_program[next] == opCountLoop)
            spans.push_back({next, node});
        pending.push_back(next);
        if (op == opBranch) pending.push_back(REOperand(node));
        if (op == opCountLoop) pending.push_back(REOperand(node) + 5);
    }
    for (auto [loop, back] : spans) {
        std::vector<uint8_t>& slots = m_loopSlots[loop];
        for (auto [outer, outerBack] : spans)
            if (outer <= loop && loop < outerBack) slots.push_back(m_program[REOperand(outer)]);
    }
}

// Whether the state at a loop node is known to fail; if not, a frame is
// pushed that records it as failed once everything tried from it has failed.
bool TREMatcher::LoopStateFailed(const TState& s) {
    auto slots = m_loopSlots.find(s.node);
    if (!m_learning || slots == m_loopSlots.end()) return false;
    std::string key;
    key.reserve(8 + 2 * slots->second.size());
    for (int value : {s.node, s.pos})
        key.append(reinterpret_cast<const char*>(&value), sizeof value);
    for (uint8_t slot : slots->second) {
        auto counter = static_cast<uint16_t>(m_counters[slot]);
        key.append(reinterpret_cast<const char*>(&counter), sizeof counter);
    }
    if (m_failedLoopStates.count(key)) return true;
    Push({fkLoopState, 0, 0, 0, 0, 0, 0, 0});
    m_openLoopStates.push_back(std::move(key));
    return false;
}

// A run whose continuation position is known to fail is shortened below
// the known failures.
int TREMatcher::SkipKnownFailures(int node, int pos, int run) const {
    const TFailed& failed = m_failed[static_cast<size_t>(node)];
    if (Memo() && failed.generation == m_generation && pos + run >= failed.low &&
        pos + run <= failed.high)
        return failed.low - 1 - pos;
    return run;
}

void TREMatcher::MarkFailed(int node, int low, int high) {
    if (!Memo() || low > high) return;
    TFailed& failed = m_failed[static_cast<size_t>(node)];
    if (failed.generation != m_generation)
        failed = {m_generation, low, high, 0, -1};
    else if (low <= failed.high + 1 && high >= failed.low - 1) {
        failed.low = std::min(failed.low, low);
        failed.high = std::max(failed.high, high);
    } else {
        failed.low = low;
        failed.high = high;
    }
}

// The run a repeat node takes at pos; inside the run it counted last in this
// search the answer is known without counting again.
int TREMatcher::CountRepeat(TStoreText& text, int node, int pos, int max, int limit, int atom) {
    TFailed& known = m_failed[static_cast<size_t>(node)];
    if (m_learning && known.generation == m_generation && pos >= known.runStart &&
        pos <= known.runEnd && known.runEnd - pos <= max)
        return known.runEnd - pos;
    int run = CountRun(text, pos, max, limit, atom);
    if (m_learning &&
        run < max) { // the run ended at a character that does not match (or the limit)
        if (known.generation != m_generation) known = {m_generation, 0, -1, 0, -1};
        known.runStart = pos;
        known.runEnd = pos + run;
    }
    return run;
}

void TREMatcher::Push(const TFrame& frame) {
    if (m_stack.size() >= kMaxBacktrack) throw EREParser(reOutOfMemory);
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
    if (m_program[0] != kREMagic) throw EREParser(reInternalError);
    m_positions = &positions;
    m_steps = &steps;
    m_stepLimit = stepLimit;
    std::fill(positions.entries.begin(), positions.entries.begin() + m_written, -1);
    m_written = 0;
    m_leadingRunEnd = -1;
    positions.count = 0;
    m_stack.clear();
    m_openLoopStates.clear();
    TState s{kREFirstNode, start, 0, -1};
    for (;;) {
        if (++steps > stepLimit) throw EREParser(reStepLimit);
        if (m_program[s.node] == opEnd) {
            int slot = std::min(s.count, kLastSlot);
            positions.entries[static_cast<size_t>(slot)] = s.pos;
            positions.count = slot;
            m_written = std::max(m_written, slot + 1);
            return true;
        }
        if (!Step(s, text, limit) && !Backtrack(s, text)) return false;
    }
}

// Runs one node; false when it fails.
bool TREMatcher::Step(TState& s, TStoreText& text, int limit) {
    const int node = s.node;
    const uint8_t* p = m_program + node;
    switch (*p) {
    case opBol:
        if (!LineStart(s, text, limit)) return false;
        break;
    case opEol:
        if (text.At(s.pos) != '\r' && s.pos < text.Size()) return false;
        Record(s, s.pos);
        break;
    case opAny:
    case opAnyOf:
    case opAnyBut:
        if (s.pos >= limit || !MatchesOne(node, text.At(s.pos))) return false;
        Record(s, s.pos);
        ++s.pos;
        break;
    case opExactly:
        if (!Exactly(s, text, limit, p + kRENodeHeader)) return false;
        break;
    case opNothing: break;
    case opBack: s.node = RENext(m_program, node); return true;
    case opBranch: Branch(s); return true;
    case opStar: return Repeat(s, text, limit, 0, INT_MAX, REOperand(node));
    case opPlus: return Repeat(s, text, limit, 1, INT_MAX, REOperand(node));
    case opRepeat:
        return Repeat(s, text, limit, REWord(p, 3), Bound(REWord(p, 5)), REOperand(node) + 4);
    case opCountInit:
        Push({fkCounter, p[3], 0, 0, 0, m_counters[p[3]], 0, 0});
        m_counters[p[3]] = 0;
        break;
    case opCountLoop:
        if (LoopStateFailed(s)) return false;
        if (CountLoop(s, p)) return true;
        break;
    default: Group(s, *p); break;
    }
    s.node = RENext(m_program, node);
    if (s.node == 0) throw EREParser(reInternalError);
    return true;
}

// At a line start without consuming anything, or on a line break, which is
// taken but not recorded (the match then starts after it).
bool TREMatcher::LineStart(TState& s, TStoreText& text, int limit) {
    if (s.pos == 0 || text.At(s.pos - 1) == '\r') return true;
    if (s.pos < limit && text.At(s.pos) == '\r') {
        ++s.pos;
        return true;
    }
    return false;
}

bool TREMatcher::Exactly(TState& s, TStoreText& text, int limit, const uint8_t* literal) {
    int length = static_cast<int>(std::strlen(reinterpret_cast<const char*>(literal)));
    if (length > limit - s.pos) return false;
    for (int i = 0; i < length; ++i) {
        int c = text.At(s.pos + i);
        if (c < 0 || m_fold[static_cast<size_t>(c)] != literal[i]) return false;
    }
    Record(s, s.pos);
    s.pos += length;
    return true;
}

// Tries the first of several alternatives, keeping the next for later.
void TREMatcher::Branch(TState& s) {
    int next = RENext(m_program, s.node);
    if (next != 0 && m_program[next] == opBranch)
        Push({fkAlternative, next, s.pos, s.count, s.group, 0, 0, 0});
    s.node = REOperand(s.node);
}

// The test and step of a counted loop: true when it enters the body (s.node
// set), false when it continues after the loop.
bool TREMatcher::CountLoop(TState& s, const uint8_t* p) {
    int slot = p[3];
    int value = m_counters[static_cast<size_t>(slot)];
    if (value >= Bound(REWord(p, 6))) return false;
    if (value >= REWord(p, 4)) // enough already: leaving is the fallback
        Push({fkAlternative, RENext(m_program, s.node), s.pos, s.count, s.group, 0, 0, 0});
    Push({fkCounter, slot, 0, 0, 0, value, 0, 0});
    m_counters[static_cast<size_t>(slot)] = value + 1;
    s.node = REOperand(s.node) + 5;
    return true;
}

// Group open and close nodes.
void TREMatcher::Group(TState& s, uint8_t op) {
    if (op > opOpen && op <= opOpen + kREMaxGroups) {
        if (op == opOpen + 1) s.group = s.count;
        Record(s, s.pos);
    } else if (op > opClose && op <= opClose + kREMaxGroups) {
        // Closing group 1 drops what was recorded inside it, so the next
        // entry follows the one recorded where the group began.
        if (op == opClose + 1 && s.group >= 0) s.count = s.group + 1;
    } else {
        throw EREParser(reInternalError);
    }
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
        if (frame.kind == fkLoopState) {
            if (m_failedLoopStates.size() < kMaxFailedLoopStates)
                m_failedLoopStates.insert(std::move(m_openLoopStates.back()));
            m_openLoopStates.pop_back();
            continue;
        }
        if (frame.kind == fkAlternative) {
            s = {frame.node, frame.pos, frame.count, frame.group};
            return true;
        }
        int run = SkipKnownFailures(frame.node, frame.pos, frame.run - 1);
        run = run < frame.min ? -1 : FitRun(text, frame.node, frame.pos, run, frame.min);
        if (run < 0) {
            // Spent: the rest of the pattern failed after every run it took.
            MarkFailed(frame.node, frame.pos + frame.min, frame.top);
            continue;
        }
        Push(
            {fkRepeat, frame.node, frame.pos, frame.count, frame.group, run, frame.min, frame.top});
        s = {RENext(m_program, frame.node), frame.pos + run, frame.count + run, frame.group};
        return true;
    }
    return false;
}

// A counting node: takes as many characters as it may, then gives them back
// one at a time when what follows fails.
bool TREMatcher::Repeat(TState& s, TStoreText& text, int limit, int min, int max, int atom) {
    int counted = CountRepeat(text, s.node, s.pos, max, limit, atom);
    if (s.node == m_leadingRepeat && m_leadingRunEnd < 0) m_leadingRunEnd = s.pos + counted;
    int run = counted < min ? -1 : SkipKnownFailures(s.node, s.pos, counted);
    run = run < min ? -1 : FitRun(text, s.node, s.pos, run, min);
    if (run < 0) {
        MarkFailed(s.node, s.pos + min, s.pos + counted);
        return false;
    }
    for (int i = 0; i < run && s.count + i < kLastSlot; ++i)
        m_positions->entries[static_cast<size_t>(s.count + i)] = s.pos + i;
    m_written = std::max(m_written, std::min(s.count + run, kLastSlot));
    // Kept even when it cannot give back more, to learn when the rest fails.
    if (run > min || Memo())
        Push({fkRepeat, s.node, s.pos, s.count, s.group, run, min, s.pos + counted});
    s.count += run;
    s.pos += run;
    s.node = RENext(m_program, s.node);
    if (s.node == 0) throw EREParser(reInternalError);
    return true;
}

int TREMatcher::CountRun(TStoreText& text, int pos, int max, int limit, int atom) {
    int cap = std::min(max, limit - pos);
    int run = 0;
    while (run < cap && MatchesOne(atom, text.At(pos + run)))
        ++run;
    *m_steps += run;
    if (*m_steps > m_stepLimit) throw EREParser(reStepLimit);
    return run;
}

// The longest run not above run (and not below min) after which the
// one-character node that follows the repeat, if one does, can match; -1
// when there is none.
int TREMatcher::FitRun(TStoreText& text, int node, int pos, int run, int min) {
    int next = RENext(m_program, node);
    if (next == 0 || !REIsSimple(m_program[next])) return run >= min ? run : -1;
    while (run >= min) {
        if (MatchesOne(next, text.At(pos + run))) return run;
        --run;
        if (++*m_steps > m_stepLimit) throw EREParser(reStepLimit);
    }
    return -1;
}

// Whether a one-character node matches character c (-1: none).
bool TREMatcher::MatchesOne(int atom, int c) const {
    if (c < 0) return false;
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
