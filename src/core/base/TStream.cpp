// Byte streams and the little-endian primitives of the component formats.
#include "core/base/TStream.h"

#include "core/base/Exceptions.h"

#include <algorithm>
#include <vector>

namespace quarno {

int64_t TStream::Size() {
    int64_t position = Seek(0, TSeekOrigin::soCurrent);
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(count, 65536)) + 1);
    int64_t left = count;
    while (left > 0) {
        int64_t piece = std::min<int64_t>(left, static_cast<int64_t>(buffer.size()));
        source.ReadBuffer(buffer.data(), piece);
        WriteBuffer(buffer.data(), piece);
        left -= piece;
    }
    return count;
}

std::string TStream::ReadRemaining() {
    std::string result;
    char buffer[8192];
    for (;;) {
        int64_t got = Read(buffer, sizeof buffer);
        if (got <= 0) break;
        result.append(buffer, static_cast<size_t>(got));
    }
    return result;
}

uint8_t ReadByte(TStream& stream) {
    uint8_t value = 0;
    stream.ReadBuffer(&value, 1);
    return value;
}

uint16_t ReadUInt16(TStream& stream) {
    uint8_t bytes[2];
    stream.ReadBuffer(bytes, 2);
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

int32_t ReadInt32(TStream& stream) {
    uint8_t bytes[4];
    stream.ReadBuffer(bytes, 4);
    uint32_t value = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                     (static_cast<uint32_t>(bytes[2]) << 16) |
                     (static_cast<uint32_t>(bytes[3]) << 24);
    return static_cast<int32_t>(value);
}

static std::string ReadCountedBytes(TStream& stream, int64_t length) {
    if (length < 0 || length > stream.Size() - stream.Position())
        throw EReadError("Stream read error");
    std::string value(static_cast<size_t>(length), '\0');
    stream.ReadBuffer(value.data(), length);
    return value;
}

std::string ReadLongString(TStream& stream) {
    return ReadCountedBytes(stream, ReadInt32(stream));
}

std::string ReadShortString(TStream& stream) {
    return ReadCountedBytes(stream, ReadByte(stream));
}

void WriteByte(TStream& stream, uint8_t value) {
    stream.WriteBuffer(&value, 1);
}

void WriteUInt16(TStream& stream, uint16_t value) {
    uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    stream.WriteBuffer(bytes, 2);
}

void WriteInt32(TStream& stream, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    uint8_t bytes[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                        static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    stream.WriteBuffer(bytes, 4);
}

void WriteLongString(TStream& stream, const std::string& value) {
    WriteInt32(stream, static_cast<int32_t>(value.size()));
    stream.WriteBuffer(value.data(), static_cast<int64_t>(value.size()));
}

void WriteShortString(TStream& stream, const std::string& value) {
    size_t length = std::min<size_t>(value.size(), 255);
    WriteByte(stream, static_cast<uint8_t>(length));
    stream.WriteBuffer(value.data(), static_cast<int64_t>(length));
}

} // namespace quarno
