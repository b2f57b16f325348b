#include "searchwindow/searchresultsmodel.h"

#include <QHash>

SearchResultsModel::SearchResultsModel(QObject *parent)
    : QStandardItemModel(parent)
{
}

QString SearchResultsModel::snippetHtml(const QString &snippet)
{
    QString html = snippet.toHtmlEscaped();
    html.replace(SearchIndex::kMarkStart, QStringLiteral("<b style=\"background-color:#fff3a0\">"));
    html.replace(SearchIndex::kMarkEnd, QStringLiteral("</b>"));
    return html;
}

void SearchResultsModel::setResults(const QList<SearchIndex::Result> &results)
{
    clear();
    m_results = results;
    // Groups in the order of their best result; results best first within.
    QHash<QString, QStandardItem *> groups;
    for (int i = 0; i < m_results.size(); ++i) {
        const SearchIndex::Result &result = m_results.at(i);
        QStandardItem *&group = groups[result.document.group];
        if (!group) {
            group = new QStandardItem(result.document.group);
            group->setEditable(false);
            group->setData(i, ResultIndexRole);
            QFont bold = group->font();
            bold.setBold(true);
            group->setFont(bold);
            appendRow(group);
        }
        auto *item = new QStandardItem(result.document.title);
        item->setEditable(false);
        item->setData(i, ResultIndexRole);
        item->setData(QStringLiteral("<div>%1</div><div style=\"color:#444\">%2</div>")
                          .arg(result.document.title.toHtmlEscaped(), snippetHtml(result.snippet)),
                      HtmlRole);
        item->setToolTip(result.document.location);
        group->appendRow(item);
    }
    for (QStandardItem *group : std::as_const(groups))
        group->setText(QStringLiteral("%1 (%2)").arg(group->text()).arg(group->rowCount()));
}

const SearchIndex::Result *SearchResultsModel::resultAt(const QModelIndex &index) const
{
    if (!index.isValid())
        return nullptr;
    const QVariant value = index.data(ResultIndexRole);
    if (!value.isValid())
        return nullptr;
    const int i = value.toInt();
    return i >= 0 && i < m_results.size() ? &m_results.at(i) : nullptr;
}
