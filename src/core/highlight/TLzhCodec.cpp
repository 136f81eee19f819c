// The LZH method of TCompressor: LZSS with a binary search tree for matches
// and adaptive Huffman coding of literals and match lengths.
#include "core/highlight/TLzhCodec.h"

#include "core/highlight/HighlightExceptions.h"

#include <cstring>
#include <new>

namespace quarno {

namespace {

constexpr int N = 4096;                     // ring buffer size
constexpr int F = 60;                       // look-ahead size
constexpr int THRESHOLD = 2;                // a match must be longer than this
constexpr int NIL = N;                      // no tree node
constexpr int N_CHAR = 256 - THRESHOLD + F; // 314 symbols
constexpr int T = N_CHAR * 2 - 1;           // 627 tree nodes
constexpr int R = T - 1;                    // the root
constexpr unsigned MAX_FREQ = 0x8000;

constexpr std::array<uint8_t, 64> kPositionLengths = {
    3, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8};

constexpr std::array<uint8_t, 64> kPositionCodes = {
    0x00, 0x20, 0x30, 0x40, 0x50, 0x58, 0x60, 0x68, 0x70, 0x78, 0x80, 0x88, 0x90, 0x94, 0x98, 0x9C,
    0xA0, 0xA4, 0xA8, 0xAC, 0xB0, 0xB4, 0xB8, 0xBC, 0xC0, 0xC2, 0xC4, 0xC6, 0xC8, 0xCA, 0xCC, 0xCE,
    0xD0, 0xD2, 0xD4, 0xD6, 0xD8, 0xDA, 0xDC, 0xDE, 0xE0, 0xE2, 0xE4, 0xE6, 0xE8, 0xEA, 0xEC, 0xEE,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF};

// The decoding tables follow from the encoding ones: every byte that starts
// with a position code decodes to that code's value and length.
struct DecodeTables {
    std::array<uint8_t, 256> codes{};
    std::array<uint8_t, 256> lengths{};
    constexpr DecodeTables() {
        for (int value = 0; value < 64; ++value) {
            int span = 1 << (8 - kPositionLengths[value]);
            for (int k = 0; k < span; ++k) {
                codes[kPositionCodes[value] + k] = static_cast<uint8_t>(value);
                lengths[kPositionCodes[value] + k] = kPositionLengths[value];
            }
        }
    }
};
constexpr DecodeTables kDecodeTables;

} // namespace

struct TLzhCodec::Tables {
    uint8_t textBuf[N + F - 1];
    int lson[N + 1];
    int rson[N + 257];
    int dad[N + 1];
    unsigned freq[T + 1];
    int prnt[T + N_CHAR];
    int son[T];
};

// Bits to the output, most significant first, the last byte padded with 0.
class TLzhCodec::BitWriter {
public:
    explicit BitWriter(TCodecIO& io) : m_io(io) {}
    void Put(int count, uint32_t value) {
        m_acc = (m_acc << count) | (value & ((1u << count) - 1));
        m_bits += count;
        while (m_bits >= 8) {
            m_bits -= 8;
            Emit(static_cast<uint8_t>(m_acc >> m_bits));
        }
    }
    void Finish() {
        if (m_bits > 0) Emit(static_cast<uint8_t>(m_acc << (8 - m_bits)));
        m_bits = 0;
        Flush();
    }

private:
    void Emit(uint8_t byte) {
        m_buffer[m_used++] = byte;
        if (m_used == sizeof m_buffer) Flush();
    }
    void Flush() {
        if (m_used > 0) m_io.WriteAll(m_buffer, m_used);
        m_used = 0;
    }
    TCodecIO& m_io;
    uint8_t m_buffer[8192];
    int m_used = 0;
    uint32_t m_acc = 0;
    int m_bits = 0;
};

// Bits from the input, most significant first; running out is kTruncated.
class TLzhCodec::BitReader {
public:
    explicit BitReader(TCodecIO& io) : m_io(io) {}
    int GetBit() {
        if (m_bits == 0) {
            m_acc = NextByte();
            m_bits = 8;
        }
        --m_bits;
        return (m_acc >> m_bits) & 1;
    }
    int GetByte() {
        int value = 0;
        for (int i = 0; i < 8; ++i)
            value = (value << 1) | GetBit();
        return value;
    }

private:
    uint8_t NextByte() {
        if (m_pos == m_length) {
            m_length = static_cast<int>(m_io.ReadSome(m_buffer, sizeof m_buffer));
            m_pos = 0;
            if (m_length <= 0) {
                m_length = 0;
                throw ECodecFault{ECodecFault::kTruncated};
            }
        }
        return m_buffer[m_pos++];
    }
    TCodecIO& m_io;
    uint8_t m_buffer[8192];
    int m_pos = 0;
    int m_length = 0;
    unsigned m_acc = 0;
    int m_bits = 0;
};

namespace {

// Input bytes one at a time, -1 at the end.
class ByteReader {
public:
    explicit ByteReader(TCodecIO& io) : m_io(io) {}
    int Get() {
        if (m_pos == m_length) {
            m_length = static_cast<int>(m_io.ReadSome(m_buffer, sizeof m_buffer));
            m_pos = 0;
            if (m_length <= 0) {
                m_length = 0;
                return -1;
            }
        }
        return m_buffer[m_pos++];
    }

private:
    TCodecIO& m_io;
    uint8_t m_buffer[8192];
    int m_pos = 0;
    int m_length = 0;
};

class ByteWriter {
public:
    explicit ByteWriter(TCodecIO& io) : m_io(io) {}
    void Put(uint8_t byte) {
        m_buffer[m_used++] = byte;
        if (m_used == sizeof m_buffer) Flush();
    }
    void Flush() {
        if (m_used > 0) m_io.WriteAll(m_buffer, m_used);
        m_used = 0;
    }

private:
    TCodecIO& m_io;
    uint8_t m_buffer[8192];
    int m_used = 0;
};

} // namespace

TLzhCodec::TLzhCodec() : m_tables(new (std::nothrow) Tables) {
    if (!m_tables) throw ElzhException("LZH : Cannot get memory for dictionary tables");
}

TLzhCodec::~TLzhCodec() = default;

const std::array<uint8_t, 64>& TLzhCodec::PositionLengths() {
    return kPositionLengths;
}
const std::array<uint8_t, 64>& TLzhCodec::PositionCodes() {
    return kPositionCodes;
}
const std::array<uint8_t, 256>& TLzhCodec::DecodeCodes() {
    return kDecodeTables.codes;
}
const std::array<uint8_t, 256>& TLzhCodec::DecodeLengths() {
    return kDecodeTables.lengths;
}

void TLzhCodec::StartHuff() {
    Tables& t = *m_tables;
    for (int i = 0; i < N_CHAR; ++i) {
        t.freq[i] = 1;
        t.son[i] = i + T;
        t.prnt[i + T] = i;
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        t.freq[j] = t.freq[i] + t.freq[i + 1];
        t.son[j] = i;
        t.prnt[i] = t.prnt[i + 1] = j;
    }
    t.freq[T] = 0xFFFF;
    t.prnt[R] = 0;
}

// Halves the frequencies and rebuilds the tree once the root reaches MAX_FREQ.
void TLzhCodec::Reconstruct() {
    Tables& t = *m_tables;
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (t.son[i] >= T) {
            t.freq[j] = (t.freq[i] + 1) / 2;
            t.son[j] = t.son[i];
            ++j;
        }
    }
    for (int i = 0, node = N_CHAR; node < T; i += 2, ++node) {
        unsigned f = t.freq[i] + t.freq[i + 1];
        t.freq[node] = f;
        int k = node - 1;
        while (f < t.freq[k])
            --k;
        ++k;
        for (int m = node; m > k; --m) {
            t.freq[m] = t.freq[m - 1];
            t.son[m] = t.son[m - 1];
        }
        t.freq[k] = f;
        t.son[k] = i;
    }
    for (int i = 0; i < T; ++i) {
        int k = t.son[i];
        if (k >= T)
            t.prnt[k] = i;
        else
            t.prnt[k] = t.prnt[k + 1] = i;
    }
}

