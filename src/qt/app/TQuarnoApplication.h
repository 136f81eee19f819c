// The application object and its general error display: an exception that a
// command does not catch ends that command and is shown as one error box with
// the error's text; the program goes on.
#pragma once

#include <QApplication>

#include <functional>
#include <string>

namespace quarno {

class TPrompts;

class TQuarnoApplication : public QApplication {
    Q_OBJECT
public:
    TQuarnoApplication(int& argc, char** argv);

    // The prompts that show uncaught errors (not owned); without them errors
    // go to standard error.
    void SetPrompts(TPrompts* prompts) { m_prompts = prompts; }

    // Catches what escapes an event handler and shows it.
    bool notify(QObject* receiver, QEvent* event) override;
    // Shows one error box. An error raised while such a box is open goes to
    // standard error instead, so a handler that fails on every event cannot
    // pile up boxes without end.
    void ShowException(const std::string& text);

    // Runs a command, showing any exception it raises through the general
    // error display; command handlers use it so that no exception has to
    // cross Qt's own code on its way to notify().
    static void RunCommand(const std::function<void()>& command);

private:
    TPrompts* m_prompts = nullptr;
    bool m_showingError = false;
};

} // namespace quarno
