// The records of a document in blocks, with their start positions.
#include "core/document/TLineList.h"

#include <algorithm>
#include <cassert>

namespace quarno {

namespace {
constexpr size_t kBlockSize = 512;
constexpr size_t kMergeBelow = 64;
} // namespace

TLineList::Block TLineList::NewBlock() const {
    Block block;
    block.records.reserve(kBlockSize);
    return block;
}

// Brings the per-block first index and position up to date from the first
// block an edit may have moved.
void TLineList::RefreshPrefix() const {
    m_firstIndex.resize(m_blocks.size());
    m_firstPos.resize(m_blocks.size());
    if (m_validPrefix >= m_blocks.size()) return;
    for (size_t b = m_validPrefix; b < m_blocks.size(); ++b) {
        if (b == 0) {
            m_firstIndex[b] = 0;
            m_firstPos[b] = 0;
            continue;
        }
        m_firstIndex[b] = m_firstIndex[b - 1] + static_cast<int>(m_blocks[b - 1].records.size());
        m_firstPos[b] = m_firstPos[b - 1] + m_blocks[b - 1].chars;
    }
    m_validPrefix = m_blocks.size();
}

void TLineList::Invalidate(size_t firstBlock) {
    m_validPrefix = std::min(m_validPrefix, firstBlock);
}

const std::vector<int>& TLineList::Offsets(int block) const {
    Block& b = m_blocks[static_cast<size_t>(block)];
    if (b.dirty) {
        b.offsets.resize(b.records.size());
        int position = 0;
        for (size_t i = 0; i < b.records.size(); ++i) {
            b.offsets[i] = position;
            position += b.records[i].Length();
        }
        b.dirty = false;
    }
    return b.offsets;
}

int TLineList::BlockOfIndex(int index) const {
    RefreshPrefix();
    assert(!m_blocks.empty());
    auto after = std::upper_bound(m_firstIndex.begin(), m_firstIndex.end(), index);
    return static_cast<int>(after - m_firstIndex.begin()) - 1;
}

int TLineList::FindFlags(int from, int last, uint32_t flags) const {
    from = std::max(from, 0);
    last = std::min(last, m_count - 1);
    if (from > last) return -1;
    int block = BlockOfIndex(from);
    size_t offset = static_cast<size_t>(from - m_firstIndex[static_cast<size_t>(block)]);
    for (size_t b = static_cast<size_t>(block); b < m_blocks.size(); ++b, offset = 0) {
        const std::vector<TLineRecord>& records = m_blocks[b].records;
        for (size_t i = offset; i < records.size(); ++i) {
            int index = m_firstIndex[b] + static_cast<int>(i);
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
    const std::vector<TLineRecord>& records = m_blocks[static_cast<size_t>(block)].records;
    size_t local = static_cast<size_t>(index - m_firstIndex[static_cast<size_t>(block)]);
    count = static_cast<int>(records.size() - local);
    return records.data() + local;
}

int TLineList::Start(int index) const {
    if (index <= 0 || m_count == 0) return 0;
    if (index >= m_count) return m_chars;
    int block = BlockOfIndex(index);
    size_t b = static_cast<size_t>(block);
    return m_firstPos[b] + Offsets(block)[static_cast<size_t>(index - m_firstIndex[b])];
}

int TLineList::IndexFromPosition(int position) const {
    if (m_count == 0) return 0;
    if (position >= m_chars) return m_count - 1;
    RefreshPrefix();
    auto blockAfter = std::upper_bound(m_firstPos.begin(), m_firstPos.end(), position);
    size_t b =
        static_cast<size_t>(std::max<std::ptrdiff_t>(blockAfter - m_firstPos.begin(), 1) - 1);
    const std::vector<int>& offsets = Offsets(static_cast<int>(b));
    auto after = std::upper_bound(offsets.begin(), offsets.end(), position - m_firstPos[b]);
    return m_firstIndex[b] +
           static_cast<int>(std::max<std::ptrdiff_t>(after - offsets.begin(), 1)) - 1;
}

// A block's records changed: its start table and the blocks after it move.
void TLineList::Touch(int block) {
    m_blocks[static_cast<size_t>(block)].dirty = true;
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

void TLineList::Insert(int index, TLineRecord record) {
    assert(index >= 0 && index <= m_count);
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
    RefreshPrefix();
    Block& target = m_blocks[static_cast<size_t>(block)];
    size_t local = static_cast<size_t>(index - m_firstIndex[static_cast<size_t>(block)]);
    int length = record.Length();
    target.records.insert(target.records.begin() + static_cast<std::ptrdiff_t>(local),
                          std::move(record));
    target.chars += length;
    m_count += 1;
    m_chars += length;
    Touch(block);
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
    m_firstIndex.clear();
    m_firstPos.clear();
    m_validPrefix = 0;
    m_count = 0;
    m_chars = 0;
}

void TLineList::Swap(TLineList& other) noexcept {
    std::swap(m_blocks, other.m_blocks);
    std::swap(m_firstIndex, other.m_firstIndex);
    std::swap(m_firstPos, other.m_firstPos);
    std::swap(m_validPrefix, other.m_validPrefix);
    std::swap(m_count, other.m_count);
    std::swap(m_chars, other.m_chars);
}

} // namespace quarno
