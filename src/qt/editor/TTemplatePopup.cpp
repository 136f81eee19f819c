// The template list of the editing control.
#include "qt/editor/TTemplatePopup.h"

#include "qt/base/TextConversion.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quarno {

namespace {

constexpr int kExtraWidth = 48;
constexpr int kMaxRows = 12;

// Draws a row as the name in bold, a tab, and the description.
class TTemplateRowDelegate : public QStyledItemDelegate {
public:
    TTemplateRowDelegate(const TTemplatePopup& list, QObject* parent)
        : QStyledItemDelegate(parent), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                                 : palette.color(QPalette::Text));
        QFont bold(option.font);
        bold.setBold(true);
        QRect text = option.rect.adjusted(2, 0, -2, 0);
        painter->setFont(bold);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->setFont(option.font);
        painter->drawText(text.adjusted(m_list.NameWidth() + 8, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::ToolTipRole).toString());
    }

private:
    const TTemplatePopup& m_list;
};

} // namespace

TTemplatePopup::TTemplatePopup(QWidget* parent) : QListWidget(parent) {
    setWindowFlags(Qt::Popup);
    setFont(QFont(QStringLiteral("Arial"), 8));
    setItemDelegate(new TTemplateRowDelegate(*this, this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        int index = row(item);
        hide();
        emit Chosen(index);
    });
}

void TTemplatePopup::Fill(const std::vector<TMacroEntry>& entries, int preselect) {
    clear();
    QFont bold(font());
    bold.setBold(true);
    QFontMetrics nameMetrics(bold);
    QFontMetrics descriptionMetrics(font());
    m_nameWidth = 0;
    int descriptionWidth = 0;
    for (const TMacroEntry& entry : entries) {
        auto* item = new QListWidgetItem(FromAnsi(entry.name), this);
        item->setData(Qt::ToolTipRole, FromAnsi(entry.description));
        m_nameWidth = std::max(m_nameWidth, nameMetrics.horizontalAdvance(item->text()));
        descriptionWidth = std::max(
            descriptionWidth, descriptionMetrics.horizontalAdvance(FromAnsi(entry.description)));
    }
    if (preselect >= 0 && preselect < count()) setCurrentRow(preselect);
    int rows = std::clamp(count(), 1, kMaxRows);
    int rowHeight = std::max(sizeHintForRow(0), nameMetrics.height() + 2);
    resize(m_nameWidth + descriptionWidth + kExtraWidth, rows * rowHeight + 2 * frameWidth());
}

void TTemplatePopup::ShowBelow(QPoint topLeft, const QRect& bounds) {
    if (topLeft.x() + width() > bounds.right())
        topLeft.setX(std::max(bounds.right() - width(), bounds.left()));
    move(topLeft);
    show();
    setFocus();
}

void TTemplatePopup::hideEvent(QHideEvent* event) {
    QListWidget::hideEvent(event);
    emit Closed();
}

void TTemplatePopup::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        int index = currentRow();
        hide();
        if (index >= 0) emit Chosen(index);
        return;
    }
    case Qt::Key_Escape: hide(); return;
    default: QListWidget::keyPressEvent(event);
    }
}

} // namespace quarno
