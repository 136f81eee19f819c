// The editing control's built-in replace dialog: the find dialog with the
// replacement text, Replace (the selected match, then on to the next) and
// Replace All (every match in the text, one undo step).
#pragma once

#include "qt/editor/TLexipadFindDialog.h"

namespace quarno {

class TLexipadReplaceDialog : public TLexipadFindDialog {
    Q_OBJECT
public:
    explicit TLexipadReplaceDialog(TLexipad& pad);

    std::string ReplaceText() const;
    // Replaces the selection when it is a match, then finds the next one.
    void Replace();
    // Replaces every match from the start of the text, whatever the
    // direction; answers the number of replacements.
    int ReplaceAll();

protected:
    void UpdateButtons() override;

private:
    // Replaces the selection when it is a match; true when it did.
    bool ReplaceSelectedMatch(uint32_t options, const std::string& text);

    QLineEdit* m_replaceText;
    QPushButton* m_replace;
    QPushButton* m_replaceAll;
};

} // namespace quarno
