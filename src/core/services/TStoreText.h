// Fast read access to the characters of a document store for the search
// engines: a character at a position (cached on the current record, so
// sequential access costs a compare), ranges copied out in one walk over the
// records, and scans for characters of a set.
#pragma once

#include <array>
#include <string>

namespace quarno {

class TTextStore;

// Member c of a set is element c.
using TCharSet = std::array<bool, 256>;

class TStoreText {
public:
    // The store must not change while this object is used.
    explicit TStoreText(const TTextStore& store);

    const TTextStore& Store() const { return m_store; }
    int Size() const { return m_size; }

    // The character at position as 0..255, or -1 outside the text.
    int At(int position) {
        unsigned offset = static_cast<unsigned>(position - m_start);
        if (offset < static_cast<unsigned>(m_length))
            return static_cast<unsigned char>(m_text[offset]);
        return Locate(position);
    }

    // Appends the characters of [start, end) (clamped to the text) to out.
    void AppendRange(int start, int end, std::string& out);
    // First position in [from, to) holding a member of set, or -1.
    int FindFirstOf(int from, int to, const TCharSet& set);
    // Last position in [to, from] holding a member of set, or -1.
    int FindLastOf(int from, int to, const TCharSet& set);

private:
    // Makes the record holding position current; its character or -1.
    int Locate(int position);
    void Enter(int record, int start);

    const TTextStore& m_store;
    int m_size;
    int m_record = -1; // current record, -1 before the first access
    int m_start = 0;   // its first position
    int m_length = 0;
    const char* m_text = "";
};

} // namespace quarno
