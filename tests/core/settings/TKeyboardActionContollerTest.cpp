#include "core/settings/TKeyboardActionContoller.h"
#include "core/base/TMemoryStream.h"
#include "core/lexicon/ShortCuts.h"
#include "core/settings/TLP_Settings.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

const uint16_t kCtrlK = kScCtrl | 'K';

// Runs key events through one sequence and renders what each did:
// "17" an action, "+" swallowed as the start of a sequence, "-" passed on.
std::string Press(const TKeyboardActionContoller& keys, std::initializer_list<uint16_t> events) {
    TKeySequence sequence;
    std::string result;
    for (uint16_t key : events) {
        TKeyResult got = keys.KeyEvent(sequence, key);
        if (!result.empty()) result += ' ';
        result += got.action >= 0 ? std::to_string(got.action) : got.consumed ? "+" : "-";
        EXPECT_EQ(got.consumed, got.action >= 0 || result.back() == '+');
    }
    return result;
}

std::string ConflictMessage(TKeyboardActionContoller& keys, uint16_t first, uint16_t second,
                            int32_t action) {
    try {
        keys.Bind(first, second, action);
    } catch (const EAmbigiousKeyPair& error) {
        return error.what();
    }
    return "(bound)";
}

} // namespace

TEST(TKeyboardActionContoller, DefaultTableHas48CommandsAndBindings) {
    const auto& keys = TKeyboardActionContoller::DefaultKeyTable();
    ASSERT_EQ(keys.Actions().size(), 48u);
    EXPECT_EQ(keys.AllBindings().size(), 48u);
    EXPECT_EQ(keys.Description(0), "Cursor left");
    EXPECT_EQ(keys.Description(19), "Toggle insert/overwrite mode");
    EXPECT_EQ(keys.Description(25), "Set Bookmark 5");
    EXPECT_EQ(keys.Description(39), "Goto Bookmark 9");
    EXPECT_EQ(keys.Description(47), "Scroll display down one line");
    EXPECT_EQ(keys.Bindings(42), (std::vector<TKeyPair>{{kScCtrl | kScShift | 'Z', 0, 42}}));
    EXPECT_EQ(keys.Bindings(44), (std::vector<TKeyPair>{{kCtrlK, 'P', 44}}));
    for (int32_t action = 0; action < 48; ++action)
        EXPECT_EQ(keys.Bindings(action).size(), 1u) << action;
}

TEST(TKeyboardActionContoller, KeyEventsFollowSequences) {
    const auto& keys = TKeyboardActionContoller::DefaultKeyTable();
    struct Case {
        const char* name;
        std::initializer_list<uint16_t> events;
        const char* result;
    };
    const Case cases[] = {
        {"single keys", {vk::Left, kScCtrl | vk::Right, vk::Delete}, "0 9 15"},
        {"Shift is part of a first key", {kScCtrl | kScShift | 'Z', kScCtrl | 'Z'}, "42 41"},
        {"two-key sequence", {kCtrlK, 'I', kCtrlK, 'U'}, "+ 17 + 18"},
        {"modifiers of the second key are ignored", {kCtrlK, kScShift | 'I'}, "+ 17"},
        {"an unbound second key is passed on", {kCtrlK, 'X', vk::Left}, "+ - 0"},
        {"bookmarks", {kScCtrl | 'Q', '7', kCtrlK, '0'}, "+ 37 + 20"},
        {"unbound first keys", {'A', kScAlt | vk::Left, kScShift | vk::Left}, "- - -"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(Press(keys, test.events), test.result) << test.name;
}

TEST(TKeyboardActionContoller, ConflictingBindingsAreRejectedAndLeaveTheTreeAlone) {
    TKeyboardActionContoller keys = TKeyboardActionContoller::DefaultKeyTable();
    keys.Describe(100, "Custom");
    struct Case {
        const char* name;
        uint16_t first;
        uint16_t second;
        const char* existing;
    };
    const Case cases[] = {
        {"a single key that starts sequences", kCtrlK, 0, "Indent selected block"},
        {"the same single key", vk::Left, 0, "Cursor left"},
        {"a sequence starting with a single-key binding", vk::Left, 'X', "Cursor left"},
        {"the same sequence", kCtrlK, 'U', "Un-indent selected block"},
        {"the same sequence with a modified second key", kCtrlK, kScShift | 'P', "Print selection"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(ConflictMessage(keys, test.first, test.second, 100),
                  std::string("Duplicate key sequence definition for\r\n\"") + test.existing +
                      "\" and \"Custom\"")
            << test.name;
    }
    EXPECT_EQ(Press(keys, {vk::Left, 'X'}), "0 -") << "no child was left under Left";
    EXPECT_EQ(keys.AllBindings().size(), 48u);
    keys.Bind(kCtrlK, 'Z', 100);
    keys.Bind(kScAlt | 'Z', 0, 100);
    EXPECT_EQ(Press(keys, {kCtrlK, 'Z', kScAlt | 'Z'}), "+ 100 100");
}

TEST(TKeyboardActionContoller, StreamRoundTripAndLoadStopsAtAConflict) {
    TKeyboardActionContoller keys = TKeyboardActionContoller::DefaultKeyTable();
    TMemoryStream stream;
    keys.SaveToStream(stream);
    stream.SetPosition(0);
    TKeyboardActionContoller read;
    read.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(read.Actions(), keys.Actions());
    EXPECT_EQ(read.AllBindings(), keys.AllBindings());

    TMemoryStream conflicting;
    WriteInt32(conflicting, 1);
    WriteInt32(conflicting, 5);
    WriteShortString(conflicting, "Down one line");
    WriteInt32(conflicting, 2);
    for (int i = 0; i < 2; ++i) {
        WriteUInt16(conflicting, vk::Down);
        WriteUInt16(conflicting, 0);
        WriteInt32(conflicting, 5);
    }
    conflicting.SetPosition(0);
    EXPECT_THROW(read.LoadFromStream(conflicting), EAmbigiousKeyPair);
}

TEST(TKeyboardActionContoller, AssignAcceptsOnlyControllers) {
    TKeyboardActionContoller keys;
    keys.Assign(TKeyboardActionContoller::DefaultKeyTable());
    EXPECT_EQ(keys.AllBindings().size(), 48u);
    TLP_Settings settings;
    try {
        keys.Assign(settings);
        FAIL() << "assigned settings to a key controller";
    } catch (const ELexipad& error) {
        EXPECT_STREQ(error.what(), "Cannot assign a TLP_Settings to a TKeyboardActionContoller");
    }
}
