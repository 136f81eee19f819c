// The rules of the highlighting page.
#include "core/options/THighlightPageModel.h"

#include "core/base/StringUtils.h"
#include "core/document/TTextStore.h"

#include <cstdlib>

namespace quarno {

THighlightPageModel::THighlightPageModel(TCustomLexipad& preview) : m_preview(preview) {
    for (const TLP_EditableStyle& style : preview.Settings().EditableStyles())
        m_elements.push_back({style.name, TElementKind::Style, style.style});
    m_elements.push_back({"Selected text", TElementKind::SelectedText, 0});
    m_elements.push_back({"Left margin", TElementKind::LeftMargin, 0});
    m_elements.push_back({"Gutter", TElementKind::Gutter, 0});
}

TElementLook THighlightPageModel::Look(int element) const {
    const TLP_Settings& settings = m_preview.Settings();
    TElementLook look;
    if (element < 0 || element >= static_cast<int>(m_elements.size())) return look;
    const THighlightElement& entry = m_elements[static_cast<size_t>(element)];
    switch (entry.kind) {
    case TElementKind::Style: {
        const TLP_Style& style = settings.Style(entry.style);
        look.bold = style.fontStyle & kFsBold;
        look.italic = style.fontStyle & kFsItalic;
        look.underline = style.fontStyle & kFsUnderline;
        look.fontStylesEnabled = true;
        look.foreground = style.textColor;
        look.background = style.backColor;
        look.foregroundDefault = style.textDefault;
        look.backgroundDefault = style.backDefault;
        look.foregroundDefaultEnabled = true;
        break;
    }
    case TElementKind::SelectedText:
        look.foreground = settings.SelTextColor();
        look.background = settings.SelTextBack();
        look.foregroundDefault = settings.SelTextDefault();
        look.backgroundDefault = settings.SelBackDefault();
        look.foregroundDefaultEnabled = true;
        break;
    case TElementKind::LeftMargin:
        look.background = settings.MarginColor();
        look.backgroundDefault = settings.MarginDefault();
        break;
    case TElementKind::Gutter:
        look.background = settings.GutterColor();
        look.backgroundDefault = settings.GutterDefault();
        break;
    }
    look.foregroundEnabled = look.foregroundDefaultEnabled && !look.foregroundDefault;
    look.backgroundEnabled = !look.backgroundDefault;
    return look;
}

void THighlightPageModel::SetFontStyle(int element, uint8_t bit, bool on) {
    if (element < 0 || element >= static_cast<int>(m_elements.size())) return;
    const THighlightElement& entry = m_elements[static_cast<size_t>(element)];
    if (entry.kind != TElementKind::Style) return;
    TLP_Style style = m_preview.Settings().Style(entry.style);
    style.fontStyle = on ? style.fontStyle | bit : style.fontStyle & ~bit;
    m_preview.Settings().SetStyle(entry.style, style);
    Changed();
}

void THighlightPageModel::SetColor(int element, bool foreground, int32_t color) {
    if (element < 0 || element >= static_cast<int>(m_elements.size())) return;
    const THighlightElement& entry = m_elements[static_cast<size_t>(element)];
    TLP_Settings& settings = m_preview.Settings();
    switch (entry.kind) {
    case TElementKind::Style: {
        TLP_Style style = settings.Style(entry.style);
        if (foreground && !style.textDefault) style.textColor = color;
        if (!foreground && !style.backDefault) style.backColor = color;
        settings.SetStyle(entry.style, style);
        break;
    }
    case TElementKind::SelectedText:
        if (foreground && !settings.SelTextDefault()) settings.SetSelTextColor(color);
        if (!foreground && !settings.SelBackDefault()) settings.SetSelTextBack(color);
        break;
    case TElementKind::LeftMargin:
        if (!foreground && !settings.MarginDefault()) settings.SetMarginColor(color);
        break;
    case TElementKind::Gutter:
        if (!foreground && !settings.GutterDefault()) settings.SetGutterColor(color);
        break;
    }
    Changed();
}

void THighlightPageModel::SetDefault(int element, bool foreground, bool on) {
    if (element < 0 || element >= static_cast<int>(m_elements.size())) return;
    const THighlightElement& entry = m_elements[static_cast<size_t>(element)];
    TLP_Settings& settings = m_preview.Settings();
    uint8_t flag = on ? 1 : 0;
    switch (entry.kind) {
    case TElementKind::Style: {
        TLP_Style style = settings.Style(entry.style);
        (foreground ? style.textDefault : style.backDefault) = flag;
        settings.SetStyle(entry.style, style);
        break;
    }
    case TElementKind::SelectedText:
        if (foreground)
            settings.SetSelTextDefault(flag);
        else
            settings.SetSelBackDefault(flag);
        break;
    case TElementKind::LeftMargin:
        if (!foreground) settings.SetMarginDefault(flag);
        break;
    case TElementKind::Gutter:
        if (!foreground) settings.SetGutterDefault(flag);
        break;
    }
    Changed();
}

int THighlightPageModel::Click(TPoint point) {
    bool near = std::abs(point.x - m_lastClick.x) <= 5 && std::abs(point.y - m_lastClick.y) <= 5;
    if (near) return -1;
    m_lastClick = point;
    int position = m_preview.CharFromPos(point, true);
    if (position < 0) return -1;
    m_preview.SetSelection(position, position);
    return ElementAt(position);
}

int THighlightPageModel::ElementAt(int position) const {
    const TTextStore& store = m_preview.Store();
    if (position < 0 || position >= store.CharCount()) return -1;
    int record = store.RecordFromPosition(position);
    const uint8_t* tokens = store.Record(record).Tokens();
    int offset = position - store.RecordStart(record);
    if (!tokens || offset >= store.Record(record).TextLength()) return -1;
    uint8_t style = m_preview.Settings().TokenStyle(tokens[offset]);
    for (size_t i = 0; i < m_elements.size(); ++i)
        if (m_elements[i].kind == TElementKind::Style && m_elements[i].style == style)
            return static_cast<int>(i);
    return -1;
}

void THighlightPageModel::SetFontName(const std::string& name) {
    m_preview.Settings().SetFontName(name);
    Changed();
}

void THighlightPageModel::SetFontSize(int size) {
    m_preview.Settings().SetFontSize(size);
    Changed();
}

int THighlightPageModel::ChooseCharset(uint8_t charset, const std::vector<std::string>& fontNames) {
    const std::string& current = m_preview.Settings().FontName();
    for (size_t i = 0; i < fontNames.size(); ++i) {
        if (!SameText(fontNames[i], current)) continue;
        m_preview.Settings().SetFontCharset(charset);
        Changed();
        return static_cast<int>(i);
    }
    return -1;
}

void THighlightPageModel::Changed() {
    m_preview.SettingsChanged();
}

const std::array<TCharsetName, 18>& THighlightPageModel::Charsets() {
    static const std::array<TCharsetName, 18> charsets{{
        {"ANSI_CHARSET", 0},
        {"ARABIC_CHARSET", 178},
        {"BALTIC_CHARSET", 186},
        {"CHINESEBIG5_CHARSET", 136},
        {"DEFAULT_CHARSET", 1},
        {"EASTEUROPE_CHARSET", 238},
        {"GB2312_CHARSET", 134},
        {"GREEK_CHARSET", 161},
        {"HANGEUL_CHARSET", 129},
        {"HEBREW_CHARSET", 177},
        {"JOHAB_CHARSET", 130},
        {"MAC_CHARSET", 77},
        {"OEM_CHARSET", 255},
        {"RUSSIAN_CHARSET", 204},
        {"SHIFTJIS_CHARSET", 128},
        {"SYMBOL_CHARSET", 2},
        {"THAI_CHARSET", 222},
        {"TURKISH_CHARSET", 162},
    }};
    return charsets;
}

const std::array<int, 13>& THighlightPageModel::FontSizes() {
    static const std::array<int, 13> sizes{8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 30};
    return sizes;
}

} // namespace quarno
