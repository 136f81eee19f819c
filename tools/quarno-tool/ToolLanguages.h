// Languages for quarno-tool commands: a shipped one by name ("basic",
// "asm"), else a compiled parser block read from a file.
#pragma once

#include "core/highlight/TLexipadParser.h"

#include <memory>
#include <string>

namespace quarno::tool {

std::unique_ptr<TLexipadParser> LanguageNamed(const std::string& name);

} // namespace quarno::tool
