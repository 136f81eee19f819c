// The settings of a language: defaults, tab stops and the stream form.
#include "core/settings/TLP_Settings.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TStream.h"

#include <climits>

namespace quarno {

namespace {

// A count read from a stream, checked against its limit.
int32_t ReadCount(TStream& stream, int32_t limit) {
    int32_t count = ReadInt32(stream);
    if (count < 0 || count > limit) throw ELexipad(Format("Invalid table size (%d)", count));
    return count;
}

} // namespace

TLP_Settings::TLP_Settings() {
    Reset();
}

void TLP_Settings::Reset() {
    m_exampleText.clear();
    m_languageName = "<Custom language>";
    m_wrapOverride = ">|:";
    m_options = kDefaultOptions;
    m_margin = 2;
    m_rightMargin = 80;
    m_wrapColumn = 0;
    m_gutter = 34;
    m_indentStep = 1;
    m_marginColor = colors::White;
    m_gutterColor = colors::BtnFace;
    m_selTextColor = colors::HighlightText;
    m_selTextBack = colors::Highlight;
    m_tabDefault = 4;
    m_styles.fill(TLP_Style{});
    m_tokenStyles.fill(0);
    m_editableStyles.clear();
    m_tabColumns.fill(-1);
    m_fontName = "Courier New";
    m_fontSize = 10;
    m_fontCharset = kDefaultCharset;
    m_marginDefault = m_selTextDefault = m_selBackDefault = m_gutterDefault = 0;
    m_keywordTables.clear();
    m_autoReplace = TAutoReplace();
    m_templates = TCodeTemplates();
    m_keys = TKeyboardActionContoller::DefaultKeyTable();
    m_gutterFont = {"MS Sans Serif", 8, kDefaultCharset, colors::WindowText, 0};
}

void TLP_Settings::SetTabDefault(int32_t width) {
    if (width <= 0) throw ELexipad("=Illegal default tab stop value, must be > 0");
    if (width > kMaxTabWidth)
        throw ELexipad(Format("=Illegal default tab stop value, must be <= %d", kMaxTabWidth));
    m_tabDefault = width;
}

void TLP_Settings::SetIndentStep(int32_t step) {
    if (step < 0 || step > kMaxIndentStep)
        throw ELexipad(Format("Indent step must be between 0 and %d", kMaxIndentStep));
    m_indentStep = step;
}

void TLP_Settings::SetMargin(int32_t pixels) {
    if (pixels < 0 || pixels > kMaxStripWidth)
        throw ELexipad(Format("Margin width must be between 0 and %d", kMaxStripWidth));
    m_margin = pixels;
}

void TLP_Settings::SetGutter(int32_t pixels) {
    if (pixels < 0 || pixels > kMaxStripWidth)
        throw ELexipad(Format("Gutter width must be between 0 and %d", kMaxStripWidth));
    m_gutter = pixels;
}

void TLP_Settings::SetRightMargin(int32_t column) {
    if (column < 0 || column > kMaxColumn)
        throw ELexipad(Format("Right margin must be between 0 and %d", kMaxColumn));
    m_rightMargin = column;
}

void TLP_Settings::SetWrapColumn(int32_t column) {
    if (column < 0 || column > kMaxColumn)
        throw ELexipad(Format("Word-wrap column must be between 0 and %d", kMaxColumn));
    m_wrapColumn = column;
}

std::string TLP_Settings::TabColumnsText() const {
    std::string text;
    for (int32_t column : m_tabColumns) {
        if (column < 0) break;
        if (!text.empty()) text += ' ';
        text += std::to_string(static_cast<int64_t>(column) + 1);
    }
    return text;
}

void TLP_Settings::SetTabColumns(std::string_view text) {
    std::array<int32_t, kTabColumnCount> columns;
    columns.fill(-1);
    int count = 0;
    int64_t last = 0;
    size_t pos = 0;
    for (;;) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == ';' || text[pos] == '\t'))
            ++pos;
        if (pos >= text.size()) break;
        if (text[pos] < '0' || text[pos] > '9') throw ELexipad("Tab stop column value expected");
        int64_t value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            value = std::min<int64_t>(value * 10 + (text[pos] - '0'), INT32_MAX);
            ++pos;
        }
        if (count > 0 && value <= last) throw ELexipad("Tab columns must be in order and unique");
        if (value <= 1) throw ELexipad("Tab column must be > 1");
        if (value > kMaxColumn) throw ELexipad(Format("Tab column must be <= %d", kMaxColumn));
        if (count == kTabColumnCount)
            throw ELexipad("Too many tab stops - maximum of " + std::to_string(kTabColumnCount));
        columns[static_cast<size_t>(count++)] = static_cast<int32_t>(value - 1);
        last = value;
    }
    m_tabColumns = columns;
}

int TLP_Settings::DefinedStyleCount() const {
    int count = 0;
    for (const TLP_Style& style : m_styles)
        count += style.defined != 0;
    return count;
}

int TLP_Settings::MapEntryCount() const {
    int count = 0;
    for (uint8_t style : m_tokenStyles)
        count += style != 0;
    return count;
}

void TLP_Settings::AddEditableStyle(const std::string& name, uint8_t style) {
    if (static_cast<int>(m_editableStyles.size()) >= kMaxEditableStyles)
        throw ELexipad("Too many editable styles");
    m_editableStyles.push_back({name.substr(0, kMaxStyleNameLength), style});
}

void TLP_Settings::AddKeywordTable(const TLP_KeywordTable& table) {
    if (static_cast<int>(m_keywordTables.size()) >= kMaxKeywordTables)
        throw ELexipad("Too many keyword tables");
    m_keywordTables.push_back(table);
}

