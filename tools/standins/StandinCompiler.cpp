// QUARNO_PL.EXE stand-in: a tiny "compiler" that leaves the files the IDE
// reads after a compile, so the compile command, the report pane and the
// viewers have something real to work on. Called as `QUARNO_PL.EXE SOURCE -m
// -q`; writes SOURCE.KBR, and on success SOURCE.ASM and SOURCE.HEX, beside the
// source (extension replaced). Exit status 0 on success, 1 on an error result,
// 2 without a source argument.
//
// Rules, one source line at a time (blanks around a line ignored, words
// compared without regard to case):
//  - an empty line, or one starting with ' or ; or the word REM, is a comment;
//  - every other line is one program word: the low 14 bits of the sum of the
//    line's bytes;
//  - a line is understood when it is a label ("Name:"), an assignment
//    ("Name = ...", the name may hold dots, e.g. PORTB.0), or starts with one
//    of the keywords below; any other line makes the result "ERROR" with a
//    report naming each such line;
//  - "DEVICE name" names the device of the summary (default 16F84; a leading
//    "PIC" is dropped); "DIM" lines count one RAM byte each; "EDATA v, v, ..."
//    also appends the bytes (decimal or $hex, 0 to 255) to the EEPROM;
//  - more than 8192 program words is an error.
// The result file's first line is the summary "DEVICE,WORDS,RAM," (or
// "ERROR"); line 2 and the lines after it are the report. The HEX file is
// INHX8M: byte addresses, words low byte first, 8 words a record, the EEPROM
// at byte address 0x4200, a configuration word at 0x400E and the end record.
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

using namespace quarno;

namespace {

const std::set<std::string> kKeywords = {
    "CLEAR",  "DEC",    "DELAYMS", "DELAYUS", "DEVICE", "DIM",    "EDATA", "ELSE",      "END",
    "ENDIF",  "FOR",    "GOSUB",   "GOTO",    "HIGH",   "IF",     "INC",   "INPUT",     "LOW",
    "NEXT",   "NOP",    "PRINT",   "REPEAT",  "RETURN", "SELECT", "CASE",  "ENDSELECT", "STOP",
    "SYMBOL", "TOGGLE", "UNTIL",   "WEND",    "WHILE",  "XTAL"};

struct TProgram {
    std::string device = "16F84";
    std::vector<uint16_t> words;
    std::vector<uint8_t> eeprom;
    std::vector<std::string> asmLines;
    std::vector<std::string> errors;
    int ram = 0;
};

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.';
}

// The leading name of a line and what follows it.
std::string LeadingName(const std::string& line, size_t& end) {
    end = 0;
    while (end < line.size() && IsNameChar(line[end]))
        ++end;
    return line.substr(0, end);
}

bool ParseByte(std::string_view text, int& value) {
    text = Trim(text);
    if (!text.empty() && text[0] == '$') {
        if (text.size() < 2 || text.size() > 3) return false;
        value = 0;
        for (char c : text.substr(1)) {
            int digit = std::isxdigit(static_cast<unsigned char>(c))
                            ? (c <= '9' ? c - '0' : (ToUpperAscii(c) - 'A' + 10))
                            : -1;
            if (digit < 0) return false;
            value = value * 16 + digit;
        }
        return true;
    }
    return TryParseInt(text, value) && value >= 0 && value <= 255;
}

bool ParseEdata(const std::string& rest, TProgram& program) {
    size_t start = 0;
    while (start <= rest.size()) {
        size_t comma = rest.find(',', start);
        if (comma == std::string::npos) comma = rest.size();
        int value = 0;
        if (!ParseByte(std::string_view(rest).substr(start, comma - start), value)) return false;
        program.eeprom.push_back(static_cast<uint8_t>(value));
        start = comma + 1;
    }
    return true;
}

// Applies one non-comment line; false when it is not understood.
bool Understand(const std::string& line, TProgram& program) {
    size_t end = 0;
    std::string name = LeadingName(line, end);
    std::string rest(Trim(std::string_view(line).substr(end)));
    if (name.empty()) return false;
    if (rest == ":" || (!rest.empty() && rest[0] == '=')) return true;
    std::string keyword = UpperCase(name);
    if (!kKeywords.count(keyword)) return false;
    if (keyword == "DEVICE") {
        std::string device = UpperCase(rest);
        program.device = device.rfind("PIC", 0) == 0 ? device.substr(3) : device;
        return !program.device.empty();
    }
    if (keyword == "DIM") ++program.ram;
    if (keyword == "EDATA") return ParseEdata(rest, program);
    return true;
}

