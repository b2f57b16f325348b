#include "platform/rtf/rtf.h"
#include "rtftesthelpers.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace RtfTest;

// The converter compiles every shipped document from Markdown, so what it
// writes must read well in a word processor and in the program.
class TestRtfConv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void markdownBecomesRtf();
    void convertsRtfToOtherFormats_data();
    void convertsRtfToOtherFormats();
    void failuresAreReported_data();
    void failuresAreReported();

private:
    struct Result
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    Result run(const QStringList &arguments);
    QTemporaryDir m_dir;
};

TestRtfConv::Result TestRtfConv::run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(RTFCONV_PATH), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

void TestRtfConv::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestRtfConv::markdownBecomesRtf()
{
    const QString source = qEnvironmentVariable("SENTRIVO_TEST_DATA") + QStringLiteral("/rtf/policy-template.md");
    const QString target = m_dir.filePath(QStringLiteral("Misc99.Fl1"));
    const Result result = run({QStringLiteral("--to"), QStringLiteral("rtf"), source, target});
    QCOMPARE(result.exitCode, 0);

    QByteArray rtf;
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    rtf = file.readAll();
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"));

    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    Rtf::read(rtf, &document);
    const QString text = document.toPlainText();
    QVERIFY(text.contains(QStringLiteral("[Organization Name]")));
    QVERIFY(text.contains(QStringLiteral("requests access for [Job Title]"), Qt::CaseInsensitive));
    QVERIFY(!text.contains(QLatin1Char('#')));
    QVERIFY(!text.contains(QStringLiteral("**")));

    const auto checkHeading = [&](const QString &heading, double size) {
        const QTextCharFormat format = formatAt(document, heading);
        QCOMPARE(format.fontPointSize(), size);
        QCOMPARE(format.fontWeight(), int(QFont::Bold));
    };
    checkHeading(QStringLiteral("Information Access"), 16);
    checkHeading(QStringLiteral("Purpose"), 14);
    checkHeading(QStringLiteral("Roles"), 12);
    QCOMPARE(formatAt(document, QStringLiteral("This policy")).fontPointSize(), 12.0);
    QCOMPARE(formatAt(document, QStringLiteral("This policy")).fontWeight(), int(QFont::Normal));
    QVERIFY(formatAt(document, QStringLiteral("and reviews")).fontItalic());
    QCOMPARE(formatAt(document, QStringLiteral("Organization:")).fontWeight(), int(QFont::Bold));

    const QTextBlock first = blockWith(document, QStringLiteral("approves each request"));
    const QTextBlock third = blockWith(document, QStringLiteral("reviewed every"));
    QVERIFY(first.textList());
    QCOMPARE(first.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(third.textList(), first.textList());
    QCOMPARE(third.textList()->itemText(third), QStringLiteral("3."));
    const QTextBlock nested = blockWith(document, QStringLiteral("contractors sign"));
    QVERIFY(nested.textList());
    QCOMPARE(nested.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(nested.textList()->format().indent(), 2);

    const QTextTable *table = QTextCursor(blockWith(document, QStringLiteral("Approves access"))).currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 2);
    QVERIFY(blockWith(document, QStringLiteral("Purpose")).blockFormat().topMargin() > 0);
    QVERIFY(blockWith(document, QStringLiteral("This policy")).blockFormat().bottomMargin() > 0);
}

void TestRtfConv::convertsRtfToOtherFormats_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("txt") << QStringLiteral("txt") << QByteArray("Backups run nightly and the plan\xE2\x80\x99s tests run quarterly.");
    QTest::newRow("html") << QStringLiteral("html") << QByteArray("font-weight:700;\">nightly</span>");
    QTest::newRow("rtf") << QStringLiteral("rtf") << QByteArray("\\b nightly\\b0");
}

void TestRtfConv::convertsRtfToOtherFormats()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, expected);
    const QString source = qEnvironmentVariable("SENTRIVO_TEST_DATA") + QStringLiteral("/rtf/libreoffice.rtf");
    const Result toStdout = run({QStringLiteral("--to"), target, source});
    QCOMPARE(toStdout.exitCode, 0);
    QVERIFY2(toStdout.out.contains(expected), toStdout.out.constData());

    const QString output = m_dir.filePath(QStringLiteral("out.") + target);
    QCOMPARE(run({QStringLiteral("--to"), target, source, output}).exitCode, 0);
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), toStdout.out);
}

void TestRtfConv::failuresAreReported_data()
{
    QTest::addColumn<QStringList>("arguments");
    const QString source = qEnvironmentVariable("SENTRIVO_TEST_DATA") + QStringLiteral("/rtf/wordpad.rtf");
    QTest::newRow("missing input") << QStringList{QStringLiteral("--to"), QStringLiteral("txt"), QStringLiteral("/nonexistent/in.rtf")};
    QTest::newRow("unwritable output") << QStringList{QStringLiteral("--to"), QStringLiteral("rtf"), source,
                                                      QStringLiteral("/nonexistent/folder/out.rtf")};
    QTest::newRow("unknown format") << QStringList{QStringLiteral("--to"), QStringLiteral("pdf"), source};
    QTest::newRow("no arguments") << QStringList{};
}

void TestRtfConv::failuresAreReported()
{
    QFETCH(QStringList, arguments);
    const Result result = run(arguments);
    QVERIFY(result.exitCode > 0);
    QVERIFY(!result.err.trimmed().isEmpty());
    QVERIFY(!result.err.trimmed().contains('\n'));
}

QTEST_MAIN(TestRtfConv)
#include "tst_rtfconv.moc"
