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

void RaiseSearchError(const TStoreSearch& search, const EREParser& error) {
    throw Exception(search.ErrorText(error));
}

} // namespace quarno::tool
