// What the search and replace commands of quarno-tool share: the option
// flags and the way an engine error becomes the command's error.
#pragma once

#include "ToolCommand.h"

#include "core/services/TStoreSearch.h"

#include <cstdint>

namespace quarno::tool {

// The find-entry option word for --regex, --case, --word and --back.
uint32_t SearchOptions(const Args& args);

// Raises the error the command reports: the engine's message on the first
// line, then for a syntax error the pattern and a caret under the failure.
[[noreturn]] void RaiseSearchError(const TStoreSearch& search, const EREParser& error);

} // namespace quarno::tool
