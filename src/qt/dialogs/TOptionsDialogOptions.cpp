// The editor options dialog: the options page (check boxes and number
// fields).
#include "qt/dialogs/TOptionsDialog.h"

#include "qt/dialogs/TOptionsDialogModels.h"

#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/dialogs/OptionsDialogWidgets.h"
#include "qt/dialogs/TSmallNumberEdit.h"
#include "qt/editor/KeyMapping.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quarno {

namespace {

QLabel* Heading(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

QWidget* TOptionsDialog::CreateOptionsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("OptionsSheet"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(CreateSwitches(page));
    layout->addWidget(CreateNumberFields(page));
    layout->addStretch(1);
    return page;
}

// The print options first, then the general ones, in two columns each.
QWidget* TOptionsDialog::CreateSwitches(QWidget* parent) {
    auto* group = new QGroupBox(QStringLiteral("Options"), parent);
    group->setObjectName(QStringLiteral("OptionsGroup"));
    auto* grid = new QGridLayout(group);
    int printRows = 0;
    for (const TOptionSwitch& entry : OptionSwitches())
        printRows += entry.print;
    printRows = (printRows + 1) / 2;
    grid->addWidget(Heading("Print Options", group), 0, 0, 1, 2);
    grid->addWidget(Heading("General options", group), 1 + printRows, 0, 1, 2);
    int printed = 0;
    int general = 0;
    for (size_t index = 0; index < OptionSwitches().size(); ++index) {
        const TOptionSwitch& entry = OptionSwitches()[index];
        auto* box = new QCheckBox(QString::fromLatin1(entry.caption), group);
        box->setObjectName(QString::fromLatin1(entry.name));
        m_switches[index] = box;
        if (entry.print) {
            grid->addWidget(box, 1 + printed / 2, printed % 2);
            ++printed;
        } else {
            grid->addWidget(box, 2 + printRows + general / 2, general % 2);
            ++general;
        }
        TLexipadOption option = entry.option;
        connect(box, &QCheckBox::toggled, this, [this, option](bool on) {
            Handle([this, option, on] {
                m_models->options.SetChecked(option, on);
                UpdateOptionEnabling();
            });
        });
    }
    return group;
}

QWidget* TOptionsDialog::CreateNumberFields(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* form = new QFormLayout(box);
    m_gutterBox = new TSmallNumberEdit(box);
    m_gutterBox->Field()->setObjectName(QStringLiteral("LeftBorderWidthBox"));
    m_rightMarginBox = new TSmallNumberEdit(box);
    m_rightMarginBox->Field()->setObjectName(QStringLiteral("RightMarginWidthBox"));
    m_wrapColumnBox = NamedLineEdit("WrapColumnBox", box);
    m_indentStepBox = NamedLineEdit("IndentStepBox", box);
    m_tabColumnsBox = NamedLineEdit("TabColumnsBox", box);
    m_deftabBox = NamedLineEdit("DeftabBox", box);
    form->addRow(QStringLiteral("Gutter width"), m_gutterBox);
    form->addRow(QStringLiteral("Right margin"), m_rightMarginBox);
    form->addRow(QStringLiteral("Word wrap column"), m_wrapColumnBox);
    form->addRow(QStringLiteral("Block indent step size"), m_indentStepBox);
    form->addRow(QStringLiteral("Tab Columns"), m_tabColumnsBox);
    form->addRow(QStringLiteral("Tab stop"), m_deftabBox);

    ConnectSmallField(m_gutterBox, &TOptionsPageModel::GutterChanged);
    ConnectSmallField(m_rightMarginBox, &TOptionsPageModel::RightMarginChanged);
    m_wrapColumnBox->installEventFilter(this);
    m_indentStepBox->installEventFilter(this);
    for (const TLeaveField& entry : LeaveFields())
        connect(entry.field, &QLineEdit::editingFinished, this,
                [this, entry] { Handle([this, entry] { LeaveField(entry); }); });
    return box;
}

void TOptionsDialog::ConnectSmallField(TSmallNumberEdit* edit, TSmallChange change) {
    edit->Field()->installEventFilter(this);
    connect(edit->Field(), &QLineEdit::textChanged, this,
            [this, edit, change] { SmallFieldChanged(edit, change); });
    connect(edit, &TSmallNumberEdit::Stepped, this, [edit](int delta) {
        QLineEdit* field = edit->Field();
        field->setText(FromAnsi(TOptionsPageModel::Stepped(ToAnsi(field->text()), delta)));
    });
}

// The fields that take their text when they are left.
std::array<TOptionsDialog::TLeaveField, 4> TOptionsDialog::LeaveFields() const {
    return {
        {{m_wrapColumnBox, &TOptionsPageModel::WrapColumnLeft, &TOptionsPageModel::WrapColumnText},
         {m_indentStepBox, &TOptionsPageModel::IndentStepLeft, &TOptionsPageModel::IndentStepText},
         {m_tabColumnsBox, &TOptionsPageModel::TabColumnsLeft, &TOptionsPageModel::TabColumnsText},
         {m_deftabBox, &TOptionsPageModel::TabStopLeft, &TOptionsPageModel::TabStopText}}};
}

void TOptionsDialog::FillOptionsPage() {
    TOptionsPageModel& model = m_models->options;
    for (size_t index = 0; index < m_switches.size(); ++index)
        m_switches[index]->setChecked(model.Checked(OptionSwitches()[index].option));
    m_gutterBox->Field()->setText(FromAnsi(model.GutterText()));
    m_rightMarginBox->Field()->setText(FromAnsi(model.RightMarginText()));
    m_wrapColumnBox->setText(FromAnsi(model.WrapColumnText()));
    m_indentStepBox->setText(FromAnsi(model.IndentStepText()));
    m_tabColumnsBox->setText(FromAnsi(model.TabColumnsText()));
    m_deftabBox->setText(FromAnsi(model.TabStopText()));
    UpdateOptionEnabling();
}

void TOptionsDialog::UpdateOptionEnabling() {
    for (size_t index = 0; index < m_switches.size(); ++index) {
        TLexipadOption option = OptionSwitches()[index].option;
        if (option == smoTabToColumn)
            m_switches[index]->setEnabled(m_models->options.SmartTabEnabled());
        if (option == smoCaretAfterEOL)
            m_switches[index]->setEnabled(m_models->options.CaretAfterEOLEnabled());
    }
}

void TOptionsDialog::SmallFieldChanged(TSmallNumberEdit* edit, TSmallChange change) {
    Handle([this, edit, change] {
        QLineEdit* field = edit->Field();
        QString shown = FromAnsi((m_models->options.*change)(ToAnsi(field->text())));
        if (shown != field->text()) field->setText(shown);
    });
}

bool TOptionsDialog::LeaveField(const TLeaveField& entry) {
    if (!m_models) return true;
    std::string text = ToAnsi(entry.field->text());
    if (text == (m_models->options.*entry.current)()) return true;
    TFieldResult result = (m_models->options.*entry.leave)(text);
    entry.field->setText(FromAnsi(result.text));
    if (result.error.empty()) return true;
    ShowError(result.error);
    return false;
}

// The number fields pass on only some of the keys that type no character.
bool TOptionsDialog::FilterNumberKey(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    TNumberFieldKind kind;
    if (watched == m_gutterBox->Field() || watched == m_rightMarginBox->Field())
        kind = TNumberFieldKind::Small;
    else if (watched == m_wrapColumnBox || watched == m_indentStepBox)
        kind = TNumberFieldKind::Wide;
    else
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    bool types = !key->text().isEmpty() && key->text().at(0).isPrint();
    if (types || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
    if (key->key() == Qt::Key_Backtab) return false;
    return !TOptionsPageModel::PassesKey(kind, VirtualKeyOf(*key));
}

} // namespace quarno
