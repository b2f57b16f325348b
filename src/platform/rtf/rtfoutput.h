#pragma once

#include <QByteArray>
#include <QStringView>

namespace Rtf::Internal {

// Appends RTF tokens, adding the delimiter a control word needs before text
// and breaking lines (which RTF ignores) only where a break cannot change
// the meaning: between tokens, never between a control word and its
// delimiting space.
class RtfOutput
{
public:
    void controlWord(const char *name);
    void controlWord(const char *name, int parameter);
    void controlSymbol(char symbol);
    void openGroup();
    void closeGroup();
    void raw(QByteArrayView bytes); // trusted RTF text, e.g. the header
    // Text in Windows-1252 with escapes; characters outside the code page
    // become \uN with a '?' for readers that cannot show them.
    void text(QStringView text);
    void lineBreak();

    const QByteArray &bytes() const { return m_bytes; }

    static constexpr int PreferredLineLength = 200;
    static constexpr int MaxLineLength = 250;

private:
    void beforeToken();
    void appendByte(char byte);
    void hexByte(unsigned char byte);

    QByteArray m_bytes;
    int m_lineLength = 0;
    bool m_needDelimiter = false;
};

} // namespace Rtf::Internal
