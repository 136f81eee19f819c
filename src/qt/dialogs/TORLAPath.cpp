// The dialog that locates the ORLA programmer.
#include "qt/dialogs/TORLAPath.h"

#include "core/app/TFileDialogs.h"
#include "qt/base/TextConversion.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarno {

namespace {

const TORLAPath::TTexts kOrlaTexts{"ORLAPath",
                                   "Find ORLA Directory Path",
                                   "ORLA",
                                   "ORLAWIN",
                                   "ORLA Directory Path",
                                   "ORLA_Path",
                                   "Tarvik's ORLA Programmer Directory and EXE name",
                                   "Search for ORLA's Directory and EXE name"};

} // namespace

TORLAPath::TORLAPath(QWidget* parent) : TORLAPath(kOrlaTexts, parent) {}

TORLAPath::TORLAPath(const TTexts& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_values(texts.section, texts.program), m_path(new QLineEdit(this)) {
    setObjectName(QString::fromLatin1(texts.objectName));
    setWindowTitle(QString::fromLatin1(texts.caption));
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel(QString::fromLatin1(texts.label), this));
    m_path->setObjectName(QString::fromLatin1(texts.fieldName));
    m_path->setToolTip(QString::fromLatin1(texts.hint));
    m_path->setReadOnly(true); // typed text would never be stored; Browse sets it
    box->addWidget(m_path);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* browse =
        buttons->addButton(QStringLiteral("Browse..."), QDialogButtonBox::ActionRole);
    browse->setToolTip(QString::fromLatin1(texts.browseHint));
    connect(browse, &QPushButton::clicked, this, &TORLAPath::BrowseClick);
    connect(buttons, &QDialogButtonBox::accepted, this, &TORLAPath::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    box->addWidget(buttons);
    setEnabled(false);
}

void TORLAPath::Configure(TFileDialogs& fileDialogs, const std::string& configFile) {
    m_fileDialogs = &fileDialogs;
    m_configFile = configFile;
}

void TORLAPath::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_path->setText(FromAnsi(m_values.Activate(TProfileFile(m_configFile))));
}

void TORLAPath::BrowseClick() {
    if (!m_fileDialogs) return;
    m_path->setText(FromAnsi(m_values.Browse(m_fileDialogs->OpenFile(m_values.BrowseOptions()))));
}

void TORLAPath::OkClick() {
    TProfileFile ini(m_configFile);
    m_values.Ok(ini);
    accept();
}

} // namespace quarno
