// The row of tabs above the editor, one per open document. Changes made by
// the document commands are silent; only a tab the user picks is reported.
#pragma once

#include "core/app/ITabRow.h"

#include <QTabBar>

namespace quarno {

class TOpenFilesTab : public QTabBar, public ITabRow {
    Q_OBJECT
public:
    explicit TOpenFilesTab(QWidget* parent = nullptr);

    int Count() const override { return count(); }
    void Add(const std::string& caption) override;
    void Delete(int index) override;
    void SetCaption(int index, const std::string& caption) override;
    void SetHint(int index, const std::string& hint) override;
    int Selected() const override { return currentIndex(); }
    void Select(int index) override;

signals:
    // The user selected another tab.
    void TabChosen();
    // The tab pop-up was asked for at a point of the row.
    void PopupRequested(const QPoint& globalPosition);

protected:
    // A tab bar that is not yet shown does not tell its layout that its size
    // changed; the layout would keep the height of an empty bar.
    void tabInserted(int index) override;
    void tabRemoved(int index) override;

private:
    bool m_silent = false;
};

} // namespace quarno
