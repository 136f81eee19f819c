// The records of a document in blocks, with their start positions.
#include "core/document/TLineList.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace quarno {

namespace {
constexpr size_t kBlockSize = 512;
constexpr size_t kSampleEvery = 8;
constexpr size_t kMergeBelow = 64;
constexpr size_t kMinSlab = 4096;
constexpr size_t kLargeFrom = 256 * 1024; // kept text from which slabs are large
} // namespace

TLineList::TLineList() : m_pool(std::make_unique<TBlockPool>(kBlockSize * sizeof(TLineRecord))) {}

TLineList::~TLineList() = default;

TLineList::Block TLineList::NewBlock() const {
    Block block;
    block.records = RecordArray(TPoolAllocator<TLineRecord>(m_pool.get()));
    block.records.reserve(kBlockSize);
    return block;
}

// Brings the per-block first index and position up to date, from the first
// block an edit may have moved, through block last only: a walk from the
// front that edits as it goes then costs one entry per step, not one pass
// over every block after the edit.
void TLineList::RefreshThrough(size_t last) const {
    m_firstIndex.resize(m_blocks.size());
    m_firstPos.resize(m_blocks.size());
    last = std::min(last, m_blocks.size() - 1);
    for (size_t b = m_validPrefix; b <= last && b < m_blocks.size(); ++b) {
        m_firstIndex[b] =
            b == 0 ? 0 : m_firstIndex[b - 1] + static_cast<int>(m_blocks[b - 1].records.size());
        m_firstPos[b] = b == 0 ? 0 : m_firstPos[b - 1] + m_blocks[b - 1].chars;
    }
    m_validPrefix = std::max(m_validPrefix, last + 1);
}

// Extends the current prefix one block at a time until covered says the
// last current block reaches far enough.
template <typename Covered> void TLineList::RefreshUntil(Covered covered) const {
    if (m_firstIndex.size() != m_blocks.size()) {
        m_firstIndex.resize(m_blocks.size());
        m_firstPos.resize(m_blocks.size());
    }
    while (m_validPrefix < m_blocks.size() && (m_validPrefix == 0 || !covered(m_validPrefix - 1)))
        RefreshThrough(m_validPrefix);
}

void TLineList::Invalidate(size_t firstBlock) {
    m_validPrefix = std::min(m_validPrefix, firstBlock);
    m_linesValid = std::min(m_linesValid, firstBlock);
}

int TLineList::BlockLines(size_t block) const {
    const Block& b = m_blocks[block];
    if (b.lines < 0) {
        b.lines = 0;
        for (const TLineRecord& record : b.records)
            b.lines += record.IsContinuation() ? 0 : 1;
    }
    return b.lines;
}

int TLineList::LinesThrough(int index) const {
    if (m_count == 0 || index < 0) return 0;
    index = std::min(index, m_count - 1);
    const size_t block = static_cast<size_t>(BlockOfIndex(index));
    m_linesBefore.resize(m_blocks.size());
    for (size_t b = m_linesValid; b <= block; ++b)
        m_linesBefore[b] = b == 0 ? 0 : m_linesBefore[b - 1] + BlockLines(b - 1);
    m_linesValid = std::max(m_linesValid, block + 1);
    const RecordArray& records = m_blocks[block].records;
    const size_t last = static_cast<size_t>(index - m_firstIndex[block]);
    int lines = m_linesBefore[block];
    for (size_t i = 0; i <= last; ++i)
        lines += records[i].IsContinuation() ? 0 : 1;
    return lines;
}

void TLineList::ContinuationChanged(int index) {
    if (index < 0 || index >= m_count) return;
    const size_t block = static_cast<size_t>(BlockOfIndex(index));
    m_blocks[block].lines = -1;
    m_linesValid = std::min(m_linesValid, block + 1);
}

// Every kSampleEvery-th record start of a block: a record's start is then
// its sample plus at most kSampleEvery - 1 lengths, at an eighth of the
// memory of one start per record.
const std::vector<int>& TLineList::Samples(int block) const {
    Block& b = m_blocks[static_cast<size_t>(block)];
    if (b.dirty) {
        b.samples.resize((b.records.size() + kSampleEvery - 1) / kSampleEvery);
        int position = 0;
        for (size_t i = 0; i < b.records.size(); ++i) {
            if (i % kSampleEvery == 0) b.samples[i / kSampleEvery] = position;
            position += b.records[i].Length();
        }
        b.dirty = false;
    }
    return b.samples;
}

