// What the find and replace dialogs share.
#include "qt/dialogs/TEdSearchDlg.h"

#include "core/app/TEdPersistent.h"
#include "core/app/TSearchCommands.h"
#include "core/services/TStoreSearch.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/TLexipad.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quarno {

QComboBox* NewHistoryBox(const char* objectName, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMinimumWidth(260);
    return box;
}

TEdSearchDlg::TEdSearchDlg(const char* objectName, const char* caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_findHistoryBox(NewHistoryBox("FindHistoryBox", this)), m_fields(new QVBoxLayout),
      m_optionBoxes(new QVBoxLayout) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("&Text to find"), this);
    label->setBuddy(m_findHistoryBox);
    m_fields->addWidget(label);
    m_fields->addWidget(m_findHistoryBox);

    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    options->setLayout(m_optionBoxes);
    m_useCaseBox = AddOption("UseCaseBox", "&Case sensitive");
    m_wholeWordBox = AddOption("WholeWordBox", "&Whole words");
    m_regExBox = AddOption("RegExBox", "&Regular expressions");

    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* directionLayout = new QVBoxLayout(direction);
    m_fwdDirection = new QRadioButton(QStringLiteral("Forwar&d"), direction);
    m_fwdDirection->setObjectName(QStringLiteral("FwdDirection"));
    m_backDirection = new QRadioButton(QStringLiteral("&Back"), direction);
    m_backDirection->setObjectName(QStringLiteral("BackDirection"));
    directionLayout->addWidget(m_fwdDirection);
    directionLayout->addWidget(m_backDirection);
    directionLayout->addStretch();
    m_fwdDirection->setChecked(true);

    auto* groups = new QHBoxLayout;
    groups->addWidget(options);
    groups->addWidget(direction);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch();
    m_buttons->addWidget(m_ok);
    m_buttons->addWidget(cancel);

    auto* main = new QVBoxLayout(this);
    main->addLayout(m_fields);
    main->addLayout(groups);
    main->addLayout(m_buttons);

    connect(m_findHistoryBox, &QComboBox::editTextChanged, this, [this] { UpdateButtons(); });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (m_commands) RunCommand([this] { OKButtonClick(); });
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QCheckBox* TEdSearchDlg::AddOption(const char* name, const char* text) {
    auto* box = new QCheckBox(QString::fromLatin1(text), this);
    box->setObjectName(QString::fromLatin1(name));
    m_optionBoxes->addWidget(box);
    return box;
}

void TEdSearchDlg::InsertButton(QPushButton* button) {
    m_buttons->insertWidget(m_buttons->indexOf(m_ok) + 1, button);
}

TEdPersistent* TEdSearchDlg::Persistent() const {
    return m_commands ? m_commands->Persistent() : nullptr;
}

void TEdSearchDlg::Open(TLexipad& pad, TSearchCommands& commands, const std::string& initialText,
                        uint32_t options) {
    bool opening = !isVisible();
    m_pad = &pad;
    m_commands = &commands;
    if (opening) RunCommand([this] { LoadHistories(); });
    m_findHistory.AddAtEnd(initialText);
    ShowHistory(*m_findHistoryBox, m_findHistory);
    m_findHistoryBox->setEditText(FromAnsi(initialText));
    m_useCaseBox->setChecked(options & foMatchCase);
    m_wholeWordBox->setChecked(options & foWholeWord);
    m_regExBox->setChecked(options & foRegExpr);
    (options & foBackward ? m_backDirection : m_fwdDirection)->setChecked(true);
    UpdateButtons();
    if (!m_savedHideSelection) {
        m_savedHideSelection = pad.HideSelection();
        pad.SetHideSelection(false);
    }
    show();
    raise();
    activateWindow();
    m_findHistoryBox->setFocus();
    m_findHistoryBox->lineEdit()->selectAll();
}

void TEdSearchDlg::done(int result) {
    if (m_pad && m_savedHideSelection) m_pad->SetHideSelection(*m_savedHideSelection);
    m_savedHideSelection.reset();
    if (m_commands) RunCommand([this] { WriteHistories(); });
    QDialog::done(result);
}

void TEdSearchDlg::LoadHistories() {
    m_findHistory.Load(Persistent() ? Persistent()->ReadFindHistory() : std::vector<std::string>());
}

void TEdSearchDlg::WriteHistories() {
    if (Persistent()) Persistent()->WriteFindHistory(m_findHistory.Items());
}

void TEdSearchDlg::ShowHistory(QComboBox& box, const TSearchHistory& history) {
    QString typed = box.currentText();
    QStringList items;
    for (const std::string& item : history.Items())
        items << FromAnsi(item);
    box.clear();
    box.addItems(items);
    box.setEditText(typed);
}

void TEdSearchDlg::RememberFindText(const std::string& text) {
    m_findHistory.Remember(text);
    ShowHistory(*m_findHistoryBox, m_findHistory);
}

std::string TEdSearchDlg::FindText() const {
    return ToAnsi(m_findHistoryBox->currentText());
}

uint32_t TEdSearchDlg::OptionWord() const {
    return (m_useCaseBox->isChecked() ? foMatchCase : 0u) |
           (m_regExBox->isChecked() ? foRegExpr : 0u) |
           (m_wholeWordBox->isChecked() ? foWholeWord : 0u) |
           (m_backDirection->isChecked() ? foBackward : 0u);
}

void TEdSearchDlg::UpdateButtons() {
    m_ok->setEnabled(!m_findHistoryBox->currentText().isEmpty());
}

} // namespace quarno
