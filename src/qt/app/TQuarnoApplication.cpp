// The application object with the general error display.
#include "app/TQuarnoApplication.h"

#include "app/TPrompts.h"

#include <cstdio>
#include <exception>

namespace quarno {

namespace {
const char* const kUnknownError = "An unknown error occurred";

// Reports whatever the current exception is; call only inside a catch block.
void ShowCurrentException(TQuarnoApplication* application) {
    std::string text;
    try {
        throw;
    } catch (const std::exception& error) {
        text = error.what();
    } catch (...) {
        text = kUnknownError;
    }
    if (application)
        application->ShowException(text);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}
} // namespace

TQuarnoApplication::TQuarnoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TQuarnoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException(this);
    }
    return false;
}

void TQuarnoApplication::ShowException(const std::string& text) {
    if (!m_prompts || m_showingError) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return;
    }
    m_showingError = true;
    try {
        m_prompts->ShowException(text);
    } catch (...) {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    m_showingError = false;
}

void TQuarnoApplication::RunCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (...) {
        ShowCurrentException(qobject_cast<TQuarnoApplication*>(QCoreApplication::instance()));
    }
}

} // namespace quarno