int TLineList::LocalStart(int block, size_t local) const {
    const std::vector<int>& samples = Samples(block);
    const RecordArray& records = m_blocks[static_cast<size_t>(block)].records;
    size_t first = local - local % kSampleEvery;
    int position = samples[first / kSampleEvery];
    for (size_t i = first; i < local; ++i)
        position += records[i].Length();
    return position;
}

// The last record of a block starting at or before offset.
size_t TLineList::LocalIndexAt(int block, int offset) const {
    const std::vector<int>& samples = Samples(block);
    const RecordArray& records = m_blocks[static_cast<size_t>(block)].records;
    auto after = std::upper_bound(samples.begin(), samples.end(), offset);
    size_t sample = static_cast<size_t>(std::max<std::ptrdiff_t>(after - samples.begin(), 1)) - 1;
    size_t local = sample * kSampleEvery;
    int position = samples[sample];
    while (local + 1 < records.size() && position + records[local].Length() <= offset)
        position += records[local++].Length();
    return local;
}

// Walks go record by record: the block of the last lookup, or the next one,
// mostly holds the record asked for, without a search.
bool TLineList::HintHolds(size_t block, int index) const {
    return block < m_validPrefix && block < m_blocks.size() && index >= m_firstIndex[block] &&
           index < m_firstIndex[block] + static_cast<int>(m_blocks[block].records.size());
}

int TLineList::BlockOfIndex(int index) const {
    assert(!m_blocks.empty());
    if (HintHolds(m_indexHint, index)) return static_cast<int>(m_indexHint);
    if (HintHolds(m_indexHint + 1, index)) return static_cast<int>(++m_indexHint);
    m_indexHint = static_cast<size_t>(SearchBlockOfIndex(index));
    return static_cast<int>(m_indexHint);
}

int TLineList::SearchBlockOfIndex(int index) const {
    RefreshUntil([&](size_t b) {
        return index < m_firstIndex[b] + static_cast<int>(m_blocks[b].records.size());
    });
    auto end = m_firstIndex.begin() + static_cast<std::ptrdiff_t>(m_validPrefix);
    auto after = std::upper_bound(m_firstIndex.begin(), end, index);
    return static_cast<int>(after - m_firstIndex.begin()) - 1;
}

int TLineList::BlockOfPosition(int position) const {
    assert(!m_blocks.empty());
    RefreshUntil([&](size_t b) { return position < m_firstPos[b] + m_blocks[b].chars; });
    auto end = m_firstPos.begin() + static_cast<std::ptrdiff_t>(m_validPrefix);
    auto after = std::upper_bound(m_firstPos.begin(), end, position);
    return static_cast<int>(std::max<std::ptrdiff_t>(after - m_firstPos.begin(), 1)) - 1;
}

int TLineList::FindFlags(int from, int last, uint32_t flags) const {
    from = std::max(from, 0);
    last = std::min(last, m_count - 1);
    if (from > last) return -1;
    int block = BlockOfIndex(from);
    size_t offset = static_cast<size_t>(from - m_firstIndex[static_cast<size_t>(block)]);
    int index = from;
    for (size_t b = static_cast<size_t>(block); b < m_blocks.size(); ++b, offset = 0) {
        const RecordArray& records = m_blocks[b].records;
        for (size_t i = offset; i < records.size(); ++i, ++index) {
            if (index > last) return -1;
            if (records[i].Flags() & flags) return index;
        }
    }
    return -1;
}

TLineRecord& TLineList::operator[](int index) {
    assert(index >= 0 && index < m_count);
    int block = BlockOfIndex(index);
    return m_blocks[static_cast<size_t>(block)]
        .records[static_cast<size_t>(index - m_firstIndex[static_cast<size_t>(block)])];
}

const TLineRecord& TLineList::operator[](int index) const {
    return const_cast<TLineList&>(*this)[index];
}

const TLineRecord* TLineList::Run(int index, int& count) const {
    count = 0;
    if (index < 0 || index >= m_count) return nullptr;
    int block = BlockOfIndex(index);
    const RecordArray& records = m_blocks[static_cast<size_t>(block)].records;
    size_t local = static_cast<size_t>(index - m_firstIndex[static_cast<size_t>(block)]);
    count = static_cast<int>(records.size() - local);
    return records.data() + local;
}

