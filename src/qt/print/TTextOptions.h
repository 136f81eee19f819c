// Page margins and page decoration settings of the preview printer. Only the
// four page margins take part in laying out pages; the fonts, header, footer
// and page-number settings are kept for owners that read them.
#pragma once

#include <QFont>

#include <string>

namespace quarno {

enum TTextAlign { taLeftJustify, taRightJustify, taCenter };
enum TPageNumberPos { pnBottom, pnTop, pnNone };

class TTextOptions {
public:
    TTextOptions();
    // Settings are owned by their printer; assigning another set copies
    // nothing and only sounds the beep.
    TTextOptions(const TTextOptions&) = delete;
    TTextOptions& operator=(const TTextOptions&) = delete;
    void Assign(const TTextOptions& other);

    double MarginLeft = 1.0;
    double MarginTop = 1.0;
    double MarginRight = 1.0;
    double MarginBottom = 1.0;
    double HeaderMargin = 0.5;
    double FooterMargin = 0.75;
    std::string Header;
    std::string Footer;
    TTextAlign HeaderAlign = taCenter;
    TTextAlign FooterAlign = taCenter;
    TPageNumberPos PrintPageNumber = pnBottom;
    TTextAlign PageNumAlign = taRightJustify;
    std::string PageNumText = "Page %d";

    const QFont& BodyFont() const { return m_bodyFont; }
    const QFont& HeaderFont() const { return m_headerFont; }
    const QFont& FooterFont() const { return m_footerFont; }
    const QFont& PageNumFont() const { return m_pageNumFont; }
    // The setters copy the given font.
    void SetBodyFont(const QFont& font) { m_bodyFont = font; }
    void SetHeaderFont(const QFont& font) { m_headerFont = font; }
    void SetFooterFont(const QFont& font) { m_footerFont = font; }
    void SetPageNumFont(const QFont& font) { m_pageNumFont = font; }

private:
    QFont m_bodyFont;
    QFont m_headerFont;
    QFont m_footerFont;
    QFont m_pageNumFont;
};

} // namespace quarno
