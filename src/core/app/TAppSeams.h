// The seams of the application layer in one bundle: what the windows use to
// ask the user, pick files, start programs and hand files to the desktop. The
// owner of the four objects (quarno-ide's main, or a test) keeps them alive
// longer than the windows.
#pragma once

#include "core/app/TDesktop.h"
#include "core/app/TFileDialogs.h"
#include "core/app/TProcesses.h"
#include "core/app/TProgress.h"
#include "core/app/TPrompts.h"

namespace quarno {

class TAppSeams {
public:
    TAppSeams(TPrompts& prompts, TFileDialogs& fileDialogs, TProcesses& processes,
              TDesktop& desktop, TProgress* progress = nullptr)
        : m_prompts(prompts), m_fileDialogs(fileDialogs), m_processes(processes),
          m_desktop(desktop), m_progress(progress) {}

    TPrompts& Prompts() const { return m_prompts; }
    TFileDialogs& FileDialogs() const { return m_fileDialogs; }
    TProcesses& Processes() const { return m_processes; }
    TDesktop& Desktop() const { return m_desktop; }
    // Without a progress of the owner's, long work shows nothing.
    TProgress& Progress() const { return m_progress ? *m_progress : m_silent; }

private:
    TPrompts& m_prompts;
    TFileDialogs& m_fileDialogs;
    TProcesses& m_processes;
    TDesktop& m_desktop;
    TProgress* m_progress;
    mutable TSilentProgress m_silent;
};

} // namespace quarno
