// Qt keys to Windows virtual-key codes.
#include "qt/editor/KeyMapping.h"

#include "core/lexicon/ShortCuts.h"

#include <QKeyEvent>

namespace quarno {

namespace {

constexpr uint16_t kNumpad0 = 96;

uint16_t KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<uint16_t>(kNumpad0 + key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}

uint16_t NamedKey(int key) {
    switch (key) {
    case Qt::Key_Backspace: return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Return;
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_PageUp: return vk::Prior;
    case Qt::Key_PageDown: return vk::Next;
    case Qt::Key_End: return vk::End;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Insert: return vk::Insert;
    case Qt::Key_Delete: return vk::Delete;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Print: return 44;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<uint16_t>(vk::F1 + key - Qt::Key_F1);
    return 0;
}

} // namespace

uint16_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier)
        if (uint16_t code = KeypadKey(key)) return code;
    if (uint16_t code = NamedKey(key)) return code;
    // Printable keys: Qt names them by the character they type, shifted or
    // not; the key that types it on a US keyboard is the one pressed.
    if (key > Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        int scan = VkKeyScan(static_cast<uint8_t>(key));
        if (scan > 0) return static_cast<uint16_t>(scan & 0xFF);
    }
    return 0;
}

uint16_t VirtualKeyOf(const QKeyEvent& event) {
    return VirtualKeyFromQt(event.key(), event.modifiers());
}

uint8_t ShiftBitsFromQt(Qt::KeyboardModifiers modifiers) {
    uint8_t shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= kShiftKey;
    if (modifiers & Qt::ControlModifier) shift |= kCtrlKey;
    if (modifiers & Qt::AltModifier) shift |= kAltKey;
    return shift;
}

} // namespace quarno
