// Where the program keeps its files. Portable: the executable's folder holds
// INC/KBX.INI and is the application folder, as when run from the build.
// Installed: the program files sit read-only under an install prefix
// (bin/, share/quarno/INC as the template) and the application folder is the
// user's own, $XDG_DATA_HOME/QUARNO, made from the template at start-up.
#pragma once

#include <string>

namespace quarno {

enum class TLayoutKind { Portable, Installed };

// What the layout depends on besides the executable; tests pass their own.
struct TLayoutEnvironment {
    std::string xdgDataHome; // $XDG_DATA_HOME; ignored unless an absolute path
    std::string home;        // $HOME, else the home folder of the password database

    static TLayoutEnvironment Current();
};

class TAppLayout {
public:
    static constexpr const char* kUserFolderName = "QUARNO";

    // The executable's folder is the application folder.
    static TAppLayout Portable(const std::string& executablePath);
    // Portable when the executable's folder holds INC/KBX.INI, installed
    // otherwise.
    static TAppLayout Decide(const std::string& executablePath,
                             const TLayoutEnvironment& environment);
    static TAppLayout Decide(const std::string& executablePath) {
        return Decide(executablePath, TLayoutEnvironment::Current());
    }

    TLayoutKind Kind() const { return m_kind; }
    bool IsInstalled() const { return m_kind == TLayoutKind::Installed; }
    // The executable's folder with a trailing "/" ("./" for a bare name).
    const std::string& ProgramFolder() const { return m_programFolder; }
    // The compiler, QUARNO.DAT and INC live here; trailing "/".
    const std::string& ApplicationFolder() const { return m_applicationFolder; }
    std::string IncFolder() const { return m_applicationFolder + "INC/"; }
    // Installed: the read-only INC template under the prefix, trailing "/";
    // portable: empty.
    const std::string& TemplateFolder() const { return m_templateFolder; }
    // One line for --version and the about box, naming the layout and the
    // folder the user's files are in.
    std::string Description() const;

private:
    TLayoutKind m_kind = TLayoutKind::Portable;
    std::string m_programFolder;
    std::string m_applicationFolder;
    std::string m_templateFolder;
};

// "$XDG_DATA_HOME/QUARNO/", or "$HOME/.local/share/QUARNO/" when
// XDG_DATA_HOME is unset, empty or relative.
std::string UserDataFolder(const TLayoutEnvironment& environment);

} // namespace quarno
