// The prompts seam: every modal message box of the application goes through
// it, so tests can script the answers and read back what would be shown.
#pragma once

#include <string>
#include <vector>

namespace quarno {

enum class TPromptKind { Error, Information, Confirmation, Warning, Plain };
enum class TPromptButton { Ok, Cancel, Yes, No };
// The button sets the application's boxes use.
// YesNoDefaultNo offers Yes and No with No as the default, for questions
// whose Yes throws work away.
enum class TPromptButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };

class TPrompts {
public:
    virtual ~TPrompts() = default;

    // Shows a modal box and returns the pressed button; a box closed without
    // a button counts as EscapeButton(buttons). An empty title stands for
    // DefaultPromptTitle(kind). Text may hold CR or CR LF line breaks.
    virtual TPromptButton Ask(TPromptKind kind, const std::string& title, const std::string& text,
                              TPromptButtons buttons) = 0;

    TPromptButton Show(TPromptKind kind, const std::string& text,
                       TPromptButtons buttons = TPromptButtons::Ok) {
        return Ask(kind, std::string(), text, buttons);
    }
    // A box whose lines must keep their columns (a pattern with a "^" under
    // its failing character) is shown in a fixed-pitch font. Prompts without
    // fonts show it as any other box.
    virtual TPromptButton AskFixedPitch(TPromptKind kind, const std::string& title,
                                        const std::string& text, TPromptButtons buttons) {
        return Ask(kind, title, text, buttons);
    }
    TPromptButton ShowFixedPitch(TPromptKind kind, const std::string& text) {
        return AskFixedPitch(kind, std::string(), text, TPromptButtons::Ok);
    }
    // The general error display: one error box with the error's text.
    void ShowException(const std::string& text);
};

// "Error", "Information", "Confirm", "Warning"; the application title for a
// plain box.
std::string DefaultPromptTitle(TPromptKind kind);
// The buttons of a set, left to right.
std::vector<TPromptButton> ButtonsOf(TPromptButtons buttons);
// The button Enter presses: the first one, except No in YesNoDefaultNo.
TPromptButton DefaultButton(TPromptButtons buttons);
// What closing the box counts as: Cancel when offered, else No, else OK.
TPromptButton EscapeButton(TPromptButtons buttons);
bool HasButton(TPromptButtons buttons, TPromptButton button);

// Names used by logs and test scripts: "error" ... "plain", "OK", "Cancel",
// "Yes", "No".
const char* PromptKindName(TPromptKind kind);
const char* PromptButtonName(TPromptButton button);
// Case-insensitive; false for an unknown name.
bool ParsePromptButton(const std::string& name, TPromptButton& button);

} // namespace quarno
