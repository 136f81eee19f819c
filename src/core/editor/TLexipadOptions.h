// The option word of the editing control: one bit per option.
#pragma once

#include <cstdint>

namespace quarno {

enum TLexipadOption : uint32_t {
    smoLineNumbers = 1,
    smoSyntaxHighlight = 16,
    smoPrintWrap = 32,
    smoPrintLineNos = 64,
    smoPrintFilename = 128,
    smoPrintDate = 256,
    smoPrintPageNos = 512,
    smoWordWrap = 1024,
    smoAutoIndent = 2048,
    smoTabToColumn = 4096,
    smoWrapOverride = 8192,
    smoWordSelect = 16384,
    smoShowRMargin = 32768,
    smoShowGutter = 65536,
    smoShowWrapColumn = 131072,
    smoTitleAsFilename = 262144,
    smoProcessDroppedFiles = 524288,
    smoBlockOverwriteCursor = 1048576,
    smoShowWrapGlyph = 2097152,
    smoColumnTrack = 4194304,
    smoUseTAB = 8388608,
    smoSmartFill = 16777216,
    smoOLEDragSource = 33554432,
    smoShowAllChars = 67108864,
    smoCaretAfterEOL = 134217728,
};

constexpr uint32_t kDefaultOptions = 67099632; // 0x3FFDBF0

} // namespace quarno
