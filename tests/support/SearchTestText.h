// Helpers for the search tests: a document store filled with a text, and
// matches written as "start-end".
#pragma once

#include "core/editor/TCustomLexipad.h"

#include <memory>
#include <optional>
#include <string>

namespace quarno::test {

// An editing control holding text exactly as given (line breaks as CR).
inline std::unique_ptr<TCustomLexipad> PadWithText(const std::string& text) {
    auto pad = std::make_unique<TCustomLexipad>();
    pad->SetText(text);
    return pad;
}

inline std::string Span(int start, int end) {
    return std::to_string(start) + "-" + std::to_string(end);
}

} // namespace quarno::test
