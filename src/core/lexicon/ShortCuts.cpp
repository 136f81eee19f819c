// Key codes, shortcuts and their text form.
#include "core/lexicon/ShortCuts.h"

#include "core/base/StringUtils.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace quarno {

namespace {

struct KeyName {
    uint16_t key;
    const char* name;
};

// The text form's names for keys other than letters, digits and F-keys.
constexpr KeyName kShortNames[] = {
    {vk::Back, "BkSp"},   {vk::Tab, "Tab"},    {vk::Return, "Enter"}, {vk::Escape, "Esc"},
    {vk::Space, "Space"}, {vk::Prior, "PgUp"}, {vk::Next, "PgDn"},    {vk::End, "End"},
    {vk::Home, "Home"},   {vk::Left, "Left"},  {vk::Up, "Up"},        {vk::Right, "Right"},
    {vk::Down, "Down"},   {vk::Insert, "Ins"}, {vk::Delete, "Del"},   {0x6A, "Num *"},
    {0x6B, "Num +"},      {0x6D, "Num -"},     {0x6E, "Num Del"},     {0x6F, "Num /"},
    {0xBA, ";"},          {0xBB, "="},         {0xBC, ","},           {0xBD, "-"},
    {0xBE, "."},          {0xBF, "/"},         {0xC0, "`"},           {0xDB, "["},
    {0xDC, "\\"},         {0xDD, "]"},         {0xDE, "'"},
};

// Further names accepted when reading shortcut text.
constexpr KeyName kLongNames[] = {
    {vk::Back, "Backspace"}, {vk::Return, "Return"}, {vk::Escape, "Escape"}, {vk::Prior, "PageUp"},
    {vk::Next, "PageDown"},  {vk::Insert, "Insert"}, {vk::Delete, "Delete"},
};

// The script's key names, sorted.
constexpr std::array<std::pair<std::string_view, int>, 25> kScriptKeyNames = {{
    {"backspace", 8}, {"delete", 46}, {"down", 40},   {"end", 35},   {"f1", 112},
    {"f10", 121},     {"f11", 122},   {"f12", 123},   {"f2", 113},   {"f3", 114},
    {"f4", 115},      {"f5", 116},    {"f6", 117},    {"f7", 118},   {"f8", 119},
    {"f9", 120},      {"home", 36},   {"insert", 45}, {"left", 37},  {"pagedown", 34},
    {"pageup", 33},   {"return", 13}, {"right", 39},  {"space", 32}, {"tab", 9},
}};

std::string KeyToText(uint16_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    char name[16];
    if (key >= 0x70 && key <= 0x87) {
        std::snprintf(name, sizeof name, "F%d", key - 0x6F);
        return name;
    }
    if (key >= 0x60 && key <= 0x69) {
        std::snprintf(name, sizeof name, "Num %d", key - 0x60);
        return name;
    }
    for (const KeyName& entry : kShortNames)
        if (entry.key == key) return entry.name;
    std::snprintf(name, sizeof name, "$%X", key);
    return name;
}

uint16_t TextToKey(std::string_view text) {
    if (text.size() == 1) {
        char c = ToUpperAscii(text[0]);
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return static_cast<uint16_t>(c);
    }
    for (const KeyName& entry : kShortNames)
        if (SameText(text, entry.name)) return entry.key;
    for (const KeyName& entry : kLongNames)
        if (SameText(text, entry.name)) return entry.key;
    int number = 0;
    if (text.size() >= 2 && (text[0] == 'F' || text[0] == 'f') &&
        TryParseInt(text.substr(1), number) && number >= 1 && number <= 24)
        return static_cast<uint16_t>(0x6F + number);
    if (text.size() >= 5 && SameText(text.substr(0, 4), "Num ") &&
        TryParseInt(text.substr(4), number) && number >= 0 && number <= 9)
        return static_cast<uint16_t>(0x60 + number);
    if (text.size() >= 2 && text[0] == '$') {
        unsigned value = 0;
        for (char c : text.substr(1)) {
            int digit = (c >= '0' && c <= '9')   ? c - '0'
                        : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                        : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                                 : -1;
            if (digit < 0 || value > 0xFF) return 0;
            value = value * 16 + static_cast<unsigned>(digit);
        }
        return value <= 0x1FFF ? static_cast<uint16_t>(value) : 0;
    }
    return 0;
}

} // namespace

