// The application object with the general error display.
#include "qt/app/TQuarnoApplication.h"

#include "core/app/TPrompts.h"

#include <cstdio>

namespace quarno {

TQuarnoApplication::TQuarnoApplication(int& argc, char** argv)
    : QApplication(argc, argv),
      m_previousSink(SetErrorSink([this](const std::string& text) { ShowException(text); })) {}

TQuarnoApplication::~TQuarnoApplication() {
    SetErrorSink(std::move(m_previousSink));
}

bool TQuarnoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
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

} // namespace quarno
