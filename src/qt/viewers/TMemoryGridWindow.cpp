// The memory windows' grid, bounds and close handling.
#include "qt/viewers/TMemoryGridWindow.h"

#include "qt/base/TextConversion.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quarno {

namespace {

constexpr int kRowHeight = 16;

QFont GridFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

// The address column looks and behaves like a fixed column.
void MakeFixedCell(QTableWidgetItem& item, const QPalette& palette) {
    item.setFlags(item.flags() & ~(Qt::ItemIsEditable | Qt::ItemIsSelectable));
    item.setBackground(palette.button());
}

} // namespace

TMemoryGridWindow::TMemoryGridWindow(const TLayout& layout, QWidget* parent)
    : TOutputWindow(layout.boundsKeys, parent),
      m_grid(new QTableWidget(layout.rows, layout.columns, this)) {
    m_grid->setObjectName(QString::fromLatin1(layout.gridName));
    m_grid->setFont(GridFont());
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultSectionSize(layout.columnWidth);
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(m_grid);
}

void TMemoryGridWindow::Fill(const TGridCells& cells) {
    m_grid->setUpdatesEnabled(false);
    for (int row = 0; row < m_grid->rowCount() && row < static_cast<int>(cells.size()); ++row) {
        const std::vector<std::string>& line = cells[static_cast<size_t>(row)];
        for (int column = 0;
             column < m_grid->columnCount() && column < static_cast<int>(line.size()); ++column) {
            auto* item = new QTableWidgetItem(FromAnsi(line[static_cast<size_t>(column)]));
            if (column == 0) MakeFixedCell(*item, palette());
            m_grid->setItem(row, column, item);
        }
    }
    m_grid->setUpdatesEnabled(true);
}

std::string TMemoryGridWindow::CellText(int row, int column) const {
    const QTableWidgetItem* item = m_grid->item(row, column);
    return item ? ToAnsi(item->text()) : std::string();
}

} // namespace quarno
