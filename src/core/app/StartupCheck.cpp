// The start-up check of the configuration file.
#include "core/app/StartupCheck.h"

#include "core/base/FileUtils.h"

namespace quarno {

bool CheckConfigurationFile(TPrompts& prompts, const TAppGlobals& globals) {
    if (FileExists(globals.ConfigFileName())) return true;
    prompts.Ask(TPromptKind::Plain, kFatalErrorTitle, kMissingConfigText, TPromptButtons::OkCancel);
    return false;
}

} // namespace quarno
