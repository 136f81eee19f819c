// The system clipboard as the editing engine sees it: 8-bit text as plain
// text, rich text as text/rtf and HTML as text/html. What a copy puts is kept
// together, so each format it adds joins the ones before it.
#pragma once

#include "core/editor/ILexipadClipboard.h"

#include <QClipboard>

#include <optional>

namespace quarno {

class TQtClipboard : public ILexipadClipboard {
public:
    static constexpr const char* kRtfMime = "text/rtf";

    explicit TQtClipboard(QClipboard::Mode mode = QClipboard::Clipboard) : m_mode(mode) {}

    void Clear() override;
    void PutText(const std::string& text) override;
    void PutRichText(const std::string& rtf) override;
    void PutHtml(const std::string& html) override;
    bool HasText() const override;
    std::string Text() const override;
    bool HasHtml() const override;
    std::string Html() const override;

private:
    void Publish();

    QClipboard::Mode m_mode;
    std::optional<std::string> m_text;
    std::optional<std::string> m_rtf;
    std::optional<std::string> m_html;
};

} // namespace quarno
