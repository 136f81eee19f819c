// Fuzz harness: the profile (INI) reader and writer over arbitrary file
// contents, as a damaged or hand-edited KBX.INI may hold them. Every key the
// reader lists must read as present; writing one key must read back as
// written and leave every other key reading as before.
#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TProfileFile.h"
#include "support/ScratchFile.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace quarno;

namespace {

constexpr const char* kMissing = "\x01missing";
constexpr size_t kChecked = 24;

// A value the file form keeps as it is: no blanks at its ends, no quotes of
// either kind, no line breaks.
std::string PlainValue(std::string_view bytes) {
    std::string value;
    for (char c : bytes)
        if (c > ' ' && c < 127 && c != '"' && c != '\'' && value.size() < 32) value += c;
    return value;
}

bool SameKey(const TProfileEntry& a, const TProfileEntry& b) {
    return SameText(a.section, b.section) && SameText(a.key, b.key);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TProfileFile profile(fuzz::WriteScratch("KBX.INI", bytes));
    std::vector<TProfileEntry> entries = profile.Entries();
    if (entries.size() > kChecked) entries.resize(kChecked);
    std::vector<std::string> before;
    for (const TProfileEntry& entry : entries) {
        if (!profile.HasKey(entry.section, entry.key)) std::abort();
        before.push_back(profile.ReadString(entry.section, entry.key, kMissing));
        if (before.back() == kMissing) std::abort();
    }
    TProfileEntry target{"FuzzSection", "FuzzKey", ""};
    if (!entries.empty() && size > 0) target = entries[data[0] % entries.size()];
    std::string value = PlainValue(bytes.substr(0, 64));
    try {
        profile.WriteString(target.section, target.key, value);
    } catch (const Exception&) {
        return 0; // a name that the file form cannot hold is refused
    }
    if (profile.ReadString(target.section, target.key, kMissing) != value) std::abort();
    for (size_t i = 0; i < entries.size(); ++i)
        if (!SameKey(entries[i], target) &&
            profile.ReadString(entries[i].section, entries[i].key, kMissing) != before[i])
            std::abort();
    return 0;
}
