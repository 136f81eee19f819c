// Page settings of the preview printer.
#include "qt/print/TTextOptions.h"

#include <QApplication>

namespace quarno {

TTextOptions::TTextOptions()
    : m_bodyFont(QStringLiteral("Arial"), 10),
      m_headerFont(QStringLiteral("Times New Roman"), 18, QFont::Bold),
      m_footerFont(QStringLiteral("Times New Roman"), 10) {
    m_footerFont.setItalic(true);
    m_pageNumFont = m_footerFont;
}

void TTextOptions::Assign(const TTextOptions&) {
    QApplication::beep();
}

} // namespace quarno
