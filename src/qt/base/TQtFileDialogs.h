// The real file dialogs: QFileDialog, QFontDialog, QColorDialog and
// QPageSetupDialog over
// the active window.
#pragma once

#include "core/app/TFileDialogs.h"

#include <QString>

namespace quarno {

class TQtFileDialogs : public TFileDialogs {
public:
    std::optional<std::string> OpenFile(const TFileDialogOptions& options) override;
    std::optional<std::string> SaveFile(const TFileDialogOptions& options) override;
    std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) override;
    std::optional<TColorChoice> ChooseColor(const TColorChoice& initial) override;
    std::optional<TPageSetup> PageSetup(const TPageSetup& initial) override;

    // "MCUBASIC files|*.bas;|All files|*.*" as "MCUBASIC files (*.bas);;All
    // files (*)"; "*.*" matches every name, with or without a dot.
    static QString QtFilter(const std::string& filter);
};

} // namespace quarno
