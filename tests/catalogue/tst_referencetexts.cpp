#include "catalogue/highlight.h"
#include "catalogue/referencerecipes.h"
#include "catalogue/referencetexts.h"
#include "catalogue/safeguardcatalogue.h"
#include "catalogue/textlibrary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace Reference;
using TextLibrary::TextSet;

Q_DECLARE_METATYPE(Reference::ReferenceKind)

namespace {

const QString CrLf = QStringLiteral("\r\n");

int markedCharacters(const QTextDocument &document)
{
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.fontWeight() == QFont::Bold && format.fontUnderline())
                count += it.fragment().length();
        }
    }
    return count;
}

QStringList keysOf(const char *keyList)
{
    return QString::fromLatin1(keyList).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

class TestReferenceTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyRecipeKeyHasItsText();
    void composedTextsStartWithTheirHeading();
    void piecesComeInOrder_data();
    void piecesComeInOrder();
    void contentFiles_data();
    void contentFiles();
    void overviewsHaveNoImplementationSpecification();
    void ruleLinesCarryTheSafeguardsDesignation();
    void addressableNoticeExactlyForAddressableSpecifications();
    void guidanceEndsWithSummaryAfterABlankLine();
    void highlightTermsOccurInTheirTexts();
    void displayMarksTheTermAndReportMarksNothing_data();
    void displayMarksTheTermAndReportMarksNothing();
    void contentFileIsLoadedAsItStands();
    void missingContentFileLeavesDocumentUntouched();
    void resourceParserKeepsInnerBlankLines();
};

void TestReferenceTexts::everyRecipeKeyHasItsText()
{
    QSet<QString> usedRules, usedPreamble;
    for (const Recipes::Recipe &recipe : Recipes::table()) {
        for (const char *list : {recipe.ruleLines, recipe.referenceRuleLines})
            for (const QString &key : keysOf(list))
                if (key != QLatin1String(Recipes::SameRuleLines))
                    usedRules.insert(key);
        for (const QString &key : keysOf(recipe.preamblePassages))
            usedPreamble.insert(key);
        if (recipe.preambleHeading)
            usedPreamble.insert(QLatin1String(recipe.preambleHeading));
    }
    const auto &rules = TextLibrary::passages(TextSet::RuleParagraphs);
    const auto &preamble = TextLibrary::passages(TextSet::PreamblePassages);
    for (const QString &key : usedRules)
        QVERIFY2(rules.contains(key), qPrintable(key));
    for (const QString &key : usedPreamble)
        QVERIFY2(preamble.contains(key), qPrintable(key));
    // Nothing in the resources is orphaned by a misspelt key.
    for (auto it = rules.begin(); it != rules.end(); ++it)
        QVERIFY2(usedRules.contains(it.key()), qPrintable(it.key()));
    for (auto it = preamble.begin(); it != preamble.end(); ++it)
        QVERIFY2(usedPreamble.contains(it.key()), qPrintable(it.key()));
    const auto &guidance = TextLibrary::passages(TextSet::GuidanceTexts);
    QCOMPARE(guidance.size(), 45);
    for (int no = 0; no <= 44; ++no)
        QVERIFY2(!guidance.value(QString::number(no)).isEmpty(), qPrintable(QString::number(no)));
}

void TestReferenceTexts::composedTextsStartWithTheirHeading()
{
    for (ReferenceKind kind : {ReferenceKind::ImplementationSpecification, ReferenceKind::ReferencesInRule,
                               ReferenceKind::AdditionalInformation}) {
        for (int no = 0; no < Catalogue::SafeguardCount; ++no) {
            const QString text = composedText(kind, no);
            if (!contentFileName(kind, no).isEmpty()
                || (kind == ReferenceKind::ImplementationSpecification && Catalogue::isOverview(no))) {
                QVERIFY(text.isEmpty());
                continue;
            }
            QVERIFY2(text.startsWith(headingLine(kind) + CrLf + CrLf), qPrintable(text.left(60)));
            QCOMPARE(text, text.trimmed());
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("(?<!\r)\n"))), "bare line feed");
            QVERIFY2(!text.contains(QStringLiteral("\r\n\r\n\r\n")), "two blank lines");
        }
    }
}

