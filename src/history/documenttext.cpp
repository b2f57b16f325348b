#include "history/documenttext.h"

#include "platform/records/windows1252.h"
#include "platform/rtf/rtf.h"

#include <QTextDocument>

namespace DocumentText {

QString plainText(const QString &fileName, QByteArrayView bytes)
{
    Q_UNUSED(fileName);
    if (Rtf::looksLikeRtf(bytes)) {
        QTextDocument document;
        Rtf::read(bytes, &document);
        return document.toPlainText();
    }
    // Record and list files: fixed records padded with blanks or NULs, and
    // quoted lines. The quotes and padding are format, not words.
    QString text = Windows1252::decode(bytes);
    for (QChar &c : text) {
        if (c == QChar(0) || c == QLatin1Char('"'))
            c = QLatin1Char(' ');
    }
    return text;
}

namespace {
// Words are runs of letters and digits; white space runs; every other
// character (punctuation) is a piece of its own.
enum class Class { Space, Word, Mark };
Class classOf(QChar c)
{
    if (c.isSpace())
        return Class::Space;
    return c.isLetterOrNumber() || c.isMark() ? Class::Word : Class::Mark;
}
} // namespace

QStringList pieces(const QString &text)
{
    QStringList result;
    int start = 0;
    const int length = text.size();
    while (start < length) {
        const Class kind = classOf(text.at(start));
        int end = start + 1;
        if (kind != Class::Mark) {
            while (end < length && classOf(text.at(end)) == kind)
                ++end;
        }
        result << text.mid(start, end - start);
        start = end;
    }
    return result;
}

int wordCount(const QString &text)
{
    int count = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool word = classOf(c) == Class::Word;
        if (word && !inWord)
            ++count;
        inWord = word;
    }
    return count;
}

} // namespace DocumentText
