#include "core/document/TLineList.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace quarno;

// Random inserts, erases, text changes and continuation marks against a plain
// vector, with enough records to split blocks, merge them and empty them again.
TEST(TLineList, MatchesAPlainVectorThroughSplitsAndMerges) {
    std::mt19937 random(5);
    TLineList list;
    std::vector<std::string> model;
    std::vector<bool> continues;
    auto check = [&](int step) {
        ASSERT_EQ(list.Count(), static_cast<int>(model.size())) << step;
        int position = 0;
        int lines = 0;
        for (size_t i = 0; i < model.size(); ++i) {
            ASSERT_EQ(list.Start(static_cast<int>(i)), position) << step << " record " << i;
            lines += continues[i] ? 0 : 1;
            ASSERT_EQ(list.LinesThrough(static_cast<int>(i)), lines) << step << " record " << i;
            ASSERT_EQ(list[static_cast<int>(i)].Text(), model[i]);
            if (!model[i].empty()) {
                ASSERT_EQ(list.IndexFromPosition(position), static_cast<int>(i));
            }
            position += static_cast<int>(model[i].size());
        }
        ASSERT_EQ(list.CharCount(), position);
        ASSERT_EQ(list.Start(list.Count()), position);
    };
    for (int step = 0; step < 6000; ++step) {
        bool growing = (step / 1500) % 2 == 0;
        int count = static_cast<int>(model.size());
        int action = static_cast<int>(random() % 10);
        // Growing phases add some 0.5 records a step, so blocks of 512 split.
        if (count == 0 || (growing ? action < 7 : action < 2)) {
            int at = step % 5 == 0 ? count : static_cast<int>(random() % (count + 1));
            std::string text(1 + random() % 9, static_cast<char>('a' + random() % 26));
            TLineRecord record(text);
            bool continuation = random() % 3 == 0;
            if (continuation) record.SetMarks(kSoftContinuation);
            list.Insert(at, std::move(record));
            model.insert(model.begin() + at, text);
            continues.insert(continues.begin() + at, continuation);
        } else if (action < 8) {
            int at = static_cast<int>(random() % count);
            int n = std::min(count - at, 1 + static_cast<int>(random() % (growing ? 3 : 700)));
            list.Erase(at, n);
            model.erase(model.begin() + at, model.begin() + at + n);
            continues.erase(continues.begin() + at, continues.begin() + at + n);
        } else if (action == 8) {
            // A mark changed in place, as a line break typed before a
            // continuation makes it a line of its own.
            int at = static_cast<int>(random() % count);
            list[at].SetMarks(static_cast<uint16_t>(list[at].Marks() ^ kSoftContinuation));
            list.ContinuationChanged(at);
            continues[static_cast<size_t>(at)] = !continues[static_cast<size_t>(at)];
        } else {
            int at = static_cast<int>(random() % count);
            std::string text(random() % 12, 'z');
            list.SetText(at, text);
            model[static_cast<size_t>(at)] = text;
        }
        if (step % 250 == 0 || model.size() < 3) check(step);
        // The counts kept per block, right after each change.
        auto lines = std::count(continues.begin(), continues.end(), false);
        ASSERT_EQ(list.LinesThrough(list.Count() - 1), lines) << step;
    }
    check(-1);
}

// A walk from the front that edits as it goes (as word wrap does) finds
// every start right, though the block table is brought up to date only as
// far as each lookup needs.
TEST(TLineList, WalkThatEditsAsItGoesSeesCurrentStarts) {
    TLineList list;
    std::vector<std::string> model;
    for (int i = 0; i < 3000; ++i) {
        model.push_back(std::string(1 + i % 5, 'a') + "\r");
        list.Insert(i, TLineRecord(model.back()));
    }
    for (int i = 0; i < static_cast<int>(model.size()); i += 3) {
        list.Insert(i + 1, TLineRecord("xy"));
        model.insert(model.begin() + i + 1, "xy");
        if (i % 9 == 0) {
            list.Erase(i, 1);
            model.erase(model.begin() + i);
        }
        int position = 0;
        for (int k = 0; k <= std::min(i + 2, static_cast<int>(model.size()) - 1); ++k)
            position += static_cast<int>(model[static_cast<size_t>(k)].size());
        int next = std::min(i + 3, static_cast<int>(model.size()));
        ASSERT_EQ(list.Start(next), position) << i;
        ASSERT_EQ(list.IndexFromPosition(position), next == list.Count() ? next - 1 : next) << i;
    }
}

