// The dialog that names the user's own programmer: its name, its program and
// the command-line template, stored in KBX.INI on OK. The user's bootloader
// has the same dialog with its own texts and section.
#pragma once

#include "core/toolchain/TProgrammerPaths.h"

#include <QDialog>

#include <string>

class QLineEdit;

namespace quarno {

class TFileDialogs;

class TProgPath : public QDialog {
    Q_OBJECT
public:
    explicit TProgPath(QWidget* parent = nullptr);

    // What differs between the programmer's and the bootloader's dialog.
    struct TTexts {
        const char* objectName;
        const char* caption;
        const char* section;
        const char* browseTitle;
        const char* fieldNames[3];
        const char* labels[3];
        const char* hints[3];
        const char* browseHint;
        const char* cancelHint;
    };

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
    TProgPath(const TTexts& texts, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* AddField(const TTexts& texts, int field);
    void AddButtons(const TTexts& texts);

    TProgPathValues m_values;
    TFileDialogs* m_fileDialogs = nullptr;
    std::string m_configFile;
    std::string m_programmerName;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_path = nullptr;
    QLineEdit* m_params = nullptr;
};

} // namespace quarno
