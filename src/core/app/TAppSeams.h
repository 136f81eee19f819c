// The seams of the application layer in one bundle: what the windows use to
// ask the user, pick files and start programs. The owner of the three objects
// (quarno-ide's main, or a test) keeps them alive longer than the windows.
#pragma once

#include "core/app/TFileDialogs.h"
#include "core/app/TProcesses.h"
#include "core/app/TPrompts.h"

namespace quarno {

class TAppSeams {
public:
    TAppSeams(TPrompts& prompts, TFileDialogs& fileDialogs, TProcesses& processes)
        : m_prompts(prompts), m_fileDialogs(fileDialogs), m_processes(processes) {}

    TPrompts& Prompts() const { return m_prompts; }
    TFileDialogs& FileDialogs() const { return m_fileDialogs; }
    TProcesses& Processes() const { return m_processes; }

private:
    TPrompts& m_prompts;
    TFileDialogs& m_fileDialogs;
    TProcesses& m_processes;
};

} // namespace quarno