void TLzhCodec::Update(int c) {
    Tables& t = *m_tables;
    if (t.freq[R] == MAX_FREQ) Reconstruct();
    c = t.prnt[c + T];
    do {
        unsigned k = ++t.freq[c];
        int l = c + 1;
        if (k > t.freq[l]) {
            while (k > t.freq[++l]) {
            }
            --l;
            t.freq[c] = t.freq[l];
            t.freq[l] = k;

            int i = t.son[c];
            t.prnt[i] = l;
            if (i < T) t.prnt[i + 1] = l;

            int j = t.son[l];
            t.son[l] = i;

            t.prnt[j] = c;
            if (j < T) t.prnt[j + 1] = c;
            t.son[c] = j;

            c = l;
        }
    } while ((c = t.prnt[c]) != 0);
}

void TLzhCodec::InitTree() {
    Tables& t = *m_tables;
    for (int i = N + 1; i <= N + 256; ++i)
        t.rson[i] = NIL;
    for (int i = 0; i < N; ++i)
        t.dad[i] = NIL;
}

// Inserts the string at r into the tree and finds the longest match for it.
void TLzhCodec::InsertNode(int r) {
    Tables& t = *m_tables;
    int cmp = 1;
    const uint8_t* key = &t.textBuf[r];
    int p = N + 1 + key[0];
    t.rson[r] = t.lson[r] = NIL;
    m_matchLength = 0;
    for (;;) {
        if (cmp >= 0) {
            if (t.rson[p] != NIL) {
                p = t.rson[p];
            } else {
                t.rson[p] = r;
                t.dad[r] = p;
                return;
            }
        } else {
            if (t.lson[p] != NIL) {
                p = t.lson[p];
            } else {
                t.lson[p] = r;
                t.dad[r] = p;
                return;
            }
        }
        int i = 1;
        for (; i < F; ++i)
            if ((cmp = key[i] - t.textBuf[p + i]) != 0) break;
        if (i > THRESHOLD) {
            if (i > m_matchLength) {
                m_matchPosition = ((r - p) & (N - 1)) - 1;
                if ((m_matchLength = i) >= F) break;
            }
            if (i == m_matchLength) {
                int c = ((r - p) & (N - 1)) - 1;
                if (c < m_matchPosition) m_matchPosition = c;
            }
        }
    }
    // A full-length match: r replaces p in the tree.
    t.dad[r] = t.dad[p];
    t.lson[r] = t.lson[p];
    t.rson[r] = t.rson[p];
    t.dad[t.lson[p]] = r;
    t.dad[t.rson[p]] = r;
    if (t.rson[t.dad[p]] == p)
        t.rson[t.dad[p]] = r;
    else
        t.lson[t.dad[p]] = r;
    t.dad[p] = NIL;
}

