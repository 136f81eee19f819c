// The two-step key assignment wizard without its window: the mode, the step,
// the two key fields, the caption, the button texts and which buttons are
// enabled. Also what a key press leaves in a hot-key field.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quarno {

class TKeyAssignWizard {
public:
    enum TMode { kEdit = 0, kAdd = 1 };

    static constexpr const char* kStep1Text =
        "Press the first key combination until the correct key sequence appears then press "
        "the NEXT button";
    static constexpr const char* kStep2Text =
        "If the key sequence requires a 2nd key press then enter the key now. Press the FINISH "
        "button to accept changes";

    // Add mode starts with both fields empty, edit mode with the two keys.
    TKeyAssignWizard(TMode mode, uint16_t key1, uint16_t key2);

    // "Edit " or "Add new ", then "key pair for: " and the description.
    static std::string Caption(TMode mode, const std::string& description);
    // "Step 1", "Step 2".
    static std::string StepLabel(int step);

    TMode Mode() const { return m_mode; }
    int Step() const { return m_step; }
    // Field 1 or 2 (0: none).
    uint16_t Key(int field) const { return field == 1 ? m_key1 : m_key2; }
    void SetKey(int field, uint16_t shortCut);
    void Clear(int field) { SetKey(field, 0); }

    // "Next >" on step 1, "Finish" on step 2.
    const char* NextCaption() const { return m_step == 1 ? "Next >" : "Finish"; }
    bool NextEnabled() const { return m_key1 != 0; }
    bool BackEnabled() const { return m_step == 2; }
    bool ClearEnabled(int field) const { return field == 1 ? NextEnabled() : m_key2 != 0; }

    // Step 1 goes to step 2; on step 2 the answer is true (finished).
    bool Next();
    void Back();

private:
    TMode m_mode;
    int m_step = 1;
    uint16_t m_key1 = 0;
    uint16_t m_key2 = 0;
};

// The value a hot-key field takes for a key press (virtual key, TShiftBits):
// the key plus 8192/16384/32768 for Shift/Ctrl/Alt. A press of a modifier
// alone (or of a key without a code) leaves the field as it was.
std::optional<uint16_t> HotKeyFromPress(uint16_t key, uint8_t shift);
// The template hot key accepts no combination without Ctrl or Alt: Alt is
// added to such a press.
std::optional<uint16_t> TemplateHotKeyFromPress(uint16_t key, uint8_t shift);

} // namespace quarno
