// Settings colours as Qt colours.
#include "qt/editor/LexipadColors.h"

#include "core/settings/SystemColors.h"

namespace quarno {

namespace {

// System colour indexes with a palette counterpart.
bool PaletteColor(uint32_t index, const QPalette& palette, QColor& color) {
    switch (index) {
    case 0: color = palette.color(QPalette::Mid); return true;  // scroll bar
    case 5: color = palette.color(QPalette::Base); return true; // window
    case 8: color = palette.color(QPalette::Text); return true; // window text
    case 13: color = palette.color(QPalette::Highlight); return true;
    case 14: color = palette.color(QPalette::HighlightedText); return true;
    case 15: color = palette.color(QPalette::Button); return true; // button face
    case 18: color = palette.color(QPalette::ButtonText); return true;
    default: return false;
    }
}

} // namespace

QColor LexipadColor(int32_t color, const QPalette& palette) {
    uint32_t value = static_cast<uint32_t>(color);
    QColor system;
    if ((value & 0xFF000000) == 0x80000000 && PaletteColor(value & 0xFF, palette, system))
        return system;
    uint32_t rgb = ColorToRgb(color);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

int32_t ColorValue(const QColor& color) {
    return static_cast<int32_t>((static_cast<uint32_t>(color.blue()) << 16) |
                                (static_cast<uint32_t>(color.green()) << 8) |
                                static_cast<uint32_t>(color.red()));
}

} // namespace quarno
