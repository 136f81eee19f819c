// A main window for tests: scripted prompts and dialogs, recorded processes,
// its own parser repository and settings store, in an application folder
// of the test's own.
#pragma once

#include "qt/app/TEditorMainForm.h"
#include "qt/app/TParserRepository.h"
#include "qt/base/TQtRegistry.h"
#include "qt/editor/TLexipad.h"
#include "support/IdeFolder.h"
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
          main(TAppSeams(prompts, dialogs, processes, &progress), folder.Executable().toStdString(),
               {}) {
        main.SetParserRepository(&repository, &registry);
    }

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
    TScriptedProgress progress;
    TParserRepository repository;
    TQtRegistry registry;
    TEditorMainForm main;
};

} // namespace quarno::test
