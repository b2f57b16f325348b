#include "history/reviewstore.h"
#include "platform/database/workbookdatabase.h"

#include <QTemporaryDir>
#include <QtTest>

using ReviewStore::Review;

class TestReviewStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyReviewIsKeptAndTheLatestIsTheLast()
    {
        QTemporaryDir folder;
        WorkbookDatabase database{Workbook(folder.path())};
        database.open();
        const QDateTime at(QDate(2026, 5, 1), QTime(8, 0), Qt::UTC);
        const QString item = ReviewStore::safeguardItem(12);
        QString error;
        QVERIFY2(database.transact(
                     [&](QSqlDatabase &db, QString *reason) {
                         return ReviewStore::add(db, {item, QStringLiteral("Dana"), QDate(2025, 4, 2), "first", at}, reason)
                                && ReviewStore::add(db, {item, QStringLiteral("Sam"), QDate(2026, 4, 30), QString(), at},
                                                    reason)
                                // Entered late, for an earlier day: not the last review.
                                && ReviewStore::add(db, {item, QStringLiteral("Lee"), QDate(2025, 10, 1), "late", at},
                                                    reason)
                                && ReviewStore::add(db, {ReviewStore::kPlanItem, QStringLiteral("Dana"),
                                                         QDate(2026, 1, 1), QString(), at},
                                                    reason);
                     },
                     &error),
                 qPrintable(error));
        const QList<Review> reviews = ReviewStore::reviews(database.connection(), item);
        QCOMPARE(reviews.size(), 3);
        QCOMPARE(reviews.at(0).reviewer, QStringLiteral("Sam"));
        QCOMPARE(reviews.at(0).note, QString(""));
        QCOMPARE(reviews.at(1).reviewer, QStringLiteral("Lee"));
        QCOMPARE(reviews.at(2).note, QStringLiteral("first"));
        QCOMPARE(reviews.at(2).recordedAt, at);
        const auto last = ReviewStore::lastReviews(database.connection());
        QCOMPARE(last.size(), 2);
        QCOMPARE(last.value(item).reviewedOn, QDate(2026, 4, 30));
    }

    void dueListsNeverReviewedThenOldestFirst()
    {
        QHash<QString, Review> last;
        last.insert(QStringLiteral("a"), {QStringLiteral("a"), {}, QDate(2025, 6, 1), {}, {}});
        last.insert(QStringLiteral("b"), {QStringLiteral("b"), {}, QDate(2024, 1, 15), {}, {}});
        last.insert(QStringLiteral("c"), {QStringLiteral("c"), {}, QDate(2026, 2, 1), {}, {}});   // not due
        last.insert(QStringLiteral("d"), {QStringLiteral("d"), {}, QDate(2025, 6, 2), {}, {}});   // due tomorrow
        const QStringList items{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                                QStringLiteral("never1"), QStringLiteral("never2")};
        const QList<ReviewStore::Due> due = ReviewStore::dueItems(last, items, QDate(2026, 6, 1), 12);
        QStringList order;
        for (const ReviewStore::Due &entry : due)
            order << entry.item;
        QCOMPARE(order, (QStringList{"never1", "never2", "b", "a"}));
        QVERIFY(!due.first().lastReviewed.has_value());
        QCOMPARE(*due.last().lastReviewed, QDate(2025, 6, 1));
        // A shorter interval makes more due.
        QCOMPARE(ReviewStore::dueItems(last, items, QDate(2026, 6, 1), 3).size(), 6);
    }
};

QTEST_GUILESS_MAIN(TestReviewStore)
#include "tst_reviewstore.moc"
