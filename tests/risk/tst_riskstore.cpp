#include "platform/database/schema.h"
#include "platform/database/workbookdatabase.h"
#include "platform/records/workbook.h"
#include "risk/risklevels.h"
#include "risk/riskstore.h"

#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A fresh workbook with its database open.
struct Fixture
{
    QTemporaryDir dir;
    Workbook workbook{dir.path()};
    std::unique_ptr<WorkbookDatabase> database = std::make_unique<WorkbookDatabase>(workbook);
    Fixture() { database->open(); }
};

bool exec(WorkbookDatabase &database, const QString &sql, QString *error = nullptr)
{
    QSqlQuery query(database.connection());
    const bool ok = query.exec(sql);
    if (!ok && error)
        *error = query.lastError().text();
    return ok;
}

Risk sampleRisk(qint64 assetId)
{
    Risk r;
    r.assetId = assetId;
    r.threat = QStringLiteral("Ransomware");
    r.vulnerability = QStringLiteral("No offline backup");
    r.currentMeasures = QStringLiteral("Antivirus on every workstation");
    r.safeguards = {23, 7, 23};
    r.likelihood = 4;
    r.impact = 5;
    r.treatment = Treatment::Mitigate;
    r.plannedMeasures = QStringLiteral("Weekly offline backup, tested monthly");
    r.owner = QStringLiteral("Office manager");
    r.dueOn = QDate(2026, 3, 31);
    r.status = TreatmentStatus::InProgress;
    r.residualLikelihood = 2;
    r.residualImpact = 4;
    r.identifiedOn = QDate(2025, 11, 2);
    r.reviewedOn = QDate(2026, 1, 15);
    return r;
}

} // namespace

class TestRiskStore : public QObject
{
    Q_OBJECT

    QString m_error;

private Q_SLOTS:
    // The default matrix cell by cell as the publication prints it: rows of
    // likelihood, columns of impact Very Low .. Very High.
    void standardMatrix_data()
    {
        QTest::addColumn<QString>("likelihood");
        QTest::addColumn<QStringList>("levels");
        const auto row = [](const char *l, QStringList levels) { QTest::newRow(l) << QString::fromLatin1(l) << levels; };
        row("Very High", {"Very Low", "Low", "Moderate", "High", "Very High"});
        row("High", {"Very Low", "Low", "Moderate", "High", "Very High"});
        row("Moderate", {"Very Low", "Low", "Moderate", "Moderate", "High"});
        row("Low", {"Very Low", "Low", "Low", "Low", "Moderate"});
        row("Very Low", {"Very Low", "Very Low", "Very Low", "Low", "Low"});
    }
    void standardMatrix()
    {
        QFETCH(QString, likelihood);
        QFETCH(QStringList, levels);
        const int l = RiskLevel::fromText(likelihood);
        QVERIFY(l != 0);
        // The program's constant and the table a new database is seeded with.
        Fixture f;
        RiskStore store(*f.database);
        QVERIFY(store.load());
        for (int impact = 1; impact <= 5; ++impact) {
            QCOMPARE(RiskLevel::name(RiskMatrix::standard().level(l, impact)), levels.at(impact - 1));
            QCOMPARE(RiskLevel::name(store.matrix().level(l, impact)), levels.at(impact - 1));
        }
        QSqlQuery count(f.database->connection());
        QVERIFY(count.exec(QStringLiteral("SELECT count(*) FROM risk_matrix")) && count.next());
        QCOMPARE(count.value(0).toInt(), 25);
    }

    void levelNames()
    {
        QCOMPARE(RiskLevel::name(1), QStringLiteral("Very Low"));
        QCOMPARE(RiskLevel::name(5), QStringLiteral("Very High"));
        QCOMPARE(RiskLevel::name(0), QString());
        QCOMPARE(RiskLevel::fromText(QStringLiteral(" very  high ")), 5);
        QCOMPARE(RiskLevel::fromText(QStringLiteral("3")), 3);
        QCOMPARE(RiskLevel::fromText(QStringLiteral("Severe")), 0);
    }