void TestReferenceTexts::piecesComeInOrder_data()
{
    QTest::addColumn<ReferenceKind>("kind");
    QTest::addColumn<int>("no");
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("ending");
    const auto spec = ReferenceKind::ImplementationSpecification;
    const auto rule = ReferenceKind::ReferencesInRule;
    const auto info = ReferenceKind::AdditionalInformation;
    const QString admin = QStringLiteral("§ 164.308  Administrative safeguards.\r\n"
                                         "    (a) A covered entity must, in accordance with § 164.306:\r\n");
    QTest::newRow("risk analysis")
        << spec << 0
        << QStringList{QStringLiteral("Implementation Specification:\r\n\r\n") + admin
                       + QStringLiteral("    (ii) Implementation specifications:\r\n    (A) Risk analysis (Required).")}
        << "held by the covered entity.";
    QTest::newRow("assigned responsibility: (ii) line before the standard")
        << spec << 4
        << QStringList{admin + QStringLiteral("    (ii) Implementation specifications:\r\n    (2) Standard: Assigned")}
        << "for the entity.";
    QTest::newRow("workforce clearance: standard, (ii) line, (B)")
        << spec << 6
        << QStringList{admin + QStringLiteral("    (3)(i) Standard: Workforce security."),
                       QStringLiteral("\r\n    (ii) Implementation specifications:\r\n    (B) Workforce clearance")}
        << "is appropriate.";
    QTest::newRow("security reminders: no (ii) line")
        << spec << 11
        << QStringList{QStringLiteral("(including management).\r\n    (A) Security reminders (Addressable).")}
        << "Periodic security updates.";
    QTest::newRow("business associate paragraph (b)")
        << spec << 22
        << QStringList{QStringLiteral("(b)(1) Standard"), QStringLiteral("(2) This standard does not apply"),
                       QStringLiteral("(i) The transmission"), QStringLiteral("(ii) The transmission"),
                       QStringLiteral("(iii) The transmission"), QStringLiteral("(3) A covered entity"),
                       QStringLiteral("(4) Implementation specifications: Written contract")}
        << "requirements of § 164.314(a).";
    QTest::newRow("physical intro and (2) line")
        << spec << 23
        << QStringList{QStringLiteral("§ 164.310  Physical safeguards.\r\n"
                                      "    A covered entity must, in accordance with § 164.306:\r\n"
                                      "    (a)(1) Standard: Facility access controls."),
                       QStringLiteral("\r\n    (2) Implementation specifications:\r\n    (i) Contingency operations")}
        << "in the event of an emergency.";
    QTest::newRow("group health plans: no section line")
        << spec << 44
        << QStringList{QStringLiteral("Implementation Specification:\r\n\r\n    (b)(1) Standard: Requirements for group"),
                       QStringLiteral("(i) Implement"), QStringLiteral("(ii) Ensure"), QStringLiteral("(iii) Ensure"),
                       QStringLiteral("(iv) Report")}
        << "of which it becomes aware.";
    QTest::newRow("documentation")
        << spec << 46
        << QStringList{QStringLiteral("§ 164.316  Policies and procedures and documentation requirements.\r\n"
                                      "    A covered entity must, in accordance with § 164.306:\r\n    (a) Standard"),
                       QStringLiteral("(b)(1) Standard: Documentation."), QStringLiteral("(i) Maintain"),
                       QStringLiteral("(ii) If an action"), QStringLiteral("(2) Implementation specifications:"),
                       QStringLiteral("(i) Time limit"), QStringLiteral("(ii) Availability"),
                       QStringLiteral("(iii) Updates")}
        << "electronic protected health information.";
    QTest::newRow("references: heading, blank, passages, blank, rule line")
        << rule << 11
        << QStringList{QStringLiteral("References in Rule:\r\n\r\n5. Security Awareness and Training "
                                      "(§ 164.308(a)(5)(i))\r\n\r\nPreamble summary"),
                       QStringLiteral("scaled to the size of the organization.\r\n\r\n    (A) Security reminders")}
        << "Periodic security updates.";
    QTest::newRow("references: rule line only")
        << rule << 8
        << QStringList{QStringLiteral("References in Rule:\r\n\r\n    (A) Isolating health care")}
        << "by the larger organization.";
    QTest::newRow("references: no rule lines")
        << rule << 4
        << QStringList{QStringLiteral("2. Assigned Security Responsibility (§ 164.308(a)(2))\r\n\r\n"),
                       QStringLiteral("first comment"), QStringLiteral("\r\nPreamble summary, second comment")}
        << "one person may fill both roles.";
    QTest::newRow("disaster recovery ends with the physical contingency operations")
        << rule << 17
        << QStringList{QStringLiteral("7. Contingency Plan (§ 164.308(a)(7)(i))"),
                       QStringLiteral("    (B) Disaster recovery plan (Required)."),
                       QStringLiteral("\r\n§ 164.310  Physical safeguards.\r\n    A covered entity must"),
                       QStringLiteral("(a)(1) Standard: Facility access controls."),
                       QStringLiteral("(2) Implementation specifications:\r\n    (i) Contingency operations")}
        << "in the event of an emergency.";
    QTest::newRow("references: opening heading, then the section")
        << rule << 39
        << QStringList{QStringLiteral("G. Technical Safeguards (§ 164.312)\r\n\r\n4. Person or Entity"),
                       QStringLiteral("Preamble summary"), QStringLiteral("\r\n\r\n§ 164.312  Technical")}
        << "is the one claimed.";
    QTest::newRow("information: notice, blank, guidance, blank, summary")
        << info << 14
        << QStringList{QStringLiteral("Additional Information:\r\n\r\nThis Implementation Specification is Addressable."
                                      "\r\nThis means"),
                       QStringLiteral("why not used!\r\n\r\nPasswords are"), QStringLiteral("\r\n\r\nSummary: ")}
        << "document the training.";
    QTest::newRow("information: required, no notice")
        << info << 0 << QStringList{QStringLiteral("Additional Information:\r\n\r\nThe risk analysis"),
                                    QStringLiteral("\r\n\r\nIn Summary: ")}
        << "should point back to it.";
    QTest::newRow("information: not applicable")
        << info << 42 << QStringList{QStringLiteral("Additional Information:\r\n\r\nNot applicable at this time.")}
        << "Not applicable at this time.";
}

