#include "core/editor/TCustomLexipad.h"

#include <gtest/gtest.h>

#include <string>

using namespace quarno;

namespace {

// "R" for a record flagged for repaint, "." for one that is not.
std::string Flagged(const TCustomLexipad& pad) {
    std::string flags;
    for (int i = 0; i < pad.Store().RecordCount(); ++i)
        flags += pad.Store().Record(i).Flags() & lfRepaint ? 'R' : '.';
    return flags;
}

void Painted(TCustomLexipad& pad) {
    for (int i = 0; i < pad.Store().RecordCount(); ++i)
        pad.Store().Record(i).ClearFlags(lfRepaint | lfRestyle | lfRestyleFollow);
}

} // namespace

TEST(TRepaintFlags, OneTypedCharacterRepaintsOneLineAndABreakTheRest) {
    TCustomLexipad pad;
    pad.SetText("one\rtwo\rthree\rfour\rfive");
    struct Case {
        const char* name;
        int position;
        const char* typed; // "" types a Backspace
        const char* expected;
    } cases[] = {
        {"a character", 5, "x", ".R..."},
        {"a backspace inside a line", 6, "", ".R..."},
        {"a line break", 5, "\r", ".RRRRR"},
        {"a backspace joining lines", 6, "", ".RRRR"},
    };
    for (const Case& c : cases) {
        Painted(pad);
        pad.SetSelection(c.position, c.position);
        Painted(pad);
        if (*c.typed)
            pad.KeyPress(c.typed[0]);
        else
            pad.ExecuteAction(caBACKSPACE, false);
        EXPECT_EQ(Flagged(pad), c.expected) << c.name;
    }
}
