#include "platform/records/windows1252.h"

#include <QList>

#include <array>

namespace {

// 0x80..0x9F differ from Latin-1; 0 marks the five unassigned bytes, which
// decode to the C1 control of the same value, as Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

namespace Windows1252 {

QChar decodeByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = kHighControls[byte - 0x80];
        return QChar(mapped ? mapped : char16_t(byte));
    }
    return QChar(char16_t(byte));
}

QString decode(QByteArrayView bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar *out = text.data();
    for (char c : bytes)
        *out++ = decodeByte(static_cast<unsigned char>(c));
    return text;
}

int encodeChar(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return int(codePoint);
    for (int i = 0; i < int(kHighControls.size()); ++i) {
        const char16_t mapped = kHighControls[i];
        if ((mapped && mapped == codePoint) || (!mapped && codePoint == char32_t(0x80 + i)))
            return 0x80 + i;
    }
    return -1;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t cp : text.toUcs4()) {
        const int b = encodeChar(cp);
        bytes.append(b < 0 ? '?' : char(b));
    }
    return bytes;
}

} // namespace Windows1252
