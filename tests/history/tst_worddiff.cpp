#include "history/documenttext.h"
#include "history/worddiff.h"

#include <QtTest>

using WordDiff::Segment;
using Kind = WordDiff::Segment::Kind;

class TestWordDiff : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comparesWordByWord_data()
    {
        QTest::addColumn<QString>("older");
        QTest::addColumn<QString>("newer");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("inserted"); // all inserted pieces, joined
        QTest::addColumn<QString>("deleted");
        QTest::newRow("same") << "we encrypt laptops" << "we encrypt laptops" << 0 << 0 << "" << "";
        QTest::newRow("one word added") << "we encrypt laptops" << "we encrypt all laptops" << 1 << 0
                                        << "all " << "";
        QTest::newRow("one word replaced") << "we encrypt laptops" << "we encrypt phones" << 1 << 1
                                           << "phones" << "laptops";
        QTest::newRow("from nothing") << "" << "two words" << 2 << 0 << "two words" << "";
        QTest::newRow("to nothing") << "two words" << "" << 0 << 2 << "" << "two words";
        QTest::newRow("punctuation apart") << "run nightly." << "run nightly and weekly." << 2 << 0
                                           << " and weekly" << "";
        QTest::newRow("paragraphs kept") << "first\nsecond" << "first\nthird\nsecond" << 1 << 0
                                         << "third\n" << "";
    }
    void comparesWordByWord()
    {
        QFETCH(QString, older);
        QFETCH(QString, newer);
        QFETCH(int, added);
        QFETCH(int, removed);
        QFETCH(QString, inserted);
        QFETCH(QString, deleted);
        const QList<Segment> segments = WordDiff::compare(older, newer);
        QString rebuiltOld, rebuiltNew, ins, del;
        for (const Segment &segment : segments) {
            if (segment.kind != Kind::Inserted)
                rebuiltOld += segment.text;
            if (segment.kind != Kind::Deleted)
                rebuiltNew += segment.text;
            if (segment.kind == Kind::Inserted)
                ins += segment.text;
            if (segment.kind == Kind::Deleted)
                del += segment.text;
        }
        QCOMPARE(rebuiltOld, older);
        QCOMPARE(rebuiltNew, newer);
        const WordDiff::Counts counts = WordDiff::count(segments);
        QCOMPARE(counts.added, added);
        QCOMPARE(counts.removed, removed);
        QCOMPARE(ins, inserted);
        QCOMPARE(del, deleted);
    }

    void htmlMarksBothKindsAndEscapes()
    {
        const QString html = WordDiff::toHtml(WordDiff::compare(QStringLiteral("a <b> c"), QStringLiteral("a d c")));
        QVERIFY(html.contains(QStringLiteral("line-through\">&lt;b&gt;</span>")));
        QVERIFY(html.contains(QStringLiteral("underline\">d</span>")));
    }

    void rtfEntriesAreComparedByTheirText()
    {
        const QByteArray rtf = "{\\rtf1\\ansi {\\b Encryption} of laptops\\par}";
        QCOMPARE(DocumentText::plainText(QStringLiteral("Action3.Fil"), rtf).trimmed(),
                 QStringLiteral("Encryption of laptops"));
        QCOMPARE(DocumentText::wordCount(QStringLiteral("  one two\tthree\n")), 3);
    }
};

QTEST_MAIN(TestWordDiff)
#include "tst_worddiff.moc"
