#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the user types into the search, as an FTS5 query: words (all must
// occur), a word ending in '*' for every word it begins, and "phrases in
// quotes". Everything else the user types is taken as text, never as FTS5
// syntax, so no input reaches the index as an operator.
namespace SearchQuery {

struct Parsed
{
    QString match;          // the FTS5 MATCH expression
    QStringList terms;      // the words and phrases, for marking
};

// Nothing (with *reason) for a query that cannot be parsed: an unclosed
// quote, or nothing to search for.
std::optional<Parsed> parse(const QString &text, QString *reason = nullptr);

} // namespace SearchQuery