uint16_t MakeShortCut(uint16_t key, uint8_t shift) {
    uint16_t shortCut = ShortCutKey(key);
    if (shift & kShiftKey) shortCut |= kScShift;
    if (shift & kCtrlKey) shortCut |= kScCtrl;
    if (shift & kAltKey) shortCut |= kScAlt;
    return shortCut;
}

std::string ShortCutToText(uint16_t shortCut) {
    uint16_t key = ShortCutKey(shortCut);
    if (key == 0) return "";
    std::string text;
    if (shortCut & kScShift) text += "Shift+";
    if (shortCut & kScCtrl) text += "Ctrl+";
    if (shortCut & kScAlt) text += "Alt+";
    return text + KeyToText(key);
}

uint16_t TextToShortCut(std::string_view text) {
    uint16_t modifiers = 0;
    for (;;) {
        if (text.size() > 6 && SameText(text.substr(0, 6), "Shift+")) {
            modifiers |= kScShift;
            text.remove_prefix(6);
        } else if (text.size() > 5 && SameText(text.substr(0, 5), "Ctrl+")) {
            modifiers |= kScCtrl;
            text.remove_prefix(5);
        } else if (text.size() > 4 && SameText(text.substr(0, 4), "Alt+")) {
            modifiers |= kScAlt;
            text.remove_prefix(4);
        } else {
            break;
        }
    }
    uint16_t key = TextToKey(text);
    return key == 0 ? 0 : static_cast<uint16_t>(key | modifiers);
}

int KeyCodeFromName(std::string_view lowerName) {
    auto found = std::lower_bound(
        kScriptKeyNames.begin(), kScriptKeyNames.end(), lowerName,
        [](const auto& entry, std::string_view name) { return entry.first < name; });
    return found != kScriptKeyNames.end() && found->first == lowerName ? found->second : -1;
}

int VkKeyScan(uint8_t c) {
    constexpr int shift = 0x100;
    constexpr int ctrl = 0x200;
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if (c >= 'A' && c <= 'Z') return c | shift;
    if (c >= '0' && c <= '9') return c;
    switch (c) {
    case ' ': return vk::Space;
    case '\r': return vk::Return;
    case '\t': return vk::Tab;
    case '\b': return vk::Back;
    case 27: return vk::Escape;
    case '\n': return vk::Return | ctrl;
    case ')': return '0' | shift;
    case '!': return '1' | shift;
    case '@': return '2' | shift;
    case '#': return '3' | shift;
    case '$': return '4' | shift;
    case '%': return '5' | shift;
    case '^': return '6' | shift;
    case '&': return '7' | shift;
    case '*': return '8' | shift;
    case '(': return '9' | shift;
    case ';': return 0xBA;
    case ':': return 0xBA | shift;
    case '=': return 0xBB;
    case '+': return 0xBB | shift;
    case ',': return 0xBC;
    case '<': return 0xBC | shift;
    case '-': return 0xBD;
    case '_': return 0xBD | shift;
    case '.': return 0xBE;
    case '>': return 0xBE | shift;
    case '/': return 0xBF;
    case '?': return 0xBF | shift;
    case '`': return 0xC0;
    case '~': return 0xC0 | shift;
    case '[': return 0xDB;
    case '{': return 0xDB | shift;
    case '\\': return 0xDC;
    case '|': return 0xDC | shift;
    case ']': return 0xDD;
    case '}': return 0xDD | shift;
    case '\'': return 0xDE;
    case '"': return 0xDE | shift;
    default: break;
    }
    if (c >= 1 && c <= 26) return ('A' + c - 1) | ctrl;
    return -1;
}

} // namespace quarno
