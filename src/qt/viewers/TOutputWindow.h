// What the output tool windows share: always above the main window, a close
// box only, created hidden and disabled, and their position and size kept in
// KBX.INI (read at creation, written whenever the window stops being active
// and when it is closed). Closing hides the window; the main window is told
// so that it can clear the menu check mark.
#pragma once

#include "core/viewers/WindowBounds.h"

#include <QWidget>

#include <functional>
#include <string>

namespace quarno {

class TOutputWindow : public QWidget {
    Q_OBJECT
public:
    TOutputWindow(const TWindowBoundsKeys& keys, QWidget* parent);

    // Reads the window's bounds from the configuration file and applies them.
    void FormCreate(const std::string& configFile);

    std::function<void()> OnClosed;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    const std::string& ConfigFile() const { return m_configFile; }

private:
    void WriteBounds();

    TWindowBoundsKeys m_keys;
    std::string m_configFile;
};

} // namespace quarno
