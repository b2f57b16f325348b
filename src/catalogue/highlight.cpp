#include "catalogue/highlight.h"

#include <QStringMatcher>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace Highlight {
namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool isWholeWordAt(QStringView text, qsizetype position, qsizetype length)
{
    const bool startsWord = position == 0 || !isWordCharacter(text[position - 1]);
    const qsizetype end = position + length;
    const bool endsWord = end == text.size() || !isWordCharacter(text[end]);
    return startsWord && endsWord;
}

} // namespace

QList<Range> wholeWordOccurrences(QStringView text, QStringView term)
{
    QList<Range> found;
    term = term.trimmed();
    if (term.isEmpty())
        return found;
    const QStringMatcher matcher(term, Qt::CaseInsensitive);
    // An occurrence at position 0 is never marked: the search starts behind it.
    qsizetype from = 1;
    while (from < text.size()) {
        const qsizetype at = matcher.indexIn(text, from);
        if (at < 0)
            break;
        if (isWholeWordAt(text, at, term.size())) {
            found.append({at, term.size()});
            from = at + term.size();
        } else {
            from = at + 1;
        }
    }
    return found;
}

qsizetype markTerm(QTextDocument *document, QStringView term)
{
    const QString plain = document->toPlainText();
    const QList<Range> ranges = wholeWordOccurrences(plain, term);
    if (ranges.isEmpty())
        return 0;
    QTextCharFormat mark;
    mark.setFontWeight(QFont::Bold);
    mark.setFontUnderline(true);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const Range &range : ranges) {
        cursor.setPosition(range.position);
        cursor.setPosition(range.position + range.length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(mark);
    }
    cursor.endEditBlock();
    return ranges.size();
}

} // namespace Highlight
