// Walks a compiled regular-expression program against the text at one start
// position. Backtracking uses an explicit stack (no recursion, so a long
// text cannot overflow the call stack), and every step counts against a
// budget so that a pathological pattern ends with its own message instead
// of running for ever.
#pragma once

#include "core/services/REProgram.h"
#include "core/services/SearchCharacters.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quarno {

class TStoreText;

// The recorded positions of an attempt: entry 0 is the start of the match and
// entry count its end. Entries past the last slot are not stored, but the
// end always is (in the last slot when the table is full).
struct TREPositions {
    static constexpr int kSlots = 256;
    std::array<int, kSlots> entries;
    int count = 0;
    TREPositions() { entries.fill(-1); }
};

class TREMatcher {
public:
    // fold maps text characters before they are compared with literals.
    TREMatcher(const TREProgram& program, int counters, const TCharMap& fold);

    // Tries a match starting at start that consumes no character at or after
    // limit (the same limit for every attempt of a search). steps
    // accumulates the work done; raises EREParser reStepLimit when it passes
    // stepLimit, "Out of memory" when the backtracking stack outgrows its
    // bound.
    bool MatchAt(TStoreText& text, int start, int limit, TREPositions& positions, int64_t& steps,
                 int64_t stepLimit);

    // Backtracking entries allowed at once.
    static constexpr size_t kMaxBacktrack = 1u << 19;

    // Starts a search: what earlier searches learnt about the text is dropped.
    void BeginSearch();
    // Whether attempts learn from each other (on unless switched off; the
    // results are the same either way, only the work differs).
    void SetLearning(bool learning) { m_learning = learning; }

    // The unbounded one-character repeat every match starts with (0: none),
    // and where the run it took in the last attempt ended (-1: not reached).
    void SetLeadingRepeat(int node) { m_leadingRepeat = node; }
    int LeadingRunEnd() const { return m_leadingRunEnd; }

private:
    // fkLoopState: popped, it tells that every way on from a counted loop's
    // state failed (the state is the last of m_openLoopStates).
    enum TFrameKind : uint8_t { fkAlternative, fkRepeat, fkCounter, fkLoopState };
    struct TFrame {
        TFrameKind kind;
        int node;  // where to resume (fkCounter: the slot)
        int pos;   // text position (fkRepeat: where the run started)
        int count; // recorded entries (fkRepeat: before the run)
        int group; // entry index of group 1's opening
        int run;   // fkRepeat: characters taken; fkCounter: the value to restore
        int min;   // fkRepeat: the fewest characters the repeat may take
        int top;   // fkRepeat: where the run it counted ended
    };
    // What the current search learnt about a repeat node: positions [low,
    // high] from which the rest of the pattern is known to fail, and the
    // last run it counted, [runStart, runEnd) (the run from any position
    // inside it ends at runEnd too).
    struct TFailed {
        uint32_t generation = 0; // valid when it equals m_generation
        int low = 0;
        int high = -1;
        int runStart = 0;
        int runEnd = -1;
    };
    struct TState {
        int node;
        int pos;
        int count;
        int group;
    };

    bool Step(TState& s, TStoreText& text, int limit);
    bool LineStart(TState& s, TStoreText& text, int limit);
    bool Exactly(TState& s, TStoreText& text, int limit, const uint8_t* literal);
    void Branch(TState& s);
    bool CountLoop(TState& s, const uint8_t* p);
    bool LoopStateFailed(const TState& s);
    void FindLoops(const TREProgram& program);
    void Group(TState& s, uint8_t op);
    bool Backtrack(TState& s, TStoreText& text);
    bool Repeat(TState& s, TStoreText& text, int limit, int min, int max, int atom);
    int CountRun(TStoreText& text, int pos, int max, int limit, int atom);
    int CountRepeat(TStoreText& text, int node, int pos, int max, int limit, int atom);
    int FitRun(TStoreText& text, int node, int pos, int run, int min);
    bool MatchesOne(int atom, int c) const;
    int SkipKnownFailures(int node, int pos, int run) const;
    void MarkFailed(int node, int low, int high);
    void Record(TState& s, int position);
    void Push(const TFrame& frame);

    const uint8_t* m_program;
    const TCharMap& m_fold;
    std::vector<int> m_counters;
    std::vector<TFrame> m_stack;
    TREPositions* m_positions = nullptr;
    int64_t* m_steps = nullptr;
    int64_t m_stepLimit = 0;
    int m_written = 0; // entries written since the table was last cleared
    // With no counted loops, the rest of a match after a repeat depends on
    // the position alone, so failures learnt in one attempt hold for later
    // attempts of the same search (this keeps "\w*x"-like searches linear).
    bool Memo() const { return m_learning && m_noCounters; }
    bool m_learning = true;
    bool m_noCounters;
    std::vector<TFailed> m_failed; // by node offset
    uint32_t m_generation = 1;
    int m_leadingRepeat = 0;
    int m_leadingRunEnd = -1;

    // Counted loops. Whether the rest of a match succeeds from a loop node
    // depends only on the position and the counters of the loops around
    // that node (inner loops start again at 0, the text and the limit stay
    // the same during a search), so a state that failed once fails again.
    // Remembering those states makes "(a?){30}a{30}"-like patterns
    // polynomial instead of exponential.
    std::unordered_map<int, std::vector<uint8_t>> m_loopSlots; // loop node: slots around it
    std::unordered_set<std::string> m_failedLoopStates;        // of the current search
    std::vector<std::string> m_openLoopStates;                 // for the fkLoopState frames
    static constexpr size_t kMaxFailedLoopStates = 1u << 20;
};

} // namespace quarno
