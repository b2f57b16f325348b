#include "platform/rtf/rtfreader.h"

#include "platform/records/windows1252.h"

#include <algorithm>

// The reader's text runs: bytes in the document's or the font's code page,
// Unicode units, and the characters they become in the current destination.
namespace Rtf::Internal {

void Reader::handleText(std::string_view bytes)
{
    size_t first = 0;
    if (m_skipCount > 0) {
        first = std::min(bytes.size(), size_t(m_skipCount));
        m_skipCount -= int(first);
    }
    if (first >= bytes.size())
        return;
    GroupState &s = state();
    if (s.pairMemberUndecided || s.starred)
        s.dest = Destination::Skip;
    if (s.dest == Destination::Skip || s.dest == Destination::EmbeddedObject)
        return;
    if (const int page = codePage(); page != WesternCodePage) {
        if (!m_pendingBytes.isEmpty() && page != m_pendingCodePage)
            flushBytes();
        m_pendingCodePage = page;
        m_pendingBytes.append(bytes.data() + first, qsizetype(bytes.size() - first));
        return;
    }
    if (s.dest != Destination::Text || m_highSurrogate) {
        for (size_t i = first; i < bytes.size(); ++i)
            appendCharacter(Windows1252::decodeByte(static_cast<unsigned char>(bytes[i])).unicode());
        return;
    }
    if (s.chr.hidden)
        return;
    // The common case: plain text in the body, decoded straight into the run.
    ensureRunFormat();
    QString &buffer = m_builder.textBuffer(s.para.inTable);
    size_t i = first;
    while (i < bytes.size()) {
        // Printable ASCII converts in bulk; other bytes one at a time.
        size_t end = i;
        while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x20
               && static_cast<unsigned char>(bytes[end]) < 0x7F)
            ++end;
        if (end > i) {
            buffer.append(QLatin1StringView(bytes.data() + i, qsizetype(end - i)));
            i = end;
            continue;
        }
        if (const char16_t unit = sanitized(Windows1252::decodeByte(static_cast<unsigned char>(bytes[i])).unicode()))
            buffer.append(QChar(unit));
        ++i;
    }
}

void Reader::takeByte(unsigned char byte)
{
    const int page = codePage();
    if (!m_pendingBytes.isEmpty() && page != m_pendingCodePage)
        flushBytes();
    if (page == WesternCodePage) {
        appendCharacter(Windows1252::decodeByte(byte).unicode());
        return;
    }
    m_pendingCodePage = page;
    m_pendingBytes.append(char(byte));
}

void Reader::flushBytes()
{
    const QString text = m_decoder.decode(m_pendingCodePage, m_pendingBytes);
    m_pendingBytes.clear();
    for (const QChar ch : text)
        appendCharacter(ch.unicode());
}

// The code page of text bytes here: the font table entry's own while its name
// is read, the current font's in text, the document's when the font names none.
int Reader::codePage()
{
    const GroupState &s = state();
    if (s.dest == Destination::FontTable)
        return m_fontCodePage ? m_fontCodePage : m_documentCodePage;
    if (s.dest == Destination::LevelText)
        return WesternCodePage; // raw values and bullet characters
    const int font = s.chr.font < 0 ? m_defaultFont : s.chr.font;
    if (!m_codePageValid || font != m_codePageFont) {
        // A font missing from the table is shown in the default font (see
        // charFormat), so its text is read in that font's code page.
        auto found = m_fontCodePages.constFind(font);
        if (found == m_fontCodePages.cend())
            found = m_fontCodePages.constFind(m_defaultFont);
        const int page = found == m_fontCodePages.cend() ? 0 : *found;
        m_codePage = page ? page : m_documentCodePage;
        m_codePageFont = font;
        m_codePageValid = true;
    }
    return m_codePage;
}

void Reader::appendUnit(char16_t unit)
{
    if (state().dest == Destination::LevelText) {
        if (m_collectedText.size() < MaxCollectedText)
            m_collectedText.append(QChar(unit));
        return;
    }
    if (QChar::isHighSurrogate(unit)) {
        if (m_highSurrogate)
            appendCharacter(0xFFFD);
        m_highSurrogate = unit;
        return;
    }
    if (QChar::isLowSurrogate(unit)) {
        if (!m_highSurrogate) {
            appendCharacter(0xFFFD);
            return;
        }
        const char16_t pair[2] = {m_highSurrogate, unit};
        m_highSurrogate = 0;
        GroupState &s = state();
        if (s.dest == Destination::Text && !s.chr.hidden) {
            ensureRunFormat();
            m_builder.textBuffer(s.para.inTable).append(QStringView(pair, 2));
        }
        return;
    }
    appendCharacter(unit);
}

void Reader::appendCharacter(char16_t unit)
{
    if (m_highSurrogate) {
        m_highSurrogate = 0;
        appendCharacter(0xFFFD);
    }
    GroupState &s = state();
    switch (s.dest) {
    case Destination::Text:
        if (s.chr.hidden)
            return;
        if (const char16_t clean = sanitized(unit)) {
            ensureRunFormat();
            m_builder.textBuffer(s.para.inTable).append(QChar(clean));
        }
        return;
    case Destination::FontTable:
        if (unit == u';')
            commitFont();
        else if (m_fontName.size() < MaxCollectedText)
            m_fontName.append(QChar(unit));
        return;
    case Destination::ColorTable:
        if (unit == u';' && m_colors.size() < MaxTableEntries) {
            if (m_red < 0 && m_green < 0 && m_blue < 0)
                m_colors.append(QColor());
            else
                m_colors.append(QColor(std::max(0, m_red), std::max(0, m_green), std::max(0, m_blue)));
            forgetCharFormats();
            m_red = m_green = m_blue = -1;
        }
        return;
    case Destination::LevelText:
    case Destination::NumberingTextBefore:
    case Destination::NumberingTextAfter:
        if (m_collectedText.size() < MaxCollectedText)
            m_collectedText.append(QChar(unit));
        return;
    default:
        return;
    }
}

void Reader::ensureRunFormat()
{
    const CharState &chr = state().chr;
    if (m_runStateValid && chr == m_runState)
        return;
    if (m_charFormats.size() > MaxTableEntries)
        m_charFormats.clear();
    auto cached = m_charFormats.constFind(chr);
    if (cached == m_charFormats.cend())
        cached = m_charFormats.insert(chr, charFormat(chr));
    m_builder.setCharFormat(*cached);
    m_runState = chr;
    m_runStateValid = true;
}

} // namespace Rtf::Internal
