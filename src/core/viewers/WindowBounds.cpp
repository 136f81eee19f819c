// Tool-window bounds in KBX.INI.
#include "core/viewers/WindowBounds.h"

namespace quarno {

TWindowBounds ReadWindowBounds(const TProfileFile& config, const TWindowBoundsKeys& keys) {
    TWindowBounds bounds;
    bounds.width = config.ReadInteger(keys.section, keys.width, 0);
    bounds.left = config.ReadInteger(keys.section, keys.left, 0);
    bounds.top = config.ReadInteger(keys.section, keys.top, 0);
    bounds.height = config.ReadInteger(keys.section, keys.height, 0);
    return bounds;
}

void WriteWindowBounds(TProfileFile& config, const TWindowBoundsKeys& keys,
                       const TWindowBounds& bounds) {
    config.WriteInteger(keys.section, keys.width, bounds.width);
    config.WriteInteger(keys.section, keys.left, bounds.left);
    config.WriteInteger(keys.section, keys.top, bounds.top);
    config.WriteInteger(keys.section, keys.height, bounds.height);
}

} // namespace quarno
