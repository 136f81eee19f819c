// What the path dialogs of the programmers and bootloaders do, without their
// windows: the values they remember between showings, what they read from
// KBX.INI when they are activated, what OK stores and what Browse changes.
#pragma once

#include "core/app/TFileDialogs.h"
#include "core/base/TProfileFile.h"

#include <optional>
#include <string>

namespace quarno {

inline constexpr const char* kUndefinedProgrammer = "Undefined";

// The dialog naming the user's own programmer (EXT_PROG) or bootloader
// (EXT_BOOTLOADER).
class TProgPathValues {
public:
    // section: where the three values live; browseTitle: the Browse dialog's.
    explicit TProgPathValues(std::string section = "EXT_PROG",
                             std::string browseTitle = "Find Programmer Directory");

    struct TFields {
        std::string name;
        std::string path;
        std::string commandLine;
    };

    // The boxes on activation: the stored values, the remembered ones where a
    // key is missing.
    TFields Activate(const TProfileFile& ini) const;
    // OK: an empty name becomes "Undefined"; the three values are stored and
    // remembered. Answers the programmer's name.
    std::string Ok(TFields fields, TProfileFile& ini);
    // Browse: a chosen file becomes the remembered path; answers what the
    // path box shows then (with nothing chosen, what it showed).
    std::string Browse(const std::optional<std::string>& chosen, const std::string& shown);
    TFileDialogOptions BrowseOptions() const;

private:
    std::string m_section;
    std::string m_browseTitle;
    TFields m_remembered;
};

// The dialog locating the ORLA programmer (ORLA/PATHNAME) or the Fernwick
// bootloader (FERNWICK/PATHNAME). Only a path loaded on activation or chosen
// with Browse is stored; typing into the box is not.
class TOrlaPathValues {
public:
    // program: "ORLAWIN" or "FERNWICK", naming the section, the program file
    // and the Browse dialog's title and filter.
    explicit TOrlaPathValues(std::string section = "ORLA", std::string program = "ORLAWIN");

    const std::string& Activate(const TProfileFile& ini);
    void Ok(TProfileFile& ini) const;
    const std::string& Browse(const std::optional<std::string>& chosen);
    TFileDialogOptions BrowseOptions() const;

private:
    std::string m_section;
    std::string m_program;
    std::string m_path;
};

} // namespace quarno
