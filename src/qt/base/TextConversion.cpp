// Conversions between byte strings and QString.
#include "qt/base/TextConversion.h"

#include <QFile>
#include <QStringDecoder>

namespace quarno {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five codes it
// leaves undefined map to the C1 controls of the same value.
static const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromAnsi(const std::string& bytes) {
    return FromAnsi(bytes.data(), bytes.size());
}

QString FromAnsi(const char* bytes, size_t count) {
    QString text(static_cast<qsizetype>(count), Qt::Uninitialized);
    QChar* out = text.data();
    for (size_t i = 0; i < count; ++i) {
        auto code = static_cast<unsigned char>(bytes[i]);
        out[i] = code >= 0x80 && code < 0xA0 ? QChar(kCp1252High[code - 0x80]) : QChar(code);
    }
    return text;
}

std::string ToAnsi(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        char16_t code = c.unicode();
        if (code < 0x80 || (code >= 0xA0 && code < 0x100)) {
            bytes.push_back(static_cast<char>(code));
            continue;
        }
        char byte = '?';
        for (int i = 0; i < 32; ++i)
            if (kCp1252High[i] == code) {
                byte = static_cast<char>(0x80 + i);
                break;
            }
        bytes.push_back(byte);
    }
    return bytes;
}

QString MessageText(const std::string& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(QByteArray::fromStdString(bytes));
    if (utf8.hasError()) text = FromAnsi(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace quarno
