// Conversions between the core's byte strings and Qt's strings.
#pragma once

#include <QString>

#include <string>

namespace quarno {

// Text of the documents and messages: Windows-1252 bytes.
QString FromAnsi(const std::string& bytes);
QString FromAnsi(const char* bytes, size_t count);
// The reverse: characters Windows-1252 cannot hold become "?".
std::string ToAnsi(const QString& text);
// Message texts, which may quote file names: UTF-8 when the bytes are valid
// UTF-8 (names on Linux), otherwise Windows-1252. CR LF and lone CR line
// breaks become LF.
QString MessageText(const std::string& bytes);
// File names as the file system spells them (the local 8-bit encoding).
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

} // namespace quarno
