// The registry forms of a language's settings.
#include "core/settings/SettingsRegistryText.h"

#include "core/base/Exceptions.h"
#include "core/base/TMemoryStream.h"
#include "core/settings/TLP_Settings.h"

#include <cctype>
#include <cstdint>

namespace quarno {

namespace {

const char* const kMarker = "Vemlor6:";
const char* const kInvalid = "Invalid data in style string";

[[noreturn]] void Invalid() {
    throw ELexipad(kInvalid);
}

// A decimal number, signed or up to 4294967295 (colours written unsigned).
int32_t ParseNumber(std::string_view text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    if (pos >= text.size()) Invalid();
    int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        if (text[pos] < '0' || text[pos] > '9') Invalid();
        value = value * 10 + (text[pos] - '0');
        if (value > 0xFFFFFFFFLL) Invalid();
    }
    if (negative) value = -value;
    if (value < INT32_MIN) Invalid();
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

class TextReader {
public:
    explicit TextReader(std::string_view text) : m_text(text) {}
    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    void Skip(char c) {
        if (Peek() == c) ++m_pos;
    }
    // Up to the separator or the end; the separator is consumed.
    std::string_view Field(char separator) {
        size_t end = m_text.find(separator, m_pos);
        if (end == std::string_view::npos) end = m_text.size();
        std::string_view field = m_text.substr(m_pos, end - m_pos);
        m_pos = std::min(end + 1, m_text.size());
        return field;
    }
    int32_t Number(char separator, int32_t fallback) {
        std::string_view field = Field(separator);
        return field.empty() ? fallback : ParseNumber(field);
    }
    std::string_view Take(int64_t count) {
        if (count < 0 || static_cast<uint64_t>(count) > m_text.size() - m_pos) Invalid();
        std::string_view taken = m_text.substr(m_pos, static_cast<size_t>(count));
        m_pos += static_cast<size_t>(count);
        return taken;
    }
    // "length,characters," as the old layouts store texts.
    std::string Counted() {
        std::string text(Take(Number(',', 0)));
        Skip(',');
        return text;
    }
    // Letters and digits, at most four.
    std::string Tag() {
        std::string tag;
        while (tag.size() < 4 && !AtEnd() && std::isalnum(static_cast<unsigned char>(Peek())))
            tag += m_text[m_pos++];
        return tag;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

std::string Field(const char* tag, const std::string& value) {
    return std::string(tag) + "#" + std::to_string(value.size()) + "#" + value;
}

std::string StyleListText(const TLP_Settings& settings) {
    int defined = settings.DefinedStyleCount();
    std::string text = std::to_string(defined == 256 ? 255 : defined);
    if (defined > 0) text += ',';
    for (int index = 0; index < 256; ++index) {
        const TLP_Style& style = settings.Style(static_cast<uint8_t>(index));
        if (style.defined == 0) continue;
        text += std::to_string(index) + "," + std::to_string(style.textColor) + "," +
                std::to_string(style.backColor) + ",";
        if (style.backDefault) text += 'X';
        if (style.textDefault) text += 'Y';
        if (style.fontStyle & kFsBold) text += 'B';
        if (style.fontStyle & kFsItalic) text += 'I';
        if (style.fontStyle & kFsUnderline) text += 'U';
        text += ';';
    }
    return text;
}

void ReadStyleList(TLP_Settings& settings, TextReader& reader) {
    reader.Number(',', 0); // the count; the entries run to the end of the list
    for (int entries = 0; !reader.AtEnd() && entries < 256; ++entries) {
        int32_t index = reader.Number(',', 255);
        if (index < 0 || index > 255) Invalid();
        TLP_Style style = settings.Style(static_cast<uint8_t>(index));
        style.textColor = reader.Number(',', colors::Black);
        style.backColor = reader.Number(',', colors::White);
        style.fontStyle = 0;
        style.textDefault = style.backDefault = 0;
        for (char letter : reader.Field(';')) {
            switch (std::toupper(static_cast<unsigned char>(letter))) {
            case 'X': style.backDefault = 1; break;
            case 'Y': style.textDefault = 1; break;
            case 'B': style.fontStyle |= kFsBold; break;
            case 'I': style.fontStyle |= kFsItalic; break;
            case 'U': style.fontStyle |= kFsUnderline; break;
            default: break;
            }
        }
        style.defined = 1;
        settings.SetStyle(static_cast<uint8_t>(index), style);
    }
}

// A style list fault resets the settings; any other fault leaves them be.
void ReadStyleListOrReset(TLP_Settings& settings, TLP_Settings& work, TextReader& reader) {
    try {
        ReadStyleList(work, reader);
    } catch (const Exception&) {
        settings.Reset();
        throw;
    }
}

std::string GutterStyleLetters(uint8_t style) {
    std::string letters;
    if (style & kFsItalic) letters += 'I';
    if (style & kFsBold) letters += 'B';
    if (style & kFsUnderline) letters += 'U';
    if (style & kFsStrikeOut) letters += 'S';
    return letters;
}

uint8_t GutterStyleBits(std::string_view letters) {
    uint8_t bits = 0;
    for (char letter : letters) {
        switch (std::toupper(static_cast<unsigned char>(letter))) {
        case 'I': bits |= kFsItalic; break;
        case 'B': bits |= kFsBold; break;
        case 'U': bits |= kFsUnderline; break;
        case 'S': bits |= kFsStrikeOut; break;
        default: break;
        }
    }
    return bits;
}

// Applies one field of a known tag.
void ApplyField(TLP_Settings& settings, TLP_Settings& work, const std::string& tag,
                std::string_view value) {
    auto number = [&] { return ParseNumber(value); };
    auto flag = [&] { return static_cast<uint8_t>(ParseNumber(value) != 0); };
    TLP_FontSpec gutterFont = work.GutterFont();
    if (tag == "OPT")
        work.SetOptions(number());
    else if (tag == "GWD")
        work.SetGutter(number());
    else if (tag == "GCL")
        work.SetGutterColor(number());
    else if (tag == "WRC")
        work.SetWrapColumn(number());
    else if (tag == "IDS")
        work.SetIndentStep(number());
    else if (tag == "WRO")
        work.SetWrapOverride(std::string(value));
    else if (tag == "FON")
        work.SetFontName(std::string(value));
    else if (tag == "FOS")
        work.SetFontSize(number());
    else if (tag == "STC")
        work.SetSelTextColor(number());
    else if (tag == "STB")
        work.SetSelTextBack(number());
    else if (tag == "TBC")
        work.SetTabColumns(value);
    else if (tag == "TBD")
        work.SetTabDefault(number());
    else if (tag == "EFF") {
        TextReader styles(value);
        ReadStyleListOrReset(settings, work, styles);
    } else if (tag == "GDF")
        work.SetGutterDefault(flag());
    else if (tag == "MDF")
        work.SetMarginDefault(flag());
    else if (tag == "SDF")
        work.SetSelTextDefault(flag());
    else if (tag == "BDF")
        work.SetSelBackDefault(flag());
    else if (tag == "FOC")
        work.SetFontCharset(static_cast<uint8_t>(number()));
    else if (tag == "RMG")
        work.SetRightMargin(number());
    else if (tag == "LNN")
        gutterFont.name = std::string(value);
    else if (tag == "LNS")
        gutterFont.size = number();
    else if (tag == "LNC")
        gutterFont.color = number();
    else if (tag == "LNT")
        gutterFont.charset = static_cast<uint8_t>(number());
    else if (tag == "LNE")
        gutterFont.style = GutterStyleBits(value);
    work.SetGutterFont(gutterFont);
}

bool IsKnownTag(const std::string& tag) {
    static const char* const tags[] = {"OPT", "GWD", "GCL", "WRC", "IDS", "WRO", "FON", "FOS",
                                       "STC", "STB", "TBC", "TBD", "EFF", "GDF", "MDF", "SDF",
                                       "BDF", "FOC", "RMG", "LNN", "LNS", "LNC", "LNT", "LNE"};
    for (const char* known : tags)
        if (tag == known) return true;
    return false;
}

void ReadTaggedFields(TLP_Settings& settings, TLP_Settings& work, TextReader& reader) {
    for (;;) {
        std::string tag = reader.Tag();
        if (!IsKnownTag(tag)) return; // an unknown tag, or the "#END#" after the last field
        if (reader.Peek() != '#') Invalid();
        reader.Skip('#');
        int32_t length = ParseNumber(reader.Field('#'));
        std::string_view value = reader.Take(length);
        ApplyField(settings, work, tag, value);
    }
}

void ReadOldLayout(TLP_Settings& settings, TLP_Settings& work, TextReader& reader, int version) {
    work.SetOptions(reader.Number(',', TLP_Settings::kDefaultOptions));
    work.SetGutter(reader.Number(',', 34));
    work.SetWrapColumn(reader.Number(',', 0));
    work.SetIndentStep(reader.Number(',', 1));
    work.SetWrapOverride(reader.Counted());
    if (version == 1) {
        work.SetFontName("Courier New");
        work.SetFontSize(10);
        work.SetSelTextColor(colors::HighlightText);
        work.SetSelTextBack(colors::Highlight);
    } else {
        work.SetFontName(reader.Counted());
        work.SetFontSize(reader.Number(',', 10));
    }
    if (version >= 3) {
        work.SetSelTextColor(reader.Number(',', colors::HighlightText));
        work.SetSelTextBack(reader.Number(',', colors::Highlight));
    }
    if (version == 4) {
        work.SetTabColumns(reader.Counted());
        work.SetTabDefault(reader.Number(',', 4));
    }
    ReadStyleListOrReset(settings, work, reader);
}

} // namespace

std::string HighlightingRegistryText(const TLP_Settings& settings) {
    auto number = [](int32_t value) { return std::to_string(value); };
    auto flag = [](uint8_t value) { return std::string(value ? "1" : "0"); };
    const TLP_FontSpec& gutterFont = settings.GutterFont();
    std::string text = kMarker;
    text += Field("OPT", number(settings.Options()));
    text += Field("GWD", number(settings.Gutter()));
    text += Field("GCL", number(settings.GutterColor()));
    text += Field("WRC", number(settings.WrapColumn()));
    text += Field("IDS", number(settings.IndentStep()));
    text += Field("WRO", settings.WrapOverride());
    text += Field("FON", settings.FontName());
    text += Field("FOS", number(settings.FontSize()));
    text += Field("STC", number(settings.SelTextColor()));
    text += Field("STB", number(settings.SelTextBack()));
    text += Field("TBC", settings.TabColumnsText());
    text += Field("TBD", number(settings.TabDefault()));
    text += Field("EFF", StyleListText(settings));
    text += Field("GDF", flag(settings.GutterDefault()));
    text += Field("MDF", flag(settings.MarginDefault()));
    text += Field("SDF", flag(settings.SelTextDefault()));
    text += Field("BDF", flag(settings.SelBackDefault()));
    text += Field("FOC", number(settings.FontCharset()));
    text += Field("RMG", number(settings.RightMargin()));
    text += Field("LNN", gutterFont.name);
    text += Field("LNS", number(gutterFont.size));
    text += Field("LNC", number(gutterFont.color));
    text += Field("LNT", number(gutterFont.charset));
    text += Field("LNE", GutterStyleLetters(gutterFont.style));
    return text + "#END#";
}

void ReadHighlightingRegistryText(TLP_Settings& settings, std::string_view text) {
    if (text.size() < 7 || text.substr(0, 6) != "Vemlor" || text[6] < '1' || text[6] > '9')
        Invalid();
    int version = text[6] - '0';
    TextReader reader(text.substr(7));
    reader.Skip(':');
    TLP_Settings work = settings;
    try {
        if (version >= 5)
            ReadTaggedFields(settings, work, reader);
        else
            ReadOldLayout(settings, work, reader, version);
    } catch (const Exception&) {
        Invalid();
    }
    settings = work;
}

std::string KeyAssignmentsRegistryValue(const TLP_Settings& settings) {
    TMemoryStream stream;
    WriteShortString(stream, kMarker);
    settings.Keys().SaveToStream(stream);
    return stream.Bytes();
}

namespace {

bool HasMarker(std::string_view bytes) {
    return bytes.size() >= 9 && bytes[0] == 8 && bytes.substr(1, 8) == kMarker;
}

} // namespace

bool ReadKeyAssignmentsRegistryValue(TLP_Settings& settings, std::string_view bytes) {
    if (!HasMarker(bytes)) return false;
    TMemoryStream stream(bytes.substr(9));
    TKeyboardActionContoller keys;
    keys.LoadFromStream(stream);
    settings.Keys() = keys;
    return true;
}

std::string TemplatesRegistryValue(const TLP_Settings& settings) {
    TMemoryStream stream;
    WriteShortString(stream, kMarker);
    settings.AutoReplace().WriteTo(stream);
    settings.Templates().WriteTo(stream);
    return stream.Bytes();
}

bool ReadTemplatesRegistryValue(TLP_Settings& settings, std::string_view bytes) {
    if (!HasMarker(bytes)) return false;
    TMemoryStream stream(bytes.substr(9));
    TAutoReplace replace = settings.AutoReplace();
    TCodeTemplates templates = settings.Templates();
    replace.ReadFrom(stream);
    templates.ReadFrom(stream);
    settings.AutoReplace() = replace;
    settings.Templates() = templates;
    return true;
}

} // namespace quarno