int TLineList::Start(int index) const {
    if (index <= 0 || m_count == 0) return 0;
    if (index >= m_count) return m_chars;
    int block = BlockOfIndex(index);
    size_t b = static_cast<size_t>(block);
    return m_firstPos[b] + LocalStart(block, static_cast<size_t>(index - m_firstIndex[b]));
}

int TLineList::IndexFromPosition(int position) const {
    if (m_count == 0) return 0;
    if (position >= m_chars) return m_count - 1;
    int block = BlockOfPosition(std::max(position, 0));
    size_t b = static_cast<size_t>(block);
    return m_firstIndex[b] + static_cast<int>(LocalIndexAt(block, position - m_firstPos[b]));
}

// A block's records changed: its start table and the blocks after it move.
void TLineList::Touch(int block) {
    m_blocks[static_cast<size_t>(block)].dirty = true;
    m_blocks[static_cast<size_t>(block)].lines = -1;
    Invalidate(static_cast<size_t>(block) + 1);
}

void TLineList::SplitBlock(int block) {
    Block& full = m_blocks[static_cast<size_t>(block)];
    Block second = NewBlock();
    size_t half = full.records.size() / 2;
    std::move(full.records.begin() + static_cast<std::ptrdiff_t>(half), full.records.end(),
              std::back_inserter(second.records));
    full.records.resize(half);
    for (const TLineRecord& record : second.records)
        second.chars += record.Length();
    full.chars -= second.chars;
    m_blocks.insert(m_blocks.begin() + block + 1, std::move(second));
    Touch(block);
    Touch(block + 1);
    Invalidate(static_cast<size_t>(block) + 1);
}

// The block that takes a record inserted at index, split first when full.
int TLineList::BlockForInsert(int index) {
    bool append = index == m_count;
    if (m_blocks.empty() || (append && m_blocks.back().records.size() >= kBlockSize)) {
        m_blocks.push_back(NewBlock()); // appending starts a new block, keeping full ones full
        Invalidate(m_blocks.size() - 1);
    }
    int block = append ? static_cast<int>(m_blocks.size()) - 1 : BlockOfIndex(index);
    if (m_blocks[static_cast<size_t>(block)].records.size() >= kBlockSize) {
        SplitBlock(block);
        block = append ? static_cast<int>(m_blocks.size()) - 1 : BlockOfIndex(index);
    }
    RefreshThrough(static_cast<size_t>(block));
    return block;
}

void TLineList::Insert(int index, TLineRecord record) {
    TLineRecord* one = &record;
    InsertRange(index, std::span<TLineRecord>(one, 1));
}

// Moves each block's share in with one shift of the records after it.
void TLineList::InsertRange(int index, std::span<TLineRecord> records) {
    assert(index >= 0 && index <= m_count);
    size_t done = 0;
    while (done < records.size()) {
        int at = index + static_cast<int>(done);
        int block = BlockForInsert(at);
        Block& target = m_blocks[static_cast<size_t>(block)];
        size_t local = static_cast<size_t>(at - m_firstIndex[static_cast<size_t>(block)]);
        size_t take = std::min(kBlockSize - target.records.size(), records.size() - done);
        int chars = 0;
        for (size_t i = done; i < done + take; ++i)
            chars += records[i].Length();
        auto first = std::make_move_iterator(records.begin() + static_cast<std::ptrdiff_t>(done));
        target.records.insert(target.records.begin() + static_cast<std::ptrdiff_t>(local), first,
                              first + static_cast<std::ptrdiff_t>(take));
        target.chars += chars;
        m_count += static_cast<int>(take);
        m_chars += chars;
        done += take;
        Touch(block);
    }
}

// Bytes for the list to keep until it is cleared.
char* TLineList::Carve(size_t need) {
    if (need > m_slabLeft) {
        // Slabs grow with what the list keeps, so a short text costs little,
        // and a long one goes on in huge-page regions.
        size_t grown = m_slabTotal >= kLargeFrom ? kLargeRegion
                                                 : std::clamp(m_slabTotal, kMinSlab, kLargeFrom);
        size_t size = std::max(need, grown);
        m_slabs.push_back(AllocateRegion(size));
        m_slabFree = m_slabs.back().get();
        m_slabLeft = size;
        m_slabTotal += size;
    }
    char* bytes = m_slabFree;
    m_slabFree += need;
    m_slabLeft -= need;
    return bytes;
}

TLineRecord TLineList::KeptRecord(std::string_view text) {
    char* kept = Carve(text.size() + 1);
    std::memcpy(kept, text.data(), text.size());
    kept[text.size()] = '\0';
    TLineRecord record;
    record.ShowText(kept, static_cast<int>(text.size()));
    return record;
}

