// The editor options dialog: the highlighting page (elements, colours, font
// and the preview editor).
#include "qt/dialogs/TOptionsDialog.h"

#include "qt/dialogs/TOptionsDialogModels.h"

#include "core/highlight/TLexipadParser.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/dialogs/OptionsDialogWidgets.h"
#include "qt/dialogs/TKVSColorButton.h"
#include "qt/editor/TLexipad.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace quarno {

namespace {

constexpr int kColorButtonWidth = 124;

// The fonts the platform offers for a character set.
QFontDatabase::WritingSystem WritingSystemOf(uint8_t charset) {
    switch (charset) {
    case 2: return QFontDatabase::Symbol;
    case 128: return QFontDatabase::Japanese;
    case 129:
    case 130: return QFontDatabase::Korean;
    case 134: return QFontDatabase::SimplifiedChinese;
    case 136: return QFontDatabase::TraditionalChinese;
    case 161: return QFontDatabase::Greek;
    case 177: return QFontDatabase::Hebrew;
    case 178: return QFontDatabase::Arabic;
    case 204: return QFontDatabase::Cyrillic;
    case 222: return QFontDatabase::Thai;
    case 1: return QFontDatabase::Any;
    default: return QFontDatabase::Latin;
    }
}

} // namespace

QWidget* TOptionsDialog::CreateHighlightingPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("HighlightingSheet"));
    auto* layout = new QGridLayout(page);
    auto* language = new QFormLayout;
    m_langNameBox = new QLineEdit(page);
    m_langNameBox->setObjectName(QStringLiteral("LangNameBox"));
    m_langNameBox->setReadOnly(true);
    language->addRow(QStringLiteral("Current language style"), m_langNameBox);
    layout->addLayout(language, 0, 0, 1, 2);
    m_elementsBox = new QListWidget(page);
    m_elementsBox->setObjectName(QStringLiteral("SynElementsBox"));
    layout->addWidget(m_elementsBox, 1, 0);
    layout->addWidget(CreateElementControls(page), 1, 1);
    layout->addWidget(CreateFontControls(page), 2, 0, 1, 2);
    m_preview = new TLexipad(page);
    m_preview->setObjectName(QStringLiteral("FEditor"));
    m_preview->SetReadOnly(true);
    m_preview->OnMouseUp = [this](TLexipad&, Qt::MouseButton button, uint8_t, int x, int y) {
        if (button == Qt::LeftButton) PreviewClicked(x, y);
    };
    layout->addWidget(m_preview, 3, 0, 1, 2);
    layout->setRowStretch(3, 1);
    connect(m_elementsBox, &QListWidget::currentRowChanged, this,
            [this] { Handle([this] { ElementChosen(); }); });
    return page;
}

QWidget* TOptionsDialog::CreateElementControls(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    m_boldBox = NamedCheckBox("Bold", "BoldBox", box);
    m_italicBox = NamedCheckBox("Italic", "ItalicBox", box);
    m_underlineBox = NamedCheckBox("Underline", "UnderlineBox", box);
    const std::pair<QCheckBox*, uint8_t> styleBoxes[] = {
        {m_boldBox, kFsBold}, {m_italicBox, kFsItalic}, {m_underlineBox, kFsUnderline}};
    for (const auto& entry : styleBoxes) {
        QCheckBox* check = entry.first;
        uint8_t bit = entry.second;
        column->addWidget(check);
        connect(check, &QCheckBox::toggled, this, [this, bit](bool on) {
            Handle([this, bit, on] {
                m_models->highlight.SetFontStyle(m_elementsBox->currentRow(), bit, on);
            });
        });
    }
    for (bool foreground : {true, false}) {
        column->addWidget(new QLabel(
            foreground ? QStringLiteral("Foreground") : QStringLiteral("Background"), box));
        auto* button = new TKVSColorButton(box);
        button->setObjectName(foreground ? QStringLiteral("ForegroundButton")
                                         : QStringLiteral("BackgroundButton"));
        button->setFixedWidth(kColorButtonWidth);
        button->SetColorDialogs(&m_dialogs);
        column->addSpacing(4);
        column->addWidget(button);
        (foreground ? m_foregroundButton : m_backgroundButton) = button;
        connect(button, &TKVSColorButton::OnColorChange, this, [this, foreground](int32_t color) {
            Handle([this, foreground, color] { ColorChosen(foreground, color); });
        });
    }
    auto* defaults = new QGroupBox(QStringLiteral("Use defaults for"), box);
    auto* flags = new QVBoxLayout(defaults);
    m_defaultForegroundBox = NamedCheckBox("Foreground", "DefaultForegroundBox", defaults);
    m_defaultBackgroundBox = NamedCheckBox("Background", "DefaultBackgroundBox", defaults);
    for (QCheckBox* check : {m_defaultForegroundBox, m_defaultBackgroundBox}) {
        bool foreground = check == m_defaultForegroundBox;
        flags->addWidget(check);
        connect(check, &QCheckBox::toggled, this, [this, foreground](bool on) {
            Handle([this, foreground, on] {
                int element = m_elementsBox->currentRow();
                m_models->highlight.SetDefault(element, foreground, on);
                ShowElement(element);
            });
        });
    }
    column->addWidget(defaults);
    column->addStretch(1);
    return box;
}