void TLP_Settings::WriteTo(TStream& stream, uint16_t version) const {
    WriteLongString(stream, m_exampleText);
    WriteLongString(stream, m_languageName);
    WriteLongString(stream, m_wrapOverride);
    for (int32_t value :
         {m_options, m_margin, m_rightMargin, m_wrapColumn, m_gutter, m_indentStep, m_marginColor,
          m_gutterColor, m_selTextColor, m_selTextBack, m_tabDefault})
        WriteInt32(stream, value);

    WriteInt32(stream, DefinedStyleCount());
    for (int index = 0; index < 256; ++index) {
        if (m_styles[index].defined == 0) continue;
        TLP_Style style = m_styles[index];
        style.defined = 1;
        WriteByte(stream, static_cast<uint8_t>(index));
        style.WriteTo(stream);
    }
    WriteInt32(stream, MapEntryCount());
    for (int token = 0; token < 256; ++token) {
        if (m_tokenStyles[token] == 0) continue;
        WriteByte(stream, static_cast<uint8_t>(token));
        WriteByte(stream, m_tokenStyles[token]);
    }
    WriteInt32(stream, static_cast<int32_t>(m_editableStyles.size()));
    for (const TLP_EditableStyle& entry : m_editableStyles) {
        WriteLongString(stream, entry.name);
        WriteByte(stream, entry.style);
    }
    for (int32_t column : m_tabColumns)
        WriteInt32(stream, column);
    WriteLongString(stream, m_fontName);
    WriteInt32(stream, m_fontSize);
    WriteByte(stream, m_fontCharset);
    for (uint8_t flag : {m_marginDefault, m_selTextDefault, m_selBackDefault, m_gutterDefault})
        WriteByte(stream, flag);

    WriteInt32(stream, static_cast<int32_t>(m_keywordTables.size()));
    for (const TLP_KeywordTable& table : m_keywordTables)
        table.WriteTo(stream);
    m_autoReplace.WriteTo(stream);
    m_templates.WriteTo(stream);
    m_keys.SaveToStream(stream);
    if (version > 50) {
        WriteLongString(stream, m_gutterFont.name);
        WriteInt32(stream, m_gutterFont.size);
        WriteByte(stream, m_gutterFont.charset);
        WriteInt32(stream, m_gutterFont.color);
        WriteByte(stream, m_gutterFont.style);
    }
}

// A stored block is checked like values that are set, so a damaged or
// hostile block cannot bring in sizes the editor would choke on.
void TLP_Settings::CheckReadValues() const {
    TLP_Settings check;
    check.SetMargin(m_margin);
    check.SetGutter(m_gutter);
    check.SetRightMargin(m_rightMargin);
    check.SetWrapColumn(m_wrapColumn);
    check.SetIndentStep(m_indentStep);
    check.SetTabDefault(m_tabDefault);
    int32_t last = 0;
    for (int32_t column : m_tabColumns) {
        if (column < 0) break;
        if (column <= last || column >= kMaxColumn)
            throw ELexipad(Format("Invalid tab column (%d)", column + 1));
        last = column;
    }
}

void TLP_Settings::ReadFrom(TStream& stream, uint16_t version) {
    // Read into fresh settings, so that a fault leaves this object as it was.
    TLP_Settings read;
    read.m_exampleText = ReadLongString(stream);
    read.m_languageName = ReadLongString(stream);
    read.m_wrapOverride = ReadLongString(stream);
    for (int32_t* value :
         {&read.m_options, &read.m_margin, &read.m_rightMargin, &read.m_wrapColumn, &read.m_gutter,
          &read.m_indentStep, &read.m_marginColor, &read.m_gutterColor, &read.m_selTextColor,
          &read.m_selTextBack, &read.m_tabDefault})
        *value = ReadInt32(stream);

    for (int32_t count = ReadCount(stream, 256); count > 0; --count) {
        uint8_t index = ReadByte(stream);
        read.m_styles[index] = TLP_Style::ReadFrom(stream);
    }
    for (int32_t count = ReadCount(stream, 256); count > 0; --count) {
        uint8_t token = ReadByte(stream);
        read.m_tokenStyles[token] = ReadByte(stream);
    }
    int32_t editable = ReadInt32(stream);
    if (editable < 0 || editable > kMaxEditableStyles) throw ELexipad("Too many editable styles");
    for (; editable > 0; --editable) {
        std::string name = ReadLongString(stream);
        read.AddEditableStyle(name, ReadByte(stream));
    }
    for (int32_t& column : read.m_tabColumns)
        column = ReadInt32(stream);
    read.CheckReadValues();
    read.m_fontName = ReadLongString(stream);
    read.m_fontSize = ReadInt32(stream);
    read.m_fontCharset = ReadByte(stream);
    for (uint8_t* flag : {&read.m_marginDefault, &read.m_selTextDefault, &read.m_selBackDefault,
                          &read.m_gutterDefault})
        *flag = ReadByte(stream);

    for (int32_t count = ReadCount(stream, kMaxKeywordTables); count > 0; --count)
        read.m_keywordTables.push_back(TLP_KeywordTable::ReadFrom(stream));
    read.m_autoReplace.ReadFrom(stream);
    read.m_templates.ReadFrom(stream);
    read.m_keys.LoadFromStream(stream);
    if (version > 50) {
        read.m_gutterFont.name = ReadLongString(stream);
        read.m_gutterFont.size = ReadInt32(stream);
        read.m_gutterFont.charset = ReadByte(stream);
        read.m_gutterFont.color = ReadInt32(stream);
        read.m_gutterFont.style = ReadByte(stream);
    }
    *this = std::move(read);
}

} // namespace quarno
