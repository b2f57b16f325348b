#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "builtcontent.h"
#include "platform/rtf/rtf.h"

#include <algorithm>

namespace {

using BuiltContent::firstNonEmpty;
using BuiltContent::paragraphs;

struct TemplateRow
{
    const char *file;      // name in the content folder
    const char *citation;  // the paragraph of the rule the document implements
    const char *subject;   // words its title must carry
    bool addressable;      // the rule's designation: addressable, else required
};

constexpr bool R = false;
constexpr bool A = true;

// Every template "Insert Template" and "New Worksheet" can load: the policy of
// SafeguardNo n is Misc(n + 14) for n = 0..41, then the organizational and
// documentation entries, the risk worksheet and the disaster recovery plan.
// Citations are the rule's own numbering, not the screen captions.
const TemplateRow templateRows[] = {
    {"Misc14.Fl1", "164.308(a)(1)(ii)(A)", "risk analysis", R},
    {"Misc15.Fl1", "164.308(a)(1)(ii)(B)", "risk management", R},
    {"Misc16.Fl1", "164.308(a)(1)(ii)(C)", "sanction", R},
    {"Misc17.Fl1", "164.308(a)(1)(ii)(D)", "activity review", R},
    {"Misc18.Fl1", "164.308(a)(2)", "security responsibility", R},
    {"Misc19.Fl1", "164.308(a)(3)(ii)(A)", "supervision", A},
    {"Misc20.Fl1", "164.308(a)(3)(ii)(B)", "clearance", A},
    {"Misc21.Fl1", "164.308(a)(3)(ii)(C)", "termination", A},
    {"Misc22.Fl1", "164.308(a)(4)(ii)(A)", "clearinghouse", R},
    {"Misc23.Fl1", "164.308(a)(4)(ii)(B)", "access authorization", A},
    {"Misc24.Fl1", "164.308(a)(4)(ii)(C)", "access establishment", A},
    {"Misc25.Fl1", "164.308(a)(5)(ii)(A)", "security reminders", A},
    {"Misc26.Fl1", "164.308(a)(5)(ii)(B)", "malicious software", A},
    {"Misc27.Fl1", "164.308(a)(5)(ii)(C)", "log-in monitoring", A},
    {"Misc28.Fl1", "164.308(a)(5)(ii)(D)", "password", A},
    {"Misc29.Fl1", "164.308(a)(6)(ii)", "reporting", R},
    {"Misc30.Fl1", "164.308(a)(7)(ii)(A)", "data backup", R},
    {"Misc31.Fl1", "164.308(a)(7)(ii)(B)", "disaster recovery", R},
    {"Misc32.Fl1", "164.308(a)(7)(ii)(C)", "emergency mode", R},
    {"Misc33.Fl1", "164.308(a)(7)(ii)(D)", "testing and revision", A},
    {"Misc34.Fl1", "164.308(a)(7)(ii)(E)", "criticality", A},
    {"Misc35.Fl1", "164.308(a)(8)", "evaluation", R},
    {"Misc36.Fl1", "164.308(b)", "business associate", R},
    {"Misc37.Fl1", "164.310(a)(2)(i)", "contingency operation", A},
    {"Misc38.Fl1", "164.310(a)(2)(ii)", "facility security plan", A},
    {"Misc39.Fl1", "164.310(a)(2)(iii)", "validation", A},
    {"Misc40.Fl1", "164.310(a)(2)(iv)", "maintenance records", A},
    {"Misc41.Fl1", "164.310(b)", "workstation use", R},
    {"Misc42.Fl1", "164.310(c)", "workstation security", R},
    {"Misc43.Fl1", "164.310(d)(2)(i)", "disposal", R},
    {"Misc44.Fl1", "164.310(d)(2)(ii)", "re-use", R},
    {"Misc45.Fl1", "164.310(d)(2)(iii)", "accountability", A},
    {"Misc46.Fl1", "164.310(d)(2)(iv)", "data backup and storage", A},
    {"Misc47.Fl1", "164.312(a)(2)(i)", "unique user identification", R},
    {"Misc48.Fl1", "164.312(a)(2)(ii)", "emergency access", R},
    {"Misc49.Fl1", "164.312(a)(2)(iii)", "automatic logoff", A},
    {"Misc50.Fl1", "164.312(a)(2)(iv)", "decryption", A},
    {"Misc51.Fl1", "164.312(b)", "audit controls", R},
    {"Misc52.Fl1", "164.312(c)(2)", "authenticate", A},
    {"Misc53.Fl1", "164.312(d)", "person or entity authentication", R},
    {"Misc54.Fl1", "164.312(e)(2)(i)", "integrity controls", A},
    {"Misc55.Fl1", "164.312(e)(2)(ii)", "encryption", A},
    {"Misc59.Fl1", "164.308(a)(1)(ii)(A)", "risk analysis", R},
    {"Misc60.Fl1", "164.308(a)(7)(ii)(B)", "disaster recovery", R},
    {"Misc61.Fl1", "164.314(a)(2)", "business associate", R},
    {"Misc62.Fl1", "164.314(b)", "group health plan", R},
    {"Misc63.Fl1", "164.316(b)(2)", "documentation", R},
};

QString designationText(bool addressable)
{
    return addressable ? QStringLiteral("(Addressable)") : QStringLiteral("(Required)");
}

} // namespace

