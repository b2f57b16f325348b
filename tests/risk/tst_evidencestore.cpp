#include "platform/database/workbookdatabase.h"
#include "platform/records/workbook.h"
#include "risk/evidencestore.h"
#include "risk/riskstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Fixture
{
    QTemporaryDir workbookDir;
    QTemporaryDir sourceDir;
    Workbook workbook{workbookDir.path()};
    WorkbookDatabase database{workbook};
    Fixture() { database.open(); }
    QStringList evidenceFiles() const
    {
        return QDir(EvidenceStore::folderOf(workbook)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

} // namespace

class TestEvidenceStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void safeExtension_data()
    {
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("extension");
        QTest::newRow("pdf") << "Signed BAA.PDF" << "pdf";
        QTest::newRow("two dots") << "scan.2025.jpeg" << "jpeg";
        QTest::newRow("none") << "README" << "";
        QTest::newRow("hidden") << ".profile" << "";
        QTest::newRow("trailing dot") << "file." << "";
        QTest::newRow("too long") << "a.abcdefghijk" << "";
        QTest::newRow("odd characters") << "a.p df" << "";
        QTest::newRow("path") << "../../etc/passwd" << "";
        QTest::newRow("unicode") << "Übersicht.dоcx" << "";   // a Cyrillic o
    }
    void safeExtension()
    {
        QFETCH(QString, original);
        QFETCH(QString, extension);
        QCOMPARE(EvidenceStore::safeExtension(original), extension);
    }

    // The copy, its name and what is recorded about it.
    void attachCopiesAndRecords()
    {
        Fixture f;
        EvidenceStore evidence(f.database);
        const QByteArray bytes = QByteArray("%PDF-1.4 signed agreement\n").repeated(1000);
        const QString source = writeFile(f.sourceDir.filePath(QStringLiteral("Signed BAA (Cloud EHR).PDF")), bytes);
        QVERIFY(!source.isEmpty());
        EvidenceItem item;
        QString error;
        QVERIFY2(evidence.attach(EvidenceOwner::Safeguard, 3, source, QStringLiteral("Countersigned copy"), &item, &error),
                 qPrintable(error));
        QCOMPARE(item.storedName, QStringLiteral("000001.pdf"));
        QCOMPARE(item.originalName, QStringLiteral("Signed BAA (Cloud EHR).PDF"));
        QCOMPARE(item.size, bytes.size());
        QCOMPARE(item.sha256, QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()));
        QCOMPARE(readAll(evidence.filePath(item)), bytes);
        QCOMPARE(f.evidenceFiles(), QStringList{QStringLiteral("000001.pdf")});
        // The source is untouched: copied, not moved or linked.
        QCOMPARE(readAll(source), bytes);
        QVERIFY(!QFileInfo(evidence.filePath(item)).isSymLink());

        const QList<EvidenceItem> listed = evidence.itemsOf(EvidenceOwner::Safeguard, 3);
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed.constFirst().sha256, item.sha256);
        QCOMPARE(listed.constFirst().note, QStringLiteral("Countersigned copy"));
        QCOMPARE(listed.constFirst().addedAt, item.addedAt);
        QVERIFY(qAbs(listed.constFirst().addedAt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        QVERIFY(evidence.itemsOf(EvidenceOwner::Safeguard, 4).isEmpty());

        // Numbers are never used twice, even after a removal.
        QVERIFY(evidence.remove(item.id, &error));
        QVERIFY(f.evidenceFiles().isEmpty());
        EvidenceItem second;
        QVERIFY(evidence.attach(EvidenceOwner::Safeguard, 3, source, QString(), &second, &error));
        QCOMPARE(second.storedName, QStringLiteral("000002.pdf"));

        // Nor a number a file in the folder has: a restored database may
        // count lower than the files a restore left in place.
        QVERIFY(!writeFile(QDir(evidence.folder()).filePath(QStringLiteral("000007.png")), "kept").isEmpty());
        EvidenceItem third;
        QVERIFY2(evidence.attach(EvidenceOwner::Safeguard, 3, source, QString(), &third, &error), qPrintable(error));
        QCOMPARE(third.storedName, QStringLiteral("000008.pdf"));
    }

    // Whatever the original is called, the copy lands inside Evidence/.
    void hostileNamesStayInside_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("leading dots") << "...pdf";
        QTest::newRow("newline") << "a\nb.txt";
        QTest::newRow("backslashes") << "..\\..\\x.exe";
        QTest::newRow("long") << QString(200, QLatin1Char('n')) + QStringLiteral(".pdf");
    }
    void hostileNamesStayInside()
    {
        QFETCH(QString, name);
        Fixture f;
        EvidenceStore evidence(f.database);
        const QString source = writeFile(f.sourceDir.filePath(name), "x");
        if (source.isEmpty())
            QSKIP("the file system refuses this name");
        EvidenceItem item;
        QString error;
        QVERIFY2(evidence.attach(EvidenceOwner::Safeguard, 1, source, QString(), &item, &error), qPrintable(error));
        QCOMPARE(QFileInfo(evidence.filePath(item)).absolutePath(), QFileInfo(evidence.folder()).absoluteFilePath());
        QCOMPARE(f.evidenceFiles().size(), 1);
        QCOMPARE(item.originalName, QFileInfo(source).fileName());
    }

    void overLimitRefused()
    {
        Fixture f;
        EvidenceStore evidence(f.database);
        const QString path = f.sourceDir.filePath(QStringLiteral("scan.tif"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(EvidenceStore::kMaxBytes + 1));   // sparse: no 100 MB written
        }
        QString error;
        QVERIFY(!evidence.attach(EvidenceOwner::Safeguard, 1, path, QString(), nullptr, &error));
        QVERIFY2(error.contains(QStringLiteral("100 MB")), qPrintable(error));
        QVERIFY(f.evidenceFiles().isEmpty());
        QVERIFY(evidence.all().isEmpty());
        // Exactly the limit is accepted.
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(EvidenceStore::kMaxBytes));
        }
        EvidenceItem item;
        QVERIFY2(evidence.attach(EvidenceOwner::Safeguard, 1, path, QString(), &item, &error), qPrintable(error));
        QCOMPARE(item.size, EvidenceStore::kMaxBytes);
    }

    // When the row cannot be written, no copy is left behind.
    void refusedRowLeavesNoFile()
    {
        Fixture f;
        EvidenceStore evidence(f.database);
        const QString source = writeFile(f.sourceDir.filePath(QStringLiteral("log.csv")), "a,b\n");
        QString error;
        // No risk 77: the foreign key refuses the row.
        QVERIFY(!evidence.attach(EvidenceOwner::Risk, 77, source, QString(), nullptr, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(f.evidenceFiles().isEmpty());
        QVERIFY(!evidence.attach(EvidenceOwner::Safeguard, 1, f.sourceDir.filePath(QStringLiteral("missing")),
                                 QString(), nullptr, &error));
        QVERIFY(f.evidenceFiles().isEmpty());
    }

    // Removing a record removes the evidence attached to it, files too.
    void ownerRemovalTakesEvidence()
    {
        Fixture f;
        RiskStore store(f.database);
        QVERIFY(store.load());
        EvidenceStore evidence(f.database);
        Risk risk;
        risk.threat = QStringLiteral("Fire");
        QVERIFY(store.saveRisk(risk));
        BusinessAssociate baa;
        baa.name = QStringLiteral("Shredding Co.");
        QVERIFY(store.saveAssociate(baa));
        const QString source = writeFile(f.sourceDir.filePath(QStringLiteral("a.txt")), "evidence");
        QString error;
        QVERIFY(evidence.attach(EvidenceOwner::Risk, risk.id, source, QString(), nullptr, &error));
        QVERIFY(evidence.attach(EvidenceOwner::Associate, baa.id, source, QString(), nullptr, &error));
        QCOMPARE(f.evidenceFiles().size(), 2);
        QVERIFY(store.removeRisk(risk.id, &error));
        QCOMPARE(f.evidenceFiles(), QStringList{QStringLiteral("000002.txt")});
        QCOMPARE(evidence.all().size(), 1);
        QVERIFY(evidence.setNote(evidence.all().constFirst().id, QStringLiteral("Signed 2025"), &error));
        QCOMPARE(evidence.all().constFirst().note, QStringLiteral("Signed 2025"));
    }
};

QTEST_GUILESS_MAIN(TestEvidenceStore)
#include "tst_evidencestore.moc"
