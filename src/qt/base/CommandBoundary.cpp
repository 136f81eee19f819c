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

} // namespace

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
    try {
        command();
    } catch (...) {
        ShowCurrentException();
    }
}

} // namespace quarno
