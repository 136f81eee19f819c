// Edit-script commands that drive the engine like a keyboard: typing, keys,
// actions and numbered bookmarks.
#include "EditSession.h"

#include "core/lexicon/ShortCuts.h"

namespace quarno::tool {
namespace {

// A character typed: its key press first (templates, triggers and bindings
// see it), then the character unless the key press used it.
void TypeCharacter(TCustomLexipad& pad, char c) {
    int scan = c == '\r' ? vk::Return : VkKeyScan(static_cast<uint8_t>(c));
    if (scan >= 0) {
        uint8_t shift =
            static_cast<uint8_t>(((scan & 0x100) ? kShiftKey : 0) |
                                 ((scan & 0x200) ? kCtrlKey : 0) | ((scan & 0x400) ? kAltKey : 0));
        if (pad.KeyDown(static_cast<uint16_t>(scan & 0xFF), shift)) return;
    }
    pad.KeyPress(c);
}

EditCommandRegistrar type("type", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    for (char c : args[0])
        TypeCharacter(s.Pad(), c);
});

EditCommandRegistrar key("key", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    uint16_t shortCut = TextToShortCut(args[0]);
    if (shortCut == 0) throw ScriptError("unknown key '" + args[0] + "'");
    uint8_t shift = static_cast<uint8_t>(((shortCut & kScShift) ? kShiftKey : 0) |
                                         ((shortCut & kScCtrl) ? kCtrlKey : 0) |
                                         ((shortCut & kScAlt) ? kAltKey : 0));
    s.Pad().KeyDown(ShortCutKey(shortCut), shift);
});

EditCommandRegistrar action("action", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    int code = EditSession::Number(args[0]);
    if (code < 0 || code >= kActionCount) throw ScriptError("action code out of range");
    s.Pad().ExecuteAction(code, false);
});

EditCommandRegistrar bookmark("bookmark", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 2, 2);
    int index = EditSession::Number(args[1]);
    if (args[0] == "set")
        s.Pad().SetBookmark(index);
    else if (args[0] == "goto")
        s.Pad().GotoBookmark(index);
    else
        throw ScriptError("bookmark set N or bookmark goto N");
});

} // namespace
} // namespace quarno::tool
