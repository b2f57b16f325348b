#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "builtcontent.h"
#include "catalogue/referencerecipes.h"
#include "catalogue/safeguardcatalogue.h"
#include "catalogue/textlibrary.h"
#include "platform/rtf/rtf.h"

namespace {

struct SectionRow
{
    int no;
    const char *title;   // words the section's first heading carries
    int minimumLength;   // characters of plain text; a stub or a lost part falls below
};

// The reader's 25 sections. The lengths are about half of what each part
// holds, so that only an empty, truncated or placeholder document fails.
const SectionRow sectionRows[] = {
    {0, "Summary", 100000},
    {1, "Summary", 1500},
    {2, "Background", 3500},
    {3, "General Overview", 2500},
    {4, "Analysis of, and Responses to, Public Comments", 2500},
    {5, "General Issues", 3000},
    {6, "Applicability", 2000},
    {7, "Transition to the Final Rule", 3500},
    {8, "General Rules", 3500},
    {9, "Administrative Safeguards", 6500},
    {10, "Physical Safeguards", 3000},
    {11, "Technical Safeguards", 3000},
    {12, "Organizational Requirements", 3500},
    {13, "Policies and Procedures and Documentation Requirements", 2000},
    {14, "Compliance Dates", 1500},
    {15, "Appendix", 1500},
    {16, "Miscellaneous Issues", 1800},
    {17, "Proposed Impact Analysis", 1400},
    {18, "Provisions of the Final Regulation", 1800},
    {19, "Collection of Information Requirements", 1400},
    {20, "Regulatory Impact Analysis", 1900},
    {21, "Federalism", 1300},
    {22, "List of Subjects", 700},
    {23, "Subpart C", 25000},
    {24, "Security Standards: Matrix", 2000},
};

QString sectionPath(int no)
{
    return BuiltContent::path(QStringLiteral("PR%1.Fl1").arg(no));
}

// "308.a.1.ii.A" -> "164.308(a)(1)(ii)(A)"
QString citationOf(const QString &key)
{
    const QStringList parts = key.split(QLatin1Char('.'));
    QString citation = QStringLiteral("164.") + parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i)
        citation += QLatin1Char('(') + parts.at(i) + QLatin1Char(')');
    return citation;
}

// "164.308(a)(1)" and "164.308(B)(1)" -> "164.308(a)": the section and its
// first-level paragraph, the part every way of citing a safeguard agrees on.
QString sectionAndParagraph(const QString &citation)
{
    static const QRegularExpression head(QStringLiteral(R"(^164\.\d{3}(\([a-z]\))?)"));
    return head.match(citation.toLower()).captured(0);
}

} // namespace

class RuleSectionsTest : public QObject
{
    Q_OBJECT

private:
    bool load(int no, QTextDocument *document);

private Q_SLOTS:
    void sectionIsReadableDocument_data();
    void sectionIsReadableDocument();
    void entireRuleIsEverySectionInOrder();
    void regulationHoldsEveryCatalogueParagraph_data();
    void regulationHoldsEveryCatalogueParagraph();
    void amendedTextIsNotShown();
};

bool RuleSectionsTest::load(int no, QTextDocument *document)
{
    QString error;
    const bool loaded = Rtf::loadFile(sectionPath(no), document, &error);
    if (!loaded)
        QTest::qFail(qPrintable(QStringLiteral("PR%1.Fl1: %2").arg(no).arg(error)), __FILE__, __LINE__);
    return loaded;
}

void RuleSectionsTest::sectionIsReadableDocument_data()
{
    QTest::addColumn<int>("no");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("minimumLength");
    for (const SectionRow &row : sectionRows) {
        QTest::newRow(qPrintable(QStringLiteral("PR%1").arg(row.no)))
            << row.no << QString::fromUtf8(row.title) << row.minimumLength;
    }
}

// Each section is a finished RTF document the reader can show: it opens with
// its own heading, holds text rather than Markdown source, and nothing was
// lost on the way to Windows-1252.
void RuleSectionsTest::sectionIsReadableDocument()
{
    QFETCH(int, no);
    QFETCH(QString, title);
    QFETCH(int, minimumLength);

    QVERIFY2(QFileInfo::exists(sectionPath(no)), qPrintable(sectionPath(no)));
    QTextDocument document;
    if (!load(no, &document))
        return;
    const QString text = document.toPlainText();
    QVERIFY2(text.size() >= minimumLength,
             qPrintable(QStringLiteral("%1 characters, expected at least %2").arg(text.size()).arg(minimumLength)));

    const QString heading = BuiltContent::firstNonEmpty(BuiltContent::paragraphs(document));
    QVERIFY2(heading.contains(title, Qt::CaseInsensitive), qPrintable(QStringLiteral("first heading: ") + heading));

    static const QRegularExpression markdownSyntax(
        QStringLiteral(R"((\*\*|__|\]\(|^#+ |^\|?\s*-{3,}\s*\||^> ))"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch markup = markdownSyntax.match(text);
    QVERIFY2(!markup.hasMatch(), qPrintable(QStringLiteral("Markdown left in the text: ") + markup.captured()));
    QVERIFY2(!text.contains(QChar::ReplacementCharacter), "a character was lost on the way to Windows-1252");
    QVERIFY2(!text.contains(QLatin1Char('?') + QLatin1Char('?')), "characters replaced by question marks");
}

// PR0 is built from the other sections; each must appear in it whole and in
// the order of the section list.
void RuleSectionsTest::entireRuleIsEverySectionInOrder()
{
    QTextDocument entire;
    if (!load(0, &entire))
        return;
    const QString whole = entire.toPlainText();

    qsizetype from = 0;
    for (int no = 1; no <= 24; ++no) {
        QTextDocument section;
        if (!load(no, &section))
            return;
        const QString text = section.toPlainText().trimmed();
        QVERIFY(!text.isEmpty());
        const qsizetype at = whole.indexOf(text, from);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("PR%1 is not found whole after the previous section").arg(no)));
        from = at + text.size();
    }
    QVERIFY2(whole.size() - from < 16, "PR0 holds text after the last section");
}

