// The row of tabs above the editor.
#include "qt/app/TOpenFilesTab.h"

#include "qt/base/TextConversion.h"

namespace quarno {

namespace {

// Holds the change signal back while the documents move the tabs.
class TSilent {
public:
    explicit TSilent(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~TSilent() { m_flag = m_previous; }
    TSilent(const TSilent&) = delete;
    TSilent& operator=(const TSilent&) = delete;

private:
    bool& m_flag;
    bool m_previous;
};

} // namespace

TOpenFilesTab::TOpenFilesTab(QWidget* parent) : QTabBar(parent) {
    setObjectName(QStringLiteral("OpenFilesTab"));
    setExpanding(false);
    setUsesScrollButtons(true);
    setDocumentMode(true);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QTabBar::currentChanged, this, [this](int) {
        if (!m_silent) emit TabChosen();
    });
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { emit PopupRequested(mapToGlobal(point)); });
}

// File names are shown as the file system spells them.
void TOpenFilesTab::Add(const std::string& caption) {
    TSilent silent(m_silent);
    addTab(FromPath(caption));
}

void TOpenFilesTab::tabInserted(int index) {
    QTabBar::tabInserted(index);
    updateGeometry();
}

void TOpenFilesTab::tabRemoved(int index) {
    QTabBar::tabRemoved(index);
    updateGeometry();
}

void TOpenFilesTab::Delete(int index) {
    if (index < 0 || index >= count()) return;
    TSilent silent(m_silent);
    removeTab(index);
}

void TOpenFilesTab::SetCaption(int index, const std::string& caption) {
    if (index < 0 || index >= count()) return;
    setTabText(index, FromPath(caption));
}

void TOpenFilesTab::SetHint(int index, const std::string& hint) {
    if (index < 0 || index >= count()) return;
    setTabToolTip(index, MessageText(hint));
}

void TOpenFilesTab::Select(int index) {
    if (index < 0 || index >= count()) return;
    TSilent silent(m_silent);
    setCurrentIndex(index);
}

} // namespace quarno
