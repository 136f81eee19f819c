// The main window's commands on its editor that are not menu plumbing: the
// keyboard-command hook and the two font dialogs.
#include "qt/app/TEditorMainForm.h"

#include "core/app/TEditCommands.h"
#include "core/app/TFileDialogs.h"
#include "core/settings/TLP_Settings.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/TLexipad.h"

namespace quarno {

namespace {

TFontChoice ChoiceOf(const QFont& font, int charset) {
    TFontChoice choice;
    choice.name = ToAnsi(font.family());
    choice.size = font.pointSize() > 0 ? font.pointSize() : 10;
    choice.charset = charset;
    choice.bold = font.bold();
    choice.italic = font.italic();
    return choice;
}

QFont FontOf(const TFontChoice& choice) {
    QFont font(FromAnsi(choice.name), std::max(choice.size, 1));
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    return font;
}

} // namespace

// Undo and redo keys run the window's commands, so they act exactly as the
// menu and the buttons do.
void TEditorMainForm::InstallKeyboardCommands() {
    m_lexipad1->OnCommandRecognised = [this](TCustomLexipad&, int& code) {
        TakeKeyboardCommand(*m_lexipad1, code);
    };
}

void TEditorMainForm::Font1Click() {
    TLexipad& pad = *m_lexipad1;
    std::optional<TFontChoice> chosen =
        m_seams.FileDialogs().ChooseFont(ChoiceOf(pad.Font(), pad.Settings().FontCharset()));
    if (!chosen) return;
    pad.Settings().SetFontCharset(static_cast<uint8_t>(chosen->charset));
    pad.SetFont(FontOf(*chosen));
}

void TEditorMainForm::Linenumberfont1Click() {
    TLexipad& pad = *m_lexipad1;
    std::optional<TFontChoice> chosen =
        m_seams.FileDialogs().ChooseFont(ChoiceOf(pad.GutterFont(), pad.Settings().FontCharset()));
    if (chosen) pad.SetGutterFont(FontOf(*chosen));
}

} // namespace quarno