void TLzhCodec::DeleteNode(int p) {
    Tables& t = *m_tables;
    if (t.dad[p] == NIL) return;
    int q;
    if (t.rson[p] == NIL) {
        q = t.lson[p];
    } else if (t.lson[p] == NIL) {
        q = t.rson[p];
    } else {
        q = t.lson[p];
        if (t.rson[q] != NIL) {
            do {
                q = t.rson[q];
            } while (t.rson[q] != NIL);
            t.rson[t.dad[q]] = t.lson[q];
            t.dad[t.lson[q]] = t.dad[q];
            t.lson[q] = t.lson[p];
            t.dad[t.lson[p]] = q;
        }
        t.rson[q] = t.rson[p];
        t.dad[t.rson[p]] = q;
    }
    t.dad[q] = t.dad[p];
    if (t.rson[t.dad[p]] == p)
        t.rson[t.dad[p]] = q;
    else
        t.lson[t.dad[p]] = q;
    t.dad[p] = NIL;
}

// The path from the root to the symbol's leaf. It is collected bit by bit so
// that codes longer than 16 bits, possible with skewed frequencies, stay whole.
void TLzhCodec::EncodeChar(BitWriter& out, int c) {
    Tables& t = *m_tables;
    uint8_t path[T];
    int depth = 0;
    int k = t.prnt[c + T];
    do {
        path[depth++] = static_cast<uint8_t>(k & 1);
    } while ((k = t.prnt[k]) != R);
    while (depth > 0)
        out.Put(1, path[--depth]);
    Update(c);
}

