// Laying lines out as records: the whole-document pass must leave every
// record exactly as laying each line out in place does.
#include "core/document/TTextStore.h"
#include "support/StoreInspection.h"

#include <gtest/gtest.h>
#include <random>

using namespace quarno;
using quarno::test::CheckInvariants;
using quarno::test::RecordLayout;

namespace {

class NumberedObject : public TLineObject {
public:
    explicit NumberedObject(int number) : number(number) {}
    int number;
};

// Breaks that depend on the text only, so both stores get the same ones:
// every step characters, shifted by the line's length; none when step is 0.
TTextStore::TBreaksOf BreaksEvery(int step) {
    return [step](std::string_view text, std::vector<int>& breaks) {
        if (step == 0) return;
        for (int at = step - static_cast<int>(text.size() % 3); at < static_cast<int>(text.size());
             at += step)
            if (at > 0) breaks.push_back(at);
    };
}

void RelayoutEachLine(TTextStore& store, const TTextStore::TBreaksOf& breaksOf) {
    for (int index = 0; index < store.RecordCount();) {
        std::string text;
        for (int i = index; i < index + store.LineRecordCount(index); ++i)
            text.append(store.Record(i).Text());
        if (!text.empty() && text.back() == kLineBreak) text.pop_back();
        std::vector<int> breaks;
        breaksOf(text, breaks);
        index += store.RelayoutLine(index, breaks);
    }
}

std::string Describe(const TLineRecord& record) {
    std::string tokens = "none";
    if (record.Tokens())
        tokens.assign(reinterpret_cast<const char*>(record.Tokens()),
                      static_cast<size_t>(record.Length()));
    auto* object = dynamic_cast<NumberedObject*>(record.Object());
    return std::string(record.Text()) + "|" + tokens + "|" + std::to_string(record.Flags()) + "|" +
           std::to_string(record.Marks()) + "|" + std::to_string(record.Images()) + "|" +
           std::to_string(record.TextColor()) + "," + std::to_string(record.BackColor()) + "|" +
           (object ? std::to_string(object->number) : "-");
}

// Lines short and long (past a record), with TABs; some lines styled and up
// to date, some waiting for a rescan, some with marks, images, colours and an
// object, on first records and continuations alike.
void Fill(TTextStore& store, uint32_t seed) {
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < 40000) {
        size_t length = random() % 12 == 0 ? 1500 + random() % 3000 : random() % 50;
        for (size_t i = 0; i < length; ++i)
            text += i % 11 == 5 ? '\t' : static_cast<char>('a' + random() % 26);
        text += '\r';
    }
    store.AppendText(text);
    store.InsertText(7, "edited "); // a record owning its text among slab ones
    store.ClearRestyleRange();
    for (int i = 0; i < store.RecordCount(); ++i) {
        TLineRecord& record = store.Record(i);
        record.SetFlags(record.Flags() & lfHasTab);
        if (random() % 4 != 0) {
            uint8_t* tokens = store.EnsureTokens(record);
            for (int c = 0; c < record.Length(); ++c)
                tokens[c] = static_cast<uint8_t>('A' + (c + i) % 20);
        }
        if (random() % 9 == 0) record.SetMarks(record.Marks() | (1u << (i % 10)));
        if (random() % 13 == 0) record.SetImages(static_cast<uint16_t>(i));
        if (random() % 17 == 0) record.SetColors(i, -1);
        if (random() % 19 == 0) record.SetObject(std::make_unique<NumberedObject>(i));
    }
    for (int i = 0; i < store.RecordCount(); i += 40 + static_cast<int>(random() % 60))
        store.FlagRestyle(i, i + static_cast<int>(random() % 3));
}

} // namespace

TEST(TStoreLayout, WholeDocumentPassMatchesLayingOutEachLine) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        TTextStore inPlace;
        TTextStore rebuilt;
        Fill(inPlace, seed);
        Fill(rebuilt, seed);
        const std::string text = inPlace.Text();
        // Narrow rows, the same again, wider ones, and the lines whole again.
        for (int step : {7, 7, 40, 0}) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
            RelayoutEachLine(inPlace, BreaksEvery(step));
            rebuilt.RelayoutAll(BreaksEvery(step));
            ASSERT_EQ(rebuilt.Text(), text);
            ASSERT_EQ(RecordLayout(rebuilt), RecordLayout(inPlace));
            for (int i = 0; i < rebuilt.RecordCount(); ++i)
                ASSERT_EQ(Describe(rebuilt.Record(i)), Describe(inPlace.Record(i)))
                    << "record " << i;
            ASSERT_EQ(CheckInvariants(rebuilt), "");
            ASSERT_EQ(CheckInvariants(inPlace), "");
            ASSERT_EQ(rebuilt.LongestLine(), inPlace.LongestLine());
        }
    }
}

// The pass builds the records anew: editing afterwards, and the store's end,
// must not touch what the old records held.
TEST(TStoreLayout, RecordsLaidOutAnewCanBeEditedAndFreed) {
    TTextStore store;
    store.AppendText("alpha beta gamma\rdelta\repsilon zeta eta theta\r");
    store.RelayoutAll(BreaksEvery(5));
    EXPECT_EQ(RecordLayout(store), "4 +5 +5 +3 3 +3 4 +5 +5 +5 +4");
    store.InsertText(2, "XY");
    store.DeleteRange(33, 38);
    EXPECT_EQ(store.Text(), "alXYpha beta gamma\rdelta\repsilon eta theta\r");
    store.RelayoutAll(BreaksEvery(0));
    EXPECT_EQ(RecordLayout(store), "19 6 18");
    EXPECT_EQ(CheckInvariants(store), "");
    EXPECT_EQ(store.RecordsLongerThan(6), 2);
    EXPECT_EQ(store.RecordsLongerThan(18), 1);
    EXPECT_EQ(store.RecordsLongerThan(19), 0);
}