void RuleSectionsTest::regulationHoldsEveryCatalogueParagraph_data()
{
    QTest::addColumn<int>("safeguardNo");
    for (const Catalogue::Safeguard &safeguard : Catalogue::safeguards()) {
        if (Catalogue::isOverview(safeguard.no))
            continue;
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(safeguard.no).arg(QString::fromLatin1(safeguard.fullName))))
            << safeguard.no;
    }
}

// The regulation text of PR23 reuses, paragraph for paragraph, the rule lines
// the safeguards quote (checked against the published rule); each
// safeguard's specification sits under its own section, with its paragraph
// number and the designation the catalogue gives it.
void RuleSectionsTest::regulationHoldsEveryCatalogueParagraph()
{
    QFETCH(int, safeguardNo);
    const Catalogue::Safeguard &safeguard = Catalogue::safeguardAt(safeguardNo);
    const auto &recipe = Reference::Recipes::table().at(static_cast<size_t>(safeguardNo));

    QTextDocument document;
    if (!load(23, &document))
        return;
    const QStringList paragraphs = BuiltContent::paragraphs(document);

    QStringList keys = QString::fromLatin1(recipe.ruleLines).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QVERIFY(!keys.isEmpty());
    const QString specificationKey = keys.last();
    const QString referenceLines = QString::fromLatin1(recipe.referenceRuleLines);
    if (referenceLines != QLatin1String(Reference::Recipes::SameRuleLines))
        keys += referenceLines.split(QLatin1Char(' '), Qt::SkipEmptyParts);

    for (const QString &key : keys) {
        const QString line = TextLibrary::passage(TextLibrary::TextSet::RuleParagraphs, key).trimmed();
        QVERIFY2(!line.isEmpty(), qPrintable(key));
        QVERIFY2(paragraphs.contains(line), qPrintable(QStringLiteral("not a paragraph of PR23: ") + line));
    }

    // The implementation specification's own paragraph: its number agrees with the
    // catalogue's section, it opens with its label, and it lies under the
    // heading of its section.
    const QString citation = citationOf(specificationKey);
    // The catalogue names the standard's paragraph (or only the section, as
    // for Documentation); the implementation specification's own number must lie under it.
    const QString catalogued = sectionAndParagraph(QString::fromLatin1(safeguard.section));
    QVERIFY(!catalogued.isEmpty());
    QVERIFY2(sectionAndParagraph(citation).startsWith(catalogued),
             qPrintable(QStringLiteral("%1 is not under %2").arg(citation, catalogued)));
    const QString specification =
        TextLibrary::passage(TextLibrary::TextSet::RuleParagraphs, specificationKey).trimmed();
    const QString label = QLatin1Char('(') + specificationKey.section(QLatin1Char('.'), -1) + QLatin1Char(')');
    QVERIFY2(specification.startsWith(label) || specification.contains(QStringLiteral(")") + label),
             qPrintable(specification));

    const QString sectionHeading = QStringLiteral("§ ") + citation.section(QLatin1Char('('), 0, 0);
    const qsizetype at = paragraphs.indexOf(specification);
    qsizetype headingAt = -1;
    for (qsizetype i = at; i >= 0; --i) {
        if (paragraphs.at(i).startsWith(QStringLiteral("§ 164."))) {
            headingAt = i;
            break;
        }
    }
    QVERIFY2(headingAt >= 0 && paragraphs.at(headingAt).startsWith(sectionHeading),
             qPrintable(QStringLiteral("%1 is not under %2").arg(specification.left(40), sectionHeading)));

    const bool namesDesignation = specification.contains(QStringLiteral("(Required)"))
        || specification.contains(QStringLiteral("(Addressable)"));
    if (namesDesignation) {
        const QString designation = safeguard.designation == Catalogue::Designation::Addressable
            ? QStringLiteral("(Addressable)")
            : QStringLiteral("(Required)");
        QVERIFY2(specification.contains(designation), qPrintable(specification));
    }
}

// The regulation is the text of 2003: the later wording that extends it to
// business associates is named only in the note, never in a paragraph.
void RuleSectionsTest::amendedTextIsNotShown()
{
    QTextDocument document;
    if (!load(23, &document))
        return;
    const QStringList paragraphs = BuiltContent::paragraphs(document);
    qsizetype notes = 0;
    for (const QString &paragraph : paragraphs) {
        if (paragraph.startsWith(QStringLiteral("Note (the program's")))
            ++notes;
        else
            QVERIFY2(!paragraph.contains(QStringLiteral("covered entity or business associate")), qPrintable(paragraph));
    }
    QCOMPARE(notes, 1);
    // The compliance dates of 2003 and the full list of definitions.
    for (const char *words : {"no later than April 20, 2006", "Workstation means", "Security incident means",
                              "(e) Maintenance.", "Appendix A to Subpart C of Part 164"}) {
        QVERIFY2(document.toPlainText().contains(QString::fromUtf8(words)), words);
    }
}

QTEST_MAIN(RuleSectionsTest)
#include "tst_rulesections.moc"