void TLzhCodec::EncodePosition(BitWriter& out, int position) {
    int upper = position >> 6;
    int length = kPositionLengths[upper];
    out.Put(length, static_cast<uint32_t>(kPositionCodes[upper] >> (8 - length)));
    out.Put(6, static_cast<uint32_t>(position & 0x3F));
}

int TLzhCodec::DecodeChar(BitReader& in) {
    Tables& t = *m_tables;
    int c = t.son[R];
    while (c < T) {
        c += in.GetBit();
        c = t.son[c];
    }
    c -= T;
    Update(c);
    return c;
}

int TLzhCodec::DecodePosition(BitReader& in) {
    int i = in.GetByte();
    int upper = kDecodeTables.codes[i] << 6;
    int extra = kDecodeTables.lengths[i] - 2;
    while (extra-- > 0)
        i = (i << 1) + in.GetBit();
    return upper | (i & 0x3F);
}

int64_t TLzhCodec::Encode(TCodecIO& io) {
    Tables& t = *m_tables;
    ByteReader in(io);
    BitWriter out(io);
    StartHuff();
    InitTree();
    std::memset(t.textBuf, 0, sizeof t.textBuf);
    int s = 0;
    int r = N - F;
    std::memset(t.textBuf, ' ', static_cast<size_t>(r));
    int len = 0;
    int c = 0;
    for (; len < F && (c = in.Get()) != -1; ++len)
        t.textBuf[r + len] = static_cast<uint8_t>(c);
    int64_t textSize = len;
    if (len == 0) return 0;
    for (int i = 1; i <= F; ++i)
        InsertNode(r - i);
    InsertNode(r);
    do {
        if (m_matchLength > len) m_matchLength = len;
        if (m_matchLength <= THRESHOLD) {
            m_matchLength = 1;
            EncodeChar(out, t.textBuf[r]);
        } else {
            EncodeChar(out, 255 - THRESHOLD + m_matchLength);
            EncodePosition(out, m_matchPosition);
        }
        int lastMatchLength = m_matchLength;
        int i = 0;
        for (; i < lastMatchLength && (c = in.Get()) != -1; ++i) {
            DeleteNode(s);
            t.textBuf[s] = static_cast<uint8_t>(c);
            if (s < F - 1) t.textBuf[s + N] = static_cast<uint8_t>(c);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            InsertNode(r);
        }
        textSize += i;
        while (i++ < lastMatchLength) {
            DeleteNode(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len) InsertNode(r);
        }
    } while (len > 0);
    out.Finish();
    return textSize;
}

int64_t TLzhCodec::Decode(TCodecIO& io, int64_t size) {
    if (size <= 0) return 0;
    Tables& t = *m_tables;
    BitReader in(io);
    ByteWriter out(io);
    StartHuff();
    // The part of the ring after the blanks reads as zeros, as in the coder,
    // so a stream that copies from it decodes the same every time.
    std::memset(t.textBuf, 0, sizeof t.textBuf);
    std::memset(t.textBuf, ' ', N - F);
    int r = N - F;
    int64_t count = 0;
    while (count < size) {
        int c = DecodeChar(in);
        if (c < 256) {
            out.Put(static_cast<uint8_t>(c));
            t.textBuf[r++] = static_cast<uint8_t>(c);
            r &= N - 1;
            ++count;
        } else {
            int i = (r - DecodePosition(in) - 1) & (N - 1);
            int j = c - 255 + THRESHOLD;
            for (int k = 0; k < j; ++k) {
                uint8_t byte = t.textBuf[(i + k) & (N - 1)];
                out.Put(byte);
                t.textBuf[r++] = byte;
                r &= N - 1;
                ++count;
            }
        }
    }
    out.Flush();
    return count;
}

} // namespace quarno
