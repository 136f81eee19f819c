// What the find and replace dialogs share: the find text over its history
// box, the option boxes, the direction, OK and Cancel, and the editor they act
// on. Both are modeless; while one is shown the editor's selection stays
// visible, and closing it writes its histories to the history file.
#pragma once

#include "core/app/TSearchHistory.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace quarno {

class TEdPersistent;
class TLexipad;
class TSearchCommands;

class TEdSearchDlg : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog (or brings it forward) for an editor: the find text
    // preset with initialText, the boxes and the direction set from an option
    // word (TFindOption bits). The editor and commands must outlive the
    // dialog's showing.
    void Open(TLexipad& pad, TSearchCommands& commands, const std::string& initialText,
              uint32_t options);

    std::string FindText() const;
    // The option word of the boxes and the direction, without "search now".
    uint32_t OptionWord() const;
    // The find history as the box lists it.
    const TSearchHistory& FindHistory() const { return m_findHistory; }

    QComboBox* FindHistoryBox() const { return m_findHistoryBox; }
    QPushButton* OkButton() const { return m_ok; }

    // Cancel, Escape and closing end here: the selection is hidden again as
    // before and the histories are written.
    void done(int result) override;

protected:
    TEdSearchDlg(const char* objectName, const char* caption, QWidget* parent);

    // Rows under the find text, boxes under the option boxes, buttons
    // between OK and Cancel.
    QVBoxLayout& Fields() { return *m_fields; }
    QVBoxLayout& OptionBoxes() { return *m_optionBoxes; }
    void InsertButton(QPushButton* button);
    // Lists the text searched for at the top of the history and the box.
    void RememberFindText(const std::string& text);
    static void ShowHistory(QComboBox& box, const TSearchHistory& history);
    TLexipad& Pad() const { return *m_pad; }
    TSearchCommands& Commands() const { return *m_commands; }
    TEdPersistent* Persistent() const;

    // Called when the dialog is (re)opened and when it closes.
    virtual void LoadHistories();
    virtual void WriteHistories();
    virtual void UpdateButtons();
    virtual void OKButtonClick() = 0;

private:
    QCheckBox* AddOption(const char* name, const char* text);

    TLexipad* m_pad = nullptr;
    TSearchCommands* m_commands = nullptr;
    TSearchHistory m_findHistory;
    QComboBox* m_findHistoryBox;
    QVBoxLayout* m_fields;
    QVBoxLayout* m_optionBoxes;
    QCheckBox* m_useCaseBox;
    QCheckBox* m_wholeWordBox;
    QCheckBox* m_regExBox;
    QRadioButton* m_fwdDirection;
    QRadioButton* m_backDirection;
    QPushButton* m_ok;
    QBoxLayout* m_buttons;
    // The editor's HideSelection while the dialog is shown.
    std::optional<bool> m_savedHideSelection;
};

// A box for search texts: editable, one line, listing a history; Enter
// belongs to the dialog and nothing is added or completed behind the user's
// back.
QComboBox* NewHistoryBox(const char* objectName, QWidget* parent);

} // namespace quarno
