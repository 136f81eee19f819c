// The main window of the editor.
#pragma once

#include <QMainWindow>

class TEditorMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TEditorMainForm(QWidget* parent = nullptr);
};
