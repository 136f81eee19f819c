// The application object and its general error display: an exception that a
// command does not catch ends that command and is shown as one error box with
// the error's text; the program goes on.
#pragma once

#include "qt/base/CommandBoundary.h"

#include <QApplication>

#include <string>

namespace quarno {

class TPrompts;

class TQuarnoApplication : public QApplication {
    Q_OBJECT
public:
    // Becomes the command boundary's error sink for its lifetime.
    TQuarnoApplication(int& argc, char** argv);
    ~TQuarnoApplication() override;

    // The prompts that show uncaught errors (not owned); without them errors
    // go to standard error.
    void SetPrompts(TPrompts* prompts) { m_prompts = prompts; }

    // Catches what escapes an event handler and shows it.
    bool notify(QObject* receiver, QEvent* event) override;
    // Shows one error box. An error raised while such a box is open goes to
    // standard error instead, so a handler that fails on every event cannot
    // pile up boxes without end.
    void ShowException(const std::string& text);

private:
    TPrompts* m_prompts = nullptr;
    bool m_showingError = false;
    TErrorSink m_previousSink;
};

} // namespace quarno
