// The application's windows: created once, in their fixed order, the main
// window first and the compile wait window last; all but the main window are
// created hidden. They live until this object is destroyed at exit.
#pragma once

#include "core/app/TAppSeams.h"

#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace quarno {

class TRecoveryJournal;

class TEditorMainForm;
class TParserRepository;
class TEdFindDlg;
class TEdReplDlg;
class TGotoLineDialog;
class TASMList;
class TProgPath;
class THEXList;
class TORLAPath;
class TDATAList;
class TAboutForm;
class TASCII;
class TBootloader_Parameters;
class TFind_FERNWICK;
class TDummy_Virtual_Form;
class TRegistryStore;

class TApplicationForms {
public:
    // The arguments are handed to the main window (see TEditorMainForm).
    TApplicationForms(const TAppSeams& seams, std::string executablePath, std::string startupFile);
    // Destroys the windows in the reverse order of their creation.
    ~TApplicationForms();
    // Each window belongs to exactly one owner.
    TApplicationForms(const TApplicationForms&) = delete;
    TApplicationForms& operator=(const TApplicationForms&) = delete;

    void CreateAll();
    // Shows the main window maximised and brings it to the front.
    void ShowMainForm();

    // Every window in the order of creation.
    std::vector<QWidget*> InCreationOrder() const;

    TEditorMainForm* EditorMainForm() const { return m_editorMainForm; }
    TParserRepository* ParserRepository() const { return m_parserRepository; }
    TEdFindDlg* EdFindDlg() const { return m_edFindDlg; }
    TEdReplDlg* EdReplDlg() const { return m_edReplDlg; }
    TGotoLineDialog* GotoLineDialog() const { return m_gotoLineDialog; }
    TASMList* ASMList() const { return m_asmList; }
    TProgPath* ProgPath() const { return m_progPath; }
    THEXList* HEXList() const { return m_hexList; }
    TORLAPath* ORLAPath() const { return m_orlaPath; }
    TDATAList* DATAList() const { return m_dataList; }
    TAboutForm* AboutForm() const { return m_aboutForm; }
    TASCII* ASCII() const { return m_ascii; }
    TBootloader_Parameters* Bootloader_Parameters() const { return m_bootloaderParameters; }
    TFind_FERNWICK* Find_FERNWICK() const { return m_findFernwick; }
    TDummy_Virtual_Form* Dummy_Virtual_Form() const { return m_dummyVirtualForm; }

private:
    template <typename T, typename... Args> T* Create(Args&&... args);

    TAppSeams m_seams;
    std::unique_ptr<TRegistryStore> m_registry;  // the parsers' per-user settings
    std::unique_ptr<TRecoveryJournal> m_journal; // the journals of modified documents
    std::string m_executablePath;
    std::string m_startupFile;
    // Owners, in creation order; the typed pointers below point into them.
    std::vector<std::unique_ptr<QWidget>> m_windows;
    TEditorMainForm* m_editorMainForm = nullptr;
    TParserRepository* m_parserRepository = nullptr;
    TEdFindDlg* m_edFindDlg = nullptr;
    TEdReplDlg* m_edReplDlg = nullptr;
    TGotoLineDialog* m_gotoLineDialog = nullptr;
    TASMList* m_asmList = nullptr;
    TProgPath* m_progPath = nullptr;
    THEXList* m_hexList = nullptr;
    TORLAPath* m_orlaPath = nullptr;
    TDATAList* m_dataList = nullptr;
    TAboutForm* m_aboutForm = nullptr;
    TASCII* m_ascii = nullptr;
    TBootloader_Parameters* m_bootloaderParameters = nullptr;
    TFind_FERNWICK* m_findFernwick = nullptr;
    TDummy_Virtual_Form* m_dummyVirtualForm = nullptr;
};

} // namespace quarno
