// Line-break and control-character normalisation.
#include "core/document/TextNormalization.h"

#include <algorithm>
#include <cstring>

namespace quarno {

size_t NormalizeChunk(std::string_view text, size_t limit, std::string& out) {
    size_t end = std::min(limit, text.size());
    size_t base = out.size();
    out.resize(base + end);
    char* write = out.data() + base;
    const char* read = text.data();
    size_t i = 0;
    while (i < end) {
        // Most bytes pass unchanged: copy them in runs.
        size_t run = i;
        while (run < end && (static_cast<unsigned char>(read[run]) >= 32 || read[run] == '\t'))
            ++run;
        std::memcpy(write, read + i, run - i);
        write += run - i;
        i = run;
        if (i >= end) break;
        char c = read[i];
        if (c == '\r' || c == '\n') {
            char partner = c == '\r' ? '\n' : '\r';
            if (i + 1 < text.size() && read[i + 1] == partner) {
                if (i + 1 >= end && i > 0) break; // the pair continues in the next chunk
                ++i;
            }
            *write++ = '\r';
        } else {
            *write++ = '.';
        }
        ++i;
    }
    out.resize(static_cast<size_t>(write - out.data()));
    return i;
}

std::string NormalizeText(std::string_view text) {
    std::string out;
    NormalizeChunk(text, text.size(), out);
    return out;
}

} // namespace quarno
