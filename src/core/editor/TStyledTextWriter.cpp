// The rich-text and HTML writers.
#include "core/editor/TStyledTextWriter.h"

#include "core/base/StringUtils.h"
#include "core/document/TTextStore.h"
#include "core/settings/SystemColors.h"
#include "core/settings/TLP_Settings.h"

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace quarno {

namespace {

// The effective colours and font style of a settings style.
struct RunLook {
    uint32_t text = 0;
    uint32_t back = 0;
    uint8_t fontStyle = 0;
};

RunLook LookOf(const TLP_Settings& settings, uint8_t styleIndex) {
    const TLP_Style& base = settings.Style(0);
    const TLP_Style& style = settings.Style(styleIndex);
    RunLook look;
    look.text = ColorToRgb(style.textDefault ? base.textColor : style.textColor);
    look.back = ColorToRgb(style.backDefault ? base.backColor : style.backColor);
    look.fontStyle = style.fontStyle;
    return look;
}

// Calls each(record, character, style index) for every character of
// [start, end) and endOfRecord() after each record's part.
void ForEachCharacter(const TTextStore& store, const TLP_Settings& settings, int start, int end,
                      const std::function<void(char, uint8_t)>& each,
                      const std::function<void()>& endOfRecord) {
    start = std::clamp(start, 0, store.CharCount());
    end = std::clamp(end, start, store.CharCount());
    for (int index = store.RecordFromPosition(start); start < end; ++index) {
        const TLineRecord& record = store.Record(index);
        int recordStart = store.RecordStart(index);
        int from = start - recordStart;
        int to = std::min(record.Length(), end - recordStart);
        for (int i = from; i < to; ++i) {
            uint8_t token = record.Tokens() ? record.Tokens()[i] : 0;
            each(record.Text()[static_cast<size_t>(i)], settings.TokenStyle(token));
        }
        endOfRecord();
        start = recordStart + to;
    }
}

std::string RgbEntry(uint32_t rgb) {
    return Format("\\red%d\\green%d\\blue%d;", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

// Entry 0 and 1 are style 0's colours, then every defined style's colours
// not yet present, at most 256.
std::vector<uint32_t> ColourTable(const TLP_Settings& settings) {
    RunLook base = LookOf(settings, 0);
    std::vector<uint32_t> table{base.text, base.back};
    auto add = [&](uint32_t rgb) {
        if (table.size() < 256 && std::find(table.begin(), table.end(), rgb) == table.end())
            table.push_back(rgb);
    };
    for (int index = 0; index < 256; ++index) {
        if (!settings.Style(static_cast<uint8_t>(index)).defined) continue;
        RunLook look = LookOf(settings, static_cast<uint8_t>(index));
        add(look.text);
        add(look.back);
    }
    return table;
}

void AppendRtfCharacter(std::string& out, char c) {
    unsigned char code = static_cast<unsigned char>(c);
    switch (c) {
    case '\0': return;
    case '\t': out += "\\tab "; return;
    case '\f': out += "\\page "; return;
    case '\r': out += "\\line "; return;
    case '\'': out += "\\'27"; return;
    case '\\': out += "\\\\"; return;
    case '{': out += "\\{"; return;
    case '}': out += "\\}"; return;
    default: break;
    }
    if (code < 32 || code >= 128)
        out += Format("\\'%02x", code);
    else
        out += c;
}

void SwitchRtf(std::string& out, const RunLook& now, RunLook& shown,
               const std::vector<uint32_t>& table) {
    const std::pair<uint8_t, const char*> flags[] = {
        {kFsBold, "\\b"}, {kFsItalic, "\\i"}, {kFsUnderline, "\\ul"}};
    for (auto [bit, control] : flags)
        if ((now.fontStyle & bit) != (shown.fontStyle & bit))
            out += std::string(control) + ((now.fontStyle & bit) ? "1 " : "0 ");
    auto indexOf = [&](uint32_t rgb, int absent) {
        auto found = std::find(table.begin(), table.end(), rgb);
        return found == table.end() ? absent : static_cast<int>(found - table.begin());
    };
    if (now.text != shown.text) out += Format("\\cf%d ", indexOf(now.text, 0));
    if (now.back != shown.back) out += Format("\\cb%d ", indexOf(now.back, 1));
    shown = now;
}

void AppendHtmlCharacter(std::string& out, char c) {
    unsigned char code = static_cast<unsigned char>(c);
    if (code < 32 && c != '\t') return;
    if (c == '\t' || code == 160)
        out += "&nbsp;";
    else if (c == '"')
        out += "&quot;";
    else if (c == '<')
        out += "&lt;";
    else if (c == '>')
        out += "&gt;";
    else if (c == '&')
        out += "&amp;"; // so that text such as "&lt;" survives a browser
    else if (code >= 128)
        out += "&#" + std::to_string(code) + ";";
    else
        out += c;
}

// A title or font name in the header, escaped like the text so that "<",
// "&" or a quote in a file name cannot break the page or add markup.
std::string HtmlHeaderText(std::string_view text) {
    std::string out;
    for (char c : text)
        AppendHtmlCharacter(out, c);
    return out;
}

void SwitchHtml(std::string& out, const RunLook& now, RunLook& shown) {
    if (now.text != shown.text) out += Format("</FONT><FONT COLOR=\"#%.6x\">", now.text);
    const std::tuple<uint8_t, const char*, const char*> flags[] = {
        {kFsBold, "<B>", "</B>"}, {kFsItalic, "<I>", "</I>"}, {kFsUnderline, "<U>", "</U>"}};
    for (auto [bit, open, close] : flags)
        if ((now.fontStyle & bit) != (shown.fontStyle & bit))
            out += (now.fontStyle & bit) ? open : close;
    shown = now;
}

} // namespace

std::string WriteRtf(const TTextStore& store, int start, int end, const TLP_Settings& settings) {
    std::string out = Format("{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset%d %s;}}\r\n",
                             settings.FontCharset(), settings.FontName());
    std::vector<uint32_t> table = ColourTable(settings);
    out += "{\\colortbl";
    for (uint32_t rgb : table)
        out += RgbEntry(rgb);
    out += "}\r\n";
    out += Format("{\\f1\\fs%d\\cf0\\cb1 ", settings.FontSize() * 2);
    RunLook shown = LookOf(settings, 0);
    shown.fontStyle = 0;
    ForEachCharacter(
        store, settings, start, end,
        [&](char c, uint8_t style) {
            SwitchRtf(out, LookOf(settings, style), shown, table);
            AppendRtfCharacter(out, c);
        },
        [&] { out += "\r\n"; });
    out += "}}";
    return out;
}

std::string WriteHtml(const TTextStore& store, int start, int end, const TLP_Settings& settings,
                      const THtmlHeader& header) {
    RunLook base = LookOf(settings, 0);
    std::string out = "<HTML><HEAD>\r\n";
    out += "<META NAME=\"GENERATOR\" CONTENT=\"QUARNO+ Editor\">\r\n";
    out += "<TITLE>" + HtmlHeaderText(header.title) + "</TITLE>\r\n";
    out += Format("<META NAME=\"Date\" CONTENT=\"%s\">\r\n", header.date);
    out += "</HEAD>\r\n";
    out += Format("<BODY TEXT=\"#%.6x\" BGCOLOR=\"#%.6x\">\r\n", base.text, base.back);
    out += "<PRE>\r\n";
    out += "<FONT FACE=\"" + HtmlHeaderText(settings.FontName()) + "\">\r\n";
    RunLook shown = base;
    shown.fontStyle = 0;
    ForEachCharacter(
        store, settings, start, end,
        [&](char c, uint8_t style) {
            SwitchHtml(out, LookOf(settings, style), shown);
            AppendHtmlCharacter(out, c);
        },
        [&] { out += "\r\n"; });
    out += "</PRE></FONT></BODY></HTML>\r\n";
    return out;
}

std::string TodayText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

} // namespace quarno
