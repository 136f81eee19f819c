// Line-break and control-character normalisation.
#include "editor/TextNormalization.h"

#include <algorithm>

namespace quarno {

size_t NormalizeChunk(std::string_view text, size_t limit, std::string& out) {
    size_t end = std::min(limit, text.size());
    out.reserve(out.size() + end);
    size_t i = 0;
    while (i < end) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 32 || c == '\t') {
            out.push_back(static_cast<char>(c));
        } else if (c == '\r' || c == '\n') {
            char partner = c == '\r' ? '\n' : '\r';
            if (i + 1 < text.size() && text[i + 1] == partner) {
                if (i + 1 >= end && i > 0)
                    break; // the pair continues in the next chunk
                ++i;
            }
            out.push_back('\r');
        } else {
            out.push_back('.');
        }
        ++i;
    }
    return i;
}

std::string NormalizeText(std::string_view text) {
    std::string out;
    NormalizeChunk(text, text.size(), out);
    return out;
}

} // namespace quarno
