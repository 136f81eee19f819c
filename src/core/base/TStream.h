// Byte streams: the abstract stream every loader, saver and component format
// reads and writes, plus the little-endian primitives of the component formats.
#pragma once

#include <cstdint>
#include <string>

namespace quarno {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    TStream() = default;
    virtual ~TStream() = default;
    // Streams are identities (a file handle, a cursor over a document).
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes up to count bytes; returns how many were written.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Moves the position; returns the new position.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

    // Read or write exactly count bytes, else EReadError / EWriteError.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies count bytes from source (all of it from its start when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);
    // The remaining bytes from the current position.
    std::string ReadRemaining();
};

// Little-endian primitives shared by all component stream formats.
uint8_t ReadByte(TStream& stream);
uint16_t ReadUInt16(TStream& stream);
int32_t ReadInt32(TStream& stream);
std::string ReadLongString(TStream& stream);  // int32 length, then bytes
std::string ReadShortString(TStream& stream); // byte length, then bytes
void WriteByte(TStream& stream, uint8_t value);
void WriteUInt16(TStream& stream, uint16_t value);
void WriteInt32(TStream& stream, int32_t value);
void WriteLongString(TStream& stream, const std::string& value);
void WriteShortString(TStream& stream, const std::string& value); // at most 255 bytes

} // namespace quarno
