// Edit-script command find FLAGS "pattern": the control's find entry.
#include "EditSession.h"

#include "core/base/Exceptions.h"

namespace quarno::tool {
namespace {

// An invalid pattern ends the script with the engine's message (the pattern
// and a caret under the failure on the lines after it).
EditCommandRegistrar find("find", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 2, 2);
    s.Pad().Find(static_cast<uint32_t>(EditSession::Number(args[0])), args[1]);
    if (s.Pad().PatternFailed()) throw Exception(s.Pad().SearchError());
});

} // namespace
} // namespace quarno::tool
