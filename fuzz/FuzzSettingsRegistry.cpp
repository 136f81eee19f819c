// Fuzz harness: the registry forms of a language's settings (highlighting
// text, key assignments, templates) as a user's settings file may hold them
// after a crash or a hand edit. The first byte picks the form. A fault must be
// one of the system's exceptions (ELexipad, a stream error); a value that reads must write a value
// that reads back to the same value again.
#include "core/base/Exceptions.h"
#include "core/settings/SettingsRegistryText.h"
#include "core/settings/TLP_Settings.h"

#include <cstdlib>
#include <string>
#include <string_view>

using namespace quarno;

namespace {

using Reader = bool (*)(TLP_Settings&, std::string_view);
using Writer = std::string (*)(const TLP_Settings&);

bool ReadHighlighting(TLP_Settings& settings, std::string_view text) {
    ReadHighlightingRegistryText(settings, text);
    return true;
}

struct Form {
    Reader read;
    Writer write;
};

const Form kForms[] = {
    {ReadHighlighting, HighlightingRegistryText},
    {ReadKeyAssignmentsRegistryValue, KeyAssignmentsRegistryValue},
    {ReadTemplatesRegistryValue, TemplatesRegistryValue},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const Form& form = kForms[data[0] % 3];
    std::string_view value(reinterpret_cast<const char*>(data + 1), size - 1);
    TLP_Settings settings;
    try {
        if (!form.read(settings, value)) return 0;
    } catch (const Exception&) {
        // ELexipad or a stream fault, which the caller turns into its message;
        // anything else (bad_alloc, length_error) would escape it: a finding.
        return 0;
    }
    std::string written = form.write(settings);
    TLP_Settings again;
    if (!form.read(again, written)) std::abort();
    if (form.write(again) != written) std::abort();
    return 0;
}
