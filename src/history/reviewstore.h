#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// Reviews signed off (table reviews): who reviewed an item, on which day,
// with a note. Every review is kept; the latest is the item's last review.
//
// Items are named by a key: "safeguard:N" (N the safeguard's number), "plan"
// (the disaster recovery plan), "worksheet:N" (N 1-21), "risk-analysis".
namespace ReviewStore {

inline constexpr char kIntervalSetting[] = "reviews.interval-months";
inline constexpr int kDefaultIntervalMonths = 12;

QString safeguardItem(int safeguardNo);
QString worksheetItem(int worksheetIndex);   // 0-based index, key 1-21
inline const QString kPlanItem = QStringLiteral("plan");
inline const QString kRiskAnalysisItem = QStringLiteral("risk-analysis");

struct Review
{
    QString item;
    QString reviewer;
    QDate reviewedOn;
    QString note;
    QDateTime recordedAt;   // UTC
};

// Runs inside the caller's transaction.
bool add(QSqlDatabase &db, const Review &review, QString *reason);
// The item's reviews, latest first (by the day reviewed, then as recorded).
QList<Review> reviews(const QSqlDatabase &db, const QString &item);
// Every item's latest review.
QHash<QString, Review> lastReviews(const QSqlDatabase &db);

struct Due
{
    QString item;
    std::optional<QDate> lastReviewed;   // none: never reviewed
};
// Of the items, those never reviewed or last reviewed `months` or more
// months before today: never-reviewed first, then the oldest review first;
// ties keep the order of items.
QList<Due> dueItems(const QHash<QString, Review> &last, const QStringList &items, const QDate &today, int months);

} // namespace ReviewStore
