// What the search and replace commands of quarno-tool share.
#include "SearchSupport.h"

namespace quarno::tool {

uint32_t SearchOptions(const Args& args) {
    uint32_t options = foSearchNow;
    if (args.Has("--regex")) options |= foRegExpr;
    if (args.Has("--case")) options |= foMatchCase;
    if (args.Has("--word")) options |= foWholeWord;
    if (args.Has("--back")) options |= foBackward;
    return options;
}

void RaiseSearchError(TLexipadSearch& search, const EREParser& error) {
    bool syntax = error.Position() >= 0 && error.Error() == search.RegExpr().LastError();
    throw Exception(syntax ? search.RegExpr().ErrorText() : std::string(error.what()));
}

} // namespace quarno::tool
