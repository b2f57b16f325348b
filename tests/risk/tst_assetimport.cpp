#include "platform/database/workbookdatabase.h"
#include "platform/records/workbook.h"
#include "risk/assetimport.h"
#include "risk/csvreader.h"
#include "risk/registertables.h"
#include "risk/riskstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestAssetImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The reader on its own: fields, quotes, line ends and line numbers.
    void reader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<QList<int>>("lines");
        QTest::newRow("lf") << "a,b\nc,d\n" << QList<QStringList>{{"a", "b"}, {"c", "d"}} << QList<int>{1, 2};
        QTest::newRow("crlf no final") << "a,b\r\nc,d" << QList<QStringList>{{"a", "b"}, {"c", "d"}} << QList<int>{1, 2};
        QTest::newRow("cr only") << "a\rb\r" << QList<QStringList>{{"a"}, {"b"}} << QList<int>{1, 2};
        QTest::newRow("quoted comma") << "\"a,b\",c\n" << QList<QStringList>{{"a,b", "c"}} << QList<int>{1};
        QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\",x\n" << QList<QStringList>{{"say \"hi\"", "x"}} << QList<int>{1};
        QTest::newRow("line break in field") << "\"one\r\ntwo\",x\r\nnext,y\r\n"
                                             << QList<QStringList>{{"one\r\ntwo", "x"}, {"next", "y"}} << QList<int>{1, 3};
        QTest::newRow("blank lines") << "a\n\n\nb\n" << QList<QStringList>{{"a"}, {"b"}} << QList<int>{1, 4};
        QTest::newRow("empty fields") << ",,\n" << QList<QStringList>{{"", "", ""}} << QList<int>{1};
        QTest::newRow("empty quoted") << "\"\"\n" << QList<QStringList>{{""}} << QList<int>{1};
    }
    void reader()
    {
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, records);
        QFETCH(QList<int>, lines);
        const CsvReader::Result result = CsvReader::parse(text);
        QVERIFY2(result.errors.isEmpty(), qPrintable(result.errors.join(QLatin1Char('\n'))));
        QCOMPARE(result.records.size(), records.size());
        for (qsizetype i = 0; i < records.size(); ++i) {
            QCOMPARE(result.records.at(i).fields, records.at(i));
            QCOMPARE(result.records.at(i).line, lines.at(i));
        }
    }

    void readerFaults_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("unclosed") << "a\n\"open,b\nc\n" << "line 2: a quoted field is not closed";
        QTest::newRow("stray quote") << "a\nb\"c\n" << "line 2: a quote inside a field";
        QTest::newRow("after quote") << "a\n\"b\"c\n" << "line 2: text after the closing quote";
    }
    void readerFaults()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        const CsvReader::Result result = CsvReader::parse(text);
        QVERIFY(!result.errors.isEmpty());
        QVERIFY2(result.errors.constFirst().startsWith(error), qPrintable(result.errors.constFirst()));
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBFJos\xC3\xA9") << QString::fromUtf8("José");
        QTest::newRow("utf-8") << QByteArray("Jos\xC3\xA9 \xE2\x82\xAC") << QString::fromUtf8("José €");
        QTest::newRow("windows-1252") << QByteArray("Jos\xE9 \x80 \x93quoted\x94") << QString::fromUtf8("José € “quoted”");
        QTest::newRow("ascii") << QByteArray("plain") << QStringLiteral("plain");
    }
    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(CsvReader::decode(bytes), text);
    }

    void importsClean()
    {
        BusinessAssociate baa;
        baa.id = 7;
        baa.name = QStringLiteral("Cloud EHR Inc.");
        const QByteArray csv = "\xEF\xBB\xBF" "name,KIND,Location,Records,Creates,Transmits,Business Associate,Notes\r\n"
                               "EHR,EHR or practice system,Vendor,\"4,200\",yes,Y,cloud ehr inc.,\"Line 1\r\nline \"\"2\"\"\"\r\n"
                               "Front desk PC,workstation,Reception,,no,,,\r\n"
                               "Old USB stick,Removable media,Drawer,12,,,,\r\n";
        const AssetImport::Result result = AssetImport::parse(csv, {baa});
        QVERIFY2(result.ok(), qPrintable(result.errors.join(QLatin1Char('\n'))));
        QCOMPARE(result.assets.size(), 3);
        const RiskAsset &ehr = result.assets.at(0);
        QCOMPARE(ehr.name, QStringLiteral("EHR"));
        QCOMPARE(ehr.kind, AssetKind::Ehr);
        QCOMPARE(ehr.recordCount, std::optional<qint64>(4200));
        QVERIFY(ehr.creates && ehr.transmits && !ehr.receives);
        QCOMPARE(ehr.associateId, 7);
        QCOMPARE(ehr.notes, QStringLiteral("Line 1\r\nline \"2\""));
        QCOMPARE(result.assets.at(1).kind, AssetKind::Workstation);
        QCOMPARE(result.assets.at(1).recordCount, std::nullopt);
        QCOMPARE(result.assets.at(2).kind, AssetKind::RemovableMedia);
    }

    // Every fault listed with its line, and no asset kept.
    void faultsListedWithLines()
    {
        const QByteArray csv = "Name,Kind,Records,Retired,Business associate\n"
                               "Good,server,1,no,\n"
                               ",server,1,no,\n"
                               "\"Multi\nline\",toaster,1,no,\n"
                               "Count,server,many,no,\n"
                               "Flag,server,1,maybe,\n"
                               "Vendor,server,1,no,Nobody Inc.\n"
                               "Wide,server,1,no,,extra\n";
        const AssetImport::Result result = AssetImport::parse(csv, {});
        QVERIFY(result.assets.isEmpty());
        const QStringList expected = {"line 3: the asset has no name", "line 4: unknown kind \"toaster\"",
                                      "line 6: \"many\" is not a number", "line 7: \"maybe\" under Retired",
                                      "line 8: no business associate called \"Nobody Inc.\"", "line 9: 6 fields"};
        QCOMPARE(result.errors.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY2(result.errors.at(i).startsWith(expected.at(i)), qPrintable(result.errors.at(i)));
    }

    void headerFaults_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray("") << "line 1: the file is empty";
        QTest::newRow("bom only") << QByteArray("\xEF\xBB\xBF") << "line 1: the file is empty";
        QTest::newRow("unknown column") << QByteArray("Name,Colour\nx,red\n") << "line 1: unknown column \"Colour\"";
        QTest::newRow("no name column") << QByteArray("Kind\nserver\n") << "line 1: no \"Name\" column";
        QTest::newRow("twice") << QByteArray("Name,name\nx,y\n") << "line 1: the column \"name\" appears twice";
        QTest::newRow("header only") << QByteArray("Name\r\n") << "line 1: the file names its columns but holds no assets";
    }
    void headerFaults()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, error);
        const AssetImport::Result result = AssetImport::parse(csv, {});
        QVERIFY(!result.ok());
        QVERIFY2(result.errors.constFirst().startsWith(error), qPrintable(result.errors.constFirst()));
    }

    void manyFaultsCapped()
    {
        QByteArray csv = "Name,Kind\n";
        for (int i = 0; i < 300; ++i)
            csv += "x,nothing\n";
        const AssetImport::Result result = AssetImport::parse(csv, {});
        QCOMPARE(result.errors.size(), AssetImport::kMaxErrors + 1);
    }

    // Export, then import into another workbook: the same inventory.
    void exportImportsAgain()
    {
        QTemporaryDir a;
        QTemporaryDir b;
        WorkbookDatabase first{Workbook(a.path())};
        first.open();
        RiskStore store(first);
        QVERIFY(store.load());
        RiskAsset asset;
        asset.name = QStringLiteral("Billing laptop");
        asset.kind = AssetKind::Laptop;
        asset.location = QStringLiteral("Office, room 2");
        asset.ephi = QStringLiteral("Claims \"837\" files");
        asset.recordCount = 1500;
        asset.maintains = true;
        asset.notes = QStringLiteral("Two lines\nhere");
        asset.retired = true;
        QVERIFY(store.saveAsset(asset));
        const QString out = a.filePath(QStringLiteral("reg.csv"));
        QStringList written;
        QString error;
        QVERIFY2(RegisterTables::write(store, out, &written, &error), qPrintable(error));
        QCOMPARE(written.size(), 3);

        WorkbookDatabase second{Workbook(b.path())};
        second.open();
        RiskStore other(second);
        QVERIFY(other.load());
        const AssetImport::Result result = AssetImport::importFile(other, written.constFirst());
        QVERIFY2(result.ok(), qPrintable(result.errors.join(QLatin1Char('\n'))));
        QCOMPARE(other.assets().size(), 1);
        RiskAsset imported = other.assets().constFirst();
        imported.id = asset.id;
        QCOMPARE(imported, asset);
    }

    // A file that does not read adds nothing to the register.
    void failedImportAddsNothing()
    {
        QTemporaryDir dir;
        WorkbookDatabase database{Workbook(dir.path())};
        database.open();
        RiskStore store(database);
        QVERIFY(store.load());
        const QString path = dir.filePath(QStringLiteral("in.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Name,Kind\nOne,server\nTwo,nothing\n");
        file.close();
        const AssetImport::Result result = AssetImport::importFile(store, path);
        QVERIFY(!result.ok());
        QVERIFY(store.assets().isEmpty());
        RiskStore again(database);
        QVERIFY(again.load());
        QVERIFY(again.assets().isEmpty());
        QVERIFY(!AssetImport::importFile(store, dir.filePath(QStringLiteral("missing.csv"))).ok());
    }
};

QTEST_GUILESS_MAIN(TestAssetImport)
#include "tst_assetimport.moc"
