// Exceptions raised by the output viewers: the platform's conversion error
// (a text that is not a number or a date) and the file scanner's date checks.
#pragma once

#include "core/base/Exceptions.h"

namespace quarno {

// Text that does not convert: "'%s' is not a valid integer value", or a date
// that does not exist.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A date property of the file scanner set to a value outside its range.
class EInvalidStartEndDate : public Exception {
public:
    using Exception::Exception;
};

} // namespace quarno
