// The View and Help menus' outside programs: the serial terminal of the INC
// folder, a desktop calculator, the compiler's help file and the user guide.
// Each command raises EProgramStart ("Problem Running ...") when it cannot
// show what was asked for.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quarno {

class TDesktop;
class TDeviceToolWatch;
class TProcesses;

inline constexpr const char* kTerminalFileName = "TERM.EXE";
inline constexpr const char* kHelpFileName = "QUARNP_HELP.HLP";
inline constexpr const char* kUserGuideFileName = "USER_GUIDE.html";

// The desktop calculators looked for on PATH, in this order: those of the
// big desktops first, then the independent ones, xcalc last.
const std::vector<std::string>& CalculatorPrograms();
// The first of them on pathList; "" when none is installed.
std::string FindCalculator(const std::string& pathList);

enum class THelpViewer {
    Desktop,  // the desktop has a program for the file type
    WineHelp, // no such program, but wine's help viewer is there
    None,
};
THelpViewer ChooseHelpViewer(bool desktopHasOpener, const std::string& winePath);
// The name wine's programs know a Linux path by: drive Z: is the root.
std::string WineDosPath(const std::string& path);

class TToolCommands {
public:
    // The seams must outlive the commands; incFolder ends with "/".
    TToolCommands(TProcesses& processes, TDesktop& desktop, std::string incFolder)
        : m_processes(processes), m_desktop(desktop), m_incFolder(std::move(incFolder)) {}

    // Where programs are looked for; empty (the default) reads PATH at each use.
    void SetSearchPath(std::string pathList) { m_searchPath = std::move(pathList); }
    // The terminal is watched for failures on serial devices; null: not.
    void SetDeviceWatch(TDeviceToolWatch* watch) { m_watch = watch; }

    // The files of the INC folder, found in any case (TERM.EXE or term.exe).
    std::string TerminalPath() const;
    std::string HelpFilePath() const;
    std::string UserGuidePath() const;

    void Terminal1Click();
    void CalculatorItemClick();
    void HelpMenuItemClick();
    void UserGuideClick();

private:
    std::string SearchPath() const;

    TProcesses& m_processes;
    TDesktop& m_desktop;
    std::string m_incFolder;
    std::string m_searchPath;
    TDeviceToolWatch* m_watch = nullptr;
};

} // namespace quarno
