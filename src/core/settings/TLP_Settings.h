// The settings of a language: how an editing control looks and behaves for
// it (options, margins, tab stops, colours, the style table and the token-to-
// style map, fonts, extra keyword tables, automatic replacement, code
// templates, key bindings). Several controls can share one object; a compiled
// parser carries one in its stream.
#pragma once

#include "core/services/TAutoReplace.h"
#include "core/services/TCodeTemplates.h"
#include "core/settings/TKeyboardActionContoller.h"
#include "core/settings/TLP_Base.h"
#include "core/settings/TLP_KeywordTable.h"
#include "core/settings/TLP_Style.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

// Option word bits (the control's Options property).
enum TLexipadOption : int32_t {
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

struct TLP_EditableStyle {
    std::string name; // at most 25 characters
    uint8_t style = 0;
    bool operator==(const TLP_EditableStyle&) const = default;
};

// A font as the settings describe it.
struct TLP_FontSpec {
    std::string name;
    int32_t size = 0;
    uint8_t charset = 0;
    int32_t color = colors::WindowText;
    uint8_t style = 0; // TFontStyleBits
    bool operator==(const TLP_FontSpec&) const = default;
};

class TLP_Settings : public TLP_Base {
public:
    static constexpr int32_t kDefaultOptions = 67099632;
    static constexpr int kTabColumnCount = 32;
    static constexpr int kMaxEditableStyles = 50;
    static constexpr size_t kMaxStyleNameLength = 25;
    static constexpr int kMaxKeywordTables = 21;
    // The stream version a settings object uses on its own.
    static constexpr uint16_t kStreamVersion = 51;
    static constexpr uint8_t kDefaultCharset = 1;
    // Bounds of the numeric settings, checked where they are set, so that
    // no column arithmetic can overflow: block indent steps, the default tab
    // width, and columns (1-based tab columns, the right margin, the
    // word-wrap column).
    static constexpr int32_t kMaxIndentStep = 20;
    static constexpr int32_t kMaxTabWidth = 64;
    static constexpr int32_t kMaxColumn = 2048;
    static constexpr int32_t kMaxStripWidth = 1024; // pixels of the gutter and of the margin

    TLP_Settings();
    const char* ClassName() const override { return "TLP_Settings"; }
    // Back to the defaults, with a copy of the default key table.
    void Reset();

    const std::string& ExampleText() const { return m_exampleText; }
    void SetExampleText(const std::string& text) { m_exampleText = text; }
    const std::string& LanguageName() const { return m_languageName; }
    void SetLanguageName(const std::string& name) { m_languageName = name; }
    const std::string& WrapOverride() const { return m_wrapOverride; }
    void SetWrapOverride(const std::string& characters) { m_wrapOverride = characters; }
    int32_t Options() const { return m_options; }
    void SetOptions(int32_t options) { m_options = options; }
    bool HasOption(TLexipadOption option) const { return (m_options & option) != 0; }
    int32_t Margin() const { return m_margin; }
    // 0 to kMaxStripWidth, else ELexipad "Margin width must be between 0 and 1024".
    void SetMargin(int32_t pixels);
    int32_t RightMargin() const { return m_rightMargin; }
    // 0 to kMaxColumn, else ELexipad "Right margin must be between 0 and 2048".
    void SetRightMargin(int32_t column);
    int32_t WrapColumn() const { return m_wrapColumn; }
    // 0 (the window width) to kMaxColumn, else ELexipad "Word-wrap column
    // must be between 0 and 2048".
    void SetWrapColumn(int32_t column);
    int32_t Gutter() const { return m_gutter; }
    // 0 to kMaxStripWidth, else ELexipad "Gutter width must be between 0 and 1024".
    void SetGutter(int32_t pixels);
    int32_t IndentStep() const { return m_indentStep; }
    // 0 (block indent does nothing) to kMaxIndentStep, else ELexipad
    // "Indent step must be between 0 and 20".
    void SetIndentStep(int32_t step);
    int32_t MarginColor() const { return m_marginColor; }
    void SetMarginColor(int32_t color) { m_marginColor = color; }
    int32_t GutterColor() const { return m_gutterColor; }
    void SetGutterColor(int32_t color) { m_gutterColor = color; }
    int32_t SelTextColor() const { return m_selTextColor; }
    void SetSelTextColor(int32_t color) { m_selTextColor = color; }
    int32_t SelTextBack() const { return m_selTextBack; }
    void SetSelTextBack(int32_t color) { m_selTextBack = color; }

    int32_t TabDefault() const { return m_tabDefault; }
    // ELexipad "=Illegal default tab stop value, must be > 0" for width <= 0,
    // "=Illegal default tab stop value, must be <= 64" above kMaxTabWidth.
    void SetTabDefault(int32_t width);
    // 0-based display columns, ascending; -1 ends the list.
    const std::array<int32_t, kTabColumnCount>& TabColumns() const { return m_tabColumns; }
    // The 1-based columns joined by single blanks ("5 9 13").
    std::string TabColumnsText() const;
    // 1-based columns separated by blanks or ";", each above the one before
    // and above 1, at most 32. ELexipad with the first fault ("Tab stop column
    // value expected", "Tab columns must be in order and unique", "Tab column
    // must be > 1", "Tab column must be <= 2048", "Too many tab stops -
    // maximum of 32"); the columns are then unchanged.
    void SetTabColumns(std::string_view text);

