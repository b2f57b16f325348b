#pragma once

#include <QList>
#include <QStringView>

class QTextDocument;

// Marking a term in a reference text or a report: every whole-word
// occurrence, letter case ignored, except one at the very start of the text.
namespace Highlight {

struct Range
{
    qsizetype position;
    qsizetype length;
    friend bool operator==(const Range &, const Range &) = default;
};

// The occurrences of the (trimmed) term in the text, in order and without
// overlap. A word is a run of letters, digits and underscores, so a term
// inside a longer word is not an occurrence. Runs in time linear in the text.
QList<Range> wholeWordOccurrences(QStringView text, QStringView term);

// Makes every occurrence in the document's plain text bold and underlined,
// keeping the rest of the formatting. Returns the number of marked places.
qsizetype markTerm(QTextDocument *document, QStringView term);

} // namespace Highlight
