// The dialog that locates the ORLA programmer.
#include "build/TORLAPath.h"

#include "app/TFileDialogs.h"
#include "app/TextConversion.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarno {

TORLAPath::TORLAPath(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_path(new QLineEdit(this)) {
    setObjectName(QStringLiteral("ORLAPath"));
    setWindowTitle(QStringLiteral("Find ORLA Directory Path"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel(QStringLiteral("ORLA Directory Path"), this));
    m_path->setObjectName(QStringLiteral("ORLA_Path"));
    m_path->setToolTip(QStringLiteral("Tarvik's ORLA Programmer Directory and EXE name"));
    box->addWidget(m_path);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* browse =
        buttons->addButton(QStringLiteral("Browse..."), QDialogButtonBox::ActionRole);
    browse->setToolTip(QStringLiteral("Search for ORLA's Directory and EXE name"));
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
    m_path->setText(
        FromAnsi(m_values.Browse(m_fileDialogs->OpenFile(TOrlaPathValues::BrowseOptions()))));
}

void TORLAPath::OkClick() {
    TProfileFile ini(m_configFile);
    m_values.Ok(ini);
    accept();
}

} // namespace quarno
