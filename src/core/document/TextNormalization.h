// Line-break and control-character normalisation of text entering a document.
#pragma once

#include <string>
#include <string_view>

namespace quarno {

// Characters inserted per chunk.
constexpr size_t kInsertChunk = 8192;

// CR LF, LF CR and a lone LF become CR; TAB and bytes 32..255 pass; every
// other control character becomes ".". Normalises at most limit characters
// of text, appending to out, and returns how many were consumed: a CR LF or
// LF CR pair is never cut at the limit, so the pair stays one line break when
// the rest follows in the next chunk.
size_t NormalizeChunk(std::string_view text, size_t limit, std::string& out);

// The whole text normalised.
std::string NormalizeText(std::string_view text);

} // namespace quarno
