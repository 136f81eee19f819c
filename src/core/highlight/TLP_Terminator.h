// Part record B of the compiled parser: what ends a token, either a handler
// routine or a sequence of up to four characters, one from each group.
#pragma once

#include <array>
#include <cstdint>

namespace quarno {

class TStream;
class TLP_CharGroupManager;

struct TLP_Terminator {
    static constexpr int kMaxGroups = 4;

    uint8_t include = 0;     // 1: the matched terminator belongs to the token
    bool hasHandler = false; // when set, the handler's answer is the match
    bool custom = false;
    int32_t handler = 0;
    uint8_t count = 0; // groups of the sequence when there is no handler
    std::array<uint16_t, kMaxGroups> groups{};
    bool operator==(const TLP_Terminator&) const = default;

    // A token "has a terminator" when its part names a handler or a group.
    bool Exists() const { return hasHandler || count > 0; }

    // Stream form: uint8 include; uint8 handler flag; then uint8 custom and
    // int32 handler number, or uint8 n (0..4) and n groups inline.
    void WriteTo(TStream& stream, const TLP_CharGroupManager& pool) const;
    // ELexipad "Invalid terminator length (%d)" for n above 4.
    static TLP_Terminator ReadFrom(TStream& stream, TLP_CharGroupManager& pool);
    // ELexipad "Invalid handler number (%d)" as for part record A.
    void Validate() const;
};

} // namespace quarno
