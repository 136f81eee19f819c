// Compiles a regular expression into the node program the matcher walks:
// recursive descent over alternatives, branches, pieces and atoms, run twice
// (the first pass only measures the program, the second writes it).
#pragma once

#include "core/services/EREParser.h"
#include "core/services/REProgram.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quarno {

class TRECompiler {
public:
    // The program for pattern; raises EREParser with the position in pattern.
    // Without matchCase, literals are stored upper-cased (the matcher folds
    // the text) and sets hold both cases. counters receives the number of
    // counter slots the braces need.
    static TREProgram Compile(std::string_view pattern, bool matchCase, int& counters);

    // "A||B" becomes "(A B?)|(B A?)", each part in parentheses unless it is
    // already one group; inside groups too. Text without "||" is unchanged.
    // Raises "Out of memory" when the result would outgrow any program.
    static std::string RewriteEitherOrder(std::string_view pattern);

private:
    TRECompiler(std::string_view pattern, bool matchCase, uint8_t* code);
    TRECompiler(const TRECompiler&) = delete;
    TRECompiler& operator=(const TRECompiler&) = delete;

    void Run();
    int Alternatives(bool paren, int openAt, int& flags);
    int Branch(int& flags);
    int Piece(int& flags);
    int Atom(int& flags);
    int Literal(int& flags);
    int Set(int& flags);
    void SetItem(bool* members);
    int Quoted(int& flags);
    void ComplexStar(int atom);
    void ComplexPlus(int atom);
    void ComplexOptional(int atom);
    void CountedLoop(int atom, int min, int max, int opAt);

    int Escape();
    int SetCharacter();
    void Braces(int& min, int& max);
    bool Number(int& value);

    int Node(uint8_t op);
    void Byte(uint8_t value);
    int ExactlyNode(const std::string& text);
    int SetNode(bool negate, const bool* members);
    int NeverNode();
    void Insert(uint8_t op, int at, const uint8_t* operand, int operandSize);
    void Tail(int node, int target);
    void OperandTail(int node, int target);
    [[noreturn]] static void Fail(TREError error, int position);

    std::string_view m_pattern;
    size_t m_at = 0; // the compile position
    bool m_matchCase;
    uint8_t* m_code; // null while measuring
    int m_size = 0;
    int m_groups = 0; // groups opened so far
    int m_counters = 0;
};

} // namespace quarno
