// The dialog that names the user's own programmer.
#include "build/TProgPath.h"

#include "app/TFileDialogs.h"
#include "app/TextConversion.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarno {

namespace {

QGroupBox* PlaceholderHelp(QWidget* parent) {
    auto* group = new QGroupBox(QStringLiteral("Command line Parameter options"), parent);
    auto* box = new QVBoxLayout(group);
    for (const char* line : {"(%FULL) Insert full pathname.", "(%PIC) Insert PICmicro type.",
                             "(%FILENAME) Insert Hex filename only."})
        box->addWidget(new QLabel(QString::fromLatin1(line), group));
    return group;
}

} // namespace

TProgPath::TProgPath(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("ProgPath"));
    setWindowTitle(QStringLiteral("Programmer Directory Path"));
    setLayout(new QVBoxLayout);
    m_name = AddField("ProgName", "Programmer's Name", "Programmers Name");
    m_path = AddField("PathName", "Programmer's Directory Path", "External Programmer's Directory");
    m_params = AddField("ComParams", "Optional Command Line Parameters",
                        "Any comand line parameters required");
    layout()->addWidget(PlaceholderHelp(this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* browse =
        buttons->addButton(QStringLiteral("Browse..."), QDialogButtonBox::ActionRole);
    browse->setToolTip(QStringLiteral("Search for the programmer's directory and EXE name"));
    buttons->button(QDialogButtonBox::Ok)->setToolTip(QStringLiteral("Return to the editor"));
    buttons->button(QDialogButtonBox::Cancel)
        ->setToolTip(QStringLiteral("Cancel the programmer choice"));
    connect(browse, &QPushButton::clicked, this, &TProgPath::BrowseClick);
    connect(buttons, &QDialogButtonBox::accepted, this, &TProgPath::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout()->addWidget(buttons);
    setEnabled(false);
}

QLineEdit* TProgPath::AddField(const char* name, const char* label, const char* hint) {
    layout()->addWidget(new QLabel(QString::fromLatin1(label), this));
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setToolTip(QString::fromLatin1(hint));
    layout()->addWidget(field);
    return field;
}

void TProgPath::Configure(TFileDialogs& fileDialogs, const std::string& configFile) {
    m_fileDialogs = &fileDialogs;
    m_configFile = configFile;
}

void TProgPath::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    TProgPathValues::TFields fields = m_values.Activate(TProfileFile(m_configFile));
    m_name->setText(FromAnsi(fields.name));
    m_path->setText(FromAnsi(fields.path));
    m_params->setText(FromAnsi(fields.commandLine));
    m_name->setFocus();
}

void TProgPath::BrowseClick() {
    if (!m_fileDialogs) return;
    m_path->setText(
        FromAnsi(m_values.Browse(m_fileDialogs->OpenFile(TProgPathValues::BrowseOptions()))));
}

void TProgPath::OkClick() {
    TProfileFile ini(m_configFile);
    m_programmerName = m_values.Ok(
        {ToAnsi(m_name->text()), ToAnsi(m_path->text()), ToAnsi(m_params->text())}, ini);
    accept();
}

} // namespace quarno
