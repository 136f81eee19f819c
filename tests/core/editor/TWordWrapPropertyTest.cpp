// Word wrap under random edits: after every step the incremental layout must
// equal the layout a fresh control makes of the same text, and the store's
// invariants must hold. Seeded, so a failure replays exactly.
#include "core/editor/TCustomLexipad.h"
#include "support/StoreInspection.h"

#include <gtest/gtest.h>

#include <random>

using namespace quarno;
using quarno::test::CheckInvariants;
using quarno::test::RecordLayout;

namespace {

constexpr int kSteps = 400;

void WrapAt(TCustomLexipad& pad, int column, bool overrides) {
    pad.SetWrapAtColumn(column);
    uint32_t options = pad.Options() | smoWordWrap;
    pad.SetOptions(overrides ? options | smoWrapOverride : options & ~smoWrapOverride);
}

// Text with short and long words, blanks, line breaks and, now and then, a
// wrap-override character or a TAB.
std::string RandomText(std::mt19937& random, int maxLength) {
    static const char pieces[] = "aaaabbbccd      \r\r\t>|";
    int length = static_cast<int>(random() % static_cast<unsigned>(maxLength + 1));
    std::string text;
    for (int i = 0; i < length; ++i)
        text += pieces[random() % (sizeof pieces - 1)];
    if (random() % 10 == 0) text += std::string(3 + random() % 30, 'w'); // a word wider than a row
    return text;
}

std::pair<int, int> RandomRange(std::mt19937& random, int count, int maxLength) {
    int start = count ? static_cast<int>(random() % static_cast<unsigned>(count + 1)) : 0;
    int length = static_cast<int>(random() % static_cast<unsigned>(maxLength + 1));
    return {start, std::min(start + length, count)};
}

// One random editing step; returns what it did, for the failure message.
std::string Step(TCustomLexipad& pad, std::mt19937& random) {
    int count = pad.CharCount();
    switch (random() % 8) {
    case 0:
    case 1: {
        auto [start, end] = RandomRange(random, count, 0);
        std::string text = RandomText(random, 12);
        pad.SetSelection(start, end);
        pad.ReplaceSelection(text);
        return "insert at " + std::to_string(start);
    }
    case 2: {
        auto [start, end] = RandomRange(random, count, 15);
        pad.SetSelection(start, end);
        pad.ReplaceSelection("");
        return "delete " + std::to_string(start) + ".." + std::to_string(end);
    }
    case 3: {
        auto [start, end] = RandomRange(random, count, 20);
        pad.SetSelection(start, end);
        pad.ReplaceSelection(RandomText(random, 8));
        return "replace " + std::to_string(start) + ".." + std::to_string(end);
    }
    case 4: {
        // Typing goes through the single-character path.
        auto [start, end] = RandomRange(random, count, 0);
        pad.SetSelection(start, end);
        static const char typed[] = "ab \r";
        pad.KeyPress(typed[random() % 4]);
        return "type at " + std::to_string(start);
    }
    case 5:
        if (pad.CanUndo()) pad.Undo();
        return "undo";
    case 6:
        if (pad.CanRedo()) pad.Redo();
        return "redo";
    default: {
        auto [start, end] = RandomRange(random, count, 3);
        pad.SetSelection(start, end);
        pad.KeyDown(8, 0); // Backspace
        return "backspace at " + std::to_string(start);
    }
    }
}

} // namespace

TEST(TWordWrapProperty, RandomEditsKeepTheLayoutOfAFreshControl) {
    struct Setup {
        uint32_t seed;
        int column;
        bool overrides;
    } setups[] = {{1, 6, false}, {2, 8, false}, {3, 5, true}, {4, 12, true}};
    for (const Setup& setup : setups) {
        SCOPED_TRACE("seed " + std::to_string(setup.seed) + ", column " +
                     std::to_string(setup.column));
        std::mt19937 random(setup.seed);
        TCustomLexipad pad;
        pad.SetText("the quick brown fox\rjumps over\r\rthe lazy dog");
        WrapAt(pad, setup.column, setup.overrides);
        int wrapped = 0; // steps after which some line is laid out in several rows
        for (int step = 0; step < kSteps; ++step) {
            std::string done = Step(pad, random);
            TCustomLexipad fresh;
            WrapAt(fresh, setup.column, setup.overrides);
            fresh.SetText(pad.Text());
            ASSERT_EQ(RecordLayout(pad.Store()), RecordLayout(fresh.Store()))
                << "step " << step << ": " << done;
            ASSERT_EQ(CheckInvariants(pad.Store()), "") << "step " << step << ": " << done;
            ASSERT_LE(pad.Selection().caret, pad.CharCount());
            wrapped += RecordLayout(pad.Store()).find('+') != std::string::npos;
        }
        EXPECT_GT(wrapped, kSteps * 3 / 4) << "the edits keep wrapping lines";
    }
}
