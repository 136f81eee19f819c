// The desktop seam: opening a document or a web address with the program the
// user's desktop has registered for it (xdg-open and its kin).
#pragma once

#include <string>

namespace quarno {

class TDesktop {
public:
    virtual ~TDesktop() = default;

    // Hands a file to the desktop's opener; false when no opener could be
    // started. Whether the opener then finds a program is its own business.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Opens a web address in the user's browser; false as above.
    virtual bool OpenUrl(const std::string& url) = 0;
    // Whether the desktop has a program registered for files of this kind,
    // so that OpenDocument would show the file rather than an error.
    virtual bool HasOpenerFor(const std::string& path) = 0;
};

} // namespace quarno
