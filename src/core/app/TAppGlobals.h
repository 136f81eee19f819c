// The folders every launching command relies on and the process-wide values
// that the build, programmer, bootloader and viewer commands share.
#pragma once

#include "core/app/TAppLayout.h"
#include "core/base/TProfileFile.h"

#include <string>

namespace quarno {

class TAppGlobals {
public:
    static constexpr const char* kApplicationTitle = "QUARNO+ Editor";
    static constexpr const char* kDefaultDeviceName = "16F84";

    // Takes both folders from the running executable's full path (the
    // portable layout). A path without a folder stands for the current
    // folder ("./").
    void ComputeFolders(const std::string& executablePath);
    // Takes both folders from the layout the program runs in.
    void UseLayout(const TAppLayout& layout);
    const TAppLayout& Layout() const { return m_layout; }

    // The application folder with a trailing "/" (the executable's folder,
    // or the user's folder when installed): the compiler and the history
    // file live there.
    const std::string& ApplicationFolder() const { return m_applicationFolder; }
    // ApplicationFolder() + "INC/": KBX.INI, the helper programs, the help file.
    const std::string& IncFolder() const { return m_incFolder; }
    std::string ConfigFileName() const { return m_incFolder + "KBX.INI"; }
    std::string ExternalProgramsFolder() const { return m_incFolder + "EXTERNAL PROGRAMS/"; }
    // KBX.INI; every call on it reads or writes the file afresh.
    TProfileFile Config() const { return TProfileFile(ConfigFileName()); }

    // PIC device of the last compilation, substituted for "%PIC".
    const std::string& DeviceName() const { return m_deviceName; }
    void SetDeviceName(const std::string& name) { m_deviceName = name; }
    // The current file with extension ".HEX": handed to programmers and
    // bootloaders and loaded by the memory views.
    const std::string& HexPath() const { return m_hexPath; }
    void SetHexPath(const std::string& path) { m_hexPath = path; }
    // The listing shown by the assembler window.
    const std::string& AsmPath() const { return m_asmPath; }
    void SetAsmPath(const std::string& path) { m_asmPath = path; }
    // Full name of the most recently opened file.
    const std::string& LastOpenedFile() const { return m_lastOpenedFile; }
    void SetLastOpenedFile(const std::string& path) { m_lastOpenedFile = path; }
    // Captions of the user's own programmer and bootloader menu items.
    const std::string& ExtProgrammerName() const { return m_extProgrammerName; }
    void SetExtProgrammerName(const std::string& name) { m_extProgrammerName = name; }
    const std::string& ExtBootloaderName() const { return m_extBootloaderName; }
    void SetExtBootloaderName(const std::string& name) { m_extBootloaderName = name; }

private:
    TAppLayout m_layout;
    std::string m_applicationFolder;
    std::string m_incFolder;
    std::string m_deviceName = kDefaultDeviceName;
    std::string m_hexPath;
    std::string m_asmPath;
    std::string m_lastOpenedFile;
    std::string m_extProgrammerName;
    std::string m_extBootloaderName;
};

} // namespace quarno
