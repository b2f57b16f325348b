#include "platform/rtf/rtfcodepages.h"

#include "platform/records/windows1252.h"

namespace Rtf::Internal {

namespace {

// The converter names Qt's ICU backend knows for the Windows code pages.
const char *converterName(int codePage)
{
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 874: return "windows-874";
    case 932: return "windows-932";
    case 936: return "windows-936";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    default: return nullptr;
    }
}

} // namespace

int codePageForCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;   // ANSI
    case 2: return 1252;   // Symbol: glyph numbers, read as before
    case 77: return 10000; // Mac Roman
    case 128: return 932;  // Shift JIS
    case 129: return 949;  // Hangul
    case 130: return 1361; // Johab
    case 134: return 936;  // GB2312 / GBK
    case 136: return 950;  // Big5
    case 161: return 1253; // Greek
    case 162: return 1254; // Turkish
    case 163: return 1258; // Vietnamese
    case 177: return 1255; // Hebrew
    case 178: return 1256; // Arabic
    case 186: return 1257; // Baltic
    case 204: return 1251; // Cyrillic
    case 222: return 874;  // Thai
    case 238: return 1250; // Central European
    case 254: return 437;  // PC 437
    case 255: return 850;  // OEM
    default: return 0;     // 1 (default) and the rest: the document's page
    }
}

QString CodePageDecoder::decode(int codePage, QByteArrayView bytes)
{
    auto found = m_decoders.find(codePage);
    if (found == m_decoders.end()) {
        const char *name = converterName(codePage);
        found = m_decoders.emplace(codePage, name ? QStringDecoder(name, QStringDecoder::Flag::Stateless)
                                                  : QStringDecoder()).first;
    }
    if (!found->second.isValid())
        return Windows1252::decode(bytes);
    return found->second.decode(bytes);
}

} // namespace Rtf::Internal
