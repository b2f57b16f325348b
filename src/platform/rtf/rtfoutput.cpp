#include "platform/rtf/rtfoutput.h"

#include "platform/records/windows1252.h"

namespace Rtf::Internal {

void RtfOutput::beforeToken()
{
    if (m_lineLength >= PreferredLineLength)
        lineBreak();
}

void RtfOutput::lineBreak()
{
    if (m_needDelimiter) {
        m_bytes.append(' ');
        m_needDelimiter = false;
    }
    m_bytes.append("\r\n");
    m_lineLength = 0;
}

void RtfOutput::controlWord(const char *name)
{
    beforeToken();
    const qsizetype before = m_bytes.size();
    m_bytes.append('\\').append(name);
    m_lineLength += int(m_bytes.size() - before);
    m_needDelimiter = true;
}

void RtfOutput::controlWord(const char *name, int parameter)
{
    beforeToken();
    const qsizetype before = m_bytes.size();
    m_bytes.append('\\').append(name).append(QByteArray::number(parameter));
    m_lineLength += int(m_bytes.size() - before);
    m_needDelimiter = true;
}

void RtfOutput::controlSymbol(char symbol)
{
    beforeToken();
    m_bytes.append('\\').append(symbol);
    m_lineLength += 2;
    m_needDelimiter = false;
}

void RtfOutput::openGroup()
{
    beforeToken();
    m_bytes.append('{');
    ++m_lineLength;
    m_needDelimiter = false;
}

void RtfOutput::closeGroup()
{
    beforeToken();
    m_bytes.append('}');
    ++m_lineLength;
    m_needDelimiter = false;
}

void RtfOutput::raw(QByteArrayView bytes)
{
    beforeToken();
    m_bytes.append(bytes);
    m_lineLength += int(bytes.size());
    m_needDelimiter = false;
}

void RtfOutput::appendByte(char byte)
{
    if (m_needDelimiter) {
        m_bytes.append(' ');
        ++m_lineLength;
        m_needDelimiter = false;
    }
    // Prefer breaking before a space; break anywhere between characters
    // only when a line has no space for long.
    if ((byte == ' ' && m_lineLength >= PreferredLineLength) || m_lineLength >= MaxLineLength)
        lineBreak();
    m_bytes.append(byte);
    ++m_lineLength;
}

void RtfOutput::hexByte(unsigned char byte)
{
    static const char digits[] = "0123456789abcdef";
    beforeToken();
    const char escape[4] = {'\\', '\'', digits[byte >> 4], digits[byte & 0xF]};
    m_bytes.append(escape, 4);
    m_lineLength += 4;
    m_needDelimiter = false;
}

void RtfOutput::text(QStringView text)
{
    for (const QChar ch : text) {
        const char16_t unit = ch.unicode();
        if (unit >= 0x20 && unit < 0x7F) {
            if (unit == u'\\' || unit == u'{' || unit == u'}')
                controlSymbol(char(unit));
            else
                appendByte(char(unit));
            continue;
        }
        switch (unit) {
        case u'\t':
            controlWord("tab");
            continue;
        case 0x2028:
        case 0x2029:
            controlWord("line");
            continue;
        case 0x00A0:
            controlSymbol('~');
            continue;
        case 0x00AD:
            controlSymbol('-');
            continue;
        case 0x2011:
            controlSymbol('_');
            continue;
        default:
            break;
        }
        // Control characters and object placeholders carry no text.
        if (unit < 0x20 || (unit >= 0x7F && unit < 0xA0) || unit == 0xFFFC)
            continue;
        const int byte = ch.isSurrogate() ? -1 : Windows1252::encodeChar(unit);
        if (byte >= 0x80) {
            hexByte(static_cast<unsigned char>(byte));
            continue;
        }
        beforeToken();
        const QByteArray escape = "\\u" + QByteArray::number(int(static_cast<qint16>(unit))) + '?';
        m_bytes.append(escape);
        m_lineLength += int(escape.size());
        m_needDelimiter = false;
    }
}

} // namespace Rtf::Internal
