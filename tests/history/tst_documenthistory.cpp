#include "history/documenthistory.h"
#include "history/versionstore.h"
#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"
#include "platform/services/documentrecorder.h"
#include "support/testservices.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

int countOf(const WorkbookDatabase &database, const QString &table)
{
    QSqlQuery query(database.connection());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM ") + table) || !query.next())
        return -1;
    return query.value(0).toInt();
}

QByteArray rtf(const QByteArray &text)
{
    return "{\\rtf1\\ansi " + text + "\\par}";
}

// A workbook folder with its database open and a history over it whose clock
// the test sets.
struct Rig
{
    QTemporaryDir folder;
    std::shared_ptr<WorkbookDatabase> database;
    std::unique_ptr<DocumentHistory> history;
    QDateTime clock = QDateTime(QDate(2026, 3, 1), QTime(9, 30), Qt::UTC);

    explicit Rig(const QString &yourName = QStringLiteral("Dana Reyes"))
    {
        database = std::make_shared<WorkbookDatabase>(Workbook(folder.path()));
        database->open();
        if (!yourName.isEmpty())
            database->setSetting(QLatin1String(WorkbookSettingKey::YourName), yourName);
        history = std::make_unique<DocumentHistory>(database);
        history->setClock([this] { return clock; });
    }
    QString path(const QString &name) const { return folder.filePath(name); }
    // Writes the file as a save does, then tells the history.
    bool save(const QString &name, const QByteArray &bytes, QString *error = nullptr)
    {
        QString reason;
        return writeAll(path(name), bytes) && history->documentSaved(name, bytes, error ? error : &reason);
    }
};

} // namespace

class TestDocumentHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveRecordsAVersion()
    {
        Rig rig;
        QVERIFY(rig.database->isOpen());
        const QByteArray bytes = rtf("We encrypt every laptop.");
        QVERIFY(rig.save(QStringLiteral("Action12.Fil"), bytes));

        const QList<VersionStore::Version> versions = rig.history->versions(QStringLiteral("action12.fil"));
        QCOMPARE(versions.size(), 1);
        const VersionStore::Version &version = versions.first();
        QCOMPARE(version.document, QStringLiteral("Action12.Fil"));
        QCOMPARE(version.savedAt, rig.clock);
        QCOMPARE(version.author, QStringLiteral("Dana Reyes"));
        QCOMPARE(version.kind, VersionStore::Kind::Saved);
        QCOMPARE(version.size, bytes.size());
        QCOMPARE(version.sha256, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
        QCOMPARE(version.wordsAdded, 4);
        QByteArray stored;
        QString error;
        QVERIFY2(rig.history->content(version.id, &stored, &error), qPrintable(error));
        QCOMPARE(stored, bytes);

        // The database file on disk holds it too: a second connection sees it.
        WorkbookDatabase again{Workbook(rig.folder.path())};
        again.open();
        QCOMPARE(VersionStore::versions(again.connection(), QStringLiteral("Action12.Fil")).size(), 1);
    }

    void identicalSavesShareStorage()
    {
        Rig rig;
        const QByteArray first = rtf("Backups run nightly.");
        const QByteArray second = rtf("Backups run nightly and weekly.");
        QVERIFY(rig.save(QStringLiteral("Policy7.Fil"), first));
        rig.clock = rig.clock.addSecs(60);
        QVERIFY(rig.save(QStringLiteral("Policy7.Fil"), first));
        rig.clock = rig.clock.addSecs(60);
        QVERIFY(rig.save(QStringLiteral("Policy7.Fil"), second));
        rig.clock = rig.clock.addSecs(60);
        QVERIFY(rig.save(QStringLiteral("Comment7.Fil"), first)); // same bytes, other document

        QCOMPARE(countOf(*rig.database, QStringLiteral("history_versions")), 4);
        QCOMPARE(countOf(*rig.database, QStringLiteral("history_contents")), 2);
        const QList<VersionStore::Version> versions = rig.history->versions(QStringLiteral("Policy7.Fil"));
        QCOMPARE(versions.size(), 3);
        // Newest first, with the words each save added and removed.
        QCOMPARE(versions.at(0).wordsAdded, 2);
        QCOMPARE(versions.at(0).wordsRemoved, 0);
        QCOMPARE(versions.at(1).wordsAdded, 0);
    }

    // The version cannot be kept (here a trigger refuses every new row, as a
    // full disk or a locked file would): the save stands, the file holds the
    // new bytes, and the user is told.
    void failedRecordLeavesTheSavedFileAndSaysSo()
    {
        Rig rig;
        QVERIFY(QSqlQuery(rig.database->connection())
                    .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON history_versions"
                                         " BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END")));
        const QString path = rig.path(QStringLiteral("DRPln1.Fil"));
        const QByteArray bytes = rtf("Call the data centre first.");
        QVERIFY(writeAll(path, bytes));
        ScriptedPrompt prompt;
        prompt.enqueue(Prompt::Answer::Ok);
        QVERIFY(!DocumentRecording::recordSavedFile(rig.history.get(), &prompt, nullptr, path));
        QCOMPARE(readAll(path), bytes);
        QCOMPARE(prompt.questions.size(), 1);
        QCOMPARE(prompt.questions.first().title, DocumentRecording::kNotRecordedTitle);
        QVERIFY(prompt.questions.first().text.contains(QStringLiteral("DRPln1.Fil is saved")));
        QVERIFY(prompt.questions.first().text.contains(QStringLiteral("disk I/O error")));
        // Nothing half-recorded: the content row went with the refused version.
        QCOMPARE(countOf(*rig.database, QStringLiteral("history_contents")), 0);
    }

    void noDatabaseIsAFailureToRecordNotAFailedSave()
    {
        QTemporaryDir folder;
        auto database = std::make_shared<WorkbookDatabase>(Workbook(folder.path()));
        DocumentHistory history(database);   // never opened
        QString error;
        QVERIFY(!history.documentSaved(QStringLiteral("Action1.Fil"), "x", &error));
        QVERIFY(error.contains(QStringLiteral("Workbook.sqlite")));
    }

    void restoreKeepsTheCurrentContentFirst()
    {
        Rig rig;
        const QString name = QStringLiteral("Action3.Fil");
        QVERIFY(rig.save(name, rtf("version one")));
        rig.clock = rig.clock.addDays(1);
        QVERIFY(rig.save(name, rtf("version two")));
        // Changed since, outside the program: not yet in the history.
        const QByteArray outside = rtf("typed elsewhere");
        QVERIFY(writeAll(rig.path(name), outside));
        const qint64 oldest = rig.history->versions(name).last().id;

        rig.clock = rig.clock.addDays(1);
        QString error;
        QVERIFY2(rig.history->restore(rig.path(name), oldest, &error), qPrintable(error));
        QCOMPARE(readAll(rig.path(name)), rtf("version one"));

        const QList<VersionStore::Version> versions = rig.history->versions(name);
        QCOMPARE(versions.size(), 4);
        QCOMPARE(versions.at(0).kind, VersionStore::Kind::Restored);
        QCOMPARE(versions.at(1).kind, VersionStore::Kind::BeforeRestore);
        QByteArray kept;
        QVERIFY(rig.history->content(versions.at(1).id, &kept, &error));
        QCOMPARE(kept, outside);
        QCOMPARE(countOf(*rig.database, QStringLiteral("history_contents")), 3);
    }

    void restoreOfTheSavedContentAddsNoBeforeCopy()
    {
        Rig rig;
        const QString name = QStringLiteral("Wksht4.Fil");
        QVERIFY(rig.save(name, rtf("one")));
        QVERIFY(rig.save(name, rtf("two")));
        QString error;
        QVERIFY(rig.history->restore(rig.path(name), rig.history->versions(name).last().id, &error));
        const QList<VersionStore::Version> versions = rig.history->versions(name);
        QCOMPARE(versions.size(), 3);   // two saves and the restore: "two" was already kept
        QCOMPARE(versions.first().kind, VersionStore::Kind::Restored);
    }

    void damagedStoredContentIsReportedNotShown()
    {
        Rig rig;
        QVERIFY(rig.save(QStringLiteral("Action1.Fil"), rtf("original")));
        QVERIFY(QSqlQuery(rig.database->connection())
                    .exec(QStringLiteral("UPDATE history_contents SET compressed = x'00000004deadbeef'")));
        QByteArray bytes;
        QString error;
        QVERIFY(!rig.history->content(rig.history->versions(QStringLiteral("Action1.Fil")).first().id, &bytes,
                                      &error));
        QVERIFY(error.contains(QStringLiteral("damaged")));
        // Restoring from it never touches the file.
        QVERIFY(!rig.history->restore(rig.path(QStringLiteral("Action1.Fil")),
                                      rig.history->versions(QStringLiteral("Action1.Fil")).first().id, &error));
        QCOMPARE(readAll(rig.path(QStringLiteral("Action1.Fil"))), rtf("original"));
    }

    void pruneRefusesFewerThanSixYears_data()
    {
        QTest::addColumn<int>("years");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("5") << 5 << false;
        QTest::newRow("-6") << -6 << false;
        QTest::newRow("6") << 6 << true;
        QTest::newRow("10") << 10 << true;
    }
    void pruneRefusesFewerThanSixYears()
    {
        QFETCH(int, years);
        QFETCH(bool, allowed);
        Rig rig;
        const QDateTime start = rig.clock;
        rig.clock = start.addYears(-20);
        QVERIFY(rig.save(QStringLiteral("Action1.Fil"), rtf("very old")));
        rig.clock = start.addYears(-5).addDays(-10);
        QVERIFY(rig.save(QStringLiteral("Action1.Fil"), rtf("five years old")));
        rig.clock = start;
        QVERIFY(rig.save(QStringLiteral("Action1.Fil"), rtf("current")));

        QString error;
        const std::optional<int> removed = rig.history->prune(years, &error);
        QCOMPARE(removed.has_value(), allowed);
        QCOMPARE(rig.history->countPrunable(years).has_value(), allowed);
        if (!allowed) {
            QVERIFY(error.contains(QStringLiteral("6 years")));
            QCOMPARE(rig.history->versions(QStringLiteral("Action1.Fil")).size(), 3);
        } else {
            QCOMPARE(*removed, 1);
            QCOMPARE(rig.history->versions(QStringLiteral("Action1.Fil")).size(), 2);
            QCOMPARE(countOf(*rig.database, QStringLiteral("history_contents")), 2);
        }
    }

    void pruneKeepsEachDocumentsNewestVersionHoweverOld()
    {
        Rig rig;
        const QDateTime start = rig.clock;
        rig.clock = start.addYears(-12);
        QVERIFY(rig.save(QStringLiteral("Action5.Fil"), rtf("old a")));
        rig.clock = start.addYears(-11);
        QVERIFY(rig.save(QStringLiteral("Action5.Fil"), rtf("old b")));
        rig.clock = start;
        QCOMPARE(*rig.history->countPrunable(6), 1);
        QString error;
        QCOMPARE(*rig.history->prune(6, &error), 1);
        const QList<VersionStore::Version> left = rig.history->versions(QStringLiteral("Action5.Fil"));
        QCOMPARE(left.size(), 1);
        QByteArray bytes;
        QVERIFY(rig.history->content(left.first().id, &bytes, &error));
        QCOMPARE(bytes, rtf("old b"));
    }

    // A document from before the history: its first showing keeps what it
    // holds as a "found" version, once.
    void olderDocumentGetsAFoundVersionOnce()
    {
        Rig rig;
        const QString name = QStringLiteral("TODOActv.FIL");
        const QByteArray bytes = "\"Buy shredder\",\"1/5/2026\"\r\n";
        QVERIFY(writeAll(rig.path(name), bytes));
        ScriptedPrompt prompt;
        QVERIFY(DocumentRecording::recordShownFile(rig.history.get(), &prompt, nullptr, rig.path(name)));
        QVERIFY(DocumentRecording::recordShownFile(rig.history.get(), &prompt, nullptr, rig.path(name)));
        const QList<VersionStore::Version> versions = rig.history->versions(name);
        QCOMPARE(versions.size(), 1);
        QCOMPARE(versions.first().kind, VersionStore::Kind::Found);
        QCOMPARE(versions.first().size, bytes.size());
        QVERIFY(prompt.questions.isEmpty());

        // Saving later adds to it rather than replacing it.
        QVERIFY(rig.save(name, bytes + "\"Train staff\",\"2/1/2026\"\r\n"));
        QCOMPARE(rig.history->versions(name).size(), 2);
    }

    void statusChangesAreRecorded()
    {
        Rig rig;
        QString error;
        QVERIFY(rig.history->statusChanged(5, QString(), QStringLiteral("In Progress       "), &error));
        rig.clock = rig.clock.addDays(3);
        QVERIFY(rig.history->statusChanged(5, QStringLiteral("In Progress"), QStringLiteral("Implemented"),
                                           &error));
        QVERIFY(rig.history->statusChanged(5, QStringLiteral("Implemented"), QStringLiteral("Implemented "),
                                           &error));   // no change
        const QList<VersionStore::StatusChange> changes =
            VersionStore::statusChanges(rig.database->connection(), 5);
        QCOMPARE(changes.size(), 2);
        QCOMPARE(changes.first().oldValue, QStringLiteral("In Progress"));
        QCOMPARE(changes.first().newValue, QStringLiteral("Implemented"));
        QCOMPARE(changes.first().author, QStringLiteral("Dana Reyes"));
        QCOMPARE(changes.first().changedAt, rig.clock);
        QCOMPARE(changes.last().oldValue, QString());
        QCOMPARE(rig.history->lastStatusChanges().value(5), rig.clock);
        QVERIFY(!rig.history->lastStatusChanges().contains(6));
    }

    void yourNameIsAskedOnceWhenEmpty()
    {
        Rig rig{QString()};
        int asked = 0;
        rig.history->setNameAsker([&]() -> std::optional<QString> {
            ++asked;
            return QStringLiteral("  Sam Okafor ");
        });
        // Only a save asks: showing an older document keeps its found
        // version without an author, the user having written none of it.
        QVERIFY(writeAll(rig.path(QStringLiteral("Policy2.Fil")), rtf("older")));
        ScriptedPrompt prompt;
        QVERIFY(DocumentRecording::recordShownFile(rig.history.get(), &prompt, nullptr,
                                                   rig.path(QStringLiteral("Policy2.Fil"))));
        QCOMPARE(asked, 0);
        QCOMPARE(rig.history->versions(QStringLiteral("Policy2.Fil")).first().author, QString());
        QVERIFY(rig.save(QStringLiteral("Action1.Fil"), rtf("a")));
        QVERIFY(rig.save(QStringLiteral("Action1.Fil"), rtf("b")));
        QCOMPARE(asked, 1);
        QCOMPARE(rig.database->setting(QLatin1String(WorkbookSettingKey::YourName)), QStringLiteral("Sam Okafor"));
        QCOMPARE(rig.history->versions(QStringLiteral("Action1.Fil")).first().author, QStringLiteral("Sam Okafor"));

        // Declined: asked once in the run all the same, versions kept without a name.
        Rig other{QString()};
        int declined = 0;
        other.history->setNameAsker([&]() -> std::optional<QString> {
            ++declined;
            return std::nullopt;
        });
        QVERIFY(other.save(QStringLiteral("Action1.Fil"), rtf("a")));
        QVERIFY(other.save(QStringLiteral("Action1.Fil"), rtf("b")));
        QCOMPARE(declined, 1);
        QCOMPARE(other.history->versions(QStringLiteral("Action1.Fil")).size(), 2);
    }
};

QTEST_MAIN(TestDocumentHistory)
#include "tst_documenthistory.moc"
