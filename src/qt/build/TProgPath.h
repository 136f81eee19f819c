// The dialog that names the user's own programmer: its name, its program and
// the command-line template, stored in KBX.INI on OK.
#pragma once

#include "build/TProgrammerPaths.h"

#include <QDialog>

#include <string>

class QLineEdit;

namespace quarno {

class TFileDialogs;

class TProgPath : public QDialog {
    Q_OBJECT
public:
    explicit TProgPath(QWidget* parent = nullptr);

    // The file dialogs Browse uses and the configuration file it works on.
    void Configure(TFileDialogs& fileDialogs, const std::string& configFile);
    // The programmer's name stored by the last OK.
    const std::string& ProgrammerName() const { return m_programmerName; }

    QLineEdit* ProgName() const { return m_name; }
    QLineEdit* PathName() const { return m_path; }
    QLineEdit* ComParams() const { return m_params; }
    void BrowseClick();
    void OkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* AddField(const char* name, const char* label, const char* hint);

    TProgPathValues m_values;
    TFileDialogs* m_fileDialogs = nullptr;
    std::string m_configFile;
    std::string m_programmerName;
    QLineEdit* m_name;
    QLineEdit* m_path;
    QLineEdit* m_params;
};

} // namespace quarno
