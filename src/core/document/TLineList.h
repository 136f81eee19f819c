// The records of a document and their start positions. Records live in blocks
// of at most 512, each knowing its character count, so inserting or removing
// a record anywhere moves at most one block's worth of records, and a
// position or index is found by two binary searches (over blocks, then over
// every eighth record start of one block) and a short walk. Start tables are
// rebuilt lazily after edits.
#pragma once

#include "core/base/LargeRegion.h"
#include "core/document/TBlockPool.h"
#include "core/document/TLineRecord.h"

#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace quarno {

class TLineList {
public:
    TLineList();
    ~TLineList();
    TLineList(const TLineList&) = delete;
    TLineList& operator=(const TLineList&) = delete;

    int Count() const { return m_count; }
    int CharCount() const { return m_chars; }

    TLineRecord& operator[](int index);
    const TLineRecord& operator[](int index) const;
    // Position of a record's first character; Count() gives the end.
    int Start(int index) const;
    // The last record starting at or before position; the end maps to the
    // last record; 0 when there are none.
    int IndexFromPosition(int position) const;
    // The first record at or after from with one of the flags set; -1 when
    // there is none. Walks the blocks directly, so a whole-document search
    // costs one look per record.
    int FindFlags(int from, int last, uint32_t flags) const;
    // Record index and the records after it that lie in the same block, one
    // after another in memory: the first and their count (0 for an index
    // outside the list). Lets a reader walk many records without a lookup each.
    const TLineRecord* Run(int index, int& count) const;
    TLineRecord* Run(int index, int& count) {
        return const_cast<TLineRecord*>(std::as_const(*this).Run(index, count));
    }

    // Records among 0..index that start a line of their own (no soft
    // continuation mark): a count per block is kept, so this costs one
    // block's walk, not the whole document's.
    int LinesThrough(int index) const;
    // A record's soft-continuation mark was changed in place.
    void ContinuationChanged(int index);

    void Insert(int index, TLineRecord record);
    // Inserts records (moved from) before index.
    void InsertRange(int index, std::span<TLineRecord> records);
    // A record showing a copy of text kept in the list's slabs: one large
    // allocation for many records instead of one each, for loading. The
    // record belongs in this list (or one it is swapped with).
    TLineRecord KeptRecord(std::string_view text);
    // The token bytes of a record of this list, made (zeroed) when it has
    // none: kept in the slabs for a record showing slab text, else its own.
    uint8_t* KeptTokens(TLineRecord& record);
    // After loading or a whole highlighting: the unused ends of the newest
    // slab and block region go back to the system (see ReleaseUnused); a call
    // with nothing carved since the last costs nothing.
    void ReleaseSpare() noexcept;
    void Erase(int first, int count);
    // Gives a record new characters (its token bytes are dropped).
    void SetText(int index, std::string_view text);
    void Clear();
    void Swap(TLineList& other) noexcept;

private:
    using RecordArray = std::vector<TLineRecord, TPoolAllocator<TLineRecord>>;
    struct Block {
        RecordArray records;
        std::vector<int> samples; // every eighth record's start in the block, when !dirty
        int chars = 0;
        bool dirty = true;
        mutable int lines = -1; // records starting a line, -1 when not counted
    };

    // Block holding a record index, and the index's place in it.
    int BlockOfIndex(int index) const;
    int SearchBlockOfIndex(int index) const;
    bool HintHolds(size_t block, int index) const;
    int BlockForInsert(int index);
    // Block holding a position before the end.
    int BlockOfPosition(int position) const;
    const std::vector<int>& Samples(int block) const;
    int LocalStart(int block, size_t local) const;
    size_t LocalIndexAt(int block, int offset) const;
    void RefreshThrough(size_t last) const;
    template <typename Covered> void RefreshUntil(Covered covered) const;
    void Touch(int block);
    void Invalidate(size_t firstBlock);
    void SplitBlock(int block);
    int BlockLines(size_t block) const;
    char* Carve(size_t bytes);
    Block NewBlock() const;

    // The pool outlives the blocks whose arrays it holds.
    std::unique_ptr<TBlockPool> m_pool;
    mutable std::vector<Block> m_blocks;
    mutable std::vector<int> m_firstIndex;  // per block, its first record's index
    mutable std::vector<int> m_firstPos;    // per block, its first character's position
    mutable size_t m_validPrefix = 0;       // blocks whose entries above are current
    mutable size_t m_indexHint = 0;         // the block the last lookup found
    mutable std::vector<int> m_linesBefore; // per block, the lines its records follow
    mutable size_t m_linesValid = 0;        // blocks whose entry above is current
    int m_count = 0;
    int m_chars = 0;
    // Text of kept records; a slab lives until the list is cleared, so the
    // text of a record edited since stays behind as dead bytes until then.
    std::vector<TRegion> m_slabs;
    char* m_slabFree = nullptr;
    size_t m_slabLeft = 0;
    size_t m_slabTotal = 0;
    char* m_releasedFrom = nullptr; // m_slabFree at the last ReleaseSpare
};

} // namespace quarno
