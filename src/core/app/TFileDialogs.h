// The file dialogs seam: open, save, font, colour and page set-up dialogs go
// through it, so tests return chosen values or cancel without a window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarno {

struct TFileDialogOptions {
    std::string title;
    // Pairs of description and patterns: "MCUBASIC files|*.bas;|All files|*.*".
    std::string filter;
    std::string initialFolder;
    std::string fileName;
    // Appended to a name typed without an extension ("EXE", no dot).
    std::string defaultExt;
};

struct TFontChoice {
    std::string name = "Courier New";
    int size = 10; // points
    int charset = 1;
    bool bold = false;
    bool italic = false;
};

// A colour and the dialog's 16 custom colours, as 0x00BBGGRR values.
struct TColorChoice {
    int32_t color = 0;
    std::array<int32_t, 16> customColors{0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                         0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                         0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    bool operator==(const TColorChoice&) const = default;
};

// Margins in thousandths of an inch, the unit the printing code works in;
// the sheet and the printer chosen with them.
struct TPageSetup {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool portrait = true;
    int paperWidth = 0; // thousandths of an inch, portrait; 0: the printer's own
    int paperHeight = 0;
    std::string printerName; // empty: the current printer
};

class TFileDialogs {
public:
    virtual ~TFileDialogs() = default;

    // The chosen file's full path; nothing when the user cancelled.
    virtual std::optional<std::string> OpenFile(const TFileDialogOptions& options) = 0;
    virtual std::optional<std::string> SaveFile(const TFileDialogOptions& options) = 0;
    virtual std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) = 0;
    // The colour dialog preset with a colour and custom colours; the chosen
    // colour and the custom colours as the user left them.
    virtual std::optional<TColorChoice> ChooseColor(const TColorChoice& initial) = 0;
    virtual std::optional<TPageSetup> PageSetup(const TPageSetup& initial) = 0;
};

struct TDialogFilter {
    std::string description;
    std::vector<std::string> patterns;
};

// Splits a filter text into its entries. Patterns are separated by ";" and
// empty ones dropped; a description without patterns (a filter of just
// "*.*") is its own pattern.
std::vector<TDialogFilter> ParseDialogFilter(const std::string& filter);

} // namespace quarno
