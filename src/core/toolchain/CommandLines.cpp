// The argument texts handed to the external programs.
#include "core/toolchain/CommandLines.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"

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

std::string ReplaceAllNoCase(const std::string& text, const std::string& from,
                             const std::string& to) {
    if (from.empty()) return text;
    std::string upperText = UpperCase(text);
    std::string upperFrom = UpperCase(from);
    std::string result;
    size_t start = 0;
    for (size_t found = upperText.find(upperFrom); found != std::string::npos;
         found = upperText.find(upperFrom, start)) {
        result.append(text, start, found - start);
        result += to;
        start = found + from.size();
    }
    result.append(text, start, std::string::npos);
    return result;
}

std::string ExpandCommandTemplate(const std::string& commandTemplate, const std::string& hexPath,
                                  const std::string& device) {
    std::string text = ReplaceAllNoCase(commandTemplate, "%FILENAME", ExtractFileName(hexPath));
    text = ReplaceAllNoCase(text, "%FULL", hexPath);
    return ReplaceAllNoCase(text, "%PIC", device.empty() ? kDefaultTemplateDevice : device);
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