// Token bytes of a loaded line are kept in the list's slabs: dropping them
// sets them aside (the next restyle takes the same bytes back, cleared), an
// edit gives the line heap bytes of its new length, and moving a record takes
// its bytes along. Under the sanitizers a slab byte freed as a heap block, or
// a heap block leaked, fails here.
TEST(TLineList, TokenBytesOfLoadedLinesLiveInTheSlabs) {
    TLineList list;
    list.Insert(0, list.KeptRecord("DIM A\r"));
    list.Insert(1, list.KeptRecord("END\r"));
    uint8_t* kept = list.KeptTokens(list[0]);
    ASSERT_NE(kept, nullptr);
    std::fill_n(kept, 6, uint8_t{7});
    EXPECT_EQ(list.KeptTokens(list[0]), kept);

    list[0].DropTokens();
    EXPECT_EQ(list[0].Tokens(), nullptr);
    uint8_t* again = list.KeptTokens(list[0]);
    EXPECT_EQ(again, kept);
    EXPECT_EQ(std::count(again, again + 6, uint8_t{0}), 6);

    list.SetText(0, "DIM AB\r");
    EXPECT_EQ(list[0].Tokens(), nullptr);
    uint8_t* own = list.KeptTokens(list[0]);
    ASSERT_NE(own, nullptr);
    own[6] = 3; // the new length's last byte
    list[0].DropTokens();
    EXPECT_EQ(list[0].Tokens(), nullptr);

    uint8_t* second = list.KeptTokens(list[1]);
    TLineRecord moved = std::move(list[1]);
    EXPECT_EQ(moved.Tokens(), second);
    EXPECT_EQ(list[1].Tokens(), nullptr);
}

namespace {
struct CountedObject : TLineObject {
    explicit CountedObject(int& alive) : alive(alive) { ++alive; }
    ~CountedObject() override { --alive; }
    int& alive;
};
} // namespace

// A record keeps its token bytes and its rarely used state (images, colours,
// line object) in one word: adding or moving either must not lose, leak or
// hand over the other.
TEST(TLineList, TokenBytesAndRareLineStateLiveSideBySide) {
    int alive = 0;
    TLineList list;
    list.Insert(0, list.KeptRecord("GOTO X\r"));
    list.Insert(1, TLineRecord("END\r"));
    uint8_t* kept = list.KeptTokens(list[0]);
    kept[0] = 4;
    list[0].SetImages(0x21);
    list[0].SetColors(0xFF, -1);
    list[0].SetObject(std::make_unique<CountedObject>(alive));
    EXPECT_EQ(list[0].Tokens(), kept);
    EXPECT_EQ(list[0].Images(), 0x21);
    EXPECT_EQ(list[0].TextColor(), 0xFF);
    EXPECT_EQ(alive, 1);

    // Tokens made after the extras, and dropped and taken again with them.
    uint8_t* own = list[1].EnsureTokens();
    own[2] = 9;
    list[1].SetImages(0x02);
    EXPECT_EQ(list[1].Tokens(), own);
    list[0].DropTokens();
    EXPECT_EQ(list[0].Tokens(), nullptr);
    EXPECT_EQ(list.KeptTokens(list[0]), kept);
    EXPECT_EQ(list[0].Images(), 0x21);

    // The attributes go to the record that replaces the line; the token bytes
    // stay with the characters they describe.
    TLineRecord rebuilt("GOTO Y\r");
    uint8_t* rebuiltTokens = rebuilt.EnsureTokens();
    list[0].MoveAttributesTo(rebuilt);
    EXPECT_EQ(rebuilt.Tokens(), rebuiltTokens);
    EXPECT_EQ(rebuilt.Images(), 0x21);
    EXPECT_EQ(rebuilt.BackColor(), -1);
    EXPECT_EQ(list[0].Tokens(), kept);
    EXPECT_EQ(list[0].Images(), 0);
    EXPECT_EQ(list[0].Object(), nullptr);
    EXPECT_EQ(alive, 1);

    // New characters drop the token bytes but keep the line's state.
    list.SetText(1, "STOP\r");
    EXPECT_EQ(list[1].Tokens(), nullptr);
    EXPECT_EQ(list[1].Images(), 0x02);

    list[1] = std::move(rebuilt);
    EXPECT_EQ(list[1].Tokens(), rebuiltTokens);
    EXPECT_EQ(list[1].Images(), 0x21);
    EXPECT_EQ(rebuilt.Tokens(), nullptr);
    EXPECT_EQ(rebuilt.Images(), 0);
    list.Clear();
    EXPECT_EQ(alive, 0);
}
