// The command line's export, run as a user's script runs it: the real
// program, without a display, its exit status, its messages and the PDF it
// writes read back with pdftotext.
#include "pdftext.h"

#include "actionarea/status/statustable.h"
#include "catalogue/safeguardcatalogue.h"
#include "history/decisionstore.h"
#include "history/reviewstore.h"
#include "platform/database/workbookdatabase.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray rtfOf(const QByteArray &text)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 " + text + "\\par}";
}

struct Run
{
    int exitCode = -1;
    QString errors;
};

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void summaryOfOneGroupWithItsStatuses();
    void safeguardReportWithChosenSectionsOnTheirPages();
    void safeguardReportCarriesItsReviewAndDecision();
    void allPoliciesOnePerPage();
    void badArgumentsListEveryDocument_data();
    void badArgumentsListEveryDocument();
    void unwritableOutputNamesTheFileAndTheReason();
    void unreadableFilesAreNamedNotTakenForEmptyOnes_data();
    void unreadableFilesAreNamedNotTakenForEmptyOnes();
    void binderAndSpreadsheetsByTheOutputsSuffix_data();
    void binderAndSpreadsheetsByTheOutputsSuffix();

private:
    Run exportPdf(const QStringList &arguments, const QString &workbook = QString());
    QTemporaryDir m_workbook;
    QTemporaryDir m_out;
};

void TestExport::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QDir dir(m_workbook.path());
    const auto write = [&dir](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("Action0.Fil"), rtfOf("Our risk analysis covered every system."));
    write(QStringLiteral("Comment0.Fil"), rtfOf("Reviewed in March."));
    write(QStringLiteral("Policy0.Fil"), rtfOf("Risk analysis policy."));
    write(QStringLiteral("Policy3.Fil"), rtfOf("Activity review policy."));
    write(QStringLiteral("Policy20.Fil"), rtfOf("Testing policy."));
    // Record 34 (Unique User Identification) and 39 (Mechanism to Authenticate).
    StatusTable statuses(Workbook(m_workbook.path()));
    QVERIFY(statuses.writeStatus(34, QStringLiteral("Completed")));
    QVERIFY(statuses.writeStatus(39, QStringLiteral(" Working ")));
}

Run TestExport::exportPdf(const QStringList &arguments, const QString &workbook)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The export must find its headless platform by itself.
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SENTRIVO_PATH),
                  QStringList{QStringLiteral("--workbook"), workbook.isEmpty() ? m_workbook.path() : workbook,
                                QStringLiteral("--export")}
                      + arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

void TestExport::summaryOfOneGroupWithItsStatuses()
{
    const QString out = m_out.filePath(QStringLiteral("technical.pdf"));
    const Run run = exportPdf({QStringLiteral("summary:technical"), out});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QStringList pages = pdfPageTexts(out);
    QCOMPARE(pages.size(), 1);
    const QString page = pages.first();
    QVERIFY(page.contains(QStringLiteral("HIPAA Security Standards")));
    QVERIFY(page.contains(QStringLiteral("TECHNICAL SAFEGUARDS \u00A7164.312")));
    QVERIFY(!page.contains(QStringLiteral("ADMINISTRATIVE")));
    QVERIFY(page.contains(QStringLiteral("Legend:")));
    QVERIFY(page.contains(QStringLiteral("Printed:")));
    // Statuses on their rows, trimmed.
    const QStringList lines = page.split(QLatin1Char('\n'));
    const auto lineWith = [&lines](const QString &text) {
        for (const QString &line : lines) {
            if (line.contains(text))
                return line.simplified();
        }
        return QString();
    };
    QVERIFY2(lineWith(QStringLiteral("Unique User Identification")).endsWith(QStringLiteral("R Completed")),
             qPrintable(lineWith(QStringLiteral("Unique User Identification"))));
    QVERIFY(lineWith(QStringLiteral("Mechanism to Authenticate")).endsWith(QStringLiteral("A Working")));
    QCOMPARE(pdfInfoField(out, QStringLiteral("Title")), QStringLiteral("HIPAA Security Standards - Technical Summary"));
}

void TestExport::unreadableFilesAreNamedNotTakenForEmptyOnes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("how"); // "folder", "loop" or damaged bytes
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("notExpected");
    const QString noEntry = QStringLiteral("No Action Taken entries were found");
    QTest::newRow("Action Taken, a folder in its place")
        << "Action2.Fil" << QByteArray("folder") << "safeguard:2:3" << "could not be read" << noEntry;
    QTest::newRow("Action Taken, a link to itself")
        << "Action2.Fil" << QByteArray("loop") << "safeguard:2:3" << "could not be read" << noEntry;
    QTest::newRow("statuses, a folder in its place")
        << "Stat1.Fil" << QByteArray("folder") << "summary:technical" << "could not be read" << QString();
    QByteArray damaged(40 * 20, '\0');
    damaged[33 * 20] = char(0xff); // record 34: a length no record can hold
    damaged[33 * 20 + 1] = char(0xff);
    QTest::newRow("statuses, a damaged record")
        << "Stat1.Fil" << damaged << "summary:technical" << "record(s) 34 could not be read" << QString();
    QTest::newRow("timeline, a folder in its place")
        << "TODOActv.FIL" << QByteArray("folder") << "timeline" << "could not be read" << "No Entries to Print";
}

