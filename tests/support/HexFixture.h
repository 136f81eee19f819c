// Known-answer fixtures written as commented hex: pairs of hex digits,
// whitespace ignored, "#" or ";" starting a comment that runs to the end of
// the line. A line "@name" starts a named part, so one file can hold an input
// and its expected coding; bytes before the first "@" line form the part "".
#pragma once

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace quarno::test {

using THexParts = std::map<std::string, std::string>;

// Parses fixture text; a stray character or an odd digit count raises
// std::runtime_error naming the line, so a typo in a fixture cannot pass as
// data.
inline THexParts ParseHexFixture(const std::string& text) {
    THexParts parts;
    std::string* current = &parts[""];
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::string where = "hex fixture line " + std::to_string(number);
        line = line.substr(0, line.find_first_of("#;"));
        size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string::npos && line[first] == '@') {
            std::string name = line.substr(first + 1);
            name.erase(name.find_last_not_of(" \t\r") + 1);
            if (name.empty() || parts.count(name)) throw std::runtime_error(where + ": bad part");
            current = &parts[name];
            continue;
        }
        int high = -1;
        for (char c : line) {
            if (std::isspace(static_cast<unsigned char>(c))) continue;
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                throw std::runtime_error(where + ": '" + std::string(1, c) + "' is not hex");
            int digit = std::stoi(std::string(1, c), nullptr, 16);
            if (high < 0) {
                high = digit;
            } else {
                *current += static_cast<char>(high * 16 + digit);
                high = -1;
            }
        }
        if (high >= 0) throw std::runtime_error(where + ": odd number of hex digits");
    }
    return parts;
}

// Reads a fixture below the test data folder (tests/data).
inline THexParts ReadHexFixture(const std::string& relativePath) {
    std::ifstream file(std::string(QUARNO_TEST_DATA) + "/" + relativePath, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + relativePath);
    std::ostringstream text;
    text << file.rdbuf();
    return ParseHexFixture(text.str());
}

} // namespace quarno::test
