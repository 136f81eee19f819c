// A gap buffer: a vector with a movable hole, so runs of insertions and
// deletions near one place cost little however long the vector is.
#pragma once

#include <algorithm>
#include <cassert>
#include <utility>
#include <vector>

namespace quarno {

template <typename T> class TSplitVector {
public:
    int Length() const { return m_length; }

    T& operator[](int index) {
        assert(index >= 0 && index < m_length);
        return m_body[Physical(index)];
    }
    const T& operator[](int index) const {
        assert(index >= 0 && index < m_length);
        return m_body[Physical(index)];
    }

    void Insert(int index, T value) {
        assert(index >= 0 && index <= m_length);
        MakeRoom(index, 1);
        m_body[static_cast<size_t>(index)] = std::move(value);
        ++m_gapStart;
        --m_gapLength;
        ++m_length;
    }

    // Inserts count default values before index.
    void InsertEmpty(int index, int count) {
        assert(index >= 0 && index <= m_length && count >= 0);
        MakeRoom(index, count);
        for (int i = 0; i < count; ++i)
            m_body[static_cast<size_t>(index + i)] = T();
        m_gapStart += count;
        m_gapLength -= count;
        m_length += count;
    }

    void Delete(int index) { DeleteRange(index, 1); }

    void DeleteRange(int index, int count) {
        assert(index >= 0 && count >= 0 && index + count <= m_length);
        if (count == 0)
            return;
        MoveGap(index);
        for (int i = 0; i < count; ++i)
            m_body[static_cast<size_t>(m_gapStart + m_gapLength + i)] = T();
        m_gapLength += count;
        m_length -= count;
    }

    void Clear() {
        m_body.clear();
        m_body.shrink_to_fit();
        m_length = m_gapStart = m_gapLength = 0;
    }

    // Adds delta to count elements from index (for arithmetic element types).
    void RangeAddDelta(int index, int count, T delta) {
        assert(index >= 0 && count >= 0 && index + count <= m_length);
        int end = index + count;
        int firstPart = std::min(end, m_gapStart);
        for (int i = index; i < firstPart; ++i)
            m_body[static_cast<size_t>(i)] += delta;
        for (int i = std::max(index, m_gapStart); i < end; ++i)
            m_body[static_cast<size_t>(i + m_gapLength)] += delta;
    }

private:
    size_t Physical(int index) const {
        return static_cast<size_t>(index < m_gapStart ? index : index + m_gapLength);
    }

    void MoveGap(int position) {
        if (position == m_gapStart)
            return;
        auto body = m_body.begin();
        if (position < m_gapStart) {
            std::move_backward(body + position, body + m_gapStart,
                               body + m_gapStart + m_gapLength);
        } else {
            std::move(body + m_gapStart + m_gapLength, body + position + m_gapLength,
                      body + m_gapStart);
        }
        m_gapStart = position;
    }

    // Grows the gap to hold count more elements and moves it to index.
    void MakeRoom(int index, int count) {
        if (count > m_gapLength) {
            MoveGap(m_length);
            size_t grown = std::max<size_t>(m_body.size() + static_cast<size_t>(count),
                                            m_body.size() + m_body.size() / 2 + 16);
            m_body.resize(grown);
            m_gapLength = static_cast<int>(grown) - m_length;
        }
        MoveGap(index);
    }

    std::vector<T> m_body;
    int m_length = 0;
    int m_gapStart = 0;
    int m_gapLength = 0;
};

} // namespace quarno
