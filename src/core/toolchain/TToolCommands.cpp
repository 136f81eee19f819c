// The terminal, calculator, help file and user guide commands.
#include "core/toolchain/TToolCommands.h"

#include "core/app/ProcessCommand.h"
#include "core/app/TDesktop.h"
#include "core/app/TDeviceToolWatch.h"
#include "core/app/TProcesses.h"
#include "core/base/FileUtils.h"
#include "core/base/ProgramSearch.h"

namespace quarno {

namespace {

constexpr const char* kFileMissing = "the file does not exist";
constexpr const char* kNoOpener = "the desktop's opener (xdg-open) could not be started";
constexpr const char* kNoHelpViewer =
    "no program to show Windows help files is installed; install the package wine (it brings "
    "the help viewer winhlp32), or give the desktop a viewer for .HLP files";
constexpr const char* kNoCalculator =
    "no desktop calculator is installed; install one of them, for example the package "
    "gnome-calculator";
constexpr const char* kWineHelpViewer = "winhlp32.exe";

// "a, b or c"
std::string Alternatives(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
        text += names[i];
    }
    return text;
}

// A file of the INC folder that must exist before the desktop is asked.
void RequireFile(const std::string& path) {
    if (!FileExists(path)) throw EProgramStart(ProblemRunningMessage(path, kFileMissing));
}

} // namespace

const std::vector<std::string>& CalculatorPrograms() {
    static const std::vector<std::string> programs{
        "gnome-calculator", "kcalc",        "mate-calc",   "galculator",
        "qalculate-gtk",    "qalculate-qt", "speedcrunch", "xcalc"};
    return programs;
}

std::string FindCalculator(const std::string& pathList) {
    for (const std::string& name : CalculatorPrograms())
        if (std::string found = FindProgramOnPath(name, pathList); !found.empty()) return found;
    return std::string();
}

THelpViewer ChooseHelpViewer(bool desktopHasOpener, const std::string& winePath) {
    if (desktopHasOpener) return THelpViewer::Desktop;
    return winePath.empty() ? THelpViewer::None : THelpViewer::WineHelp;
}

std::string WineDosPath(const std::string& path) {
    std::string dos = "Z:" + path;
    for (char& c : dos)
        if (c == '/') c = '\\';
    return dos;
}

std::string TToolCommands::SearchPath() const {
    return m_searchPath.empty() ? ProgramSearchPath() : m_searchPath;
}

std::string TToolCommands::TerminalPath() const {
    return FindFileIgnoringCase(m_incFolder + kTerminalFileName);
}

std::string TToolCommands::HelpFilePath() const {
    return FindFileIgnoringCase(m_incFolder + kHelpFileName);
}

std::string TToolCommands::UserGuidePath() const {
    return FindFileIgnoringCase(m_incFolder + kUserGuideFileName);
}

void TToolCommands::Terminal1Click() {
    std::string path = TerminalPath();
    if (m_watch) m_watch->Watch(path);
    m_processes.StartProgram(path, {});
}

void TToolCommands::CalculatorItemClick() {
    std::string calculator = FindCalculator(SearchPath());
    if (calculator.empty())
        throw EProgramStart(
            ProblemRunningMessage(Alternatives(CalculatorPrograms()), kNoCalculator));
    m_processes.StartProgram(calculator, {});
}

// A native viewer when the desktop has one, else wine's help viewer.
void TToolCommands::HelpMenuItemClick() {
    std::string path = HelpFilePath();
    RequireFile(path);
    std::string wine = FindProgramOnPath("wine", SearchPath());
    switch (ChooseHelpViewer(m_desktop.HasOpenerFor(path), wine)) {
    case THelpViewer::Desktop:
        if (!m_desktop.OpenDocument(path))
            throw EProgramStart(ProblemRunningMessage(path, kNoOpener));
        return;
    case THelpViewer::WineHelp:
        m_processes.StartProgram(wine, {kWineHelpViewer, WineDosPath(path)});
        return;
    case THelpViewer::None: throw EProgramStart(ProblemRunningMessage(path, kNoHelpViewer));
    }
}

void TToolCommands::UserGuideClick() {
    std::string path = UserGuidePath();
    RequireFile(path);
    if (!m_desktop.OpenDocument(path)) throw EProgramStart(ProblemRunningMessage(path, kNoOpener));
}

} // namespace quarno
