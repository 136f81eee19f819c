// The tool bar's glyphs, drawn rather than shipped as images so they stay
// sharp at any scale and need no image files beside the program.
#pragma once

#include <QIcon>

namespace quarno {

enum class TToolGlyph {
    New,
    Open,
    Save,
    Print,
    Preview,
    Cut,
    Copy,
    Paste,
    Undo,
    Redo,
    Indent,
    Undent,
    Compile,
    Program,
    Download,
    Asm,
};

// A 16 by 16 glyph (with a double-resolution version) for a tool button.
QIcon ToolGlyph(TToolGlyph glyph);

} // namespace quarno