void TestReferenceTexts::piecesComeInOrder()
{
    QFETCH(ReferenceKind, kind);
    QFETCH(int, no);
    QFETCH(QStringList, pieces);
    QFETCH(QString, ending);
    const QString text = composedText(kind, no);
    qsizetype from = 0;
    for (const QString &piece : pieces) {
        const qsizetype at = text.indexOf(piece, from);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("missing or out of order: ") + piece));
        from = at + piece.size();
    }
    QVERIFY2(text.endsWith(ending), qPrintable(text.right(80)));
}

void TestReferenceTexts::contentFiles_data()
{
    QTest::addColumn<ReferenceKind>("kind");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("references in rule")
        << ReferenceKind::ReferencesInRule << QList<int>{0, 1, 2, 7, 9, 10, 21, 24, 27, 41, 42, 43, 45, 46}
        << QStringList{"RefRA1.Dat", "RefRM1.Dat", "RefSC1.Dat", "RefTM1.Dat", "RefAA1.Dat", "RefAE1.Dat",
                       "RefEV1.Dat", "RefFS1.Dat", "RefWU1.Dat", "RefEnc1.Dat", "OrgReq1.Dat", "OrgRef2.Dat",
                       "PPReq1.Dat", "PPReq1.Dat"};
    QTest::newRow("additional information")
        << ReferenceKind::AdditionalInformation << QList<int>{45, 46} << QStringList{"Addtl45.dat", "Addtl45.dat"};
    QTest::newRow("implementation specification")
        << ReferenceKind::ImplementationSpecification << QList<int>{} << QStringList{};
}

