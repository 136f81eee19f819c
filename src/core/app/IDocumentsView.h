// What the document commands show in the main window: the status refresh's
// result, the status panels, the Re-open menu, and the hooks of the other
// windows they refresh.
#pragma once

#include <string>
#include <vector>

namespace quarno {

// The result of a status refresh.
struct TDocumentStatus {
    // At least one tab: the edit area and the document buttons, menu items
    // and menus are shown; otherwise they are hidden with the Compile,
    // Program, ASM and Download buttons and the three viewer windows.
    bool documents = false;
    std::string caption;
    bool canUndo = false;
    bool canRedo = false;
    bool canPaste = false;
    bool hasSelection = false; // Cut, Copy, Indent and Un-indent
    bool canSearchAgain = false;
    // KBX.INI values for the programmer and bootloader menus.
    std::string programmerType;
    std::string bootloaderType;
    std::string extProgrammerName;
    std::string extBootloaderName;
};

class IDocumentsView {
public:
    static constexpr int kPanelCount = 6;

    virtual ~IDocumentsView() = default;

    virtual void ShowStatus(const TDocumentStatus& status) = 0;
    virtual void SetPanelText(int panel, const std::string& text) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void FocusEditor() = 0;
    virtual void BringToFront() = 0;
    // Reloads every visible output window for the current document.
    virtual void RefreshOutputViews() = 0;
    // The File > Re-open... entries; empty: none.
    virtual void ShowReopenMenu(const std::vector<std::string>& files) = 0;
    // Writes the parsers' settings to the per-user store.
    virtual void SaveParserSettings() = 0;
    // The one-shot timer of transient messages; it calls back InfoTimerTimer.
    virtual void StartMessageTimer(int milliseconds) = 0;
    virtual void StopMessageTimer() = 0;
    virtual void RepaintNow() = 0;
};

} // namespace quarno
