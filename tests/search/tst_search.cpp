#include "history/documenthistory.h"
#include "platform/database/workbookdatabase.h"
#include "search/searchindex.h"
#include "search/searchquery.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using SearchIndex::QueryOutcome;

namespace {

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray rtf(const QByteArray &text)
{
    return "{\\rtf1\\ansi " + text + "\\par}";
}

// A fixed workbook: a few entries, the plan, a worksheet and the to-do list,
// and a content folder with two shipped texts and a picture.
struct Fixture
{
    QTemporaryDir workbookDir;
    QTemporaryDir contentDir;
    std::shared_ptr<WorkbookDatabase> database;

    Fixture()
    {
        writeAll(workbookDir.filePath("Action1.Fil"), rtf("Laptops use full disk encryption since March."));
        writeAll(workbookDir.filePath("Policy3.Fil"), rtf("Passwords are changed every ninety days."));
        writeAll(workbookDir.filePath("Comment3.Fil"), rtf("Encryption of backups is planned."));
        writeAll(workbookDir.filePath("DRPLN1.FIL"), rtf("Call the data centre before anything else."));
        writeAll(workbookDir.filePath("Wksht0.Fil"), rtf("Flood risk to the server room."));
        writeAll(workbookDir.filePath("TODOActv.FIL"), "\"Buy a shredder\",\"1/5/2026\",\"\",\"\"\r\n");
        writeAll(contentDir.filePath("rule/Rule312.Fl1"),
                 rtf("Encryption and decryption (Addressable). Implement a mechanism to encrypt and decrypt."));
        writeAll(contentDir.filePath("Misc3.Fl1"), rtf("Contingency plan guidance for a small practice."));
        writeAll(contentDir.filePath("picture.png"), QByteArray("\x89PNG\r\n", 6));
        writeAll(contentDir.filePath("help/3080.rtf"), rtf("encryption help page"));
        database = std::make_shared<WorkbookDatabase>(Workbook(workbookDir.path(), contentDir.path()));
        database->open();
    }
    QStringList found(const QString &text, bool shipped) const
    {
        QStringList names;
        for (const SearchIndex::Result &result : SearchIndex::query(*database, text, shipped).results)
            names << result.document.name;
        return names;
    }
};

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void queriesOverTheFixture_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("documents");   // in any order
        auto row = [](const char *name, const char *query, bool shipped, QueryOutcome outcome, QStringList documents) {
            QTest::newRow(name) << QString::fromUtf8(query) << shipped << int(outcome) << documents;
        };
        row("word in two entries", "encryption", false, QueryOutcome::Results, {"Action1.Fil", "Comment3.Fil"});
        row("any case", "ENCRYPTION", false, QueryOutcome::Results, {"Action1.Fil", "Comment3.Fil"});
        row("word with the shipped texts", "encryption", true, QueryOutcome::Results,
            {"Action1.Fil", "Comment3.Fil", "rule/Rule312.Fl1"});
        row("prefix", "encrypt*", false, QueryOutcome::Results, {"Action1.Fil", "Comment3.Fil"});
        row("short prefix", "pass*", false, QueryOutcome::Results, {"Policy3.Fil"});
        row("two words anywhere", "ninety passwords", false, QueryOutcome::Results, {"Policy3.Fil"});
        row("phrase", "\"full disk\"", false, QueryOutcome::Results, {"Action1.Fil"});
        row("phrase in the wrong order", "\"disk full\"", false, QueryOutcome::NoResults, {});
        row("the plan", "centre", false, QueryOutcome::Results, {"DRPln1.Fil"});
        row("a worksheet", "flood", false, QueryOutcome::Results, {"Wksht0.Fil"});
        row("a to-do item", "shredder", false, QueryOutcome::Results, {"TODOActv.FIL"});
        row("shipped only, box not checked", "decryption", false, QueryOutcome::NoResults, {});
        row("shipped only, box checked", "decryption", true, QueryOutcome::Results, {"rule/Rule312.Fl1"});
        row("help pages are not shipped texts", "help", true, QueryOutcome::NoResults, {});
        row("no match", "zebra", true, QueryOutcome::NoResults, {});
        row("operators are words", "encryption OR zebra", false, QueryOutcome::NoResults, {});
        row("punctuation is no syntax", "encryption: (laptops)", false, QueryOutcome::Results, {"Action1.Fil"});
        row("unclosed quote", "\"full disk", false, QueryOutcome::Unparsable, {});
        row("nothing to search", "  ** ", false, QueryOutcome::Unparsable, {});
    }
    void queriesOverTheFixture()
    {
        QFETCH(QString, query);
        QFETCH(bool, shipped);
        QFETCH(int, outcome);
        QFETCH(QStringList, documents);
        Fixture f;
        QString reason;
        QVERIFY2(SearchIndex::refresh(*f.database, &reason), qPrintable(reason));
        const SearchIndex::QueryReport report = SearchIndex::query(*f.database, query, shipped);
        QCOMPARE(int(report.outcome), outcome);
        QStringList names;
        for (const SearchIndex::Result &result : report.results)
            names << result.document.name;
        names.sort(Qt::CaseInsensitive);
        documents.sort(Qt::CaseInsensitive);
        QCOMPARE(names, documents);
        if (!report.results.isEmpty()) {
            QVERIFY(report.results.first().snippet.contains(SearchIndex::kMarkStart));
            QVERIFY(report.results.first().snippet.contains(SearchIndex::kMarkEnd));
        }
    }

    void bestFirstAndGroupedByDocument()
    {
        Fixture f;
        writeAll(f.workbookDir.filePath("Action2.Fil"), rtf("audit audit audit of the audit logs"));
        writeAll(f.workbookDir.filePath("Action3.Fil"), rtf("one audit a year, among many other long words here"));
        QVERIFY(SearchIndex::refresh(*f.database));
        const auto report = SearchIndex::query(*f.database, QStringLiteral("audit"), false);
        QCOMPARE(report.results.size(), 2);
        QCOMPARE(report.results.first().document.name, QStringLiteral("Action2.Fil"));
        QVERIFY(report.results.first().rank <= report.results.last().rank);
        const SearchIndex::Document &document = report.results.first().document;
        QCOMPARE(document.place.kind, SearchIndex::Place::Kind::Entry);
        QCOMPARE(document.place.safeguardNo, 2);
        QVERIFY(document.location.startsWith(QStringLiteral("Action Area > ")));
    }

    // Text changed outside the program before start is found after the
    // start's refresh; text removed is no longer found.
    void changedOutsideIsIndexedAtStart()
    {
        Fixture f;
        QVERIFY(SearchIndex::refresh(*f.database));
        QCOMPARE(f.found(QStringLiteral("tape"), false), QStringList());
        const QString path = f.workbookDir.filePath("Action1.Fil");
        QVERIFY(writeAll(path, rtf("Backups go to tape weekly.")));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(5), QFileDevice::FileModificationTime));
        }
        QVERIFY(QFile::remove(f.workbookDir.filePath("Wksht0.Fil")));
        const auto report = SearchIndex::refresh(*f.database);
        QVERIFY(report);
        QCOMPARE(report->indexed, 1);
        QCOMPARE(report->removed, 1);
        QCOMPARE(f.found(QStringLiteral("tape"), false), QStringList{"Action1.Fil"});
        QCOMPARE(f.found(QStringLiteral("laptops"), false), QStringList());
        QCOMPARE(f.found(QStringLiteral("flood"), false), QStringList());
        // Nothing changed: nothing indexed again.
        QCOMPARE(SearchIndex::refresh(*f.database)->indexed, 0);
    }

    void missingOrDamagedIndexIsRebuiltWithoutAQuestion_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("index table gone") << "DROP TABLE search_index";
        QTest::newRow("sources gone") << "DROP TABLE search_sources";
        QTest::newRow("index shadow data damaged") << "DELETE FROM search_index_data WHERE id > 10";
    }
    void missingOrDamagedIndexIsRebuiltWithoutAQuestion()
    {
        QFETCH(QString, damage);
        Fixture f;
        QVERIFY(SearchIndex::refresh(*f.database));
        QVERIFY(QSqlQuery(f.database->connection()).exec(damage));
        QString reason;
        const auto report = SearchIndex::refresh(*f.database, &reason);
        QVERIFY2(report, qPrintable(reason));
        QVERIFY(report->rebuilt);
        QCOMPARE(f.found(QStringLiteral("shredder"), false), QStringList{"TODOActv.FIL"});
    }

    // A save updates the index in its own transaction; a refused index
    // update never costs the version, and the next start indexes it.
    void saveUpdatesTheIndexInTheSameAction()
    {
        Fixture f;
        QVERIFY(SearchIndex::refresh(*f.database));
        DocumentHistory history(f.database);
        const Workbook workbook = f.database->workbook();
        history.setIndexer([workbook](QSqlDatabase &db, const QString &name, const QByteArray &bytes, QString *reason) {
            return SearchIndex::indexDocument(db, workbook, name, bytes, reason);
        });
        const QByteArray bytes = rtf("Visitors sign the facility log.");
        QVERIFY(writeAll(f.workbookDir.filePath("Policy9.Fil"), bytes));
        QString error;
        QVERIFY2(history.documentSaved(QStringLiteral("Policy9.Fil"), bytes, &error), qPrintable(error));
        QCOMPARE(f.found(QStringLiteral("visitors"), false), QStringList{"Policy9.Fil"});
        // Saved in the program: the start's refresh has nothing to do for it.
        QCOMPARE(SearchIndex::refresh(*f.database)->indexed, 0);

        QVERIFY(QSqlQuery(f.database->connection())
                    .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON search_sources"
                                         " BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        const QByteArray changed = rtf("Visitors wear badges.");
        QVERIFY(writeAll(f.workbookDir.filePath("Policy9.Fil"), changed));
        QVERIFY2(history.documentSaved(QStringLiteral("Policy9.Fil"), changed, &error), qPrintable(error));
        QCOMPARE(history.versions(QStringLiteral("Policy9.Fil")).size(), 2);
        QCOMPARE(f.found(QStringLiteral("badges"), false), QStringList());
        QVERIFY(QSqlQuery(f.database->connection()).exec(QStringLiteral("DROP TRIGGER refuse")));
        QCOMPARE(SearchIndex::refresh(*f.database)->indexed, 1);
        QCOMPARE(f.found(QStringLiteral("badges"), false), QStringList{"Policy9.Fil"});
    }

    void queryParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("match");
        QTest::newRow("words") << "laptop encryption" << "\"laptop\" \"encryption\"";
        QTest::newRow("prefix") << "encrypt*" << "\"encrypt\"*";
        QTest::newRow("phrase") << "\"full  disk\"" << "\"full disk\"";
        QTest::newRow("section number") << "164.312" << "\"164 312\"";
        QTest::newRow("operator word") << "NOT" << "\"NOT\"";
    }
    void queryParsing()
    {
        QFETCH(QString, text);
        QFETCH(QString, match);
        const auto parsed = SearchQuery::parse(text);
        QVERIFY(parsed);
        QCOMPARE(parsed->match, match);
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