bool IsComment(std::string_view line) {
    if (line.empty() || line[0] == '\'' || line[0] == ';') return true;
    return line.size() >= 3 && SameText(line.substr(0, 3), "REM") &&
           (line.size() == 3 || line[3] == ' ' || line[3] == '\t');
}

TProgram Compile(const std::vector<std::string>& lines) {
    TProgram program;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line(Trim(lines[i]));
        if (IsComment(line)) continue;
        if (!Understand(line, program))
            program.errors.push_back(Format("Line %d: '%s' is not understood", int(i + 1), line));
        unsigned sum = 0;
        for (char c : line)
            sum += static_cast<unsigned char>(c);
        program.words.push_back(static_cast<uint16_t>(sum & 0x3FFF));
        program.asmLines.push_back(
            Format("        DW 0x%04X            ; %s", program.words.back(), line));
    }
    if (program.words.size() > 8192)
        program.errors.push_back("Program too large: more than 8192 words");
    return program;
}

std::string Record(unsigned byteAddress, const std::vector<uint8_t>& data, unsigned type) {
    unsigned sum =
        static_cast<unsigned>(data.size()) + (byteAddress >> 8) + (byteAddress & 0xFF) + type;
    std::string line = Format(":%02X%04X%02X", unsigned(data.size()), byteAddress, type);
    for (uint8_t byte : data) {
        line += Format("%02X", unsigned(byte));
        sum += byte;
    }
    return line + Format("%02X", (0x100 - (sum & 0xFF)) & 0xFF) + "\r\n";
}

std::string HexFile(const TProgram& program) {
    std::string text;
    for (size_t first = 0; first < program.words.size(); first += 8) {
        std::vector<uint8_t> data;
        for (size_t i = first; i < program.words.size() && i < first + 8; ++i) {
            data.push_back(static_cast<uint8_t>(program.words[i] & 0xFF));
            data.push_back(static_cast<uint8_t>(program.words[i] >> 8));
        }
        text += Record(static_cast<unsigned>(first * 2), data, 0);
    }
    for (size_t first = 0; first < program.eeprom.size() && first < 256; first += 8) {
        std::vector<uint8_t> data;
        for (size_t i = first; i < program.eeprom.size() && i < first + 8 && i < 256; ++i) {
            data.push_back(program.eeprom[i]);
            data.push_back(0);
        }
        text += Record(static_cast<unsigned>(0x4200 + first * 2), data, 0);
    }
    text += Record(0x400E, {0xF1, 0x3F}, 0);
    return text + Record(0, {}, 1);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

int WriteResult(const std::string& source, const TProgram& program, const std::string& name) {
    if (!program.errors.empty()) {
        std::vector<std::string> kbr{"ERROR", "Error(s) in " + name};
        kbr.insert(kbr.end(), program.errors.begin(), program.errors.end());
        WriteFileSafely(ChangeFileExt(source, ".KBR"), Joined(kbr));
        return 1;
    }
    std::vector<std::string> asmLines{"; " + name + " compiled by the QUARNO_PL stand-in",
                                      "        LIST P=" + program.device, "        ORG 0"};
    asmLines.insert(asmLines.end(), program.asmLines.begin(), program.asmLines.end());
    asmLines.emplace_back("        END");
    WriteFileSafely(ChangeFileExt(source, ".ASM"), Joined(asmLines));
    WriteFileSafely(ChangeFileExt(source, ".HEX"), HexFile(program));
    std::vector<std::string> kbr{
        Format("%s,%d,%d,", program.device, int(program.words.size()), program.ram),
        "QUARNO_PL stand-in: " + name + " compiled without errors",
        Format("Program words used: %d", int(program.words.size())),
        Format("EEPROM bytes used: %d", int(program.eeprom.size())),
        Format("RAM bytes used: %d", program.ram)};
    WriteFileSafely(ChangeFileExt(source, ".KBR"), Joined(kbr));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: QUARNO_PL.EXE SOURCE -m -q\n");
        return 2;
    }
    std::string source = argv[1];
    std::string name = ExtractFileName(source);
    try {
        if (!FileExists(source)) {
            TProgram missing;
            missing.errors.push_back("Cannot open " + source);
            return WriteResult(source, missing, name);
        }
        return WriteResult(source, Compile(SplitLines(ReadWholeFile(source))), name);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
