#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <unordered_map>

namespace Rtf::Internal {

// The Windows code page the program reads and writes RTF in.
constexpr int WesternCodePage = 1252;

// The Windows code page of an RTF font character set (\fcharsetN), or 0 when
// the character set names none and the document's code page applies.
int codePageForCharset(int charset);

// Decodes text bytes in a Windows code page, single- or double-byte, through
// Qt's converters. Each call decodes a complete run: a lead byte without its
// trail byte at the end is dropped. A code page the system cannot decode is
// read as Windows-1252, as every page was before code pages were honoured.
class CodePageDecoder
{
public:
    QString decode(int codePage, QByteArrayView bytes);

private:
    std::unordered_map<int, QStringDecoder> m_decoders;
};

} // namespace Rtf::Internal
