// The dialog that names the user's own programmer.
#include "qt/dialogs/TProgPath.h"

#include "core/app/TFileDialogs.h"
#include "qt/base/TextConversion.h"

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

namespace {

const TProgPath::TTexts kProgrammerTexts{
    "ProgPath",
    "Programmer Directory Path",
    "EXT_PROG",
    "Find Programmer Directory",
    {"ProgName", "PathName", "ComParams"},
    {"Programmer's Name", "Programmer's Directory Path", "Optional Command Line Parameters"},
    {"Programmers Name", "External Programmer's Directory", "Any comand line parameters required"},
    "Search for the programmer's directory and EXE name",
    "Cancel the programmer choice"};

} // namespace

TProgPath::TProgPath(QWidget* parent) : TProgPath(kProgrammerTexts, parent) {}

TProgPath::TProgPath(const TTexts& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_values(texts.section, texts.browseTitle) {
    setObjectName(QString::fromLatin1(texts.objectName));
    setWindowTitle(QString::fromLatin1(texts.caption));
    setLayout(new QVBoxLayout);
    m_name = AddField(texts, 0);
    m_path = AddField(texts, 1);
    m_params = AddField(texts, 2);
    layout()->addWidget(PlaceholderHelp(this));
    AddButtons(texts);
    setEnabled(false);
}

void TProgPath::AddButtons(const TTexts& texts) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* browse =
        buttons->addButton(QStringLiteral("Browse..."), QDialogButtonBox::ActionRole);
    browse->setToolTip(QString::fromLatin1(texts.browseHint));
    buttons->button(QDialogButtonBox::Ok)->setToolTip(QStringLiteral("Return to the editor"));
    buttons->button(QDialogButtonBox::Cancel)->setToolTip(QString::fromLatin1(texts.cancelHint));
    connect(browse, &QPushButton::clicked, this, &TProgPath::BrowseClick);
    connect(buttons, &QDialogButtonBox::accepted, this, &TProgPath::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout()->addWidget(buttons);
}

QLineEdit* TProgPath::AddField(const TTexts& texts, int field) {
    layout()->addWidget(new QLabel(QString::fromLatin1(texts.labels[field]), this));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(texts.fieldNames[field]));
    edit->setToolTip(QString::fromLatin1(texts.hints[field]));
    layout()->addWidget(edit);
    return edit;
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
    std::optional<std::string> chosen = m_fileDialogs->OpenFile(m_values.BrowseOptions());
    m_path->setText(FromAnsi(m_values.Browse(chosen, ToAnsi(m_path->text()))));
}

void TProgPath::OkClick() {
    TProfileFile ini(m_configFile);
    m_programmerName = m_values.Ok(
        {ToAnsi(m_name->text()), ToAnsi(m_path->text()), ToAnsi(m_params->text())}, ini);
    accept();
}

} // namespace quarno