void TestExport::unreadableFilesAreNamedNotTakenForEmptyOnes()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, how);
    QFETCH(QString, what);
    QFETCH(QString, expected);
    QFETCH(QString, notExpected);
    QTemporaryDir workbook;
    QDir dir(workbook.path());
    if (how == "folder") {
        QVERIFY(dir.mkdir(file));
    } else if (how == "loop") {
        QVERIFY(QFile::link(file, dir.filePath(file)));
    } else {
        QFile stored(dir.filePath(file));
        QVERIFY(stored.open(QIODevice::WriteOnly));
        stored.write(how);
    }
    const QString out = m_out.filePath(QStringLiteral("unreadable.pdf"));
    const Run run = exportPdf({what, out}, workbook.path());
    QVERIFY2(run.errors.contains(expected), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(file), qPrintable(run.errors));
    if (!notExpected.isEmpty())
        QVERIFY2(!run.errors.contains(notExpected, Qt::CaseInsensitive), qPrintable(run.errors));
}

void TestExport::safeguardReportWithChosenSectionsOnTheirPages()
{
    const QString out = m_out.filePath(QStringLiteral("risk.pdf"));
    const Run run = exportPdf({QStringLiteral("safeguard:0:345"), out});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QStringList pages = pdfPageTexts(out);
    QCOMPARE(pages.size(), 1);
    const QString text = collapsed(pages.first());
    // What the report is, then the sections chosen, then the page furniture.
    QVERIFY2(text.contains(QStringLiteral("Standard: Security Management Process Section: \u00A7164.308(a)(1)")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Action Taken: Our risk analysis covered every system. "
                                         "Comments/Notes: Reviewed in March. "
                                         "Policies and Procedures/Plan: Risk analysis policy.")));
    QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
    QCOMPARE(pdfInfoField(out, QStringLiteral("Title")), QStringLiteral("Risk Analysis - Safeguard Report"));

    // All six sections: the reference texts come first, so the report is
    // longer; sections with nothing to print are named on standard error.
    const QString all = m_out.filePath(QStringLiteral("management.pdf"));
    const Run full = exportPdf({QStringLiteral("safeguard:1"), all});
    QCOMPARE(full.exitCode, 0);
    QVERIFY2(full.errors.contains(QStringLiteral("No Action Taken entries were found for Risk Management!")),
             qPrintable(full.errors));
    const QStringList fullPages = pdfPageTexts(all);
    QVERIFY(!fullPages.isEmpty());
    QVERIFY(fullPages.first().contains(QStringLiteral("Risk Management")));
}

