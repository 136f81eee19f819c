// The editor options dialog: the code templates page.
#include "qt/dialogs/TOptionsDialog.h"

#include "qt/dialogs/TOptionsDialogModels.h"

#include "core/options/TKeyAssignWizard.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/dialogs/OptionsDialogWidgets.h"
#include "qt/dialogs/TLP_HotKey.h"
#include "qt/editor/TLexipad.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quarno {

QWidget* TOptionsDialog::CreateTemplatesPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TemplatesSheet"));
    auto* grid = new QGridLayout(page);
    m_templatesBox =
        EntryList("cteListBox", {QStringLiteral("Name"), QStringLiteral("Description")}, page);
    grid->addWidget(m_templatesBox, 0, 0);
    auto* buttons = new QVBoxLayout;
    m_cteFirstButton = NamedButton("Add", "cteAddButton", page);
    m_cteSecondButton = NamedButton("Delete", "cteDeleteButton", page);
    buttons->addWidget(m_cteFirstButton);
    buttons->addWidget(m_cteSecondButton);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 1);
    auto* form = new QFormLayout;
    m_nameBox = NamedLineEdit("cteNameBox", page);
    m_descriptionBox = NamedLineEdit("cteDescriptionBox", page);
    m_hotkeyBox = new TLP_HotKey(page);
    m_hotkeyBox->setObjectName(QStringLiteral("cteHotkey"));
    m_hotkeyBox->SetPressRule(TemplateHotKeyFromPress);
    m_hotkeyBox->installEventFilter(this);
    form->addRow(QStringLiteral("Name"), m_nameBox);
    form->addRow(QStringLiteral("Description"), m_descriptionBox);
    form->addRow(QStringLiteral("Hotkey"), m_hotkeyBox);
    grid->addLayout(form, 1, 0, 1, 2);
    m_templateEditor = new TLexipad(page);
    m_templateEditor->setObjectName(QStringLiteral("Lexipad1"));
    grid->addWidget(m_templateEditor, 2, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(2, 2);
    connect(m_templatesBox, &QTreeWidget::currentItemChanged, this,
            [this] { Handle([this] { TemplateChosen(); }); });
    for (QLineEdit* field : {m_nameBox, m_descriptionBox})
        connect(field, &QLineEdit::textChanged, this,
                [this] { Handle([this] { UpdateTemplateButtons(); }); });
    m_templateEditor->OnTextChange = [this](TCustomLexipad&, int, int) {
        Handle([this] { UpdateTemplateButtons(); });
    };
    connect(m_cteFirstButton, &QPushButton::clicked, this,
            [this] { Handle([this] { TemplateFirstClick(); }); });
    connect(m_cteSecondButton, &QPushButton::clicked, this,
            [this] { Handle([this] { TemplateSecondClick(); }); });
    return page;
}

void TOptionsDialog::FillTemplatesPage() {
    ListTemplates(-1);
    m_templateEditor->SetText("");
    m_hotkeyBox->SetHotKey(m_models->templates.HotKey());
    UpdateTemplateButtons();
}

void TOptionsDialog::ListTemplates(int select) {
    bool filling = m_filling;
    m_filling = true;
    FillEntries(m_templatesBox, m_models->templates.Entries(), select);
    m_filling = filling;
}

void TOptionsDialog::TemplateChosen() {
    int index = CurrentEntry(m_templatesBox);
    if (index < 0) return;
    const TEntryList& entries = m_models->templates.Entries();
    m_nameBox->setText(FromAnsi(entries.Name(index)));
    m_descriptionBox->setText(FromAnsi(entries.Value(index)));
    m_templateEditor->SetText(m_models->templates.Body(index));
    UpdateTemplateButtons();
}

void TOptionsDialog::UpdateTemplateButtons() {
    TEntryButtons buttons = m_models->templates.Buttons(
        ToAnsi(m_nameBox->text()), ToAnsi(m_descriptionBox->text()), m_templateEditor->Text());
    m_cteFirstButton->setEnabled(buttons.addEnabled);
    m_cteSecondButton->setEnabled(buttons.secondEnabled);
    m_cteSecondButton->setText(FromAnsi(buttons.secondCaption));
}

void TOptionsDialog::TemplateFirstClick() {
    int index = m_models->templates.Add(ToAnsi(m_nameBox->text()), ToAnsi(m_descriptionBox->text()),
                                        m_templateEditor->Text());
    ListTemplates(index);
    UpdateTemplateButtons();
}

void TOptionsDialog::TemplateSecondClick() {
    TCodeTemplateList& list = m_models->templates;
    std::string name = ToAnsi(m_nameBox->text());
    int index =
        m_cteSecondButton->text() == QStringLiteral("Delete")
            ? list.Delete(name)
            : list.Replace(name, ToAnsi(m_descriptionBox->text()), m_templateEditor->Text());
    ListTemplates(index);
    UpdateTemplateButtons();
}

void TOptionsDialog::HotkeyLeft() {
    if (m_models) m_models->templates.SetHotKey(m_hotkeyBox->HotKey());
}

} // namespace quarno
