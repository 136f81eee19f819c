// A main window for tests: scripted prompts and dialogs, recorded processes
// and desktop, its own parser repository and settings store, in an
// application folder of the test's own. Errors that end a command are shown
// through its prompts, as the application's general error display does.
#pragma once

#include "qt/app/TEditorMainForm.h"
#include "qt/app/TParserRepository.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TQtRegistry.h"
#include "qt/editor/TLexipad.h"
#include "support/IdeFolder.h"
#include "support/TRecordingDesktop.h"
#include "support/TRecordingProcesses.h"
#include "support/TScriptedFileDialogs.h"
#include "support/TScriptedProgress.h"
#include "support/TScriptedPrompts.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QtTest>

#include <string>
#include <vector>

namespace quarno::test {

struct MainWindowRig {
    explicit MainWindowRig(const IdeFolder& folder)
        : registry(folder.File("registry.ini")),
          main(TAppSeams(prompts, dialogs, processes, desktop, &progress),
               folder.Executable().toStdString(), {}) {
        main.SetParserRepository(&repository, &registry);
        m_savedSink =
            SetErrorSink([this](const std::string& text) { prompts.ShowException(text); });
    }
    ~MainWindowRig() { SetErrorSink(m_savedSink); }
    MainWindowRig(const MainWindowRig&) = delete;
    MainWindowRig& operator=(const MainWindowRig&) = delete;

    void Trigger(const char* action) {
        QAction* found = main.findChild<QAction*>(action);
        QVERIFY2(found, action);
        found->trigger();
    }
    std::vector<std::string> PromptTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : prompts.Boxes())
            texts.push_back(box.text);
        return texts;
    }
    // Opens folder/prog.bas (one BASIC line) through the Open dialog and
    // answers the path of its HEX file.
    std::string OpenSource(const IdeFolder& folder) {
        folder.Write("prog.bas", "High PORTB.0\r\n");
        dialogs.QueueFile(folder.File("prog.bas").toStdString());
        main.OpenButtonClick();
        return folder.File("prog.HEX").toStdString();
    }
    QString Text() const { return QString::fromStdString(main.Lexipad1()->Text()); }
    bool PaneShown() const { return !main.ReportMemo()->isHidden(); }
    QString Report() const {
        return static_cast<QPlainTextEdit*>(main.ReportMemo())->toPlainText();
    }

    TScriptedPrompts prompts;
    TScriptedFileDialogs dialogs;
    TRecordingProcesses processes;
    TRecordingDesktop desktop;
    TScriptedProgress progress;
    TParserRepository repository;
    TQtRegistry registry;
    TEditorMainForm main;

private:
    TErrorSink m_savedSink;
};

} // namespace quarno::test
