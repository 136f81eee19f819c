// Part record A of the compiled parser: how a token starts or continues,
// either by one character of a group or by a handler routine.
#pragma once

#include <cstdint>

namespace quarno {

class TStream;
class TLP_CharGroupManager;

// Handler numbers with a built-in routine: 0-2 and 10-20. Other numbers mean
// something only when marked custom (resolved through OnCustomParse).
bool IsBuiltInHandler(int32_t number);

struct TLP_MatchPart {
    // 1 when the script wrote '?' after the continuation: the terminator is
    // tested before each character. Meaningless in a rule's start part, where
    // it is kept as read.
    uint8_t repeat = 0;
    uint16_t group = 0;      // pool index of the characters this part matches
    bool hasHandler = false; // when set, the handler replaces the group
    bool custom = false;     // the handler is resolved through OnCustomParse
    int32_t handler = 0;
    bool operator==(const TLP_MatchPart&) const = default;

    // Stream form: uint8 repeat; the group inline; uint8 handler flag; when
    // set, uint8 custom flag and int32 handler number. Reading pools the group.
    void WriteTo(TStream& stream, const TLP_CharGroupManager& groups) const;
    static TLP_MatchPart ReadFrom(TStream& stream, TLP_CharGroupManager& groups);
    // ELexipad "Invalid handler number (%d)" for a built-in number without a
    // routine.
    void Validate() const;
};

} // namespace quarno
