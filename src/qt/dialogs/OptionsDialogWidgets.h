// Small widget makers the pages of the options dialog share: named fields,
// boxes and buttons, and the two-column entry lists.
#pragma once

#include <QStringList>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace quarno {

class TEntryList;

QLineEdit* NamedLineEdit(const char* name, QWidget* parent);
QCheckBox* NamedCheckBox(const char* text, const char* name, QWidget* parent);
// A button that never becomes the dialog's default button.
QPushButton* NamedButton(const char* text, const char* name, QWidget* parent);
// A list of two-column entries in the order the rules keep them.
QTreeWidget* EntryList(const char* name, const QStringList& headers, QWidget* parent);
// Lists the entries and makes one current (-1: none).
void FillEntries(QTreeWidget* list, const TEntryList& entries, int select);
// The row of the current entry, -1 for none.
int CurrentEntry(const QTreeWidget* list);

} // namespace quarno
