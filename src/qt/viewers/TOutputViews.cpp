// The output windows' toggles and refresh.
#include "qt/viewers/TOutputViews.h"

#include "core/app/TPrompts.h"
#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/toolchain/CompilerInterface.h"
#include "core/viewers/HexGridText.h"
#include "core/viewers/THexLoader.h"
#include "qt/viewers/TASCII.h"
#include "qt/viewers/TASMList.h"
#include "qt/viewers/TDATAList.h"
#include "qt/viewers/THEXList.h"

#include <QAction>

namespace quarno {

namespace {

void Hide(QWidget& window, QAction* item) {
    if (item) item->setChecked(false);
    window.setEnabled(false);
    window.hide();
}

void Reveal(QWidget& window) {
    window.setEnabled(true);
    window.show();
}

bool IsChecked(const QAction* item, const QWidget& window) {
    return item ? item->isChecked() : window.isVisible();
}

} // namespace

TOutputViews::TOutputViews(TASMList& asmList, THEXList& hexList, TDATAList& dataList, TASCII& ascii,
                           TPrompts& prompts)
    : m_asmList(&asmList), m_hexList(&hexList), m_dataList(&dataList), m_ascii(&ascii),
      m_prompts(prompts) {
    // A re-assembled listing has a new HEX file beside it.
    asmList.OnAssembled = [this] {
        if (m_asmList) RefreshMemory(CompilerOutputPath(m_asmList->AsmPath(), ".HEX"));
    };
}

TOutputViews::~TOutputViews() {
    if (m_asmList) m_asmList->OnAssembled = nullptr;
}

bool TOutputViews::WindowsAlive() const {
    return m_asmList && m_hexList && m_dataList && m_ascii;
}

void TOutputViews::SetMenuItems(QAction* showAsm, QAction* showHex, QAction* showData) {
    m_showAsm = showAsm;
    m_showHex = showHex;
    m_showData = showData;
    m_asmList->OnClosed = [showAsm] { showAsm->setChecked(false); };
    m_hexList->OnClosed = [showHex] { showHex->setChecked(false); };
    m_dataList->OnClosed = [showData] { showData->setChecked(false); };
}

void TOutputViews::ShowAsmClick(const std::string& asmPath) {
    m_asmList->setEnabled(true);
    if (IsChecked(m_showAsm, *m_asmList)) {
        Hide(*m_asmList, m_showAsm);
        return;
    }
    if (m_showAsm) m_showAsm->setChecked(true);
    m_asmList->LoadListing(asmPath);
    Reveal(*m_asmList);
}

void TOutputViews::ShowHexClick(const std::string& hexPath) {
    ToggleMemoryView(*m_hexList, m_showHex, [this, &hexPath] { FillProgram(hexPath); });
}

void TOutputViews::ShowDataClick(const std::string& hexPath) {
    ToggleMemoryView(*m_dataList, m_showData, [this, &hexPath] { FillEeprom(hexPath); });
}

// A broken record ends the command where it stands: the error is shown and
// the window stays as it was, although its item is already checked.
void TOutputViews::ToggleMemoryView(QWidget& window, QAction* item,
                                    const std::function<void()>& fill) {
    if (IsChecked(item, window)) {
        Hide(window, item);
        return;
    }
    if (item) item->setChecked(true);
    try {
        fill();
    } catch (const Exception& error) {
        m_prompts.ShowException(error.what());
        return;
    }
    Reveal(window);
}

void TOutputViews::ShowAsciiClick() {
    m_ascii->ShowTable();
}

void TOutputViews::RefreshListing(const std::string& asmPath) {
    if (!WindowsAlive()) return;
    try {
        if (m_asmList->isVisible()) m_asmList->LoadListing(asmPath);
    } catch (const Exception& error) {
        m_prompts.ShowException(error.what());
    }
}

void TOutputViews::RefreshMemory(const std::string& hexPath) {
    if (!WindowsAlive()) return;
    try {
        if (m_hexList->isVisible()) FillProgram(hexPath);
        if (m_dataList->isVisible()) FillEeprom(hexPath); // read and loaded a second time
    } catch (const Exception& error) {
        m_prompts.ShowException(error.what());
    }
}

void TOutputViews::HideAll() {
    if (!WindowsAlive()) return;
    Hide(*m_asmList, m_showAsm);
    Hide(*m_hexList, m_showHex);
    Hide(*m_dataList, m_showData);
}

bool TOutputViews::LoadHexFile(const std::string& hexPath) {
    if (hexPath.empty() || !FileExists(hexPath)) return false;
    LoadHexLines(SplitLines(ReadWholeFile(hexPath)));
    return true;
}

// Without a HEX file the image is left as it was; the grid shows blanks.
void TOutputViews::FillProgram(const std::string& hexPath) {
    m_hexList->Fill(LoadHexFile(hexPath) ? FillHexGrid() : FillHexGridBlank());
}

void TOutputViews::FillEeprom(const std::string& hexPath) {
    m_dataList->Fill(LoadHexFile(hexPath) ? FillEepromGrid() : FillEepromGridBlank());
}

} // namespace quarno
