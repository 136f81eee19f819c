// The colour button's drop-down.
#include "qt/dialogs/TTLP_KVSColorButtonPalette.h"

#include "core/options/ColorPalette.h"
#include "qt/editor/LexipadColors.h"

#include <QGridLayout>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace quarno {

namespace {

constexpr int kColumns = 4;
constexpr int kCell = 18;

} // namespace

TTLP_KVSColorButtonPalette::TTLP_KVSColorButtonPalette(QWidget* parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("KVSColorButtonPalette"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->setContentsMargins(3, 3, 3, 3);
    const auto& colors = StandardColors();
    for (int index = 0; index < static_cast<int>(colors.size()); ++index) {
        int32_t color = colors[static_cast<size_t>(index)];
        auto* cell = new QToolButton(this);
        cell->setObjectName(QStringLiteral("Cell%1").arg(index));
        cell->setFixedSize(kCell, kCell);
        cell->setAutoRaise(true);
        cell->setStyleSheet(
            QStringLiteral("QToolButton { background: %1; border: 1px solid gray; }")
                .arg(LexipadColor(color, palette()).name()));
        grid->addWidget(cell, index / kColumns, index % kColumns);
        connect(cell, &QToolButton::clicked, this, [this, color] {
            close();
            emit ColorPicked(color);
        });
    }
    m_other = new QPushButton(QStringLiteral("&Other"), this);
    m_other->setObjectName(QStringLiteral("OtherButton"));
    grid->addWidget(m_other, static_cast<int>(colors.size()) / kColumns, 0, 1, kColumns);
    connect(m_other, &QPushButton::clicked, this, [this] {
        close();
        emit OtherClicked();
    });
}

QToolButton* TTLP_KVSColorButtonPalette::Cell(int index) const {
    return findChild<QToolButton*>(QStringLiteral("Cell%1").arg(index));
}

void TTLP_KVSColorButtonPalette::Popup(QWidget& button) {
    adjustSize();
    QPoint origin = button.mapToGlobal(QPoint(0, 0));
    TScreenRect at{origin.x(), origin.y(), button.width(), button.height()};
    QScreen* screen = button.screen();
    QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
    TScreenRect place =
        PalettePlacement(at, width(), height(), {work.x(), work.y(), work.width(), work.height()});
    move(place.left, place.top);
    show();
}

} // namespace quarno
