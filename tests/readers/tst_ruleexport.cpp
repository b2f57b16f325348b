// "--export rule:N OUT.pdf": section N printed as the Security Rule screen's
// Print does with nothing selected.
#include "printing/pdftext.h"
#include "printing/printsurface.h"
#include "readers/ruleexport.h"
#include "shell/exportcommand.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

class TestRuleExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arguments_data();
    void arguments();
    void exportsWholeSection();
    void unreadableSectionIsSaidAndBlank();
};

void TestRuleExport::arguments_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("status");
    QTest::newRow("first") << "rule:0" << ExportCommand::kSuccess;
    QTest::newRow("last") << "rule:24" << ExportCommand::kSuccess;
    QTest::newRow("beyond") << "rule:25" << ExportCommand::kBadArgument;
    QTest::newRow("negative") << "rule:-1" << ExportCommand::kBadArgument;
    QTest::newRow("signed") << "rule:+3" << ExportCommand::kBadArgument;
    QTest::newRow("not a number") << "rule:x" << ExportCommand::kBadArgument;
    QTest::newRow("no number") << "rule" << ExportCommand::kBadArgument;
}

void TestRuleExport::arguments()
{
    QFETCH(QString, what);
    QFETCH(int, status);
    QTemporaryDir folder;
    for (const char *name : {"PR0.Fl1", "PR24.Fl1"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi Section text.\\par}");
    }
    QString errors;
    QTextStream stream(&errors);
    const QString out = folder.filePath(QStringLiteral("out.pdf"));
    QCOMPARE(ExportCommand::run(what, out, ExportCommand::Context{Workbook(folder.path(), folder.path())}, stream), status);
    QCOMPARE(QFile::exists(out), status == ExportCommand::kSuccess);
    if (status == ExportCommand::kBadArgument)
        QVERIFY(errors.contains(QStringLiteral("rule:N")));  // the usage lists the row
    else
        QVERIFY(errors.isEmpty());
}

void TestRuleExport::exportsWholeSection()
{
    QTemporaryDir content;
    QFile section(content.filePath(QStringLiteral("PR21.Fl1")));
    QVERIFY(section.open(QIODevice::WriteOnly));
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs22 {\\b V. Federalism}\\par\n";
    for (int paragraph = 1; paragraph <= 120; ++paragraph)
        rtf += "Paragraph " + QByteArray::number(paragraph)
               + " of the federalism section, long enough to fill a line or two of the printed page.\\par\n";
    section.write(rtf + "}");
    section.close();

    PrintSurface surface;
    QString name;
    QString problem;
    QVERIFY(composeRuleSection(content.path(), 21, surface, &name, &problem));
    QVERIFY(problem.isEmpty());
    QCOMPARE(name, QStringLiteral("Security Rule - Federalism"));
    QCOMPARE(surface.margins(), (PrintMargins{350, 300, 350, 100}));
    QCOMPARE(surface.orientation(), QPageLayout::Portrait);
    QVERIFY(surface.pageCount() >= 2);

    const QString pdf = content.filePath(QStringLiteral("out.pdf"));
    QString errors;
    QTextStream stream(&errors);
    QCOMPARE(ExportCommand::run(QStringLiteral("rule:21"), pdf, ExportCommand::Context{Workbook(content.path(), content.path())}, stream),
             ExportCommand::kSuccess);
    const QStringList pages = pdfPageTexts(pdf);
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    QCOMPARE(pages.size(), surface.pageCount());
    QVERIFY(collapsed(pages.first()).contains(QStringLiteral("V. Federalism")));
    QVERIFY(collapsed(pages.last()).contains(QStringLiteral("Paragraph 120 of the federalism section")));
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Title")), QStringLiteral("Security Rule - Federalism"));
}

void TestRuleExport::unreadableSectionIsSaidAndBlank()
{
    QTemporaryDir content;
    QString errors;
    QTextStream stream(&errors);
    const QString pdf = content.filePath(QStringLiteral("out.pdf"));
    QCOMPARE(ExportCommand::run(QStringLiteral("rule:3"), pdf, ExportCommand::Context{Workbook(content.path(), content.path())}, stream),
             ExportCommand::kSuccess);
    QVERIFY(errors.contains(QStringLiteral("PR3.Fl1 could not be read")));
    // As the screen prints an empty viewer: a blank page.
    QVERIFY(QFile::exists(pdf));
    const QStringList pages = pdfPageTexts(pdf);
    if (!pages.isEmpty())
        QVERIFY(collapsed(pages.join(QString())).isEmpty());
}

QTEST_MAIN(TestRuleExport)
#include "tst_ruleexport.moc"