class TemplatesTest : public QObject
{
    Q_OBJECT

private:
    void addTemplateRows();
    // Loads a built template as the workspace would; fails the test if it can't.
    bool load(const QString &name, QTextDocument *document);

private Q_SLOTS:
    void namesItsRequirement_data() { addTemplateRows(); }
    void namesItsRequirement();
    void readsAsFinishedDocument_data() { addTemplateRows(); }
    void readsAsFinishedDocument();
    void worksheetExplainsEachComplianceStatus();
    void recoveryPlanCoversEachPart();
};

void TemplatesTest::addTemplateRows()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("citation");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<bool>("addressable");
    for (const TemplateRow &row : templateRows) {
        QTest::newRow(row.file) << QString::fromLatin1(row.file) << QString::fromLatin1(row.citation)
                                << QString::fromLatin1(row.subject) << row.addressable;
    }
}

bool TemplatesTest::load(const QString &name, QTextDocument *document)
{
    QString error;
    const bool loaded = Rtf::loadFile(BuiltContent::path(name), document, &error);
    if (!loaded)
        QTest::qFail(qPrintable(name + QStringLiteral(": ") + error), __FILE__, __LINE__);
    return loaded;
}

// The document is the right one for its slot: its title names the safeguard,
// it cites the rule's paragraph with the designation the rule gives it, and an
// addressable one carries the decision the organisation must record.
void TemplatesTest::namesItsRequirement()
{
    QFETCH(QString, file);
    QFETCH(QString, citation);
    QFETCH(QString, subject);
    QFETCH(bool, addressable);

    QTextDocument document;
    if (!load(file, &document))
        return;
    const QString text = document.toPlainText();
    QVERIFY2(!text.trimmed().isEmpty(), "the template is empty");

    const QString title = firstNonEmpty(paragraphs(document));
    QVERIFY2(title.contains(subject, Qt::CaseInsensitive), qPrintable(QStringLiteral("title: ") + title));

    const QString right = designationText(addressable);
    const QString wrong = designationText(!addressable);
    bool cited = false;
    for (const QString &paragraph : paragraphs(document)) {
        if (!paragraph.contains(citation))
            continue;
        QVERIFY2(!paragraph.contains(wrong), qPrintable(paragraph));
        cited = cited || paragraph.contains(right);
    }
    QVERIFY2(cited, qPrintable(QStringLiteral("no paragraph cites %1 as %2").arg(citation, right)));

    const bool hasDecision = text.contains(QStringLiteral("Addressable specification decision"));
    if (addressable) {
        QVERIFY2(hasDecision, "no section to record the addressable decision");
        QVERIFY(text.contains(QStringLiteral("164.306(d)(3)")));
    } else {
        QVERIFY2(!hasDecision, "a required specification offers the addressable choice");
    }
    // Retention per the documentation rule.
    QVERIFY(text.contains(QStringLiteral("164.316(b)(2)(i)")));
}

