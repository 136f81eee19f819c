// Small widget makers the pages of the options dialog share.
#include "qt/dialogs/OptionsDialogWidgets.h"

#include "core/options/TEntryList.h"
#include "qt/base/TextConversion.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace quarno {

QLineEdit* NamedLineEdit(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

QCheckBox* NamedCheckBox(const char* text, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QPushButton* NamedButton(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QTreeWidget* EntryList(const char* name, const QStringList& headers, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(2);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setSortingEnabled(false);
    list->header()->setStretchLastSection(true);
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return list;
}

void FillEntries(QTreeWidget* list, const TEntryList& entries, int select) {
    list->clear();
    for (int index = 0; index < entries.Count(); ++index)
        list->addTopLevelItem(
            new QTreeWidgetItem({FromAnsi(entries.Name(index)), FromAnsi(entries.Value(index))}));
    list->setCurrentItem(select >= 0 ? list->topLevelItem(select) : nullptr);
}

int CurrentEntry(const QTreeWidget* list) {
    return list->indexOfTopLevelItem(list->currentItem());
}

} // namespace quarno
