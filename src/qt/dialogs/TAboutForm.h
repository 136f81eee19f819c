// The about box: the product, its version and maker, and the version and
// build of this editor. Clicking the picture opens the maker's web site.
#pragma once

#include <QDialog>

namespace quarno {

class TDesktop;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kProductName = "QUARNO+ Compiler";
    static constexpr const char* kVersion = "Version 2.0";
    static constexpr const char* kComments =
        "BASIC compiler for the 12, 14 and 16-bit core devices";
    static constexpr const char* kMaker = "QUARNO+ Compilers";
    static constexpr const char* kWebSite = "https://quarno.example.org/";
    static constexpr const char* kEmail = "support@quarno.example.org";

    // The desktop must outlive the box.
    explicit TAboutForm(TDesktop& desktop, QWidget* parent = nullptr);

    // "QUARNO+ Editor 0.1.0 for Linux, built with GCC 12.2.0 and Qt 6.4.2".
    static QString BuildLine();
    // The picture's click.
    void ProgramIconClick();

private:
    TDesktop& m_desktop;
};

} // namespace quarno
