// Fuzz harness: the expansion of a programmer's or bootloader's command-line
// template. The input is split at NULs into template, HEX path and device.
// A reference expansion (one pass, placeholders matched without regard to
// case, what was inserted never scanned again) must agree with the
// argument text, and the argv list must hold the HEX path first and each
// template word expanded on its own, so a substituted path holding blanks or
// quotes stays one argument. Quoting the words again must split back to them.
#include "core/toolchain/CommandLines.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace quarno;

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

std::string Expand(std::string_view text, const std::string& hexPath, const std::string& device) {
    size_t slash = hexPath.rfind('/');
    std::string name = slash == std::string::npos ? hexPath : hexPath.substr(slash + 1);
    std::string result;
    while (!text.empty()) {
        std::string_view placeholder;
        std::string value;
        if (StartsWithNoCase(text, "%FILENAME")) {
            placeholder = "%FILENAME";
            value = name;
        } else if (StartsWithNoCase(text, "%FULL")) {
            placeholder = "%FULL";
            value = hexPath;
        } else if (StartsWithNoCase(text, "%PIC")) {
            placeholder = "%PIC";
            value = device.empty() ? "16F84" : device;
        }
        if (placeholder.empty()) {
            result += text.front();
            text.remove_prefix(1);
        } else {
            result += value;
            text.remove_prefix(placeholder.size());
        }
    }
    return result;
}

std::vector<std::string> Fields(std::string_view bytes) {
    std::vector<std::string> fields(3);
    size_t field = 0;
    for (char c : bytes) {
        if (c == '\0' && field < 2)
            ++field;
        else
            fields[field] += c;
    }
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto fields = Fields(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string& commandTemplate = fields[0];
    const std::string& hexPath = fields[1];
    const std::string& device = fields[2];
    std::string expanded = ExpandCommandTemplate(commandTemplate, hexPath, device);
    if (expanded != Expand(commandTemplate, hexPath, device)) std::abort();
    if (TemplateArguments(commandTemplate, hexPath, device) != hexPath + " " + expanded)
        std::abort();
    std::vector<std::string> words = SplitTemplateWords(commandTemplate);
    std::vector<std::string> argv = TemplateArgv(commandTemplate, hexPath, device);
    if (argv.size() != words.size() + 1 || argv[0] != hexPath) std::abort();
    std::string quoted;
    for (size_t i = 0; i < words.size(); ++i)
        if (argv[i + 1] != Expand(words[i], hexPath, device)) std::abort();
    // Words without quotes inside, each put in quotes, split back to themselves.
    std::vector<std::string> plain;
    for (const std::string& word : words)
        if (word.find('"') == std::string::npos) {
            plain.push_back(word);
            quoted += " \"" + word + "\"\t";
        }
    if (SplitTemplateWords(quoted) != plain) std::abort();
    return 0;
}
