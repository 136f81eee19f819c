// The programs of the external-programs folder (the Run menus) and the
// hand-back file through which such a program passes text to the editor.
#pragma once

#include "core/toolchain/TLaunchPlan.h"

#include <optional>
#include <string>
#include <vector>

namespace quarno {

class TCustomLexipad;
class TProcesses;

inline constexpr const char* kExternalProgramsFolder = "EXTERNAL PROGRAMS/";
inline constexpr const char* kHandBackFileName = "RES_FILE.TXT";

// INC folder + "EXTERNAL PROGRAMS/".
std::string ExternalProgramsFolder(const std::string& incFolder);
// The full paths of the "*.exe" programs (any case) of that folder, in byte
// order of their names; sub-folders are not searched.
std::vector<std::string> ListExternalPrograms(const std::string& incFolder);
// The program of a Run menu item, started without arguments and waited for;
// nothing when the caption is empty or the program is gone.
std::optional<TLaunchPlan> ExternalProgramLaunch(const std::string& incFolder,
                                                 const std::string& caption);
// Takes the text a program left in the hand-back file: its lines, each ended
// by CR LF, and empties the file (it stays in place). Nothing when the file
// does not exist or holds no text; the editor then leaves its selection alone.
std::optional<std::string> TakeHandBackText(const std::string& incFolder);

// A Run menu item: starts the program named caption (file name without
// folder) and waits for it, then inserts what it handed back at the editor's
// selection as one undo step. The hand-back is taken even when the program
// has gone since the menu was built; an empty caption does nothing. A
// program that is there but cannot be started raises EProgramStart
// ("Problem Running <path>: why") once the hand-back is done.
void RunExternalProgram(const std::string& incFolder, const std::string& caption,
                        TProcesses& processes, TCustomLexipad& editor);

} // namespace quarno
