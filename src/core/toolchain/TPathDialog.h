// The path dialogs a launching command runs when a program path is not set.
#pragma once

#include <functional>

namespace quarno {

enum class TPathDialog { pdOrla, pdProgrammer, pdFernwick, pdBootloader };

// Shows the dialog modally; whatever it stores in KBX.INI is read afterwards.
using TRunPathDialog = std::function<void(TPathDialog)>;

} // namespace quarno
