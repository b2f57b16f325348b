#pragma once

#include <QList>
#include <QString>

// Word-by-word comparison of two texts (dtl's shortest edit script over the
// words and the white space between them).
namespace WordDiff {

struct Segment
{
    enum class Kind { Same, Inserted, Deleted };
    Kind kind = Kind::Same;
    QString text;
    friend bool operator==(const Segment &, const Segment &) = default;
};

struct Counts
{
    int added = 0;
    int removed = 0;
};

// The segments that turn older into newer: Same and Deleted pieces joined
// give older; Same and Inserted give newer. Neighbouring pieces of one kind
// are merged.
QList<Segment> compare(const QString &older, const QString &newer);
// Words inserted and deleted (white space is not counted).
Counts count(const QList<Segment> &segments);
Counts countChanges(const QString &older, const QString &newer);

// The comparison as HTML: insertions underlined on green, deletions struck
// through on red, paragraphs kept.
QString toHtml(const QList<Segment> &segments);

} // namespace WordDiff
