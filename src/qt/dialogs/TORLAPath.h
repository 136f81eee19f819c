// The dialog that locates the ORLA programmer. Only a path chosen with Browse
// (or the one loaded when it opens) is stored on OK. The Fernwick bootloader
// has the same dialog with its own texts and section.
#pragma once

#include "core/toolchain/TProgrammerPaths.h"

#include <QDialog>

#include <string>

class QLineEdit;

namespace quarno {

class TFileDialogs;

class TORLAPath : public QDialog {
    Q_OBJECT
public:
    explicit TORLAPath(QWidget* parent = nullptr);

    struct TTexts {
        const char* objectName;
        const char* caption;
        const char* section;
        const char* program;
        const char* label;
        const char* fieldName;
        const char* hint;
        const char* browseHint;
    };

    void Configure(TFileDialogs& fileDialogs, const std::string& configFile);
    QLineEdit* ORLA_Path() const { return m_path; }
    void BrowseClick();
    void OkClick();

protected:
    TORLAPath(const TTexts& texts, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    TOrlaPathValues m_values;
    TFileDialogs* m_fileDialogs = nullptr;
    std::string m_configFile;
    QLineEdit* m_path;
};

} // namespace quarno
