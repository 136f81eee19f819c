// The about box.
#include "qt/dialogs/TAboutForm.h"

#include "core/app/AppVersion.h"
#include "core/app/TDesktop.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quarno {

namespace {

constexpr int kPictureSize = 64;

// A chip in a dual-in-line package with the product's mark.
QPixmap ChipPicture() {
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(192, 192, 192));
    for (int pin = 0; pin < 4; ++pin) {
        int y = 12 + pin * 12;
        painter.drawRect(6, y, 8, 4);
        painter.drawRect(50, y, 8, 4);
    }
    painter.setBrush(QColor(40, 40, 48));
    painter.drawRoundedRect(QRectF(12, 4, 40, 56), 4, 4);
    painter.setBrush(QColor(90, 90, 100));
    painter.drawEllipse(QPointF(32, 4), 5, 5); // the notch
    painter.setPen(QColor(255, 200, 0));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(12, 4, 40, 56), Qt::AlignCenter, QStringLiteral("Q+"));
    return pixmap;
}

QLabel* Line(const QString& text, const char* name, QWidget* parent, int pixelSize = 0,
             bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    if (pixelSize > 0 || bold) {
        QFont font = label->font();
        if (pixelSize > 0) font.setPixelSize(pixelSize);
        font.setBold(bold);
        label->setFont(font);
    }
    return label;
}

} // namespace

TAboutForm::TAboutForm(TDesktop& desktop, QWidget* parent) : QDialog(parent), m_desktop(desktop) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("QUARNO+"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* picture = new QToolButton(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setIcon(QIcon(ChipPicture()));
    picture->setIconSize(QSize(kPictureSize, kPictureSize));
    picture->setAutoRaise(true);
    picture->setCursor(Qt::PointingHandCursor);
    picture->setToolTip(QString::fromLatin1(kWebSite));
    connect(picture, &QToolButton::clicked, this, &TAboutForm::ProgramIconClick);

    auto* texts = new QVBoxLayout;
    texts->addWidget(Line(QString::fromLatin1(kProductName), "ProductName", this, 18, true));
    texts->addWidget(Line(QString::fromLatin1(kVersion), "Version", this));
    texts->addWidget(Line(QString::fromLatin1(kComments), "Comments", this));
    texts->addSpacing(8);
    texts->addWidget(Line(QString::fromLatin1(kMaker), "Maker", this, 0, true));
    texts->addWidget(Line(QString::fromLatin1(kWebSite), "WebSite", this));
    texts->addWidget(Line(QString::fromLatin1(kEmail), "Email", this));
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    texts->addSpacing(8);
    texts->addWidget(rule);
    texts->addWidget(Line(BuildLine(), "BuildLine", this));

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(16, 16, 16, 12);
    box->addLayout(top);
    box->addSpacing(12);
    box->addWidget(buttons);
    setFixedSize(sizeHint());
}

QString TAboutForm::BuildLine() {
    return QString::fromStdString(ProductVersionText() + " for Linux, built with " +
                                  BuildCompilerText()) +
           QStringLiteral(" and Qt ") + QString::fromLatin1(qVersion());
}

void TAboutForm::ProgramIconClick() {
    m_desktop.OpenUrl(kWebSite);
}

} // namespace quarno
