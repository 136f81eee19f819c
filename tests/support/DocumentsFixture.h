// A document set over a headless editing engine with fake tab row and view,
// scripted prompts and dialogs, in a temporary application folder whose
// KBX.INI starts the working folder at /start.
#pragma once

#include "core/app/TAppGlobals.h"
#include "core/app/TDocumentTabs.h"
#include "core/app/TEdPersistent.h"
#include "core/base/StringUtils.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/ShippedLanguages.h"
#include "core/highlight/TLexipadParser.h"
#include "support/TScriptedFileDialogs.h"
#include "support/TScriptedPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quarno::test {

using Names = std::vector<std::string>;

class FakeTabRow : public ITabRow {
public:
    int Count() const override { return static_cast<int>(captions.size()); }
    void Add(const std::string& caption) override {
        captions.push_back(caption);
        hints.emplace_back();
    }
    void Delete(int index) override {
        captions.erase(captions.begin() + index);
        hints.erase(hints.begin() + index);
        selected = std::min(selected, Count() - 1);
    }
    void SetCaption(int index, const std::string& caption) override {
        captions[static_cast<size_t>(index)] = caption;
    }
    void SetHint(int index, const std::string& hint) override {
        hints[static_cast<size_t>(index)] = hint;
    }
    int Selected() const override { return selected; }
    void Select(int index) override { selected = index; }

    Names captions;
    Names hints;
    int selected = -1;
};

class FakeView : public IDocumentsView {
public:
    void ShowStatus(const TDocumentStatus& shown) override {
        status = shown;
        caption = shown.caption;
        ++refreshes;
    }
    void SetPanelText(int panel, const std::string& text) override {
        panels[static_cast<size_t>(panel)] = text;
    }
    void SetCaption(const std::string& text) override { caption = text; }
    void FocusEditor() override {}
    void BringToFront() override { ++broughtToFront; }
    void RefreshOutputViews() override { ++outputRefreshes; }
    void ShowReopenMenu(const Names& files) override { reopenMenu = files; }
    void SaveParserSettings() override { ++parserSaves; }
    void StartMessageTimer(int milliseconds) override { timer = milliseconds; }
    void StopMessageTimer() override { timer = 0; }
    void RepaintNow() override {}

    TDocumentStatus status;
    std::string caption;
    std::array<std::string, kPanelCount> panels;
    Names reopenMenu;
    int refreshes = 0;
    int broughtToFront = 0;
    int outputRefreshes = 0;
    int parserSaves = 0;
    int timer = 0;
};

struct DocumentsFixture : ::testing::Test {
    DocumentsFixture() {
        std::filesystem::create_directories(dir.File("INC"));
        dir.Write("INC/KBX.INI", "[WORKING_DIRECTORY]\r\nPATHNAME=/start\r\n");
        globals.ComputeFolders(dir.File("quarno-ide"));
        parser->SetName("MCUBASIC");
        docs.SetPersistent(&history);
        docs.SetParserLookup([this](const std::string& name) -> TCustomLexipadParser* {
            return SameText(name, "MCUBASIC") ? parser.get() : nullptr;
        });
        docs.CreateFirstDocument();
    }

    std::string Ini(const std::string& section, const std::string& key) {
        return globals.Config().ReadString(section, key, "<none>");
    }
    void OpenViaDialog(const std::string& path) {
        dialogs.QueueFile(path);
        docs.OpenButtonClick();
    }
    void Type(const std::string& text) {
        pad.ReplaceSelection(text);
        docs.Lexipad1Change();
    }
    Names PromptTexts() const {
        Names texts;
        for (const auto& box : prompts.Boxes())
            texts.push_back(box.text);
        return texts;
    }
    Names DocumentNames() const {
        Names names;
        for (int index = 0; index < docs.DocumentCount(); ++index)
            names.push_back(docs.Document(index).FileName());
        return names;
    }

    TempDir dir;
    TAppGlobals globals;
    TScriptedPrompts prompts;
    TScriptedFileDialogs dialogs;
    FakeTabRow tabs;
    FakeView view;
    TEdPersistent history{dir.Folder()};
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    TCustomLexipad pad;
    TDocumentTabs docs{pad, {tabs, view, prompts, dialogs, globals}};
};

} // namespace quarno::test