void TestReferenceTexts::contentFiles()
{
    QFETCH(ReferenceKind, kind);
    QFETCH(QList<int>, numbers);
    QFETCH(QStringList, files);
    for (int no = 0; no < Catalogue::SafeguardCount; ++no) {
        const qsizetype index = numbers.indexOf(no);
        QCOMPARE(contentFileName(kind, no), index >= 0 ? files.at(index) : QString());
    }
}

void TestReferenceTexts::overviewsHaveNoImplementationSpecification()
{
    QTextDocument document;
    for (int no : {42, 45}) {
        document.setPlainText(QStringLiteral("previous text"));
        QVERIFY(build(ReferenceKind::ImplementationSpecification, no, &document, BuildMode::Display, QString()));
        QVERIFY(document.isEmpty());
    }
}

void TestReferenceTexts::ruleLinesCarryTheSafeguardsDesignation()
{
    for (const Catalogue::Safeguard &row : Catalogue::safeguards()) {
        if (row.designation == Catalogue::Designation::None)
            continue;
        const QString text = composedText(ReferenceKind::ImplementationSpecification, row.no);
        const bool addressable = row.designation == Catalogue::Designation::Addressable;
        QVERIFY2(text.contains(QLatin1String("(Addressable)")) == addressable, row.fullName);
    }
}

void TestReferenceTexts::addressableNoticeExactlyForAddressableSpecifications()
{
    const QString notice = addressableNotice();
    const QStringList lines = notice.split(CrLf);
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.first(), QStringLiteral("This Implementation Specification is Addressable."));
    QCOMPARE(lines.at(6), QStringLiteral("        an alternative security measure. (Least desirable)"));
    for (const Catalogue::Safeguard &row : Catalogue::safeguards()) {
        const QString text = composedText(ReferenceKind::AdditionalInformation, row.no);
        if (text.isEmpty())
            continue;
        const bool addressable = row.designation == Catalogue::Designation::Addressable;
        QCOMPARE(hasAddressableNotice(row.no), addressable);
        QVERIFY2(text.contains(notice) == addressable, row.fullName);
    }
    // Person or entity authentication is a required standard: no notice.
    QVERIFY(!hasAddressableNotice(39));
}

void TestReferenceTexts::guidanceEndsWithSummaryAfterABlankLine()
{
    for (int no = 0; no <= 44; ++no) {
        if (no == 42)
            continue;
        const QString text = composedText(ReferenceKind::AdditionalInformation, no);
        const QString opening = no == 0 ? QStringLiteral("In Summary:") : QStringLiteral("Summary:");
        const qsizetype last = text.lastIndexOf(CrLf + CrLf);
        QVERIFY2(last > 0 && text.mid(last + 4).startsWith(opening), qPrintable(QString::number(no)));
        QVERIFY2(!text.mid(last + 4).contains(CrLf), qPrintable(QString::number(no)));
    }
}

void TestReferenceTexts::highlightTermsOccurInTheirTexts()
{
    for (ReferenceKind kind : {ReferenceKind::ImplementationSpecification, ReferenceKind::AdditionalInformation}) {
        for (int no = 0; no < Catalogue::SafeguardCount; ++no) {
            const QString text = composedText(kind, no);
            const QString term = highlightTerm(kind, no);
            if (text.isEmpty() || no == 42)
                continue;
            QVERIFY2(!Highlight::wholeWordOccurrences(text, term).isEmpty(),
                     qPrintable(QStringLiteral("%1 in %2").arg(term).arg(no)));
        }
    }
    QCOMPARE(highlightTerm(ReferenceKind::AdditionalInformation, 16), QStringLiteral("backup"));
    QVERIFY(highlightTerm(ReferenceKind::AdditionalInformation, 42).isEmpty());
}

