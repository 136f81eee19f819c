// The argument texts handed to the external programs.
#include "core/toolchain/CommandLines.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

namespace quarno {

std::string CompilerArguments(const std::string& sourcePath) {
    return sourcePath + " -m -q";
}

std::vector<std::string> CompilerArgv(const std::string& sourcePath) {
    return {sourcePath, "-m", "-q"};
}

std::string OrlaArguments(const std::string& hexPath, const std::string& device) {
    return hexPath + " -dPIC" + device;
}

std::vector<std::string> OrlaArgv(const std::string& hexPath, const std::string& device) {
    return {hexPath, "-dPIC" + device};
}

std::string ExpandCommandTemplate(const std::string& commandTemplate, const std::string& hexPath,
                                  const std::string& device) {
    const std::pair<std::string_view, std::string> placeholders[] = {
        {"%FILENAME", ExtractFileName(hexPath)},
        {"%FULL", hexPath},
        {"%PIC", device.empty() ? std::string(kDefaultTemplateDevice) : device},
    };
    std::string text;
    std::string_view rest = commandTemplate;
    while (!rest.empty()) {
        auto found = std::find_if(
            std::begin(placeholders), std::end(placeholders), [rest](const auto& placeholder) {
                return SameText(rest.substr(0, placeholder.first.size()), placeholder.first);
            });
        if (found == std::end(placeholders)) {
            text += rest.front();
            rest.remove_prefix(1);
            continue;
        }
        text += found->second;
        rest.remove_prefix(found->first.size());
    }
    return text;
}

std::string TemplateArguments(const std::string& commandTemplate, const std::string& hexPath,
                              const std::string& device) {
    return hexPath + " " + ExpandCommandTemplate(commandTemplate, hexPath, device);
}

std::vector<std::string> SplitTemplateWords(const std::string& commandTemplate) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : commandTemplate) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true; // "" is an empty argument
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

std::vector<std::string> TemplateArgv(const std::string& commandTemplate,
                                      const std::string& hexPath, const std::string& device) {
    std::vector<std::string> argv{hexPath};
    for (const std::string& word : SplitTemplateWords(commandTemplate))
        argv.push_back(ExpandCommandTemplate(word, hexPath, device));
    return argv;
}

static const char* const kAssemblerSwitches[] = {"/e+", "/l+", "/x-", "/w2", "/c-", "/m-", "/q"};

std::vector<std::string> AssemblerArgv(const std::string& asmPath, bool hexFormatSwitch) {
    std::vector<std::string> argv{asmPath};
    if (hexFormatSwitch) argv.emplace_back("/aINHX8M");
    for (const char* option : kAssemblerSwitches)
        argv.emplace_back(option);
    return argv;
}

std::string AssemblerArguments(const std::string& asmPath, bool hexFormatSwitch) {
    std::vector<std::string> argv = AssemblerArgv(asmPath, hexFormatSwitch);
    std::string text = asmPath;
    for (size_t i = 1; i < argv.size(); ++i)
        text += " " + argv[i];
    return text;
}

} // namespace quarno