    // Version 1 (settings only) is brought to version 2 with its settings kept.
    void migrationFromSettingsOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Workbook.sqlite"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            for (const QString &statement : WorkbookSchema::settingsStep())
                QVERIFY(q.exec(statement));
            QVERIFY(q.exec(QStringLiteral("INSERT INTO workbook_settings VALUES ('organization.name', 'Elm Street Clinic')")));
            QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 1")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("v1"));
        WorkbookDatabase database{Workbook(dir.path())};
        QCOMPARE(database.open().outcome, WorkbookDatabase::OpenOutcome::Opened);
        QVERIFY(database.schemaVersion() >= 2);
        QCOMPARE(database.setting(QStringLiteral("organization.name")), QStringLiteral("Elm Street Clinic"));
        RiskStore store(database);
        QVERIFY(store.load());
        QCOMPARE(store.matrix(), RiskMatrix::standard());
        Risk risk = sampleRisk(0);
        QVERIFY2(store.saveRisk(risk, &m_error), qPrintable(m_error));
    }

    // What the schema refuses, written straight to the file: the store is not
    // the only writer a database file will ever have.
    void constraints_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("accepted");
        const QString asset = QStringLiteral("INSERT INTO risk_asset (name, kind) VALUES (%1, %2)");
        const QString risk = QStringLiteral("INSERT INTO risk_risk (threat, likelihood, impact%1) VALUES (%2)");
        const QString associate = QStringLiteral("INSERT INTO risk_associate (name, baa_signed_on) VALUES (%1, %2)");
        QTest::newRow("asset ok") << asset.arg("'Front desk PC'", "'workstation'") << true;
        QTest::newRow("asset blank name") << asset.arg("'   '", "'workstation'") << false;
        QTest::newRow("asset no name") << asset.arg("NULL", "'workstation'") << false;
        QTest::newRow("asset unknown kind") << asset.arg("'PC'", "'toaster'") << false;
        QTest::newRow("asset negative records")
            << QStringLiteral("INSERT INTO risk_asset (name, kind, record_count) VALUES ('PC', 'other', -1)") << false;
        QTest::newRow("asset flag 2")
            << QStringLiteral("INSERT INTO risk_asset (name, kind, retired) VALUES ('PC', 'other', 2)") << false;
        QTest::newRow("asset unknown associate")
            << QStringLiteral("INSERT INTO risk_asset (name, kind, associate_id) VALUES ('PC', 'other', 99)") << false;
        QTest::newRow("risk ok") << risk.arg("", "'Phishing', 1, 5") << true;
        QTest::newRow("risk likelihood 0") << risk.arg("", "'Phishing', 0, 3") << false;
        QTest::newRow("risk likelihood 6") << risk.arg("", "'Phishing', 6, 3") << false;
        QTest::newRow("risk impact 7") << risk.arg("", "'Phishing', 3, 7") << false;
        QTest::newRow("risk impact text") << risk.arg("", "'Phishing', 3, 'High'") << false;
        QTest::newRow("risk no threat") << risk.arg("", "'', 3, 3") << false;
        QTest::newRow("risk residual 0") << risk.arg(", residual_likelihood", "'Phishing', 3, 3, 0") << false;
        QTest::newRow("risk residual ok") << risk.arg(", residual_likelihood", "'Phishing', 3, 3, 1") << true;
        QTest::newRow("risk unknown asset") << risk.arg(", asset_id", "'Phishing', 3, 3, 42") << false;
        QTest::newRow("risk treatment") << risk.arg(", treatment", "'Phishing', 3, 3, 'ignore'") << false;
        QTest::newRow("risk status") << risk.arg(", status", "'Phishing', 3, 3, 'closed'") << false;
        QTest::newRow("risk due ok") << risk.arg(", due_on", "'Phishing', 3, 3, '2028-02-29'") << true;
        QTest::newRow("risk due 29 Feb 2027") << risk.arg(", due_on", "'Phishing', 3, 3, '2027-02-29'") << false;
        QTest::newRow("risk due month 13") << risk.arg(", due_on", "'Phishing', 3, 3, '2026-13-01'") << false;
        QTest::newRow("risk due short") << risk.arg(", due_on", "'Phishing', 3, 3, '2026-1-5'") << false;
        QTest::newRow("risk due words") << risk.arg(", due_on", "'Phishing', 3, 3, 'next week'") << false;
        QTest::newRow("risk due time") << risk.arg(", due_on", "'Phishing', 3, 3, '2026-01-05 10:00'") << false;
        QTest::newRow("associate ok") << associate.arg("'Cloud EHR Inc.'", "'2025-06-30'") << true;
        QTest::newRow("associate blank") << associate.arg("''", "NULL") << false;
        QTest::newRow("associate bad date") << associate.arg("'Shredding Co.'", "'2025-06-31'") << false;
        QTest::newRow("matrix level 0")
            << QStringLiteral("UPDATE risk_matrix SET level = 0 WHERE likelihood = 1 AND impact = 1") << false;
        QTest::newRow("matrix cell 6")
            << QStringLiteral("INSERT INTO risk_matrix VALUES (6, 1, 1)") << false;
        QTest::newRow("second analysis row")
            << QStringLiteral("INSERT INTO risk_analysis (id) VALUES (2)") << false;
        QTest::newRow("safeguard 47")
            << QStringLiteral("INSERT INTO risk_risk_safeguard VALUES (1, 47)") << false;
        const QString evidence = QStringLiteral(
            "INSERT INTO risk_evidence (safeguard_no, stored_name, original_name, size, sha256, added_at)"
            " VALUES (%1, %2, 'baa.pdf', %3, '%4', '2026-01-02T10:00:00Z')");
        const QString hash(64, QLatin1Char('a'));
        QTest::newRow("evidence ok") << evidence.arg("3", "'000001.pdf'", "10", hash) << true;
        QTest::newRow("evidence escape") << evidence.arg("3", "'../000001.pdf'", "10", hash) << false;
        QTest::newRow("evidence slash") << evidence.arg("3", "'1/x'", "10", hash) << false;
        QTest::newRow("evidence dots") << evidence.arg("3", "'1..pdf'", "10", hash) << false;
        QTest::newRow("evidence over 100 MB") << evidence.arg("3", "'000002.pdf'", "104857601", hash) << false;
        QTest::newRow("evidence bad hash") << evidence.arg("3", "'000003.pdf'", "10", QString(64, QLatin1Char('g'))) << false;
        QTest::newRow("evidence no owner") << evidence.arg("NULL", "'000004.pdf'", "10", hash) << false;
        QTest::newRow("evidence two owners")
            << QStringLiteral("INSERT INTO risk_evidence (safeguard_no, risk_id, stored_name, original_name, size, sha256,"
                              " added_at) VALUES (3, 1, '5', 'x', 1, '%1', '2026-01-02T10:00:00Z')").arg(hash)
            << false;
    }
    void constraints()
    {
        QFETCH(QString, sql);
        QFETCH(bool, accepted);
        Fixture f;
        QVERIFY(exec(*f.database, QStringLiteral("INSERT INTO risk_risk (id, threat, likelihood, impact) VALUES (1, 'Fire', 2, 4)")));
        QString error;
        QCOMPARE(exec(*f.database, sql, &error), accepted);
    }

    // Everything saved is read back by a new program run.
    void roundTrip()
    {
        Fixture f;
        BusinessAssociate baa;
        RiskAsset asset;
        Risk risk;
        AnalysisDetails details;
        {
            RiskStore store(*f.database);
            QVERIFY(store.load());
            baa.name = QStringLiteral("  Cloud EHR Inc.  ");
            baa.service = QStringLiteral("Hosted EHR");
            baa.ephi = QStringLiteral("All patient charts");
            baa.contact = QStringLiteral("support@example.com");
            baa.baaSignedOn = QDate(2024, 5, 1);
            baa.baaReviewOn = QDate(2026, 5, 1);
            QVERIFY2(store.saveAssociate(baa, &m_error), qPrintable(m_error));
            QCOMPARE(baa.name, QStringLiteral("Cloud EHR Inc."));
            asset.name = QStringLiteral("EHR");
            asset.kind = AssetKind::CloudService;
            asset.location = QStringLiteral("Vendor data centre");
            asset.owner = QStringLiteral("Dr. Patel");
            asset.ephi = QStringLiteral("Charts, billing");
            asset.recordCount = 4200;
            asset.creates = asset.receives = asset.maintains = asset.transmits = true;
            asset.associateId = baa.id;
            asset.notes = QStringLiteral("Línea 1\nline 2, \"quoted\"");
            QVERIFY2(store.saveAsset(asset, &m_error), qPrintable(m_error));
            risk = sampleRisk(asset.id);
            QVERIFY2(store.saveRisk(risk, &m_error), qPrintable(m_error));
            QCOMPARE(risk.safeguards, (QList<int>{7, 23}));
            QCOMPARE(store.level(risk), 5);
            QCOMPARE(store.residualLevel(risk), 2);
            details.scope = QStringLiteral("All ePHI of the clinic");
            details.method = QStringLiteral("Five-level likelihood and impact");
            details.preparedBy = QStringLiteral("A. Smith");
            details.approvedBy = QStringLiteral("Dr. Patel");
            details.approvedOn = QDate(2026, 1, 20);
            details.lastFullReviewOn = QDate(2026, 1, 10);
            QVERIFY2(store.saveDetails(details, &m_error), qPrintable(m_error));
        }
        f.database = std::make_unique<WorkbookDatabase>(f.workbook);
        f.database->open();
        RiskStore again(*f.database);
        QVERIFY(again.load());
        QCOMPARE(again.associates(), QList<BusinessAssociate>{baa});
        QCOMPARE(again.assets(), QList<RiskAsset>{asset});
        QCOMPARE(again.risks(), QList<Risk>{risk});
        QCOMPARE(again.details(), details);
        QCOMPARE(again.assetName(asset.id), QStringLiteral("EHR"));
        QCOMPARE(again.assetName(0), QStringLiteral("Organization-wide"));
    }

    void editedMatrixRecomputesLevels()
    {
        Fixture f;
        RiskStore store(*f.database);
        QVERIFY(store.load());
        Risk risk = sampleRisk(0);
        risk.likelihood = 1;
        risk.impact = 1;
        QVERIFY2(store.saveRisk(risk, &m_error), qPrintable(m_error));
        QCOMPARE(store.level(risk), 1);
        RiskMatrix matrix = store.matrix();
        QVERIFY(matrix.setLevel(1, 1, 3));
        QVERIFY(!matrix.setLevel(0, 1, 3));
        QVERIFY(!matrix.setLevel(1, 1, 6));
        QSignalSpy spy(&store, &RiskStore::matrixChanged);
        QVERIFY2(store.saveMatrix(matrix, &m_error), qPrintable(m_error));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(store.level(risk), 3);
        f.database = std::make_unique<WorkbookDatabase>(f.workbook);
        f.database->open();
        RiskStore again(*f.database);
        QVERIFY(again.load());
        QCOMPARE(again.matrix(), matrix);
        QCOMPARE(again.level(again.risks().constFirst()), 3);
    }

    void removal()
    {
        Fixture f;
        RiskStore store(*f.database);
        QVERIFY(store.load());
        BusinessAssociate baa;
        baa.name = QStringLiteral("IT support");
        QVERIFY2(store.saveAssociate(baa, &m_error), qPrintable(m_error));
        RiskAsset asset;
        asset.name = QStringLiteral("Server");
        asset.kind = AssetKind::Server;
        asset.associateId = baa.id;
        QVERIFY2(store.saveAsset(asset, &m_error), qPrintable(m_error));
        Risk risk = sampleRisk(asset.id);
        QVERIFY2(store.saveRisk(risk, &m_error), qPrintable(m_error));
        QString error;
        // A risk still names the asset.
        QVERIFY(!store.removeAsset(asset.id, &error));
        QVERIFY(error.contains(QStringLiteral("Retire")));
        QCOMPARE(store.assets().size(), 1);
        // The associate goes; the asset keeps, without a provider.
        QSignalSpy changed(&store, &RiskStore::rowChanged);
        QVERIFY(store.removeAssociate(baa.id, &error));
        QCOMPARE(store.assets().constFirst().associateId, 0);
        QCOMPARE(changed.count(), 1);
        QVERIFY(store.removeRisk(risk.id, &error));
        QVERIFY(store.removeAsset(asset.id, &error));
        QVERIFY(store.assets().isEmpty() && store.risks().isEmpty() && store.associates().isEmpty());
        RiskStore again(*f.database);
        QVERIFY(again.load());
        QVERIFY(again.assets().isEmpty() && again.risks().isEmpty() && again.associates().isEmpty());
    }

    // A save the database refuses changes nothing in memory and says why.
    void refusedSaveKeepsMemory()
    {
        Fixture f;
        RiskStore store(*f.database);
        QVERIFY(store.load());
        Risk risk = sampleRisk(0);
        QVERIFY2(store.saveRisk(risk, &m_error), qPrintable(m_error));
        Risk edited = risk;
        edited.threat = QStringLiteral("Changed");
        edited.likelihood = 9;   // the schema refuses it
        QString error;
        QVERIFY(!store.saveRisk(edited, &error));
        QVERIFY2(error.contains(QStringLiteral("Workbook.sqlite")), qPrintable(error));
        QCOMPARE(edited.threat, QStringLiteral("Changed"));   // the form keeps its edits
        QCOMPARE(store.risks().constFirst(), risk);
        RiskAsset blank;
        blank.name = QStringLiteral("   ");
        QVERIFY(!store.saveAsset(blank, &error));
        QCOMPARE(blank.id, 0);
        QVERIFY(store.assets().isEmpty());
        // An import with one bad row adds none.
        RiskAsset good;
        good.name = QStringLiteral("Laptop 1");
        good.kind = AssetKind::Laptop;
        QVERIFY(!store.addAssets({good, blank}, &error));
        QVERIFY(store.assets().isEmpty());
        QVERIFY(store.addAssets({good, good}, &error));
        QCOMPARE(store.assets().size(), 2);
    }

    // A database of a newer program is read-only: the register reads, and
    // every save says so.
    void readOnlyNewer()
    {
        QTemporaryDir dir;
        {
            WorkbookDatabase database{Workbook(dir.path())};
            database.open();
            RiskStore store(database);
            QVERIFY(store.load());
            Risk risk = sampleRisk(0);
            QVERIFY2(store.saveRisk(risk, &m_error), qPrintable(m_error));
            QVERIFY(exec(database, QStringLiteral("PRAGMA user_version = %1").arg(WorkbookDatabase::latestSchemaVersion() + 1)));
        }
        WorkbookDatabase database{Workbook(dir.path())};
        QCOMPARE(database.open().outcome, WorkbookDatabase::OpenOutcome::ReadOnlyNewer);
        RiskStore store(database);
        QVERIFY(store.load());
        QCOMPARE(store.risks().size(), 1);
        QVERIFY(!store.isWritable());
        Risk risk = store.risks().constFirst();
        risk.threat = QStringLiteral("Edited");
        QString error;
        QVERIFY(!store.saveRisk(risk, &error));
        QVERIFY(error.contains(QStringLiteral("read-only")));
        QCOMPARE(store.risks().constFirst().threat, QStringLiteral("Ransomware"));
    }

    void closedDatabaseLoadsEmpty()
    {
        QTemporaryDir dir;
        WorkbookDatabase database{Workbook(dir.path())};   // never opened
        RiskStore store(database);
        QString error;
        QVERIFY(!store.load(&error));
        QVERIFY(!error.isEmpty());
        QVERIFY(store.risks().isEmpty());
        QCOMPARE(store.matrix(), RiskMatrix::standard());
    }
};

QTEST_GUILESS_MAIN(TestRiskStore)
#include "tst_riskstore.moc"
