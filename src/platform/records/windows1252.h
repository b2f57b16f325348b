#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit code page of every text file, record file and RTF document the
// program reads or writes. Characters outside the code page encode as '?'.
namespace Windows1252 {

QString decode(QByteArrayView bytes);
QChar decodeByte(unsigned char byte);

QByteArray encode(QStringView text);
// The code-page byte for one character, or -1 when the code page has none.
int encodeChar(char32_t codePoint);

} // namespace Windows1252
