// The main window's output windows as one set: the View menu's toggles of
// the assembler listing, program-memory and EEPROM windows with their check
// marks, the ASCII table, the refresh after a document change or a compile,
// and hiding them all when the last document closes.
#pragma once

#include <QPointer>

#include <functional>
#include <string>

class QAction;
class QWidget;

namespace quarno {

class TASCII;
class TASMList;
class TDATAList;
class THEXList;
class TPrompts;

class TOutputViews {
public:
    TOutputViews(TASMList& asmList, THEXList& hexList, TDATAList& dataList, TASCII& ascii,
                 TPrompts& prompts);
    ~TOutputViews();

    // The View menu items whose check marks follow the windows; a window's
    // close box clears its mark.
    void SetMenuItems(QAction* showAsm, QAction* showHex, QAction* showData);

    // The toggles. The paths are the current document's listing and HEX
    // file; an empty HEX path names no file.
    void ShowAsmClick(const std::string& asmPath);
    void ShowHexClick(const std::string& hexPath);
    void ShowDataClick(const std::string& hexPath);
    void ShowAsciiClick();

    // Reload what the visible windows show; hidden ones are not touched. The
    // listing comes first, the memory views after the compile result.
    void RefreshListing(const std::string& asmPath);
    void RefreshMemory(const std::string& hexPath);
    void HideAll();

private:
    // Loads the HEX file into the memory image when it exists; false when
    // there is none. A broken record raises the loader's error.
    static bool LoadHexFile(const std::string& hexPath);
    void FillProgram(const std::string& hexPath);
    void FillEeprom(const std::string& hexPath);
    void ToggleMemoryView(QWidget& window, QAction* item, const std::function<void()>& fill);

    // The windows may go before the main window stops refreshing them.
    bool WindowsAlive() const;

    QPointer<TASMList> m_asmList;
    QPointer<THEXList> m_hexList;
    QPointer<TDATAList> m_dataList;
    QPointer<TASCII> m_ascii;
    TPrompts& m_prompts;
    QAction* m_showAsm = nullptr;
    QAction* m_showHex = nullptr;
    QAction* m_showData = nullptr;
};

} // namespace quarno
