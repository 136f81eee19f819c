// Exceptions of the highlighting engine: the compressor, the compiled parser
// block and the parser script compiler. Their texts are the system's own.
#pragma once

#include "core/base/Exceptions.h"

namespace quarno {

// Every failure of TCompressor.
class ECompressorException : public Exception {
public:
    using Exception::Exception;
};
// The LZH method's tables could not be had.
class ElzhException : public ECompressorException {
public:
    using ECompressorException::ECompressorException;
};
// The block method's hash table could not be had.
class ECompressorKHCompressor : public ECompressorException {
public:
    using ECompressorException::ECompressorException;
};

// A compiled parser block of an older format version read while loading.
class ELexipadParserError : public ELexipad {
public:
    using ELexipad::ELexipad;
};

// A parser script error: "** ERROR near line %d, Column %d: %s".
class ELXP_COMP_ERROR : public ELexipad {
public:
    ELXP_COMP_ERROR(const std::string& message, int line, int column)
        : ELexipad(message), m_line(line), m_column(column) {}
    int Line() const { return m_line; }
    int Column() const { return m_column; }

private:
    int m_line;
    int m_column;
};

} // namespace quarno
