// Keys as the settings store them: Windows virtual-key codes, shortcuts (a
// key code plus 8192 for Shift, 16384 for Ctrl, 32768 for Alt), their text
// form ("Ctrl+Shift+Z"), the key names of parser scripts and trigger texts,
// and the character-to-key mapping of a US keyboard layout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quarno {

// Modifier bits of a key event.
enum TShiftBits : uint8_t { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

constexpr uint16_t kScShift = 0x2000;
constexpr uint16_t kScCtrl = 0x4000;
constexpr uint16_t kScAlt = 0x8000;
constexpr uint16_t kScModifiers = kScShift | kScCtrl | kScAlt;

namespace vk {
constexpr uint16_t Back = 8, Tab = 9, Return = 13, Escape = 27, Space = 32, Prior = 33, Next = 34,
                   End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45,
                   Delete = 46, F1 = 112, F12 = 123;
}

// The shortcut of a key code pressed with the given TShiftBits.
uint16_t MakeShortCut(uint16_t key, uint8_t shift);
inline uint16_t ShortCutKey(uint16_t shortCut) {
    return static_cast<uint16_t>(shortCut & ~kScModifiers);
}

// "Shift+", "Ctrl+", "Alt+" in that order, then the key's name ("A", "5",
// "F3", "Left", "PgUp", "Del", "BkSp", "Enter", ";" ...; "$B9" for a key
// without a name). 0 gives "".
std::string ShortCutToText(uint16_t shortCut);
// The inverse of ShortCutToText; modifiers in any order and any case; the
// long key names of edit scripts ("Backspace", "PgDn") are accepted too.
// Text that names no key gives 0.
uint16_t TextToShortCut(std::string_view text);

// The key code of a lower-case key name of the script and trigger syntax
// ("backspace" 8, "delete" 46, "down" 40, "end" 35, "f1".."f12", "home" 36,
// "insert" 45, "left" 37, "pagedown" 34, "pageup" 33, "return" 13,
// "right" 39, "space" 32, "tab" 9, "up" 38), or -1.
int KeyCodeFromName(std::string_view lowerName);

// The key that types a character on a US keyboard, in the form virtual key
// + 0x100 Shift + 0x200 Ctrl + 0x400 Alt; -1 when no key types it.
int VkKeyScan(uint8_t c);

} // namespace quarno
