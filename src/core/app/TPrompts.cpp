// The vocabulary of the prompts seam.
#include "core/app/TPrompts.h"

#include "core/app/TAppGlobals.h"
#include "core/base/StringUtils.h"

namespace quarno {

void TPrompts::ShowException(const std::string& text) {
    Ask(TPromptKind::Error, TAppGlobals::kApplicationTitle, text, TPromptButtons::Ok);
}

std::string DefaultPromptTitle(TPromptKind kind) {
    switch (kind) {
    case TPromptKind::Error: return "Error";
    case TPromptKind::Information: return "Information";
    case TPromptKind::Confirmation: return "Confirm";
    case TPromptKind::Warning: return "Warning";
    case TPromptKind::Plain: break;
    }
    return TAppGlobals::kApplicationTitle;
}

std::vector<TPromptButton> ButtonsOf(TPromptButtons buttons) {
    switch (buttons) {
    case TPromptButtons::Ok: return {TPromptButton::Ok};
    case TPromptButtons::OkCancel: return {TPromptButton::Ok, TPromptButton::Cancel};
    case TPromptButtons::YesNo:
    case TPromptButtons::YesNoDefaultNo: return {TPromptButton::Yes, TPromptButton::No};
    case TPromptButtons::YesNoCancel:
        return {TPromptButton::Yes, TPromptButton::No, TPromptButton::Cancel};
    }
    return {TPromptButton::Ok};
}

TPromptButton DefaultButton(TPromptButtons buttons) {
    if (buttons == TPromptButtons::YesNoDefaultNo) return TPromptButton::No;
    return ButtonsOf(buttons).front();
}

bool HasButton(TPromptButtons buttons, TPromptButton button) {
    for (TPromptButton offered : ButtonsOf(buttons))
        if (offered == button) return true;
    return false;
}

TPromptButton EscapeButton(TPromptButtons buttons) {
    if (HasButton(buttons, TPromptButton::Cancel)) return TPromptButton::Cancel;
    if (HasButton(buttons, TPromptButton::No)) return TPromptButton::No;
    return TPromptButton::Ok;
}

const char* PromptKindName(TPromptKind kind) {
    switch (kind) {
    case TPromptKind::Error: return "error";
    case TPromptKind::Information: return "information";
    case TPromptKind::Confirmation: return "confirmation";
    case TPromptKind::Warning: return "warning";
    case TPromptKind::Plain: break;
    }
    return "plain";
}

const char* PromptButtonName(TPromptButton button) {
    switch (button) {
    case TPromptButton::Ok: return "OK";
    case TPromptButton::Cancel: return "Cancel";
    case TPromptButton::Yes: return "Yes";
    case TPromptButton::No: break;
    }
    return "No";
}

bool ParsePromptButton(const std::string& name, TPromptButton& button) {
    for (TPromptButton candidate :
         {TPromptButton::Ok, TPromptButton::Cancel, TPromptButton::Yes, TPromptButton::No}) {
        if (SameText(name, PromptButtonName(candidate))) {
            button = candidate;
            return true;
        }
    }
    return false;
}

} // namespace quarno
