// The rules of the options page: the check boxes switch option bits of the
// preview editor (whose settings are the dialog's working copy), the
// enabling of "Smart tab" and "Cursor beyond EOL", and what the number and
// tab fields accept, store and show afterwards.
#pragma once

#include "core/settings/TLP_Settings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quarno {

class TCustomLexipad;

// The number fields, as far as their key filters differ: the gutter width
// and right margin fields, and the word-wrap column and indent step fields.
enum class TNumberFieldKind { Small, Wide };

// What a field shows after its text was taken, and the message to show when
// the text was refused (empty when it was taken).
struct TFieldResult {
    std::string text;
    std::string error;
    bool operator==(const TFieldResult&) const = default;
};

class TOptionsPageModel {
public:
    // The preview editor shows the settings being edited; it must outlive
    // the model.
    explicit TOptionsPageModel(TCustomLexipad& preview) : m_preview(preview) {}

    bool Checked(TLexipadOption option) const;
    // Switches one option through the preview editor (which lays its text
    // out again when word wrap changes).
    void SetChecked(TLexipadOption option, bool on);
    // "Smart tab" only while "Word wrap" is off.
    bool SmartTabEnabled() const;
    // "Cursor beyond EOL" only while the preview's font is fixed-pitch.
    bool CaretAfterEOLEnabled() const;

    // Gutter width and right margin, on every change of their text: a number
    // from 0 to 199 is taken, any other text sets 1. Answers the text the
    // field shows afterwards (the preview's value).
    std::string GutterChanged(std::string_view text);
    std::string RightMarginChanged(std::string_view text);
    // A spin button's step (delta -1 or +1) within 0..199; an empty or
    // unconvertible text becomes "1".
    static std::string Stepped(std::string_view text, int delta);

    // Word-wrap column and indent step, when their field is left: the number
    // kept as the preview keeps it (16 bits / 8 bits). A text that is not a
    // number is refused with "'%s' is not a valid integer value".
    TFieldResult WrapColumnLeft(std::string_view text);
    TFieldResult IndentStepLeft(std::string_view text);
    // Tab columns and the default tab width, when their field is left; a
    // refused text brings the previous value back with the editor's message.
    TFieldResult TabColumnsLeft(std::string_view text);
    TFieldResult TabStopLeft(std::string_view text);

    // The texts the fields start with.
    std::string GutterText() const;
    std::string RightMarginText() const;
    std::string WrapColumnText() const;
    std::string IndentStepText() const;
    std::string TabColumnsText() const;
    std::string TabStopText() const;

    // Whether a field passes on a key press that types no character (a
    // virtual-key code): Backspace, Left, Right, Insert, Delete and the keys
    // 0 and 1 for the small fields; Backspace, Tab, End, Home, Left, Right,
    // Delete and 0 to 9 for the wide ones. Keys that type characters always
    // pass (the conversion rules decide), and so do the keys the dialog
    // takes for itself (Tab, Enter, Escape).
    static bool PassesKey(TNumberFieldKind kind, uint16_t key);

private:
    TCustomLexipad& m_preview;
};

// A decimal integer as the platform's conversion takes it (blanks around, a
// sign); EConvertError "'%s' is not a valid integer value" otherwise.
int StrToInt(std::string_view text);

} // namespace quarno
