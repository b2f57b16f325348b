// The command line's export, run as a user's script runs it: the real
// program, without a display, its exit status, its messages and the PDF it
// writes read back with pdftotext.
#include "pdftext.h"

#include "actionarea/status/statustable.h"

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
    void allPoliciesOnePerPage();
    void badArgumentsListEveryDocument_data();
    void badArgumentsListEveryDocument();
    void unwritableOutputNamesTheFileAndTheReason();

private:
    Run exportPdf(const QStringList &arguments);
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

Run TestExport::exportPdf(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The export must find its headless platform by itself.
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SENTRIVO_PATH),
                  QStringList{QStringLiteral("--workbook"), m_workbook.path(), QStringLiteral("--export")}
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

void TestExport::safeguardReportWithChosenSectionsOnTheirPages()
{
    const QString out = m_out.filePath(QStringLiteral("risk.pdf"));
    const Run run = exportPdf({QStringLiteral("safeguard:0:345"), out});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QStringList pages = pdfPageTexts(out);
    QCOMPARE(pages.size(), 1);
    const QString text = collapsed(pages.first());
    QVERIFY(text.startsWith(QStringLiteral("Action Taken: Our risk analysis covered every system. "
                                           "Comments/Notes: Reviewed in March. "
                                           "Policies and Procedures/Plan: Risk analysis policy.")));
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
