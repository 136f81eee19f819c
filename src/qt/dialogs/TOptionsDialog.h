// The editor options dialog: everything a language's settings hold, on five
// pages (options, highlighting, key assignments, auto correct, code
// templates), edited on a working copy that two preview editors show and
// that reaches the parser only through OK. The rules of each page live in
// the core (core/options); this window lays them out and forwards events.
// Split by page: TOptionsDialogOptions.cpp, TOptionsDialogHighlighting.cpp,
// TOptionsDialogKeys.cpp, TOptionsDialogAutoCorrect.cpp and
// TOptionsDialogTemplates.cpp.
#pragma once

#include "core/options/OptionSwitches.h"
#include "core/options/OptionsPages.h"
#include "core/options/TOptionsPageModel.h"
#include "core/settings/TKeyboardActionContoller.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace quarno {

class TFileDialogs;
class TKVSColorButton;
class TLP_HotKey;
class TLP_Settings;
class TLexipad;
class TLexipadParser;
class TPrompts;
class TSmallNumberEdit;

class TOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Message boxes go through prompts and the colour dialog through
    // dialogs; both must outlive the dialog.
    TOptionsDialog(TPrompts& prompts, TFileDialogs& dialogs, QWidget* parent = nullptr);
    ~TOptionsDialog() override;

    // Shows the pages of the set for a parser, modally. True when closed
    // with OK: the working copy has then been assigned to the parser's
    // settings. In every case the parser gets its own settings and controls
    // back and applies them again.
    bool Execute(TLexipadParser& parser, TOptionsPages pages);

    // While Execute runs: the working copy, the two preview editors and the
    // page widgets (their names are the dialog's own: WrapLineBox, ...).
    TLP_Settings* Working() const;
    TLexipad* Preview() const { return m_preview; }
    TLexipad* TemplateEditor() const { return m_templateEditor; }
    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* OkButton() const { return m_ok; }

    // OK: builds the key table; a conflict is reported and the dialog stays.
    void OKButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TModels;

    void CreateButtons();
    void ShowPages(TOptionsPages pages);
    // Runs a handler unless the controls are being filled or no dialog runs.
    void Handle(const std::function<void()>& handler);
    void ShowError(const std::string& text);
    bool CommitFields();

    // The options page (TOptionsDialogOptions.cpp).
    QWidget* CreateOptionsPage();
    QWidget* CreateSwitches(QWidget* parent);
    QWidget* CreateNumberFields(QWidget* parent);
    void FillOptionsPage();
    void UpdateOptionEnabling();
    using TSmallChange = std::string (TOptionsPageModel::*)(std::string_view);
    struct TLeaveField {
        QLineEdit* field;
        TFieldResult (TOptionsPageModel::*leave)(std::string_view);
        std::string (TOptionsPageModel::*current)() const;
    };
    void ConnectSmallField(TSmallNumberEdit* edit, TSmallChange change);
    void SmallFieldChanged(TSmallNumberEdit* edit, TSmallChange change);
    std::array<TLeaveField, 4> LeaveFields() const;
    // False when the field's text was refused (the message was shown).
    bool LeaveField(const TLeaveField& entry);
    bool FilterNumberKey(QObject* watched, QEvent* event);

    // The highlighting page (TOptionsDialogHighlighting.cpp).
    QWidget* CreateHighlightingPage();
    QWidget* CreateElementControls(QWidget* parent);
    QWidget* CreateFontControls(QWidget* parent);
    void FillHighlightingPage();
    void ElementChosen();
    void ShowElement(int element);
    void ColorChosen(bool foreground, int32_t color);
    void CharsetChosen();
    void PreviewClicked(int x, int y);

    // The key assignments page (TOptionsDialogKeys.cpp).
    QWidget* CreateKeysPage();
    void FillKeysPage();
    void CommandChosen();
    void ListKeys(int select);
    void KeyChosen();
    void LeaveKeyList();
    void AddKeyClick();
    void EditKeyClick();
    void DeleteKeyClick();
    bool RunKeyAssign(int mode, TKeyPair& pair);

    // The auto correct page (TOptionsDialogAutoCorrect.cpp).
    QWidget* CreateAutoCorrectPage();
    void FillAutoCorrectPage();
    void ListReplacements(int select);
    void ReplacementChosen();
    void UpdateAutoCorrectButtons();
    void AutoCorrectFirstClick();
    void AutoCorrectSecondClick();
    void ActKeysLeft();

    // The code templates page (TOptionsDialogTemplates.cpp).
    QWidget* CreateTemplatesPage();
    void FillTemplatesPage();
    void ListTemplates(int select);
    void TemplateChosen();
    void UpdateTemplateButtons();
    void TemplateFirstClick();
    void TemplateSecondClick();
    void HotkeyLeft();

    TPrompts& m_prompts;
    TFileDialogs& m_dialogs;
    std::unique_ptr<TModels> m_models; // while Execute runs
    bool m_filling = false;
    TOptionsPages m_pages = kAllOptionsPages;

    QTabWidget* m_tabs = nullptr;
    QPushButton* m_ok = nullptr;

    std::array<QCheckBox*, kOptionSwitchCount> m_switches{};
    TSmallNumberEdit* m_gutterBox = nullptr;
    TSmallNumberEdit* m_rightMarginBox = nullptr;
    QLineEdit* m_wrapColumnBox = nullptr;
    QLineEdit* m_indentStepBox = nullptr;
    QLineEdit* m_tabColumnsBox = nullptr;
    QLineEdit* m_deftabBox = nullptr;

    QLineEdit* m_langNameBox = nullptr;
    QListWidget* m_elementsBox = nullptr;
    QCheckBox* m_boldBox = nullptr;
    QCheckBox* m_italicBox = nullptr;
    QCheckBox* m_underlineBox = nullptr;
    TKVSColorButton* m_foregroundButton = nullptr;
    TKVSColorButton* m_backgroundButton = nullptr;
    QCheckBox* m_defaultForegroundBox = nullptr;
    QCheckBox* m_defaultBackgroundBox = nullptr;
    QComboBox* m_charsetBox = nullptr;
    QComboBox* m_fontNameBox = nullptr;
    QComboBox* m_fontSizeBox = nullptr;
    TLexipad* m_preview = nullptr;

    QListWidget* m_commandsBox = nullptr;
    QListWidget* m_keysBox = nullptr;
    QPushButton* m_addKeyButton = nullptr;
    QPushButton* m_editKeyButton = nullptr;
    QPushButton* m_deleteKeyButton = nullptr;
    TKeyPair m_currentPair;
    int m_listedCommand = -1;

    QTreeWidget* m_autoReplBox = nullptr;
    QLineEdit* m_actKeysBox = nullptr;
    QLineEdit* m_replaceBox = nullptr;
    QLineEdit* m_withBox = nullptr;
    QPushButton* m_replFirstButton = nullptr;
    QPushButton* m_replSecondButton = nullptr;

    QTreeWidget* m_templatesBox = nullptr;
    QLineEdit* m_nameBox = nullptr;
    QLineEdit* m_descriptionBox = nullptr;
    TLexipad* m_templateEditor = nullptr;
    QPushButton* m_cteFirstButton = nullptr;
    QPushButton* m_cteSecondButton = nullptr;
    TLP_HotKey* m_hotkeyBox = nullptr;
};

} // namespace quarno
