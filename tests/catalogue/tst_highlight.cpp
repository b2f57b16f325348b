#include "catalogue/highlight.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using Highlight::Range;

class TestHighlight : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void occurrences_data();
    void occurrences();
    void markTermMakesOnlyTheTermBoldAndUnderlined();
    void markTermKeepsOtherFormatting();
    void markTermCountsPositionsAcrossLineBreaks();
};

void TestHighlight::occurrences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QList<qsizetype>>("positions");
    QTest::newRow("any letter case") << "Risk: risk analysis, RISK ANALYSIS." << "Risk Analysis"
                                     << QList<qsizetype>{6, 21};
    QTest::newRow("not inside a longer word") << "Access accessible reaccess access_log access."
                                              << "access" << QList<qsizetype>{38};
    QTest::newRow("never at position 0") << "Audit the audit" << "audit" << QList<qsizetype>{10};
    QTest::newRow("term blanks ignored") << "Data backup, backups, backup." << " backup "
                                         << QList<qsizetype>{5, 22};
    QTest::newRow("hyphen inside the term") << "Try monitoring Log-in attempts; log-in" << "monitoring Log-in"
                                            << QList<qsizetype>{4};
    QTest::newRow("term followed by punctuation") << "x Encrypt. encrypt-" << "Encrypt" << QList<qsizetype>{2, 11};
    QTest::newRow("digits are word characters") << "x 164.308a 164.308" << "164.308" << QList<qsizetype>{11};
    QTest::newRow("a false start does not hide the next hit") << "x plans plan" << "plan"
                                                              << QList<qsizetype>{8};
    QTest::newRow("repeated words do not overlap") << "x aa aa aa" << "aa aa" << QList<qsizetype>{2};
    QTest::newRow("empty term marks nothing") << "x y" << "  " << QList<qsizetype>{};
    QTest::newRow("term longer than text") << "x" << "longer" << QList<qsizetype>{};
}

void TestHighlight::occurrences()
{
    QFETCH(QString, text);
    QFETCH(QString, term);
    QFETCH(QList<qsizetype>, positions);
    QList<qsizetype> found;
    for (const Range &range : Highlight::wholeWordOccurrences(text, term)) {
        QCOMPARE(range.length, term.trimmed().size());
        found.append(range.position);
    }
    QCOMPARE(found, positions);
}

namespace {

// The text of every character run that is bold and underlined, in order. A
// run that is only one of the two is listed as "partly: <text>", so that a
// comparison with the expected runs fails on it too.
QStringList markedRuns(const QTextDocument &document)
{
    QStringList runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const bool bold = format.fontWeight() == QFont::Bold;
            if (bold && format.fontUnderline())
                runs.append(fragment.text());
            else if (bold || format.fontUnderline())
                runs.append(QStringLiteral("partly: ") + fragment.text());
        }
    }
    return runs;
}

} // namespace

void TestHighlight::markTermMakesOnlyTheTermBoldAndUnderlined()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("Sanction policy: apply the Sanction Policy; sanction policyholders."));
    QCOMPARE(Highlight::markTerm(&document, u"sanction policy"), 1);
    QCOMPARE(markedRuns(document), QStringList{QStringLiteral("Sanction Policy")});
}

void TestHighlight::markTermKeepsOtherFormatting()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("An italic Audit here"));
    QTextCursor cursor(&document);
    cursor.select(QTextCursor::Document);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    cursor.mergeCharFormat(italic);
    Highlight::markTerm(&document, u"audit");
    QTextCursor probe(&document);
    probe.setPosition(12);
    QVERIFY(probe.charFormat().fontItalic());
    QCOMPARE(probe.charFormat().fontWeight(), int(QFont::Bold));
    probe.setPosition(5);
    QVERIFY(probe.charFormat().fontItalic());
    QVERIFY(!probe.charFormat().fontUnderline());
}

void TestHighlight::markTermCountsPositionsAcrossLineBreaks()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("Heading:\r\n\r\nfirst Evaluation\r\nsecond evaluation"));
    QCOMPARE(Highlight::markTerm(&document, u"Evaluation"), 2);
    QCOMPARE(markedRuns(document), (QStringList{QStringLiteral("Evaluation"), QStringLiteral("evaluation")}));
}

QTEST_MAIN(TestHighlight)
#include "tst_highlight.moc"