QWidget* TOptionsDialog::CreateFontControls(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    m_charsetBox = new QComboBox(box);
    m_charsetBox->setObjectName(QStringLiteral("FontFamilyBox"));
    for (const TCharsetName& charset : THighlightPageModel::Charsets())
        m_charsetBox->addItem(QString::fromLatin1(charset.name), int(charset.charset));
    m_fontNameBox = new QComboBox(box);
    m_fontNameBox->setObjectName(QStringLiteral("FontNameBox"));
    m_fontNameBox->setMinimumContentsLength(20);
    m_fontSizeBox = new QComboBox(box);
    m_fontSizeBox->setObjectName(QStringLiteral("FontSizeBox"));
    for (int size : THighlightPageModel::FontSizes())
        m_fontSizeBox->addItem(QString::number(size), size);
    row->addWidget(new QLabel(QStringLiteral("Charset"), box));
    row->addWidget(m_charsetBox);
    row->addWidget(new QLabel(QStringLiteral("Font"), box));
    row->addWidget(m_fontNameBox, 1);
    row->addWidget(new QLabel(QStringLiteral("Size"), box));
    row->addWidget(m_fontSizeBox);
    connect(m_charsetBox, &QComboBox::currentIndexChanged, this,
            [this] { Handle([this] { CharsetChosen(); }); });
    connect(m_fontNameBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        Handle([this, index] {
            if (index < 0) return;
            m_models->highlight.SetFontName(ToAnsi(m_fontNameBox->itemText(index)));
            UpdateOptionEnabling();
        });
    });
    connect(m_fontSizeBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        Handle([this, index] {
            if (index >= 0) m_models->highlight.SetFontSize(m_fontSizeBox->itemData(index).toInt());
            UpdateOptionEnabling();
        });
    });
    return box;
}

void TOptionsDialog::FillHighlightingPage() {
    THighlightPageModel& model = m_models->highlight;
    const TLP_Settings& settings = m_models->session.Working();
    m_langNameBox->setText(FromAnsi(model.LanguageName()));
    m_elementsBox->clear();
    for (const THighlightElement& element : model.Elements())
        m_elementsBox->addItem(FromAnsi(element.caption));
    m_preview->SetText(settings.ExampleText());
    m_charsetBox->setCurrentIndex(m_charsetBox->findData(int(settings.FontCharset())));
    CharsetChosen();
    m_fontSizeBox->setCurrentIndex(m_fontSizeBox->findData(int(settings.FontSize())));
    m_elementsBox->setCurrentRow(0);
    ShowElement(0);
}

void TOptionsDialog::ElementChosen() {
    ShowElement(m_elementsBox->currentRow());
}

// While the controls are filled their handlers do nothing.
void TOptionsDialog::ShowElement(int element) {
    TElementLook look = m_models->highlight.Look(element);
    bool filling = m_filling;
    m_filling = true;
    m_boldBox->setChecked(look.bold);
    m_italicBox->setChecked(look.italic);
    m_underlineBox->setChecked(look.underline);
    for (QCheckBox* box : {m_boldBox, m_italicBox, m_underlineBox})
        box->setEnabled(look.fontStylesEnabled);
    m_foregroundButton->SetColor(look.foreground);
    m_foregroundButton->setEnabled(look.foregroundEnabled);
    m_backgroundButton->SetColor(look.background);
    m_backgroundButton->setEnabled(look.backgroundEnabled);
    m_defaultForegroundBox->setChecked(look.foregroundDefault);
    m_defaultForegroundBox->setEnabled(look.foregroundDefaultEnabled);
    m_defaultBackgroundBox->setChecked(look.backgroundDefault);
    m_filling = filling;
}

void TOptionsDialog::ColorChosen(bool foreground, int32_t color) {
    m_models->highlight.SetColor(m_elementsBox->currentRow(), foreground, color);
}

// The fonts of the chosen character set; the settings font stays chosen
// when it is one of them.
void TOptionsDialog::CharsetChosen() {
    if (!m_models) return;
    auto charset = static_cast<uint8_t>(m_charsetBox->currentData().toInt());
    QStringList families = QFontDatabase::families(WritingSystemOf(charset));
    families.sort(Qt::CaseInsensitive);
    std::vector<std::string> names;
    for (const QString& family : families)
        names.push_back(ToAnsi(family));
    bool filling = m_filling;
    m_filling = true;
    m_fontNameBox->clear();
    m_fontNameBox->addItems(families);
    m_fontNameBox->setCurrentIndex(m_models->highlight.ChooseCharset(charset, names));
    m_filling = filling;
}

void TOptionsDialog::PreviewClicked(int x, int y) {
    Handle([this, x, y] {
        int element = m_models->highlight.Click({x, y});
        if (element >= 0) m_elementsBox->setCurrentRow(element);
    });
}

} // namespace quarno
