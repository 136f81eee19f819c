// What printing works with before any pixel is drawn: rectangles in device
// units, the printed lines of a document (a real line, or a piece of one when
// long lines wrap on paper) and the pages they fall on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarno {

struct TPrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const TPrintRect&) const = default;
};

struct TPrintLine {
    int position = 0;            // document offset of the first character
    std::string text;            // characters without the line break
    std::vector<uint8_t> tokens; // one per character (0 where the parser has not been)
    int lineNumber = 0;          // 1-based real line number; 0 on a wrapped continuation
};

struct TPrintPage {
    int number = 0; // 1-based
    std::vector<TPrintLine> lines;
};

} // namespace quarno
