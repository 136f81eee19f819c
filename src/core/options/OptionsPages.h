// The pages of the editor options dialog, which of them a caller shows, the
// page shown first, and the captions the dialog carries.
#pragma once

#include <array>
#include <cstdint>

namespace quarno {

enum TOptionsPage : uint8_t {
    opOptions = 1,
    opHighlighting = 2,
    opKeyAssignments = 4,
    opAutoCorrect = 8,
    opCodeTemplates = 16,
};
// A set of TOptionsPage bits.
using TOptionsPages = uint8_t;
constexpr TOptionsPages kAllOptionsPages = 31;
// The pages in the order the dialog lays them out.
constexpr std::array<TOptionsPage, 5> kOptionsPageOrder{opOptions, opHighlighting, opKeyAssignments,
                                                        opAutoCorrect, opCodeTemplates};

// Highlighting when it is shown, else the first shown of Options, Key
// assignments, Auto correct and Code templates; 0 when none is shown.
TOptionsPages FirstOptionsPage(TOptionsPages pages);
// "Options", "Highlighting", "Key assignments", "Auto correct", "Code templates".
const char* OptionsPageCaption(TOptionsPage page);

namespace optionsText {
constexpr const char* kDialog = "Editor Options";
constexpr const char* kOk = "OK";
constexpr const char* kCancel = "Cancel";
} // namespace optionsText

} // namespace quarno
