#include "search/searchquery.h"

#include <QStringList>

namespace SearchQuery {
namespace {

// The words of a piece of text as unicode61 splits them: runs of letters and
// digits.
QStringList wordsOf(const QString &text)
{
    QStringList words;
    QString current;
    for (const QChar c : text) {
        if (c.isLetterOrNumber() || c.isMark()) {
            current += c;
        } else if (!current.isEmpty()) {
            words << current;
            current.clear();
        }
    }
    if (!current.isEmpty())
        words << current;
    return words;
}

QString quoted(const QStringList &words)
{
    return QLatin1Char('"') + words.join(QLatin1Char(' ')) + QLatin1Char('"');
}

} // namespace

std::optional<Parsed> parse(const QString &text, QString *reason)
{
    Parsed parsed;
    QStringList parts;
    int i = 0;
    const int length = text.size();
    while (i < length) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('"')) {
            const int close = text.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0) {
                if (reason)
                    *reason = QStringLiteral("a quotation mark is not closed");
                return std::nullopt;
            }
            const QStringList words = wordsOf(text.mid(i + 1, close - i - 1));
            if (!words.isEmpty()) {
                parts << quoted(words);
                parsed.terms << words.join(QLatin1Char(' '));
            }
            i = close + 1;
            continue;
        }
        int end = i;
        while (end < length && !text.at(end).isSpace() && text.at(end) != QLatin1Char('"'))
            ++end;
        const QString token = text.mid(i, end - i);
        const bool prefix = token.endsWith(QLatin1Char('*'));
        const QStringList words = wordsOf(token);
        if (!words.isEmpty()) {
            // "164.308" is one phrase of two words, as the index holds it.
            QString part = quoted(words);
            if (prefix)
                part += QLatin1Char('*');
            parts << part;
            parsed.terms << words.join(QLatin1Char(' ')) + (prefix ? QStringLiteral("*") : QString());
        }
        i = end;
    }
    if (parts.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("there is nothing to search for");
        return std::nullopt;
    }
    parsed.match = parts.join(QLatin1Char(' '));
    return parsed;
}

} // namespace SearchQuery
