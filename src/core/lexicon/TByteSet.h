// A set of the values 0..255: the state sets, token sets and character sets of
// the compiled parser. Its stream form is 32 bytes, member i being bit (i mod 8)
// of byte (i div 8).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

namespace quarno {

class TStream;

class TByteSet {
public:
    TByteSet() = default;
    TByteSet(std::initializer_list<uint8_t> members) {
        for (uint8_t member : members)
            Include(member);
    }
    static TByteSet All();
    // The members lo..hi inclusive (nothing when hi < lo).
    static TByteSet Range(uint8_t lo, uint8_t hi);

    bool Contains(uint8_t value) const { return (m_words[value >> 6] >> (value & 63)) & 1u; }
    void Include(uint8_t value) { m_words[value >> 6] |= uint64_t{1} << (value & 63); }
    void Exclude(uint8_t value) { m_words[value >> 6] &= ~(uint64_t{1} << (value & 63)); }
    void IncludeRange(uint8_t lo, uint8_t hi);

    bool IsEmpty() const { return (m_words[0] | m_words[1] | m_words[2] | m_words[3]) == 0; }
    // True when the two sets have a member in common.
    bool Meets(const TByteSet& other) const {
        return ((m_words[0] & other.m_words[0]) | (m_words[1] & other.m_words[1]) |
                (m_words[2] & other.m_words[2]) | (m_words[3] & other.m_words[3])) != 0;
    }
    int Count() const;
    // The smallest member, or -1 for the empty set.
    int Lowest() const;

    TByteSet operator|(const TByteSet& other) const;
    TByteSet operator&(const TByteSet& other) const;
    TByteSet operator-(const TByteSet& other) const;
    bool operator==(const TByteSet& other) const = default;

    // The 32-byte stream form.
    std::array<uint8_t, 32> Bytes() const;
    static TByteSet FromBytes(const uint8_t* bytes);
    void WriteTo(TStream& stream) const;
    static TByteSet ReadFrom(TStream& stream);

private:
    // Word k holds members 64k..64k+63, member i at bit (i mod 64).
    std::array<uint64_t, 4> m_words{};
};

} // namespace quarno