// The heading of a safeguard's report says when it was last reviewed and,
// for an addressable specification, which decision is in force; without a
// review or decision recorded it says so, and a workbook without a database
// prints neither line.
void TestExport::safeguardReportCarriesItsReviewAndDecision()
{
    int addressable = -1;
    for (const Catalogue::Safeguard &safeguard : Catalogue::safeguards()) {
        if (safeguard.designation == Catalogue::Designation::Addressable) {
            addressable = safeguard.no;
            break;
        }
    }
    QVERIFY(addressable >= 0);
    QTemporaryDir workbook;
    {
        QFile entry(QDir(workbook.path()).filePath(Catalogue::entryFileName(Catalogue::EntryKind::ActionTaken, addressable)));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write(rtfOf("Done as the rule describes."));
    }
    const QString out = m_out.filePath(QStringLiteral("decided.pdf"));
    const QString argument = QStringLiteral("safeguard:%1:3").arg(addressable);
    {
        WorkbookDatabase database{Workbook(workbook.path())};
        database.open();
        QVERIFY(database.isOpen());
    }
    Run run = exportPdf({argument, out}, workbook.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QString text = collapsed(pdfPageTexts(out).join(QLatin1Char(' ')));
    QVERIFY2(text.contains(QStringLiteral("Last Reviewed: not recorded Decision: not recorded")), qPrintable(text));

    {
        WorkbookDatabase database{Workbook(workbook.path())};
        database.open();
        DecisionStore::Decision decision;
        decision.safeguardNo = addressable;
        decision.choice = DecisionStore::Choice::Alternative;
        decision.alternative = QStringLiteral("Badge readers on both doors");
        decision.reasons = QStringLiteral("Cheaper than locks on every room");
        decision.decidedBy = QStringLiteral("Dana Reyes");
        decision.decidedOn = QDate(2026, 10, 1);
        decision.recordedAt = QDateTime::currentDateTimeUtc();
        ReviewStore::Review review{ReviewStore::safeguardItem(addressable), QStringLiteral("Sam Okafor"),
                                   QDate(2026, 11, 2), QString(), QDateTime::currentDateTimeUtc()};
        QVERIFY(database.transact([&](QSqlDatabase &db, QString *reason) {
            return DecisionStore::add(db, decision, reason) && ReviewStore::add(db, review, reason);
        }));
    }
    run = exportPdf({argument, out}, workbook.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    text = collapsed(pdfPageTexts(out).join(QLatin1Char(' ')));
    QVERIFY2(text.contains(QStringLiteral("Last Reviewed: 2026-11-02 by Sam Okafor Decision: ")
                           + DecisionStore::choiceCaption(DecisionStore::Choice::Alternative)
                           + QStringLiteral(", decided by Dana Reyes on 2026-10-01 Alternative measure: Badge readers "
                                            "on both doors Reasons: Cheaper than locks on every room")),
             qPrintable(text));

    // The shared workbook of the other tests has no database.
    run = exportPdf({QStringLiteral("safeguard:0:3"), out});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QVERIFY(!collapsed(pdfPageTexts(out).join(QLatin1Char(' '))).contains(QStringLiteral("Last Reviewed")));
}

void TestExport::allPoliciesOnePerPage()
{
    const QString out = m_out.filePath(QStringLiteral("policies.pdf"));
    const Run run = exportPdf({QStringLiteral("policies"), out});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QStringList pages = pdfPageTexts(out);
    QCOMPARE(pages.size(), 3);
    QCOMPARE(collapsed(pages[0]), QStringLiteral("Risk analysis policy."));
    QCOMPARE(collapsed(pages[1]), QStringLiteral("Activity review policy."));
    QCOMPARE(collapsed(pages[2]), QStringLiteral("Testing policy."));
}

void TestExport::badArgumentsListEveryDocument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown document") << QStringList{QStringLiteral("timetable"), QStringLiteral("x.pdf")};
    QTest::newRow("unknown group") << QStringList{QStringLiteral("summary:dental"), QStringLiteral("x.pdf")};
    QTest::newRow("safeguard out of range") << QStringList{QStringLiteral("safeguard:47"), QStringLiteral("x.pdf")};
    QTest::newRow("safeguard not a number") << QStringList{QStringLiteral("safeguard:x"), QStringLiteral("x.pdf")};
    QTest::newRow("section digit 6") << QStringList{QStringLiteral("safeguard:0:36"), QStringLiteral("x.pdf")};
    QTest::newRow("policies with argument") << QStringList{QStringLiteral("policies:2"), QStringLiteral("x.pdf")};
    QTest::newRow("no output file") << QStringList{QStringLiteral("summary")};
}

void TestExport::badArgumentsListEveryDocument()
{
    QFETCH(QStringList, arguments);
    const Run run = exportPdf(arguments);
    QCOMPARE(run.exitCode, 2);
    for (const QString &form : {QStringLiteral("summary:administrative"), QStringLiteral("safeguard:N:DIGITS"),
                                QStringLiteral("policies")})
        QVERIFY2(run.errors.contains(form), qPrintable(run.errors));
    QVERIFY(!QFile::exists(QStringLiteral("x.pdf")));
}

void TestExport::unwritableOutputNamesTheFileAndTheReason()
{
    const QString out = m_out.filePath(QStringLiteral("missing-folder/summary.pdf"));
    const Run run = exportPdf({QStringLiteral("summary"), out});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(out), qPrintable(run.errors));
    QVERIFY(run.errors.contains(QStringLiteral("could not be written")));
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"

void TestExport::binderAndSpreadsheetsByTheOutputsSuffix_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("binder as PDF") << "binder" << "binder.pdf" << QByteArray("%PDF");
    QTest::newRow("binder as ODT") << "binder" << "binder.odt" << QByteArray("PK");
    QTest::newRow("summary as XLSX") << "summary" << "summary.xlsx" << QByteArray("PK");
    QTest::newRow("summary as CSV") << "summary" << "summary.csv" << QByteArray("\xEF\xBB\xBFGroup,Standard");
    QTest::newRow("timeline as CSV") << "timeline" << "timeline.csv" << QByteArray("\xEF\xBB\xBFTo Do Item");
}

void TestExport::binderAndSpreadsheetsByTheOutputsSuffix()
{
    QFETCH(QString, what);
    QFETCH(QString, file);
    QFETCH(QByteArray, start);
    const QString out = m_out.filePath(file);
    const Run run = exportPdf({what, out});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().startsWith(start));
    if (file == QLatin1String("binder.pdf")) {
        const QStringList pages = pdfPageTexts(out);
        QVERIFY(pages.size() >= 4);
        QVERIFY(pages[1].contains(QStringLiteral("Contents")));
        QVERIFY(pages.join(QString()).contains(QStringLiteral("Our risk analysis covered every system.")));
    }
}
