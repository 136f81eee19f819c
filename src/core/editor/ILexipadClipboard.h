// The clipboard as the editing engine sees it: plain text (CR LF line
// breaks), rich text and HTML, all as 8-bit (Windows-1252) bytes. The window supplies the system
// clipboard; quarno-tool and tests use TMemoryClipboard.
#pragma once

#include <string>

namespace quarno {

class ILexipadClipboard {
public:
    virtual ~ILexipadClipboard() = default;
    virtual void Clear() = 0;
    virtual void PutText(const std::string& text) = 0;
    virtual void PutRichText(const std::string& rtf) = 0;
    virtual void PutHtml(const std::string& html) = 0;
    virtual bool HasText() const = 0;
    virtual std::string Text() const = 0;
    virtual bool HasHtml() const = 0;
    virtual std::string Html() const = 0;
};

class TMemoryClipboard : public ILexipadClipboard {
public:
    void Clear() override { *this = TMemoryClipboard(); }
    void PutText(const std::string& text) override {
        m_text = text;
        m_hasText = true;
    }
    void PutRichText(const std::string& rtf) override { m_rtf = rtf; }
    bool HasText() const override { return m_hasText; }
    std::string Text() const override { return m_text; }
    bool HasHtml() const override { return m_hasHtml; }
    std::string Html() const override { return m_html; }
    void PutHtml(const std::string& html) override {
        m_html = html;
        m_hasHtml = true;
    }
    const std::string& RichText() const { return m_rtf; }

private:
    std::string m_text;
    std::string m_rtf;
    std::string m_html;
    bool m_hasText = false;
    bool m_hasHtml = false;
};

} // namespace quarno
