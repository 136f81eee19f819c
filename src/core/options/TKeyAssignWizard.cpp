// The key assignment wizard without its window.
#include "core/options/TKeyAssignWizard.h"

#include "core/lexicon/ShortCuts.h"

namespace quarno {

namespace {

constexpr uint16_t kVkShift = 16, kVkControl = 17, kVkMenu = 18;

} // namespace

TKeyAssignWizard::TKeyAssignWizard(TMode mode, uint16_t key1, uint16_t key2) : m_mode(mode) {
    if (mode == kEdit) {
        m_key1 = key1;
        m_key2 = key2;
    }
}

std::string TKeyAssignWizard::Caption(TMode mode, const std::string& description) {
    return std::string(mode == kEdit ? "Edit " : "Add new ") + "key pair for: " + description;
}

std::string TKeyAssignWizard::StepLabel(int step) {
    return "Step " + std::to_string(step);
}

void TKeyAssignWizard::SetKey(int field, uint16_t shortCut) {
    if (field == 1) m_key1 = shortCut;
    if (field == 2) m_key2 = shortCut;
}

bool TKeyAssignWizard::Next() {
    if (!NextEnabled()) return false;
    if (m_step == 2) return true;
    m_step = 2;
    return false;
}

void TKeyAssignWizard::Back() {
    m_step = 1;
}

std::optional<uint16_t> HotKeyFromPress(uint16_t key, uint8_t shift) {
    if (key == 0 || key == kVkShift || key == kVkControl || key == kVkMenu) return std::nullopt;
    return MakeShortCut(key, shift);
}

std::optional<uint16_t> TemplateHotKeyFromPress(uint16_t key, uint8_t shift) {
    if (!(shift & (kCtrlKey | kAltKey))) shift |= kAltKey;
    return HotKeyFromPress(key, shift);
}

} // namespace quarno
