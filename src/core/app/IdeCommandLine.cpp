// quarno-ide's command line.
#include "core/app/IdeCommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quarno {

namespace {

// Qt's own options, which QApplication takes out of the command line itself
// (with one dash or two; a value follows as the next word or after "=").
constexpr std::array<std::string_view, 16> kQtOptionsWithValue{
    "platform",      "platformpluginpath",
    "platformtheme", "plugin",
    "qmljsdebugger", "qwindowgeometry",
    "qwindowicon",   "qwindowtitle",
    "style",         "stylesheet",
    "session",       "display",
    "geometry",      "title",
    "name",          "visual"};
constexpr std::array<std::string_view, 5> kQtFlags{"reverse", "nograb", "dograb", "sync",
                                                   "widgetcount"};

template <size_t N>
bool Listed(const std::array<std::string_view, N>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// The option's name without its dashes and any "=value".
std::string_view OptionName(std::string_view argument) {
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    return argument.substr(0, argument.find('='));
}

} // namespace

TIdeCommandLine ParseIdeCommandLine(const std::vector<std::string>& arguments) {
    TIdeCommandLine line;
    bool options = true;
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (!options || argument == "-" || !argument.starts_with("-")) {
            line.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            options = false;
        } else if (argument == "-h" || argument == "--help") {
            return {TIdeCommandLine::TAction::Help, {}, {}};
        } else if (argument == "-v" || argument == "--version") {
            return {TIdeCommandLine::TAction::Version, {}, {}};
        } else if (std::string_view name = OptionName(argument); Listed(kQtFlags, name)) {
            continue;
        } else if (Listed(kQtOptionsWithValue, name)) {
            bool inlineValue = argument.find('=') != std::string::npos;
            if (!inlineValue && ++index == arguments.size())
                return {TIdeCommandLine::TAction::UsageError,
                        {},
                        "option '" + argument + "' requires an argument"};
        } else {
            return {
                TIdeCommandLine::TAction::UsageError, {}, "unrecognized option '" + argument + "'"};
        }
    }
    return line;
}

std::string IdeUsageText() {
    return "Usage: quarno-ide [OPTION]... [FILE]...\n"
           "QUARNO+ Editor: edit, compile and program BASIC for PIC microcontrollers.\n"
           "Each FILE opens in a tab of its own; when the editor is already running,\n"
           "the files open in its window.\n"
           "\n"
           "  -h, --help      show this help and exit\n"
           "  -v, --version   show the version and where the files are kept, and exit\n"
           "      --          take every later argument as a file name\n"
           "\n"
           "Qt's own options (-style, -platform, ...) are passed on to Qt.\n";
}

} // namespace quarno
