// The headless editing session behind `quarno-tool edit`.
#include "EditSession.h"

#include "core/base/StringUtils.h"

#include <sstream>

namespace quarno::tool {

namespace {

std::map<std::string, EditCommandHandler>& Registry() {
    static std::map<std::string, EditCommandHandler> registry;
    return registry;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(c | 0x20);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Reads a quoted word starting after its opening quote; returns the index
// after the closing quote.
size_t ReadQuoted(const std::string& line, size_t i, std::string& word) {
    while (i < line.size() && line[i] != '"') {
        char c = line[i++];
        if (c != '\\') {
            word += c;
            continue;
        }
        if (i >= line.size()) throw ScriptError("unfinished escape");
        char e = line[i++];
        switch (e) {
        case 'r': word += '\r'; break;
        case 'n': word += '\n'; break;
        case 't': word += '\t'; break;
        case '\\': word += '\\'; break;
        case '"': word += '"'; break;
        case 'x': {
            int high = i < line.size() ? HexDigit(line[i]) : -1;
            int low = i + 1 < line.size() ? HexDigit(line[i + 1]) : -1;
            if (high < 0 || low < 0) throw ScriptError("bad \\x escape");
            word += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default: throw ScriptError(std::string("unknown escape \\") + e);
        }
    }
    if (i >= line.size()) throw ScriptError("missing closing quote");
    return i + 1;
}

} // namespace

EditSession::EditSession(std::ostream& out) : m_out(out) {
    m_pad.SetClipboard(&m_clipboard);
}

TLexipadParser& EditSession::KeepParser(std::unique_ptr<TLexipadParser> parser) {
    m_parsers.push_back(std::move(parser));
    return *m_parsers.back();
}

const std::map<std::string, EditCommandHandler>& EditCommands() {
    return Registry();
}

EditCommandRegistrar::EditCommandRegistrar(const std::string& name, EditCommandHandler handler) {
    Registry().emplace(name, std::move(handler));
}

void ExpectArgs(const std::vector<std::string>& args, size_t min, size_t max) {
    if (args.size() < min || args.size() > max) throw ScriptError("wrong number of arguments");
}

std::vector<std::string> EditSession::SplitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            i = ReadQuoted(line, i + 1, word);
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word += line[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

int EditSession::Number(const std::string& word) {
    int value = 0;
    if (!TryParseInt(word, value)) throw ScriptError("number expected instead of '" + word + "'");
    return value;
}

void EditSession::Run(const std::string& script) {
    std::istringstream lines(script);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        std::vector<std::string> words;
        try {
            words = SplitWords(line);
        } catch (const ScriptError& error) {
            throw ScriptError("line " + std::to_string(number) + ": " + error.what());
        }
        if (words.empty() || words[0][0] == '#') continue;
        auto command = Registry().find(words[0]);
        if (command == Registry().end())
            throw ScriptError("line " + std::to_string(number) + ": unknown command '" + words[0] +
                              "'");
        std::vector<std::string> args(words.begin() + 1, words.end());
        try {
            command->second(*this, args);
        } catch (const ScriptError& error) {
            throw ScriptError("line " + std::to_string(number) + ": " + words[0] + ": " +
                              error.what());
        }
    }
}

} // namespace quarno::tool
