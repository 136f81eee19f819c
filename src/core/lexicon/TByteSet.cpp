// A set of the values 0..255 and its 32-byte stream form.
#include "core/lexicon/TByteSet.h"

#include "core/base/TStream.h"

#include <bit>

namespace quarno {

TByteSet TByteSet::All() {
    TByteSet set;
    set.m_words.fill(~uint64_t{0});
    return set;
}

TByteSet TByteSet::Range(uint8_t lo, uint8_t hi) {
    TByteSet set;
    set.IncludeRange(lo, hi);
    return set;
}

void TByteSet::IncludeRange(uint8_t lo, uint8_t hi) {
    for (int value = lo; value <= hi; ++value)
        Include(static_cast<uint8_t>(value));
}

int TByteSet::Count() const {
    int count = 0;
    for (uint64_t word : m_words)
        count += std::popcount(word);
    return count;
}

int TByteSet::Lowest() const {
    for (int k = 0; k < 4; ++k)
        if (m_words[k] != 0) return k * 64 + std::countr_zero(m_words[k]);
    return -1;
}

TByteSet TByteSet::operator|(const TByteSet& other) const {
    TByteSet result;
    for (int k = 0; k < 4; ++k)
        result.m_words[k] = m_words[k] | other.m_words[k];
    return result;
}

TByteSet TByteSet::operator&(const TByteSet& other) const {
    TByteSet result;
    for (int k = 0; k < 4; ++k)
        result.m_words[k] = m_words[k] & other.m_words[k];
    return result;
}

TByteSet TByteSet::operator-(const TByteSet& other) const {
    TByteSet result;
    for (int k = 0; k < 4; ++k)
        result.m_words[k] = m_words[k] & ~other.m_words[k];
    return result;
}

std::array<uint8_t, 32> TByteSet::Bytes() const {
    std::array<uint8_t, 32> bytes{};
    for (int i = 0; i < 32; ++i)
        bytes[i] = static_cast<uint8_t>(m_words[i / 8] >> ((i % 8) * 8));
    return bytes;
}

TByteSet TByteSet::FromBytes(const uint8_t* bytes) {
    TByteSet set;
    for (int i = 0; i < 32; ++i)
        set.m_words[i / 8] |= uint64_t{bytes[i]} << ((i % 8) * 8);
    return set;
}

void TByteSet::WriteTo(TStream& stream) const {
    std::array<uint8_t, 32> bytes = Bytes();
    stream.WriteBuffer(bytes.data(), 32);
}

TByteSet TByteSet::ReadFrom(TStream& stream) {
    uint8_t bytes[32];
    stream.ReadBuffer(bytes, 32);
    return FromBytes(bytes);
}

} // namespace quarno
