#pragma once

#include "search/searchindex.h"

#include <QStandardItemModel>

// The results of one search as a tree: a row per safeguard or document
// (the group), best group first, and under it each result with its snippet,
// the words found in bold. Results carry their document (ResultRole).
class SearchResultsModel : public QStandardItemModel
{
    Q_OBJECT
public:
    enum Role { ResultIndexRole = Qt::UserRole + 1, HtmlRole };

    explicit SearchResultsModel(QObject *parent = nullptr);

    void setResults(const QList<SearchIndex::Result> &results);
    // The result behind an index (a group row gives its first result).
    const SearchIndex::Result *resultAt(const QModelIndex &index) const;
    int resultCount() const { return int(m_results.size()); }

    // The snippet as HTML, the marked words in bold.
    static QString snippetHtml(const QString &snippet);

private:
    QList<SearchIndex::Result> m_results;
};