void TestReferenceTexts::displayMarksTheTermAndReportMarksNothing_data()
{
    QTest::addColumn<ReferenceKind>("kind");
    QTest::addColumn<int>("no");
    QTest::addColumn<int>("displayMarks");
    // Risk Analysis: rule line (A) says "Risk analysis" once.
    QTest::newRow("risk analysis") << ReferenceKind::ImplementationSpecification << 0 << 13;
    QTest::newRow("data backup: term stored with a blank")
        << ReferenceKind::AdditionalInformation << 16 << int(QStringLiteral("backup").size()) * 2;
    QTest::newRow("references") << ReferenceKind::ReferencesInRule << 20 << -1;
}

void TestReferenceTexts::displayMarksTheTermAndReportMarksNothing()
{
    QFETCH(ReferenceKind, kind);
    QFETCH(int, no);
    QFETCH(int, displayMarks);
    QTextDocument display;
    QVERIFY(build(kind, no, &display, BuildMode::Display, QString()));
    const int marked = markedCharacters(display);
    if (displayMarks >= 0)
        QCOMPARE(marked, displayMarks);
    else
        QVERIFY(marked > 0);
    QTextDocument report;
    QVERIFY(build(kind, no, &report, BuildMode::Report, QString()));
    QCOMPARE(markedCharacters(report), 0);
    QCOMPARE(report.toPlainText(), display.toPlainText());
    QCOMPARE(report.toPlainText(), composedText(kind, no).replace(CrLf, QStringLiteral("\n")));
}

void TestReferenceTexts::contentFileIsLoadedAsItStands()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    {
        QFile file(folder.filePath(QStringLiteral("PPReq1.Dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0 Documentation  text\\par}");
    }
    {
        // Shipped under another letter case than the name asked for.
        QFile file(folder.filePath(QStringLiteral("ADDTL45.DAT")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi Documentation guidance\\par}");
    }
    QTextDocument document;
    QVERIFY(build(ReferenceKind::ReferencesInRule, 46, &document, BuildMode::Display, folder.path()));
    QCOMPARE(document.toPlainText().trimmed(), QStringLiteral("Documentation  text"));
    QCOMPARE(markedCharacters(document), 0);
    QVERIFY(build(ReferenceKind::ReferencesInRule, 45, &document, BuildMode::Report, folder.path()));
    QCOMPARE(document.toPlainText().trimmed(), QStringLiteral("Documentation  text"));
    QVERIFY(build(ReferenceKind::AdditionalInformation, 45, &document, BuildMode::Display, folder.path()));
    QCOMPARE(document.toPlainText().trimmed(), QStringLiteral("Documentation guidance"));
}

void TestReferenceTexts::missingContentFileLeavesDocumentUntouched()
{
    QTemporaryDir folder;
    QTextDocument document;
    document.setPlainText(QStringLiteral("kept"));
    QVERIFY(!build(ReferenceKind::ReferencesInRule, 0, &document, BuildMode::Display, folder.path()));
    QVERIFY(!build(ReferenceKind::AdditionalInformation, 46, &document, BuildMode::Report, folder.path()));
    QVERIFY(!build(ReferenceKind::ImplementationSpecification, 47, &document, BuildMode::Display, folder.path()));
    QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
}

void TestReferenceTexts::resourceParserKeepsInnerBlankLines()
{
    const auto blocks = TextLibrary::parse(u"# comment\n@@ a\nfirst\r\n\nsecond\n\n@@ b\n  indented\n");
    QCOMPARE(blocks.size(), 2);
    QCOMPARE(blocks.value(QStringLiteral("a")), QStringLiteral("first\r\n\r\nsecond"));
    QCOMPARE(blocks.value(QStringLiteral("b")), QStringLiteral("  indented"));
}

QTEST_MAIN(TestReferenceTexts)
#include "tst_referencetexts.moc"