// What the user sees after "Insert Template": compiled text, not Markdown
// source; placeholders kept as typed; the rule's names rather than the
// misspellings some screen captions carry.
void TemplatesTest::readsAsFinishedDocument()
{
    QFETCH(QString, file);

    QTextDocument document;
    if (!load(file, &document))
        return;
    const QString text = document.toPlainText();

    static const QRegularExpression markdownSyntax(
        QStringLiteral(R"((\*\*|__|\]\(|^#+ |^\|?\s*-{3,}\s*\|))"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch markup = markdownSyntax.match(text);
    QVERIFY2(!markup.hasMatch(), qPrintable(QStringLiteral("Markdown left in the text: ") + markup.captured()));

    QVERIFY2(!text.contains(QChar::ReplacementCharacter), "a character was lost on the way to Windows-1252");
    QVERIFY2(text.contains(QStringLiteral("[Organization Name]")), "placeholders did not survive");

    // The editor shows templates as the user's own entries are written: in
    // Times New Roman, body text at 12 pt.
    QHash<qreal, qsizetype> charactersBySize;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            QCOMPARE(format.font().family(), QStringLiteral("Times New Roman"));
            charactersBySize[format.font().pointSizeF()] += fragment.fragment().length();
        }
    }
    const auto mostUsed = std::max_element(charactersBySize.cbegin(), charactersBySize.cend());
    QVERIFY(mostUsed != charactersBySize.cend());
    QCOMPARE(mostUsed.key(), 12.0);

    for (const char *captionSpelling : {"Mananagement", "Proceedures", "Ingerity", "Contacts &", "164.308(B)",
                                        "Health Group Plans"}) {
        QVERIFY2(!text.contains(QLatin1String(captionSpelling)), captionSpelling);
    }
}

// The worksheet's status list offers exactly these terms; the template must
// tell the user what each one means.
void TemplatesTest::worksheetExplainsEachComplianceStatus()
{
    QTextDocument document;
    if (!load(QStringLiteral("Misc59.Fl1"), &document))
        return;
    const QStringList texts = paragraphs(document);

    for (const QString &term : {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Partial"),
                                QStringLiteral("Planned")}) {
        const QRegularExpression explained(QStringLiteral("^\\W*%1 -- \\w").arg(term));
        QVERIFY2(!texts.filter(explained).isEmpty(), qPrintable(term));
    }
    // The safeguard status list is a different one.
    QVERIFY(!document.toPlainText().contains(QStringLiteral("Not Implemented")));
}

// The sample plan is the starting point of a larger organisation's plan; each
// part a plan of that kind needs is there for the user to fill in or cut.
void TemplatesTest::recoveryPlanCoversEachPart()
{
    QTextDocument document;
    if (!load(QStringLiteral("Misc60.Fl1"), &document))
        return;
    const QString text = document.toPlainText();

    for (const char *part : {"Purpose", "Scope", "Assumptions", "Recovery team", "Recovery time objective",
                             "Restoring systems and data", "Alternate site", "Communication plan", "Patients",
                             "Business associates", "Vendors", "Emergency Mode Operation Plan",
                             "Testing schedule", "Plan maintenance", "Appendix A", "Appendix B"}) {
        QVERIFY2(text.contains(QLatin1String(part), Qt::CaseInsensitive), part);
    }
}

QTEST_MAIN(TemplatesTest)
#include "tst_templates.moc"
