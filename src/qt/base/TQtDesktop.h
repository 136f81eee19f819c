// The real desktop: QDesktopServices (xdg-open on Linux) opens documents and
// web addresses; xdg-mime says whether a program is registered for a file.
#pragma once

#include "core/app/TDesktop.h"

namespace quarno {

class TQtDesktop : public TDesktop {
public:
    // How long xdg-mime may take to answer before the answer counts as no.
    static constexpr int kQueryMilliseconds = 5000;

    bool OpenDocument(const std::string& path) override;
    bool OpenUrl(const std::string& url) override;
    // Asks xdg-mime for the default program of the file's MIME type (as Qt's
    // MIME database reads it); false without xdg-mime or without an answer.
    bool HasOpenerFor(const std::string& path) override;
};

} // namespace quarno
