#include "history/reviewstore.h"

#include "history/versionstore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace ReviewStore {

QString safeguardItem(int safeguardNo)
{
    return QStringLiteral("safeguard:%1").arg(safeguardNo);
}

QString worksheetItem(int worksheetIndex)
{
    return QStringLiteral("worksheet:%1").arg(worksheetIndex + 1);
}

namespace {
QString nonNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

Review reviewFrom(const QSqlQuery &query)
{
    return {query.value(0).toString(), query.value(1).toString(),
            QDate::fromString(query.value(2).toString(), Qt::ISODate), query.value(3).toString(),
            VersionStore::timeFromText(query.value(4).toString())};
}
} // namespace

bool add(QSqlDatabase &db, const Review &review, QString *reason)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO reviews (item, reviewer, reviewed_on, note, recorded_at)"
                                 " VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(review.item);
    query.addBindValue(nonNull(review.reviewer));
    query.addBindValue(review.reviewedOn.toString(Qt::ISODate));
    query.addBindValue(nonNull(review.note));
    query.addBindValue(VersionStore::timeText(review.recordedAt));
    if (query.exec())
        return true;
    if (reason)
        *reason = query.lastError().databaseText().isEmpty() ? query.lastError().text()
                                                             : query.lastError().databaseText();
    return false;
}

QList<Review> reviews(const QSqlDatabase &db, const QString &item)
{
    QList<Review> result;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT item, reviewer, reviewed_on, note, recorded_at FROM reviews"
                                 " WHERE item = ? ORDER BY reviewed_on DESC, id DESC"));
    query.addBindValue(item);
    if (!query.exec())
        return result;
    while (query.next())
        result.append(reviewFrom(query));
    return result;
}

QHash<QString, Review> lastReviews(const QSqlDatabase &db)
{
    QHash<QString, Review> result;
    QSqlQuery query(db);
    // Oldest first, so each item ends with its latest review.
    if (!query.exec(QStringLiteral("SELECT item, reviewer, reviewed_on, note, recorded_at FROM reviews"
                                   " ORDER BY reviewed_on, id")))
        return result;
    while (query.next()) {
        Review review = reviewFrom(query);
        result.insert(review.item, review);
    }
    return result;
}

QList<Due> dueItems(const QHash<QString, Review> &last, const QStringList &items, const QDate &today, int months)
{
    QList<Due> due;
    for (const QString &item : items) {
        const auto found = last.constFind(item);
        if (found == last.cend())
            due.append({item, std::nullopt});
        else if (found->reviewedOn.addMonths(months) <= today)
            due.append({item, found->reviewedOn});
    }
    std::stable_sort(due.begin(), due.end(), [](const Due &a, const Due &b) {
        if (a.lastReviewed.has_value() != b.lastReviewed.has_value())
            return !a.lastReviewed.has_value();
        return a.lastReviewed.has_value() && *a.lastReviewed < *b.lastReviewed;
    });
    return due;
}

} // namespace ReviewStore
