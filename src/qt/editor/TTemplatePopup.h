// The list of code templates the editing control offers when the template hot
// key finds no name before the caret: one row per template, the name in bold,
// then its description; Enter or a double click chooses, Escape or leaving
// closes it.
#pragma once

#include "core/services/TMacroKeywords.h"

#include <QListWidget>

#include <vector>

namespace quarno {

class TTemplatePopup : public QListWidget {
    Q_OBJECT
public:
    explicit TTemplatePopup(QWidget* parent = nullptr);

    // Rows for the entries, the one at preselect current (-1: none).
    void Fill(const std::vector<TMacroEntry>& entries, int preselect);
    // Shows the list with its top-left corner at a global point, moved left
    // when it would leave bounds (global).
    void ShowBelow(QPoint topLeft, const QRect& bounds);
    // Width of the name column: the widest name in bold.
    int NameWidth() const { return m_nameWidth; }

signals:
    void Chosen(int index);
    // The list went away, chosen or not.
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int m_nameWidth = 0;
};

} // namespace quarno
