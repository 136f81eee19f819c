// The argument texts handed to the external programs (compiler, ORLA
// programmer, user programmers and bootloaders through a command-line
// template, the assembler), each also as an argv list that needs no shell.
#pragma once

#include <string>
#include <vector>

namespace quarno {

// The device substituted for "%PIC" when no compile result named one.
inline constexpr const char* kDefaultTemplateDevice = "16F84";

// The compiler: source path + " -m -q".
std::string CompilerArguments(const std::string& sourcePath);
std::vector<std::string> CompilerArgv(const std::string& sourcePath);

// The ORLA programmer: HEX path + " -dPIC" + device, nothing else (an empty
// device leaves the text ending in "-dPIC").
std::string OrlaArguments(const std::string& hexPath, const std::string& device);
std::vector<std::string> OrlaArgv(const std::string& hexPath, const std::string& device);

// A command-line template with "%FILENAME", "%FULL" and "%PIC" replaced
// everywhere and without regard to case, in one pass: what was inserted is
// never scanned again (a folder named "%PIC" stays as it is); where two could
// start at one place, that order decides. "%PIC" becomes "16F84" when device
// is empty.
std::string ExpandCommandTemplate(const std::string& commandTemplate, const std::string& hexPath,
                                  const std::string& device);
// HEX path, one blank, the expanded template (a trailing blank when empty).
std::string TemplateArguments(const std::string& commandTemplate, const std::string& hexPath,
                              const std::string& device);
// HEX path, then the template's words (split at blanks and tabs outside
// double quotes, the quotes removed) with the placeholders replaced inside
// each word, so a substituted path stays one argument.
std::vector<std::string> TemplateArgv(const std::string& commandTemplate,
                                      const std::string& hexPath, const std::string& device);
// The words of a template, split as TemplateArgv splits them.
std::vector<std::string> SplitTemplateWords(const std::string& commandTemplate);

// The assembler: ASM path + " /e+ /l+ /x- /w2 /c- /m- /q", with "/aINHX8M"
// before the switches for "Re-Assemble as...".
std::string AssemblerArguments(const std::string& asmPath, bool hexFormatSwitch);
std::vector<std::string> AssemblerArgv(const std::string& asmPath, bool hexFormatSwitch);

} // namespace quarno
