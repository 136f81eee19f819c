// The two languages the program ships, compiled into it at build time: the
// BASIC dialect of the source windows ("basic") and the language of the
// assembler listing window ("asm").
#pragma once

#include "core/highlight/TLexipadParser.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

// "basic" and "asm".
const std::vector<std::string>& ShippedLanguageNames();
// The compiled parser block of a shipped language; empty for another name.
std::string_view ShippedLanguageBlock(std::string_view name);
// A parser read from that block, named and set up as the component that
// holds it: "MCUBASIC" (script "KBX.TXT") or "LexipadParser1" (script
// "ASM.TXT"), compiled, not using the registry. ELexipad "Unknown language
// '%s'" for another name.
std::unique_ptr<TLexipadParser> MakeShippedParser(std::string_view name);

} // namespace quarno
