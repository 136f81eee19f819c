// The compiled form of a regular expression: a byte program that starts with
// a magic byte and then holds nodes. A node is its opcode, a 16-bit
// big-endian offset to the next node (0: none; for opBack it counts
// backwards) and its operand. Shared by the compiler and the matcher.
#pragma once

#include <cstdint>
#include <vector>

namespace quarno {

using TREProgram = std::vector<uint8_t>;

constexpr uint8_t kREMagic = 0x9C;
constexpr int kREFirstNode = 1; // the node after the magic byte
constexpr int kRENodeHeader = 3;
constexpr int kREMaxProgram = 0xFFFF; // offsets are 16 bits
constexpr int kREMaxGroups = 9;
constexpr int kRESetSize = 256;
constexpr int kREUnbounded = 0xFFFF; // the maximum of {n,}
constexpr int kREMaxCount = 0xFFFE;  // largest count written in braces

enum TREOpcode : uint8_t {
    opEnd = 0,     // the match is complete
    opBol = 1,     // start of line
    opEol = 2,     // end of line
    opAny = 3,     // any character but a carriage return
    opAnyOf = 4,   // operand: 256 bytes, 1 = member
    opAnyBut = 5,  // operand: 256 bytes, 1 = excluded
    opBranch = 6,  // operand: the first node of one alternative
    opBack = 7,    // loop back (the offset counts backwards)
    opExactly = 8, // operand: a zero-terminated string
    opNothing = 9, // matches the empty string
    opStar = 10,   // operand: a one-character node, repeated 0..any
    opPlus = 11,   // operand: a one-character node, repeated 1..any
    opOpen = 20,   // opOpen + n (21..29): group n opens
    opClose = 40,  // opClose + n (41..49): group n closes
    // Counted repetition ({n,m}):
    opRepeat = 150,    // operand: min, max (16 bits each), then a one-character node
    opCountInit = 151, // operand: counter slot; the counter starts at 0
    opCountLoop = 152, // operand: slot, min, max, then the repeated nodes
};

inline int RENext(const uint8_t* program, int node) {
    int offset = (program[node + 1] << 8) | program[node + 2];
    if (offset == 0) return 0;
    return program[node] == opBack ? node - offset : node + offset;
}

inline int REOperand(int node) {
    return node + kRENodeHeader;
}

inline int REWord(const uint8_t* program, int at) {
    return (program[at] << 8) | program[at + 1];
}

// Whether an opcode is a one-character node a repeat may count directly.
inline bool REIsSimple(uint8_t op) {
    return op == opAny || op == opAnyOf || op == opAnyBut || op == opExactly;
}

} // namespace quarno
