// The editing control's built-in find dialog: a modeless window with the
// search text, the match options and the direction; Find Next searches from
// the control's selection with the control's own search operations.
#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

class QBoxLayout;
class QCheckBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quarno {

class TLexipad;

class TLexipadFindDialog : public QDialog {
    Q_OBJECT
public:
    // Owned by the control (its child); the control deletes it before the
    // engine goes, so the pad reference stays valid for the dialog's life.
    explicit TLexipadFindDialog(TLexipad& pad);

    // Shows the dialog (or brings it forward) with the search text and the
    // boxes and direction set from a find entry option word.
    void Open(const std::string& preset, uint32_t options);
    std::string SearchText() const;
    // The option word of the boxes and the direction, without "search now".
    uint32_t OptionWord() const;

    // Searches from the selection in the chosen direction and selects the
    // match; a search that finds nothing is reported through the control.
    bool FindNext();

protected:
    TLexipad& Pad() { return m_pad; }
    // Rows under the search text and buttons under Find Next, for the
    // replace dialog.
    QFormLayout& Fields() { return *m_fields; }
    QBoxLayout& Buttons() { return *m_buttons; }
    virtual void UpdateButtons();
    bool HasSearchText() const;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TLexipad& m_pad;
    QLineEdit* m_findText;
    QCheckBox* m_matchCase;
    QCheckBox* m_wholeWord;
    QCheckBox* m_regExpr;
    QRadioButton* m_up;
    QRadioButton* m_down;
    QPushButton* m_findNext;
    QFormLayout* m_fields;
    QBoxLayout* m_buttons;
    // The control's HideSelection while the dialog is shown: the selection
    // stays visible while the dialog has the focus.
    std::optional<bool> m_savedHideSelection;
};

} // namespace quarno
