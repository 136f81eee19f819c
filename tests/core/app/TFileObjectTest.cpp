#include "core/app/TFileObject.h"
#include "core/app/TDocumentEditor.h"
#include "core/base/Exceptions.h"
#include "core/editor/TCustomLexipad.h"
#include "support/StoreInspection.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::RecordLayout;
using quarno::test::TempDir;

namespace {

struct FileObjectFixture : ::testing::Test {
    TempDir dir;
    TCustomLexipad pad;
    TDocumentEditor editor{pad};

    // A document loaded from a file named name holding text.
    std::unique_ptr<TFileObject> Loaded(const std::string& name, const std::string& text) {
        auto document = std::make_unique<TFileObject>();
        document->LoadIntoEditor(editor, dir.Write(name, text));
        document->RestoreEditorState(editor);
        return document;
    }
};

} // namespace

TEST_F(FileObjectFixture, SwitchingExchangesStoresAndKeepsViewStateAndHistory) {
    std::string lines;
    for (int i = 0; i < 200; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    auto first = Loaded("a.bas", lines);
    pad.SetSelection(30, 20);
    pad.ReplaceSelection("EDIT");
    pad.SetSelection(40, 45);
    pad.SetTopLine(120);
    const TTextStore* firstStore = &pad.Store();

    first->StoreEditorState(editor);
    EXPECT_EQ(&first->Store(), firstStore) << "the store moves, it is not copied";
    EXPECT_NE(&pad.Store(), firstStore);
    EXPECT_EQ(first->FirstVisibleLine(), 121);
    auto second = Loaded("b.bas", "other");
    EXPECT_EQ(pad.Text(), "other");
    second->StoreEditorState(editor);

    first->RestoreEditorState(editor);
    EXPECT_EQ(&pad.Store(), firstStore);
    EXPECT_EQ(pad.Selection(), (TUndoSelection{40, 45}));
    EXPECT_EQ(pad.TopLine(), 120);
    EXPECT_EQ(pad.PrintTitle(), dir.File("a.bas"));
    ASSERT_TRUE(pad.CanUndo());
    pad.Undo();
    EXPECT_EQ(pad.Text().substr(0, 35), "line 0\rline 1\rline 2\rline 3\rline 4\r");
}

TEST_F(FileObjectFixture, UndoingBackToTheSavePointIsNotModified) {
    auto document = Loaded("prog.bas", "abc");
    EXPECT_FALSE(document->IsModifiedInEditor(editor)) << "a freshly loaded file";
    pad.SetSelection(3, 3);
    pad.ReplaceSelection("d");
    EXPECT_TRUE(document->IsModifiedInEditor(editor));
    document->WriteDocument(editor, dir.File("prog.bas"));
    EXPECT_EQ(dir.Read("prog.bas"), "abcd");
    EXPECT_FALSE(document->IsModifiedInEditor(editor));
    ASSERT_TRUE(pad.CanUndo()) << "saving keeps the history";

    pad.ReplaceSelection("e");
    EXPECT_TRUE(document->IsModifiedInEditor(editor));
    pad.Undo();
    EXPECT_FALSE(document->IsModifiedInEditor(editor));
    pad.Undo();
    EXPECT_TRUE(document->IsModifiedInEditor(editor)) << "before the save point";
    pad.ReplaceSelection("x");
    EXPECT_TRUE(document->IsModifiedInEditor(editor))
        << "as many records as at the save point, but other ones";
    EXPECT_EQ(document->SavedDepth(), pad.Store().UndoStack()->Count());

    document->StoreEditorState(editor);
    EXPECT_TRUE(document->IsModifiedInStore());
    document->RestoreEditorState(editor);
    pad.Undo();
    pad.Redo();
    document->StoreEditorState(editor);
    EXPECT_TRUE(document->IsModifiedInStore()) << "the redo of \"d\" is gone";
}

TEST_F(FileObjectFixture, AStoreWithoutUndoStackCountsAsModified) {
    TFileObject document;
    EXPECT_FALSE(document.IsModifiedInStore());
    document.Store().ReplaceUndoStack(nullptr);
    EXPECT_TRUE(document.IsModifiedInStore());
}

TEST_F(FileObjectFixture, WriteFailureKeepsNameAndHistory) {
    auto document = Loaded("prog.bas", "abc");
    pad.ReplaceSelection("x");
    EXPECT_THROW(document->WriteDocument(editor, dir.File("missing/prog.bas")), Exception);
    EXPECT_EQ(document->FileName(), dir.File("prog.bas"));
    EXPECT_TRUE(pad.CanUndo());
    EXPECT_TRUE(document->IsModifiedInEditor(editor));
}

TEST_F(FileObjectFixture, ClearEditorGivesAnEmptyUntitledText) {
    auto first = Loaded("a.bas", "text");
    first->StoreEditorState(editor);
    TFileObject untitled;
    untitled.ClearEditor(editor);
    untitled.RestoreEditorState(editor);
    EXPECT_EQ(pad.Text(), "");
    EXPECT_EQ(pad.PrintTitle(), "No_name.bas");
    EXPECT_FALSE(untitled.IsModifiedInEditor(editor));
    EXPECT_EQ(first->Store().Text(), "text");
}

TEST_F(FileObjectFixture, MissingFileRaisesTheLoadError) {
    TFileObject document;
    EXPECT_THROW(document.LoadIntoEditor(editor, dir.File("none.bas")), ELexipad);
}

TEST_F(FileObjectFixture, RestoreRewrapsWhenTheWrapColumnChanged) {
    pad.SetWrapAtColumn(20);
    pad.SetOptions(pad.Options() | smoWordWrap);
    TFileObject document;
    document.ClearEditor(editor);
    document.RestoreEditorState(editor);
    pad.ReplaceSelection("the quick brown fox jumps over the lazy dog");
    std::string wide = RecordLayout(pad.Store());
    document.StoreEditorState(editor);
    EXPECT_EQ(document.WrapColumn(), 20);

    pad.SetWrapAtColumn(10);
    document.RestoreEditorState(editor);
    EXPECT_NE(RecordLayout(pad.Store()), wide);
    EXPECT_EQ(RecordLayout(pad.Store()), "10 +10 +11 +9 +3");

    document.StoreEditorState(editor);
    document.RestoreEditorState(editor);
    EXPECT_EQ(RecordLayout(pad.Store()), "10 +10 +11 +9 +3") << "same layout: left alone";
}
