// The main window of the editor.
#include "app/TEditorMainForm.h"

TEditorMainForm::TEditorMainForm(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("QUARNO+");
    setMinimumSize(400, 200);
}
