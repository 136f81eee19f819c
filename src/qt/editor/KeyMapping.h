// Qt key events in the terms of the editing engine: Windows virtual-key codes
// and TShiftBits.
#pragma once

#include <Qt>

#include <cstdint>

class QKeyEvent;

namespace quarno {

// The virtual-key code of a Qt key (letters, digits and punctuation as a US
// keyboard has them, keypad keys as the keypad's codes); 0 for a key the
// engine has no code for.
uint16_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);
uint16_t VirtualKeyOf(const QKeyEvent& event);
uint8_t ShiftBitsFromQt(Qt::KeyboardModifiers modifiers);

} // namespace quarno
