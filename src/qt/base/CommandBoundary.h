// The boundary around every command and event handler: an exception it does
// not catch ends that command and is shown through the error sink (the
// application's general error display); the program goes on.
#pragma once

#include <functional>
#include <string>

namespace quarno {

using TErrorSink = std::function<void(const std::string& text)>;

// Where uncaught errors are shown; an empty sink sends them to standard
// error. Answers the sink it replaces.
TErrorSink SetErrorSink(TErrorSink sink);

// Runs a command, showing any exception it raises, so that no exception has
// to cross Qt's own code.
void RunCommand(const std::function<void()>& command);

// Whether a command is running: work that must not cut into one (a question
// about a file changed outside) waits while this is true.
bool CommandRunning();

// Shows the exception being handled; call only inside a catch block.
void ShowCurrentException();

} // namespace quarno
