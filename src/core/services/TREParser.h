// The regular-expression search engine: compiles a pattern once (again only
// when its text or the case option changes), searches a document forwards or
// backwards from a position, reports the recorded positions of the match and
// fills in replacement texts.
#pragma once

#include "core/services/EREParser.h"
#include "core/services/REProgram.h"
#include "core/services/TREMatcher.h"
#include "core/services/TStoreText.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

class TEdStream;
class TPlainSearch;
class TTextStore;

// Decides whether a found match (start, end) counts; when it does not, the
// search goes on as if the attempt had failed.
using TMatchFilter = std::function<bool(int start, int end)>;

class TREParser {
public:
    TREParser();
    ~TREParser();
    // Holds the compiled program and the matcher that points into it.
    TREParser(const TREParser&) = delete;
    TREParser& operator=(const TREParser&) = delete;

    // Compiles unless the text (and case option) equal the last compiled
    // ones. False on a syntax error: the error and its position are stored
    // and nothing is compiled, so the next call compiles again.
    bool SetPattern(std::string_view text);
    const std::string& Pattern() const { return m_pattern; }
    // Case-blind matching when false; takes effect at the next SetPattern.
    void SetMatchCase(bool matchCase) { m_matchCase = matchCase; }
    bool MatchCase() const { return m_matchCase; }

    // Tries a match at the cursor, then one character further on (or back)
    // until one is found or the text's end (start) is passed. Backwards, the
    // match must lie wholly before the cursor. On success the cursor is
    // placed at the match start. Raises "Invalid parameter" without a
    // compiled pattern or a cursor, reStepLimit when the step budget is
    // spent, "Out of memory" when backtracking outgrows its bound.
    bool Search(TEdStream* cursor, bool forward, const TMatchFilter& accept = {});
    bool Search(const TTextStore& store, int from, bool forward, const TMatchFilter& accept = {});
    // The same through a reader that successive searches of an unchanged
    // store share, so that walking through many matches reads each part of
    // the text once.
    bool Search(TStoreText& text, int from, bool forward, const TMatchFilter& accept = {});

    // Recorded position i (i below 256, else "Index range error"): entry 0
    // is the match start and entry Count() its end.
    int Position(int i) const;
    int Count() const { return m_positions.count; }
    int MatchStart() const { return m_positions.entries[0]; }
    int MatchEnd() const { return m_positions.entries[static_cast<size_t>(m_positions.count)]; }
    int AttemptStart() const { return m_attemptStart; }

    // The replacement text with its substitutions filled in from the last
    // match (the store searched must not have changed since).
    std::string Substitute(std::string_view replacement) const;

    TREError LastError() const { return m_error; }
    int ErrorPosition() const { return m_errorPosition; }
    // The text the error position refers to (the pattern after the
    // either-order rewrite).
    const std::string& ErrorPattern() const { return m_errorPattern; }
    // The message, and for a syntax error the pattern with a "^" under the
    // failing position on the lines below.
    std::string ErrorText() const;

    int CompileCount() const { return m_compileCount; }
    // Matcher steps the last search (or the current run) took.
    int64_t Steps() const { return m_steps; }
    // A search may take base steps plus perPosition for every position it
    // has passed; past that it stops with reStepLimit. So its time is
    // bounded by the length of the text it covers, whatever the pattern.
    void SetStepBudget(int64_t base, int64_t perPosition);
    // Lets attempts reuse what earlier attempts of a search learnt (on by
    // default). Off, the same matches are found by plain backtracking.
    void SetLearning(bool learning);
    // Lets searches pass over text where no match can start (on by default):
    // positions outside the first characters, lines without the literals
    // every match holds. Off, every position is tried; the matches are the same.
    void SetPrefilters(bool on);
    const TREProgram& Program() const { return m_program; }

    // The searches made while a run exists (Replace All, listing every
    // match) share one budget, earned by the positions all of them covered,
    // so that the run as a whole is bounded too.
    class TRun {
    public:
        explicit TRun(TREParser& parser);
        ~TRun();
        TRun(const TRun&) = delete;
        TRun& operator=(const TRun&) = delete;

    private:
        TREParser& m_parser;
    };

    static constexpr int64_t kDefaultStepBase = 16'000'000;
    static constexpr int64_t kDefaultStepsPerPosition = 64;

private:
    enum TStartKind { skAnywhere, skFirstSet, skLiteral, skLineStart };

    void Analyze();
    bool FirstCharacters(int node, std::vector<bool>& visited);
    bool FirstOfAlternatives(int node, std::vector<bool>& visited);
    void AddFirstCharacters(int node);
    std::vector<std::string> MandatoryLiterals() const;
    void ChooseLiterals();
    bool CanTakeLineBreak() const;
    bool TakesLineBreak(int node) const;
    bool SearchForward(TStoreText& text, int from, const TMatchFilter& accept);
    bool SearchBackward(TStoreText& text, int from, const TMatchFilter& accept);
    bool SearchForwardByLines(TStoreText& text, int from, const TMatchFilter& accept);
    bool SearchBackwardByLines(TStoreText& text, int from, const TMatchFilter& accept);
    bool SearchLine(TStoreText& text, int from, int lineStart, int lineEnd,
                    const TMatchFilter& accept);
    bool SearchLineBackward(TStoreText& text, int from, int lineStart, int last,
                            const TMatchFilter& accept);
    bool LineHoldsLiterals(TStoreText& text, int lineStart, int lineEnd);
    int NextCandidate(TStoreText& text, int position, int end);
    int PreviousCandidate(TStoreText& text, int position, int limit, int begin);
    bool Attempt(TStoreText& text, int start, int limit, int64_t passed, bool backward,
                 const TMatchFilter& accept);
    std::string Between(int start, int end) const;
    void SubstituteReference(std::string_view text, size_t& i, std::string& out) const;
    static bool SubstituteEscape(std::string_view text, size_t& i, std::string& out);

    std::string m_pattern;
    std::string m_compiled; // the pattern last compiled, "" when none is
    bool m_compiledCase = true;
    bool m_matchCase = true;
    TREProgram m_program;
    int m_counters = 0;
    std::unique_ptr<TREMatcher> m_matcher;
    TREError m_error = reNoError;
    int m_errorPosition = -1;
    std::string m_errorPattern;
    int m_compileCount = 0;

    // Where attempts can start: anywhere, at a character of a set, at an
    // occurrence of the literal the pattern starts with, or at line starts.
    TStartKind m_startKind = skAnywhere;
    TCharSet m_firstSet{};
    std::unique_ptr<TPlainSearch> m_prefix;
    // Literals every match contains, the one to look for first at the front
    // (only that one unless matches are confined to a line).
    std::vector<std::unique_ptr<TPlainSearch>> m_literals;
    // No node can take a line break (and no group or count is repeated), so
    // a match lies inside one line, which must then hold every literal of
    // m_literals.
    bool m_lineConfined = false;
    bool m_prefilters = true;

    TREPositions m_positions;
    const TTextStore* m_store = nullptr; // the store last searched
    int m_attemptStart = -1;
    bool m_learning = true;
    bool m_matched = false; // whether the last attempt matched (accepted or not)
    int64_t m_steps = 0;
    bool m_inRun = false;
    int64_t m_passedBefore = 0; // positions covered by earlier searches of the run
    int64_t m_stepBase = kDefaultStepBase;
    int64_t m_stepsPerPosition = kDefaultStepsPerPosition;
};

} // namespace quarno
