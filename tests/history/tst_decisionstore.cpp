#include "catalogue/safeguardcatalogue.h"
#include "history/decisionstore.h"
#include "platform/database/workbookdatabase.h"

#include <QTemporaryDir>
#include <QtTest>

using DecisionStore::Choice;
using DecisionStore::Decision;

class TestDecisionStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thereAreTwentyTwoAddressableSpecifications()
    {
        int addressable = 0;
        for (const Catalogue::Safeguard &safeguard : Catalogue::safeguards())
            addressable += safeguard.designation == Catalogue::Designation::Addressable;
        QCOMPARE(addressable, 22);
    }

    void aDecisionMustSayWhatTheRuleAsks_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("reasons");
        QTest::addColumn<QString>("alternative");
        QTest::addColumn<QString>("by");
        QTest::addColumn<bool>("kept");
        QTest::newRow("implemented, no reasons needed") << int(Choice::Implemented) << "" << "" << "Dana" << true;
        QTest::newRow("alternative with measure and reasons") << int(Choice::Alternative) << "cost" << "locked room"
                                                              << "Dana" << true;
        QTest::newRow("alternative without a measure") << int(Choice::Alternative) << "cost" << "" << "Dana" << false;
        QTest::newRow("neither without reasons") << int(Choice::NotReasonable) << " " << "" << "Dana" << false;
        QTest::newRow("neither with reasons") << int(Choice::NotReasonable) << "one laptop, never leaves" << ""
                                              << "Dana" << true;
        QTest::newRow("nobody decided") << int(Choice::Implemented) << "" << "" << " " << false;
    }
    void aDecisionMustSayWhatTheRuleAsks()
    {
        QFETCH(int, choice);
        QFETCH(QString, reasons);
        QFETCH(QString, alternative);
        QFETCH(QString, by);
        QFETCH(bool, kept);
        QTemporaryDir folder;
        WorkbookDatabase database{Workbook(folder.path())};
        database.open();
        const Decision decision{30, Choice(choice), reasons, alternative, by, QDate(2026, 2, 3),
                                QDateTime(QDate(2026, 2, 3), QTime(10, 0), Qt::UTC)};
        QString error;
        QCOMPARE(database.transact([&](QSqlDatabase &db, QString *reason) { return DecisionStore::add(db, decision, reason); },
                                   &error),
                 kept);
        QCOMPARE(DecisionStore::decisions(database.connection(), 30).size(), kept ? 1 : 0);
        if (!kept)
            QVERIFY(!error.isEmpty());
    }

    void everyDecisionIsKeptAndTheLatestIsCurrent()
    {
        QTemporaryDir folder;
        WorkbookDatabase database{Workbook(folder.path())};
        database.open();
        const QDateTime at(QDate(2026, 2, 3), QTime(10, 0), Qt::UTC);
        QString error;
        QVERIFY(database.transact(
            [&](QSqlDatabase &db, QString *reason) {
                return DecisionStore::add(db, {30, Choice::NotReasonable, "single user", "", "Dana", QDate(2025, 1, 2), at},
                                          reason)
                       && DecisionStore::add(db, {30, Choice::Implemented, "", "", "Sam", QDate(2026, 2, 1), at}, reason);
            },
            &error));
        const QList<Decision> all = DecisionStore::decisions(database.connection(), 30);
        QCOMPARE(all.size(), 2);
        QCOMPARE(DecisionStore::current(database.connection(), 30)->choice, Choice::Implemented);
        QCOMPARE(all.last().reasons, QStringLiteral("single user"));
        QVERIFY(!DecisionStore::current(database.connection(), 31));
    }
};

QTEST_GUILESS_MAIN(TestDecisionStore)
#include "tst_decisionstore.moc"
