// The assembler listing window "ASSEMBLER Listing": the compiler's ".ASM"
// file in an editor highlighted as PIC assembler, with a context menu that
// edits it and hands it to the assembler again.
#pragma once

#include "core/app/TAppSeams.h"
#include "qt/viewers/TOutputWindow.h"

#include <functional>
#include <memory>
#include <string>

class QAction;
class QMenu;

namespace quarno {

class TLexipad;
class TLexipadParser;

class TASMList : public TOutputWindow {
    Q_OBJECT
public:
    explicit TASMList(const TAppSeams& seams, QWidget* parent = nullptr);
    ~TASMList() override;

    // The folder MPASMWIN.EXE is started from (the INC folder, with "/").
    // Without MPASMWIN.EXE there, gpasm is looked for on PATH.
    void SetIncFolder(const std::string& folder) { m_incFolder = folder; }
    // Remembers the listing's path and loads the file into the editor, or
    // empties the editor when there is no such file.
    void LoadListing(const std::string& asmPath);
    const std::string& AsmPath() const { return m_asmPath; }

    TLexipad* ASMText() const { return m_asmText; }
    QMenu* ASM_POPUP() const { return m_popup; }
    // Enables the menu items for the editor's state, as the menu opens.
    void ASM_POPUPPopup();
    void Assemble1Click();
    void Assemble_ASClick();
    // Told when an assembler has run, so the views of its HEX file refresh.
    std::function<void()> OnAssembled;

private:
    void ConfigureEditor();
    void BuildPopup();
    QAction* AddItem(const char* name, const char* caption, void (TASMList::*handler)());
    void RunAssembler(bool hexFormatSwitch);
    void ShowAssemblerErrors(const std::string& errors);
    void Undo1Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();

    TAppSeams m_seams;
    std::unique_ptr<TLexipadParser> m_parser; // LexipadParser1, the assembler language
    TLexipad* m_asmText;
    QMenu* m_popup = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    std::string m_incFolder;
    std::string m_asmPath;
};

} // namespace quarno
