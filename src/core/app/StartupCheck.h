// The start-up check of the configuration file: the program refuses to run
// without INC/KBX.INI in the application folder.
#pragma once

#include "core/app/TAppGlobals.h"
#include "core/app/TPrompts.h"

namespace quarno {

inline constexpr const char* kFatalErrorTitle = "FATAL ERROR!";
inline constexpr const char* kMissingConfigText =
    "Could not Find KBX.INI\rMake sure it is in the INC folder and is not Write Protected\r"
    "The Compiler will now Close";

// True when the folders' KBX.INI exists. Otherwise shows the FATAL ERROR box
// (OK and Cancel; either button ends the program) and returns false.
bool CheckConfigurationFile(TPrompts& prompts, const TAppGlobals& globals);

} // namespace quarno
