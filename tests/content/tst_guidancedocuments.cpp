#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

#include "builtcontent.h"
#include "platform/rtf/rtf.h"

namespace {

// The documents of the Information Advisor and the Miscellaneous screen, with
// words each must carry to be the document its button promises.
struct DocumentRow
{
    const char *file;
    const char *title;      // words of its first line
    const char *mustCover;  // '|'-separated words or citations its text must contain
};

const DocumentRow documentRows[] = {
    {"Misc0.Fl1", "Policy Insert Template", "Insert Template|164.316(b)(2)(i)|placeholder"},
    {"Misc3.Fl1", "Addressable", "164.306(d)(3)|164.306(b)(2)|equivalent alternative|six years"},
    {"Misc4.Fl1", "Privacy", "164.530(c)|electronic protected health information|Breach Notification"},
    {"Misc5.Fl1", "Timeline", "1996|68 FR 8334|78 FR 5566|Proposed"},
    {"Misc6.Fl1", "Concepts", "confidentiality|integrity|availability|164.306(b)(2)"},
    {"Misc7.Fl1", "Getting Started", "164.308(a)(2)|risk analysis|Safeguard Project Timeline"},
    {"Misc8.Fl1", "Impact", "160.404|45 CFR 102.3|1320d-6|Office for Civil Rights"},
    {"Misc9.Fl1", "Key Information", "SP 800-66|Revision 2|February 2024|164.316(b)(2)(i)"},
    {"Misc10.Fl1", "Risk Analysis Overview", "164.308(a)(1)(ii)(A)|likelihood|impact"},
    {"Misc11.Fl1", "Questions", "164.312(a)(2)(iv)|business associate|six years"},
    {"Misc12.Fl1", "NIST", "SP 800-30|Revision 1|likelihood|impact"},
    {"Misc13.Fl1", "Mistakes", "164.308(a)(1)(ii)(B)|availability|scope"},
    {"Misc58.Fl1", "Worksheet", "Asset|Threat|Vulnerability|Likelihood|Impact|Risk level|Planned measure"},
    {"Misc1.Fl1", "Program Information", "workbook|Backup User Created Files|Restore User Created Files"},
    {"Misc2.Fl1", "Disclaimer", "not legal advice|tool"},
    {"Misc56.Fl1", "Incident Report", "Discovery|Description|ePHI|Containment|Notification|Sign-off|164.308(a)(6)(ii)"},
    {"Misc57.Fl1", "Worksheet", "Threat|Vulnerability|Likelihood|Impact|Risk level|Planned measure"},
};

int wordCount(const QString &text)
{
    return int(text.split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts).size());
}

} // namespace

class GuidanceDocumentsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAsFinishedDocument_data();
    void readsAsFinishedDocument();
};

void GuidanceDocumentsTest::readsAsFinishedDocument_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("mustCover");
    for (const DocumentRow &row : documentRows) {
        QTest::newRow(row.file) << QString::fromLatin1(row.file) << QString::fromLatin1(row.title)
                                << QString::fromLatin1(row.mustCover).split(QLatin1Char('|'));
    }
}

// Each document is compiled RTF the viewers can read, a real document of a
// page or more rather than a stub, titled for its button and covering what
// the button promises; no Markdown source or stray placeholder leaks through.
void GuidanceDocumentsTest::readsAsFinishedDocument()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QStringList, mustCover);

    QFile raw(BuiltContent::path(file));
    QVERIFY2(raw.open(QIODevice::ReadOnly), qPrintable(raw.fileName()));
    QVERIFY(Rtf::looksLikeRtf(raw.readAll()));

    QTextDocument document;
    QString error;
    QVERIFY2(Rtf::loadFile(BuiltContent::path(file), &document, &error), qPrintable(error));
    const QString text = document.toPlainText();

    QVERIFY2(wordCount(text) >= 350, qPrintable(QStringLiteral("%1 words").arg(wordCount(text))));
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
    QVERIFY2(firstLine.contains(title, Qt::CaseInsensitive), qPrintable(firstLine));
    for (const QString &needle : mustCover)
        QVERIFY2(text.contains(needle, Qt::CaseInsensitive), qPrintable(needle));

    for (const char *markup : {"**", "](", "\n# ", "\n## ", "|---"})
        QVERIFY2(!text.contains(QLatin1String(markup)), markup);
    // A proposed rule is never presented as the rule in force.
    if (text.contains(QStringLiteral("2025")))
        QVERIFY2(text.contains(QStringLiteral("proposed"), Qt::CaseInsensitive), "2025 without 'proposed'");
}

QTEST_MAIN(GuidanceDocumentsTest)
#include "tst_guidancedocuments.moc"
