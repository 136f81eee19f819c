// Exceptions raised by the output viewers: the file scanner's date checks
// (the conversion error EConvertError they also raise lives in the base).
#pragma once

#include "core/base/Exceptions.h"

namespace quarno {

// A date property of the file scanner set to a value outside its range.
class EInvalidStartEndDate : public Exception {
public:
    using Exception::Exception;
};

} // namespace quarno
