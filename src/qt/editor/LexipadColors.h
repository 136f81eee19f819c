// Settings colours (0x00BBGGRR, or a system colour index) as Qt colours: the
// system colours the desktop's palette has are taken from it.
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace quarno {

QColor LexipadColor(int32_t color, const QPalette& palette);
// A plain 0x00BBGGRR value of a Qt colour.
int32_t ColorValue(const QColor& color);

} // namespace quarno
