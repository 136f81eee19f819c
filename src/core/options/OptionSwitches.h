// The check boxes of the options page: each switches one bit of the option
// word. The six print options come first (under "Print Options"), the others
// follow (under "General options").
#pragma once

#include "core/settings/TLP_Settings.h"

#include <array>

namespace quarno {

struct TOptionSwitch {
    const char* name;    // the check box's name
    const char* caption; // its text
    TLexipadOption option;
    bool print; // one of the print options
};

constexpr int kOptionSwitchCount = 22;
const std::array<TOptionSwitch, kOptionSwitchCount>& OptionSwitches();

} // namespace quarno