// A line that still shows its loaded text will not change length until it
// is edited, which frees both, so its token bytes can be kept alongside; an
// edited line's come from the heap and go with it.
uint8_t* TLineList::KeptTokens(TLineRecord& record) {
    if (record.HasListTokens() || record.Tokens() || !record.ShowsListText())
        return record.EnsureTokens();
    auto* tokens = reinterpret_cast<uint8_t*>(Carve(static_cast<size_t>(record.Length())));
    std::memset(tokens, 0, static_cast<size_t>(record.Length()));
    record.ShowTokens(tokens);
    return tokens;
}

void TLineList::ReleaseSpare() noexcept {
    if (m_slabFree != m_releasedFrom) ReleaseUnused(m_slabFree, m_slabLeft);
    m_releasedFrom = m_slabFree;
    m_pool->ReleaseSpare();
}

void TLineList::Erase(int first, int count) {
    assert(first >= 0 && count >= 0 && first + count <= m_count);
    while (count > 0) {
        int block = BlockOfIndex(first);
        Block& b = m_blocks[static_cast<size_t>(block)];
        size_t local = static_cast<size_t>(first - m_firstIndex[static_cast<size_t>(block)]);
        size_t take = std::min(static_cast<size_t>(count), b.records.size() - local);
        auto from = b.records.begin() + static_cast<std::ptrdiff_t>(local);
        for (auto it = from; it != from + static_cast<std::ptrdiff_t>(take); ++it) {
            b.chars -= it->Length();
            m_chars -= it->Length();
        }
        b.records.erase(from, from + static_cast<std::ptrdiff_t>(take));
        m_count -= static_cast<int>(take);
        count -= static_cast<int>(take);
        Touch(block);
        if (b.records.empty()) {
            m_blocks.erase(m_blocks.begin() + block);
            Invalidate(static_cast<size_t>(block));
        } else if (b.records.size() < kMergeBelow &&
                   static_cast<size_t>(block) + 1 < m_blocks.size() &&
                   b.records.size() + m_blocks[static_cast<size_t>(block) + 1].records.size() <=
                       kBlockSize) {
            Block& next = m_blocks[static_cast<size_t>(block) + 1];
            std::move(next.records.begin(), next.records.end(), std::back_inserter(b.records));
            b.chars += next.chars;
            m_blocks.erase(m_blocks.begin() + block + 1);
            Touch(block);
        }
    }
}

void TLineList::SetText(int index, std::string_view text) {
    int block = BlockOfIndex(index);
    Block& b = m_blocks[static_cast<size_t>(block)];
    TLineRecord& record =
        b.records[static_cast<size_t>(index - m_firstIndex[static_cast<size_t>(block)])];
    int delta = static_cast<int>(text.size()) - record.Length();
    record.SetText(text);
    b.chars += delta;
    m_chars += delta;
    Touch(block);
}

void TLineList::Clear() {
    m_blocks.clear();
    m_pool = std::make_unique<TBlockPool>(kBlockSize * sizeof(TLineRecord));
    m_firstIndex.clear();
    m_firstPos.clear();
    m_validPrefix = 0;
    m_linesBefore.clear();
    m_linesValid = 0;
    m_count = 0;
    m_chars = 0;
    m_slabs.clear();
    m_slabFree = nullptr;
    m_slabLeft = 0;
    m_slabTotal = 0;
    m_releasedFrom = nullptr;
}

void TLineList::Swap(TLineList& other) noexcept {
    std::swap(m_pool, other.m_pool); // the blocks keep the pool they came from
    std::swap(m_blocks, other.m_blocks);
    std::swap(m_firstIndex, other.m_firstIndex);
    std::swap(m_firstPos, other.m_firstPos);
    std::swap(m_validPrefix, other.m_validPrefix);
    std::swap(m_linesBefore, other.m_linesBefore);
    std::swap(m_linesValid, other.m_linesValid);
    std::swap(m_count, other.m_count);
    std::swap(m_chars, other.m_chars);
    std::swap(m_slabs, other.m_slabs);
    std::swap(m_slabFree, other.m_slabFree);
    std::swap(m_slabLeft, other.m_slabLeft);
    std::swap(m_slabTotal, other.m_slabTotal);
    std::swap(m_releasedFrom, other.m_releasedFrom);
}

} // namespace quarno
