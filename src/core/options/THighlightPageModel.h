// The rules of the highlighting page: the list of elements (the editable
// styles, then "Selected text", "Left margin" and "Gutter"), what the
// controls below the list show for each, how a change of a font-style box, a
// colour or a default flag is stored into the working copy, picking an
// element by clicking a token of the preview, and the font lists.
#pragma once

#include "core/editor/TCustomLexipad.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quarno {

enum class TElementKind { Style, SelectedText, LeftMargin, Gutter };

struct THighlightElement {
    std::string caption;
    TElementKind kind = TElementKind::Style;
    uint8_t style = 0; // for TElementKind::Style
};

// What the controls under the element list show for an element.
struct TElementLook {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fontStylesEnabled = false; // only styles have font styles
    int32_t foreground = 0;
    int32_t background = 0;
    bool foregroundEnabled = false; // the colour buttons
    bool backgroundEnabled = false;
    bool foregroundDefault = false; // the "Use defaults for" boxes
    bool backgroundDefault = false;
    bool foregroundDefaultEnabled = false; // margin and gutter have no foreground
    bool operator==(const TElementLook&) const = default;
};

struct TCharsetName {
    const char* name;
    uint8_t charset;
};

class THighlightPageModel {
public:
    // The preview editor shows the settings being edited; it must outlive
    // the model.
    explicit THighlightPageModel(TCustomLexipad& preview);

    const std::string& LanguageName() const { return m_preview.Settings().LanguageName(); }
    const std::vector<THighlightElement>& Elements() const { return m_elements; }
    TElementLook Look(int element) const;

    // Sets or clears font-style bit (kFsBold, kFsItalic, kFsUnderline) of a
    // style element.
    void SetFontStyle(int element, uint8_t bit, bool on);
    // Stores a picked colour unless the element takes the matching default.
    void SetColor(int element, bool foreground, int32_t color);
    // The "Use defaults for" boxes; margin and gutter have only a background
    // flag, so their foreground box changes nothing.
    void SetDefault(int element, bool foreground, bool on);

    // A click into the preview at a client point: unless it is within 5
    // pixels across and 5 down of the previous one, the caret goes there and
    // the answer is the element of the style under it (-1 when the style is
    // not listed or the click was ignored).
    int Click(TPoint point);
    // The element of the style of the character at a position, or -1.
    int ElementAt(int position) const;

    // Font: the name, the size, and a character set chosen with the names of
    // the fonts installed for it. The answer is the index of the settings
    // font in those names (any case; -1: not there, and the character set is
    // then not taken).
    void SetFontName(const std::string& name);
    void SetFontSize(int size);
    int ChooseCharset(uint8_t charset, const std::vector<std::string>& fontNames);

    // The 18 character sets by name, sorted; the font sizes offered.
    static const std::array<TCharsetName, 18>& Charsets();
    static const std::array<int, 13>& FontSizes();

private:
    void Changed();

    TCustomLexipad& m_preview;
    std::vector<THighlightElement> m_elements;
    TPoint m_lastClick{-1000, -1000};
};

} // namespace quarno
