#include "clinicregister.h"

#include "platform/database/workbookdatabase.h"
#include "platform/records/workbook.h"
#include "risk/csvreader.h"
#include "printing/printsurface.h"
#include "risk/registertables.h"
#include "risk/reports/riskreports.h"
#include "risk/riskstore.h"
#include "shell/exportcommand.h"
#include "shell/riskcommands.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

namespace {

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString zipMember(const QString &path, const QString &member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, member});
    unzip.waitForFinished(60000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whitespace folded, so wrapped lines and layout spacing do not matter.
QString folded(const QString &text)
{
    return text.simplified();
}

} // namespace

class TestRiskExports : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_workbook;
    QDate m_today = QDate::currentDate();

    int runExport(const QString &what, const QString &out, QString *errors = nullptr)
    {
        QString text;
        QTextStream stream(&text);
        ExportCommand::Context context;
        context.workbook = Workbook(m_workbook);
        const int status = ExportCommand::run(what, out, context, stream);
        stream.flush();
        if (errors)
            *errors = text;
        return status;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_workbook = m_dir.filePath(QStringLiteral("clinic"));
        QVERIFY(QDir().mkpath(m_workbook));
        WorkbookDatabase database{Workbook(m_workbook)};
        database.open();
        RiskStore store(database);
        QVERIFY(store.load());
        QVERIFY(ClinicRegister::fill(store, m_today));
        QCOMPARE(store.assets().size(), 12);
        QCOMPARE(store.risks().size(), 30);
    }

    // Registers of growing length move the heat map's heading down the last
    // page; wherever it lands, the heading starts the page its map is on.
    void heatMapHeadingStaysWithItsMap()
    {
        int sawMovedToNextPage = 0;
        for (int risks = 1; risks <= 30; ++risks) {
            QTemporaryDir dir;
            WorkbookDatabase database{Workbook(dir.path())};
            database.open();
            RiskStore store(database);
            QVERIFY(store.load());
            QVERIFY(ClinicRegister::fillLarge(store, m_today, 3, risks, 0));
            for (const auto &[compose, heading, map] :
                 {std::tuple{&RiskReports::composeAnalysis, "Heat map", "Current risk (risks per cell"},
                  std::tuple{&RiskReports::composePlan, "Residual risk", "Residual risk (risks per cell"}}) {
                PrintSurface surface;
                compose(surface, store, RiskReports::Options{m_today, QString()});
                int headingPage = -1;
                int mapPage = -1;
                for (int page = 0; page < surface.pageCount(); ++page) {
                    for (const PrintedText &piece : surface.texts(page)) {
                        if (piece.text == QLatin1String(heading))
                            headingPage = page;
                        if (piece.text.startsWith(QLatin1String(map)))
                            mapPage = page;
                    }
                }
                QVERIFY2(mapPage >= 0, heading);
                QVERIFY2(headingPage == mapPage,
                         qPrintable(QStringLiteral("%1 risks: \"%2\" on page %3, its map on page %4")
                                        .arg(risks).arg(QLatin1String(heading)).arg(headingPage + 1).arg(mapPage + 1)));
                if (mapPage > 0 && surface.texts(mapPage).first().text == QLatin1String(heading))
                    ++sawMovedToNextPage;
            }
        }
        // Some lengths leave too little room under the list for the map.
        QVERIFY(sawMovedToNextPage > 0);
    }

    // However long the inventory, an asset's name, its kind and its first
    // line of facts are printed on one page.
    void assetStaysWithItsDetails()
    {
        int sawPageBreak = 0;
        for (int assets = 20; assets <= 40; ++assets) {
            QTemporaryDir dir;
            WorkbookDatabase database{Workbook(dir.path())};
            database.open();
            RiskStore store(database);
            QVERIFY(store.load());
            QVERIFY(ClinicRegister::fillLarge(store, m_today, assets, 0, 2));
            QSet<QString> names;
            for (const RiskAsset &asset : store.assets())
                names.insert(asset.name);
            PrintSurface surface;
            RiskReports::composeAnalysis(surface, store, RiskReports::Options{m_today, QString()});
            QList<std::pair<int, QString>> pieces;
            for (int page = 0; page < surface.pageCount(); ++page) {
                for (const PrintedText &piece : surface.texts(page))
                    pieces.append({page, piece.text});
            }
            for (qsizetype i = 0; i + 2 < pieces.size(); ++i) {
                if (!names.contains(pieces.at(i).second))
                    continue;
                QVERIFY2(pieces.at(i + 1).first == pieces.at(i).first && pieces.at(i + 2).first == pieces.at(i).first,
                         qPrintable(QStringLiteral("%1 assets: %2 on page %3, \"%4\" on page %5")
                                        .arg(assets)
                                        .arg(pieces.at(i).second)
                                        .arg(pieces.at(i).first + 1)
                                        .arg(pieces.at(i + 1).second)
                                        .arg(pieces.at(i + 1).first + 1)));
                if (i > 0 && pieces.at(i - 1).first != pieces.at(i).first)
                    ++sawPageBreak;
            }
        }
        // Some lengths put an asset first on a new page.
        QVERIFY(sawPageBreak > 0);
    }

    void usageListsTheRows()
    {
        const QString usage = ExportCommand::usage();
        for (const char *name : {"risk-analysis", "risk-plan", "business-associates", "risk-register"})
            QVERIFY2(usage.contains(QLatin1String(name)), name);
    }

    void riskAnalysisPdf()
    {
        const QString out = m_dir.filePath(QStringLiteral("analysis.pdf"));
        QString errors;
        QCOMPARE(runExport(QStringLiteral("risk-analysis"), out, &errors), ExportCommand::kSuccess);
        const QString text = folded(pdfText(out));
        QVERIFY2(text.startsWith(QStringLiteral("Risk Analysis")), qPrintable(text.left(200)));
        QVERIFY(text.contains(QStringLiteral("164.308(a)(1)(ii)(A)")));
        QVERIFY(text.contains(QStringLiteral("All electronic protected health information that Bayside Family Clinic")));
        QVERIFY(text.contains(QStringLiteral("Prepared by: Office manager (security official)")));
        QVERIFY(text.contains(QStringLiteral("more than 12 months ago")));
        QVERIFY(text.contains(QStringLiteral("Asset inventory (12)")));
        QVERIFY(text.contains(QStringLiteral("Physician laptop")));
        QVERIFY(text.contains(QStringLiteral("Risk register (30 risks")));
        // By level: the one Very High risk comes before any Low one.
        const qsizetype veryHigh = text.indexOf(QStringLiteral("Very High Ransomware on a front desk PC"));
        const qsizetype low = text.indexOf(QStringLiteral("Low Paper originals shredded"));
        QVERIFY2(veryHigh > 0 && low > veryHigh, qPrintable(text.mid(text.indexOf(QStringLiteral("Risk register")), 600)));
        QVERIFY(text.contains(QStringLiteral("Likelihood High, impact Very High, level Very High")));
        QVERIFY(text.contains(QStringLiteral("Security Reminders; Protection from Malicious Software")));
        QVERIFY(text.contains(QStringLiteral("Heat map")));
    }

    void riskPlanPdf()
    {
        const QString out = m_dir.filePath(QStringLiteral("plan.pdf"));
        QCOMPARE(runExport(QStringLiteral("risk-plan"), out), ExportCommand::kSuccess);
        const QString text = folded(pdfText(out));
        QVERIFY(text.startsWith(QStringLiteral("Risk Management Plan")));
        QVERIFY(text.contains(QStringLiteral("164.308(a)(1)(ii)(B)")));
        // 30 risks: 3 accepted, 2 done, so 25 open.
        QVERIFY(text.contains(QStringLiteral("Open treatments (25)")));
        QVERIFY(text.contains(QStringLiteral("Accepted risks (3)")));
        QVERIFY(text.contains(QStringLiteral("Accepted by Dr. Maria Patel on")));
        // The most overdue first.
        const qsizetype laptop = text.indexOf(QStringLiteral("Laptop stolen from a car"));
        const qsizetype ehr = text.indexOf(QStringLiteral("EHR outage stops patient visits"));
        QVERIFY(laptop > 0 && ehr > laptop);
        QVERIFY(text.contains(QStringLiteral("(overdue)")));
        QVERIFY(!text.contains(QStringLiteral("Unpatched server exploited")));   // done
    }

    void associatesPdf()
    {
        const QString out = m_dir.filePath(QStringLiteral("baa.pdf"));
        QCOMPARE(runExport(QStringLiteral("business-associates"), out), ExportCommand::kSuccess);
        const QString text = folded(pdfText(out));
        QVERIFY(text.contains(QStringLiteral("164.308(b) and 164.314(a)")));
        QVERIFY(text.contains(QStringLiteral("Bayside IT Services - BAA review due")));
        QVERIFY(text.contains(QStringLiteral("SecureShred Co. - no signed BAA recorded")));
        QVERIFY(text.contains(QStringLiteral("Cloud EHR Inc.")));
    }

    void registerXlsx()
    {
        const QString out = m_dir.filePath(QStringLiteral("register.xlsx"));
        QCOMPARE(runExport(QStringLiteral("risk-register"), out), ExportCommand::kSuccess);
        const QString workbook = zipMember(out, QStringLiteral("xl/workbook.xml"));
        QVERIFY(workbook.contains(QStringLiteral("name=\"Assets\"")));
        QVERIFY(workbook.contains(QStringLiteral("name=\"Risks\"")));
        QVERIFY(workbook.contains(QStringLiteral("name=\"Business associates\"")));
        const QString strings = zipMember(out, QStringLiteral("xl/sharedStrings.xml"));
        QVERIFY(strings.contains(QStringLiteral("<t>Ransomware on a front desk PC</t>")));
        QVERIFY(strings.contains(QStringLiteral("<t>Residual level</t>")));
        // The risks sheet: a header and 30 rows; the due dates are real dates.
        const QString risks = zipMember(out, QStringLiteral("xl/worksheets/sheet2.xml"));
        QCOMPARE(risks.count(QStringLiteral("<row ")), 31);
        // Column M (Due) of a dated row is a number with a date style.
        static const QRegularExpression dueCell(QStringLiteral("<c r=\"M2\" s=\"\\d+\"><v>\\d+</v></c>"));
        QVERIFY2(dueCell.match(risks).hasMatch(), qPrintable(risks.left(3000)));
        const QString assets = zipMember(out, QStringLiteral("xl/worksheets/sheet1.xml"));
        QCOMPARE(assets.count(QStringLiteral("<row ")), 13);
    }

    void registerCsv()
    {
        const QString out = m_dir.filePath(QStringLiteral("register.csv"));
        QCOMPARE(runExport(QStringLiteral("risk-register"), out), ExportCommand::kSuccess);
        const QStringList paths = RegisterTables::csvPaths(out);
        QCOMPARE(paths.constFirst(), m_dir.filePath(QStringLiteral("register-assets.csv")));
        const QByteArray risksBytes = readAll(paths.at(1));
        QVERIFY(risksBytes.startsWith("\xEF\xBB\xBF" "Id,Asset,Threat,"));
        const CsvReader::Result risks = CsvReader::parse(CsvReader::decode(risksBytes));
        QVERIFY(risks.errors.isEmpty());
        QCOMPARE(risks.records.size(), 31);
        const QStringList header = risks.records.constFirst().fields;
        const int threat = int(header.indexOf(QStringLiteral("Threat")));
        const int level = int(header.indexOf(QStringLiteral("Level")));
        const int due = int(header.indexOf(QStringLiteral("Due")));
        bool found = false;
        for (const CsvReader::Record &record : risks.records) {
            if (record.fields.at(threat) == QLatin1String("Ransomware on a front desk PC")) {
                found = true;
                QCOMPARE(record.fields.at(level), QStringLiteral("Very High"));
                QCOMPARE(record.fields.at(due), m_today.addDays(-3).toString(Qt::ISODate));
            }
        }
        QVERIFY(found);
        const CsvReader::Result associates = CsvReader::parse(CsvReader::decode(readAll(paths.at(2))));
        QCOMPARE(associates.records.size(), 5);
    }

    void unwritableOutputFails()
    {
        QString errors;
        QCOMPARE(runExport(QStringLiteral("risk-register"), m_dir.filePath(QStringLiteral("missing/dir/x.xlsx")), &errors),
                 ExportCommand::kWriteFailed);
        QVERIFY(errors.contains(QStringLiteral("could not be written")));
        QCOMPARE(runExport(QStringLiteral("risk-analysis:extra"), m_dir.filePath(QStringLiteral("x.pdf"))),
                 ExportCommand::kBadArgument);
    }

    // The headless import: line-numbered faults and exit 1 with nothing
    // added; then a clean file adds every asset.
    void headlessImport()
    {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("assets.csv"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Name,Kind\r\nReception PC,Workstation\r\n,server\r\nNAS,storage\r\n");
        file.close();
        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        QCOMPARE(RiskCommands::runImport(QStringLiteral("assets"), csv, dir.path(), out, err), 1);
        QVERIFY2(errText.contains(QStringLiteral("assets.csv: line 3: the asset has no name")), qPrintable(errText));
        QVERIFY(errText.contains(QStringLiteral("assets.csv: line 4: unknown kind \"storage\"")));
        QVERIFY(errText.contains(QStringLiteral("nothing was imported")));
        {
            WorkbookDatabase database{Workbook(dir.path())};
            database.open();
            RiskStore store(database);
            QVERIFY(store.load());
            QVERIFY(store.assets().isEmpty());
        }
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Name,Kind\nReception PC,Workstation\nNAS,server\n");
        file.close();
        QCOMPARE(RiskCommands::runImport(QStringLiteral("assets"), csv, dir.path(), out, err), 0);
        out.flush();
        QVERIFY(outText.contains(QStringLiteral("Imported 2 assets")));
        QCOMPARE(RiskCommands::runImport(QStringLiteral("risks"), csv, dir.path(), out, err), 2);
    }
};

QTEST_MAIN(TestRiskExports)
#include "tst_riskexports.moc"