    const TLP_Style& Style(uint8_t index) const { return m_styles[index]; }
    void SetStyle(uint8_t index, const TLP_Style& style) { m_styles[index] = style; }
    int DefinedStyleCount() const;
    // The style a token is painted in (0 when unmapped).
    uint8_t TokenStyle(uint8_t token) const { return m_tokenStyles[token]; }
    void SetTokenStyle(uint8_t token, uint8_t style) { m_tokenStyles[token] = style; }
    int MapEntryCount() const;
    const std::vector<TLP_EditableStyle>& EditableStyles() const { return m_editableStyles; }
    // The name is cut to 25 characters; ELexipad "Too many editable styles"
    // beyond 50.
    void AddEditableStyle(const std::string& name, uint8_t style);
    void ClearEditableStyles() { m_editableStyles.clear(); }

    const std::string& FontName() const { return m_fontName; }
    void SetFontName(const std::string& name) { m_fontName = name; }
    int32_t FontSize() const { return m_fontSize; }
    void SetFontSize(int32_t size) { m_fontSize = size; }
    uint8_t FontCharset() const { return m_fontCharset; }
    void SetFontCharset(uint8_t charset) { m_fontCharset = charset; }
    const TLP_FontSpec& GutterFont() const { return m_gutterFont; }
    void SetGutterFont(const TLP_FontSpec& font) { m_gutterFont = font; }

    // The four colour flags: the margin takes the default background; the
    // selection keeps the style's text colour / background; the gutter takes
    // the system colour.
    uint8_t MarginDefault() const { return m_marginDefault; }
    void SetMarginDefault(uint8_t flag) { m_marginDefault = flag; }
    uint8_t SelTextDefault() const { return m_selTextDefault; }
    void SetSelTextDefault(uint8_t flag) { m_selTextDefault = flag; }
    uint8_t SelBackDefault() const { return m_selBackDefault; }
    void SetSelBackDefault(uint8_t flag) { m_selBackDefault = flag; }
    uint8_t GutterDefault() const { return m_gutterDefault; }
    void SetGutterDefault(uint8_t flag) { m_gutterDefault = flag; }

    const std::vector<TLP_KeywordTable>& KeywordTables() const { return m_keywordTables; }
    // ELexipad "Too many keyword tables" beyond 21.
    void AddKeywordTable(const TLP_KeywordTable& table);

    TAutoReplace& AutoReplace() { return m_autoReplace; }
    const TAutoReplace& AutoReplace() const { return m_autoReplace; }
    TCodeTemplates& Templates() { return m_templates; }
    const TCodeTemplates& Templates() const { return m_templates; }
    TKeyboardActionContoller& Keys() { return m_keys; }
    const TKeyboardActionContoller& Keys() const { return m_keys; }

    // The language settings block of a compiled parser. The gutter font is
    // part of it only when version is above 50. Reading starts from the
    // defaults; counts outside their limits raise ELexipad.
    void WriteTo(TStream& stream, uint16_t version = kStreamVersion) const;
    void ReadFrom(TStream& stream, uint16_t version = kStreamVersion);
    void SaveToStream(TStream& stream) const override { WriteTo(stream); }
    void LoadFromStream(TStream& stream) override { ReadFrom(stream); }

private:
    // ELexipad when a value read from a stream is out of its bounds.
    void CheckReadValues() const;

    std::string m_exampleText;
    std::string m_languageName;
    std::string m_wrapOverride;
    int32_t m_options;
    int32_t m_margin;
    int32_t m_rightMargin;
    int32_t m_wrapColumn;
    int32_t m_gutter;
    int32_t m_indentStep;
    int32_t m_marginColor;
    int32_t m_gutterColor;
    int32_t m_selTextColor;
    int32_t m_selTextBack;
    int32_t m_tabDefault;
    std::array<TLP_Style, 256> m_styles;
    std::array<uint8_t, 256> m_tokenStyles;
    std::vector<TLP_EditableStyle> m_editableStyles;
    std::array<int32_t, kTabColumnCount> m_tabColumns;
    std::string m_fontName;
    int32_t m_fontSize;
    uint8_t m_fontCharset;
    uint8_t m_marginDefault;
    uint8_t m_selTextDefault;
    uint8_t m_selBackDefault;
    uint8_t m_gutterDefault;
    std::vector<TLP_KeywordTable> m_keywordTables;
    TAutoReplace m_autoReplace;
    TCodeTemplates m_templates;
    TKeyboardActionContoller m_keys;
    TLP_FontSpec m_gutterFont;
};

} // namespace quarno
