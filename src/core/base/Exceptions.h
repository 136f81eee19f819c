// Exceptions raised by the core. Their texts are the system's own messages,
// shown to the user unchanged by the application's general error display.
#pragma once

#include <stdexcept>
#include <string>

namespace quarno {

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFileSaveError : public Exception {
public:
    using Exception::Exception;
};

// Text that does not convert: "'%s' is not a valid integer value", or a date
// that does not exist.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Errors of the editing control.
class ELexipad : public Exception {
public:
    using Exception::Exception;
};

} // namespace quarno
