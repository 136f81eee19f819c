// The system clipboard for the editing engine.
#include "qt/editor/TQtClipboard.h"

#include "qt/base/TextConversion.h"

#include <QGuiApplication>
#include <QMimeData>

namespace quarno {

namespace {

const QMimeData* Contents(QClipboard::Mode mode) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->mimeData(mode) : nullptr;
}

} // namespace

void TQtClipboard::Clear() {
    m_text.reset();
    m_rtf.reset();
    m_html.reset();
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear(m_mode);
}

void TQtClipboard::PutText(const std::string& text) {
    m_text = text;
    Publish();
}

void TQtClipboard::PutRichText(const std::string& rtf) {
    m_rtf = rtf;
    Publish();
}

void TQtClipboard::PutHtml(const std::string& html) {
    m_html = html;
    Publish();
}

// The clipboard takes one data object at a time, so it gets every format put
// since the last Clear.
void TQtClipboard::Publish() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    auto* data = new QMimeData;
    if (m_text) data->setText(FromAnsi(*m_text));
    if (m_rtf) data->setData(QString::fromLatin1(kRtfMime), QByteArray::fromStdString(*m_rtf));
    if (m_html) data->setHtml(FromAnsi(*m_html));
    clipboard->setMimeData(data, m_mode);
}

bool TQtClipboard::HasText() const {
    const QMimeData* data = Contents(m_mode);
    return data && data->hasText();
}

std::string TQtClipboard::Text() const {
    const QMimeData* data = Contents(m_mode);
    return data ? ToAnsi(data->text()) : std::string();
}

bool TQtClipboard::HasHtml() const {
    const QMimeData* data = Contents(m_mode);
    return data && data->hasHtml();
}

std::string TQtClipboard::Html() const {
    const QMimeData* data = Contents(m_mode);
    return data ? ToAnsi(data->html()) : std::string();
}

} // namespace quarno
