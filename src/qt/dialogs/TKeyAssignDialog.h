// The two-step wizard that captures one key binding for an editor command:
// a first key combination and an optional second one. Its rules live in
// TKeyAssignWizard; this window shows them.
#pragma once

#include "core/options/TKeyAssignWizard.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace quarno {

class TLP_HotKey;

class TKeyAssignDialog : public QDialog {
    Q_OBJECT
public:
    explicit TKeyAssignDialog(QWidget* parent = nullptr);

    // Shows the wizard for a command (mode kEdit starts with the two keys,
    // kAdd empty); afterwards key1 and key2 hold the two fields. True when
    // it was finished with "Finish".
    bool Execute(uint16_t& key1, uint16_t& key2, TKeyAssignWizard::TMode mode,
                 const std::string& step2Text, const std::string& step1Text,
                 const std::string& command);

    int Step() const { return m_wizard ? m_wizard->Step() : 1; }
    TLP_HotKey* KeyField(int step) const { return step == 1 ? m_key1 : m_key2; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* BackButton() const { return m_back; }
    QPushButton* ClearButton(int step) const { return step == 1 ? m_clear1 : m_clear2; }
    QPushButton* CancelButton() const { return m_cancel; }

    void NextButtonClick();
    void BackButtonClick();
    void ClearKey1ButtonClick();
    void ClearKey2ButtonClick();

private:
    QWidget* CreateStep(int step, TLP_HotKey*& field, QPushButton*& clear, QLabel*& text);
    void CreateButtons();
    void ShowStep(int step);
    void KeyChanged(int step, uint16_t shortCut);
    void UpdateButtons();

    std::optional<TKeyAssignWizard> m_wizard;
    QStackedWidget* m_steps = nullptr;
    QLabel* m_step1Text = nullptr;
    QLabel* m_step2Text = nullptr;
    TLP_HotKey* m_key1 = nullptr;
    TLP_HotKey* m_key2 = nullptr;
    QPushButton* m_clear1 = nullptr;
    QPushButton* m_clear2 = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace quarno
