// The command boundary and its error sink.
#include "qt/base/CommandBoundary.h"

#include <cstdio>
#include <exception>

namespace quarno {

namespace {

const char* const kUnknownError = "An unknown error occurred";

TErrorSink& Sink() {
    static TErrorSink sink;
    return sink;
}

int g_commandDepth = 0;

} // namespace

bool CommandRunning() {
    return g_commandDepth > 0;
}

TErrorSink SetErrorSink(TErrorSink sink) {
    std::swap(Sink(), sink);
    return sink;
}

void ShowCurrentException() {
    std::string text;
    try {
        throw;
    } catch (const std::exception& error) {
        text = error.what();
    } catch (...) {
        text = kUnknownError;
    }
    if (Sink())
        Sink()(text);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

void RunCommand(const std::function<void()>& command) {
    ++g_commandDepth;
    try {
        command();
    } catch (...) {
        ShowCurrentException();
    }
    --g_commandDepth;
}

} // namespace quarno
