// Every shipped document as the program shows it (the compiled RTF documents
// and the help pages), checked for the dates, citations and names that were
// once wrong in them, and the source tree checked for promises of features
// that already exist.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextDocument>

#include "builtcontent.h"
#include "platform/rtf/rtf.h"

namespace {

// A shipped document's text with every run of white space made one space,
// so that a phrase matches whatever the line breaks of its source.
QString flattened(const QString &text)
{
    return text.simplified();
}

// The text of a built document: RTF documents through the program's reader,
// help pages as their Markdown. `paragraphs` gets its paragraphs (table cells
// and list items count as paragraphs).
QString documentText(const QString &path, QString *error, QStringList *paragraphs = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (Rtf::looksLikeRtf(bytes)) {
        QTextDocument document;
        Rtf::read(bytes, &document);
        if (paragraphs)
            *paragraphs = BuiltContent::paragraphs(document);
        return document.toPlainText();
    }
    const QString markdown = QString::fromUtf8(bytes);
    if (paragraphs)
        *paragraphs = markdown.split(QRegularExpression(QStringLiteral("\\n\\s*\\n|\\n(?=\\s*[-|>*] )")));
    return markdown;
}

// Every shipped document in the built content folder, by its name there
// ("Misc5.Fl1", "help/3014.md"); pictures aside.
QStringList shippedDocuments()
{
    const QDir root(BuiltContent::path(QString()));
    QStringList names;
    QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".png")) || path.endsWith(QLatin1String(".jpg")))
            continue;
        names << root.relativeFilePath(path);
    }
    names.sort();
    return names;
}

// Words no shipped document may carry: misspellings once shown to the user,
// wrong names, and the compliance dates of the preamble given as the dates
// that bind (see the date rule below).
const char *const kNeverShown[] = {
    "Mananagement", "Responsiblity", "Proceedures", "Anlysis", "HIPPA", "Clickboard", "Saveguards",
    "commerical", "Please insure", "Files files", "Office of Civil Rights", "Health and Human Resources",
    "HIPAAComply", "HIPAAdvisory",
};

struct FactRow
{
    const char *document;
    const char *mustSay;    // '|'-separated phrases the document must contain
    const char *mustNotSay; // '|'-separated phrases it must not contain, or ""
};

// The corrections, each in the document that was wrong.
const FactRow kFacts[] = {
    {"Misc5.Fl1",
     "20 April 2005|20 April 2006|164.318(a)(1)|164.318(a)(2)|preamble's DATES paragraph gives April 21, 2005|"
     "90 FR 898|not final as of June 2026|91 FR 3665|one general note naming the sections|"
     "preamble mostly as the program's own summaries",
     "with notes where the 2013 Omnibus rule changed a paragraph"},
    {"Misc9.Fl1", "20 April 2005|20 April 2006|164.318(a)(2)|Cybersecurity and Privacy Reference Tool",
     "21 April 2005: compliance date"},
    {"Misc4.Fl1", "20 April 2005 (small health plans 20 April 2006)|are all defined in 45 CFR 160.103",
     "160.103 and 164.501"},
    {"Misc3.Fl1", "must be met (164.306(c))|90 FR 898|As of June 2026", "(164.306(d)(1))"},
    {"Misc6.Fl1", "transmitted by electronic media or maintained in electronic media (the definition in 160.103)|"
                  "same exclusions as the definition of protected health information",
     "individually identifiable health information that a covered entity creates, receives, maintains or transmits "
     "in electronic form"},
    {"Misc8.Fl1", "28 January 2026 (91 FR 3665)", ""},
    {"Misc12.Fl1", "Cybersecurity and Privacy Reference Tool", ""},
    {"Misc1.Fl1", "regulation text (Subpart C) and its Appendix A as published|preamble mostly as the program's own "
                  "summaries",
     "full text of the 2003 final rule and its preamble"},
    {"help/3012.md", "Appendix A matrix, as published in 2003|mostly as the program's own summaries", ""},
    {"help/3014.md", "not a government body|Risk Analysis Worksheet|Copy to Clipboard", "official web sites"},
    {"PR3.Fl1", "Subpart A existed before this final rule|adds § 164.103|§ 164.105|revises § 164.104",
     "which this final rule adds"},
    {"PR22.Fl1", "add §§ 164.103 and 164.105 to subpart A|which existed before this rule|revise § 164.104",
     "add subpart A of part 164 (its general provisions), and"},
    // Quotations that stop inside a paragraph end with an ellipsis.
    {"PR2.Fl1", "cited in this document by their names). …", ""},
    {"PR4.Fl1", "appropriate security measures to protect that information. …", ""},
    {"PR8.Fl1", "privacy standards (see § 164.306(a)(3)). …", ""},
    {"PR14.Fl1", "Privacy, and Employer Identifier Rules. …", ""},
    {"PR0.Fl1", "Subpart A existed before this final rule|cited in this document by their names). …", ""},
};

QString sourcePath(const QString &relative)
{
    return QDir(QStringLiteral(SENTRIVO_SOURCE_DIR)).filePath(relative);
}

} // namespace

class ShippedTextsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void correctedFacts_data();
    void correctedFacts();
    void noDocumentRepeatsAnOldError_data();
    void noDocumentRepeatsAnOldError();
    void nothingPromisesALaterRelease();
    void helpContentsLinkEveryPage();
};

void ShippedTextsTest::correctedFacts_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("mustSay");
    QTest::addColumn<QStringList>("mustNotSay");
    for (const FactRow &row : kFacts) {
        QTest::newRow(row.document) << QString::fromLatin1(row.document)
                                    << QString::fromUtf8(row.mustSay).split(QLatin1Char('|'))
                                    << QString::fromUtf8(row.mustNotSay).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    }
}

void ShippedTextsTest::correctedFacts()
{
    QFETCH(QString, document);
    QFETCH(QStringList, mustSay);
    QFETCH(QStringList, mustNotSay);
    QString error;
    const QString text = flattened(documentText(BuiltContent::path(document), &error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    for (const QString &phrase : mustSay)
        QVERIFY2(text.contains(phrase), qPrintable(QStringLiteral("missing: ") + phrase));
    for (const QString &phrase : mustNotSay)
        QVERIFY2(!text.contains(phrase), qPrintable(QStringLiteral("still says: ") + phrase));
}

void ShippedTextsTest::noDocumentRepeatsAnOldError_data()
{
    QTest::addColumn<QString>("document");
    const QStringList documents = shippedDocuments();
    QVERIFY(documents.size() > 60);
    for (const QString &name : documents)
        QTest::newRow(qPrintable(name)) << name;
}

// Across every shipped document: none of the old misspellings or wrong names,
// and the 21 April compliance dates only where the preamble's DATES paragraph
// is named beside the binding 20 April date of 164.318.
void ShippedTextsTest::noDocumentRepeatsAnOldError()
{
    QFETCH(QString, document);
    QString error;
    QStringList paragraphs;
    const QString raw = documentText(BuiltContent::path(document), &error, &paragraphs);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString text = flattened(raw);
    for (const char *word : kNeverShown)
        QVERIFY2(!text.contains(QLatin1String(word)), word);

    static const QRegularExpression preambleDate(
        QStringLiteral("21 April 200[56]|April 21, 200[56]"));
    for (const QString &paragraph : paragraphs) {
        const QString flat = flattened(paragraph);
        if (!flat.contains(preambleDate))
            continue;
        QVERIFY2(flat.contains(QLatin1String("preamble")) && flat.contains(QRegularExpression(
                     QStringLiteral("20 April 200[56]|April 20, 200[56]"))),
                 qPrintable(flat.left(200)));
    }
}

// Timeline, worksheets, printing and the writing aids all exist: no help page,
// document, caption or comment may say they come later.
void ShippedTextsTest::nothingPromisesALaterRelease()
{
    const QString phrase = QStringLiteral("later ") + QStringLiteral("release");
    QStringList offenders;
    int scanned = 0;
    for (const char *folder : {"src", "content", "tools", "bench", "fuzz", "tests"}) {
        QDirIterator it(sourcePath(QString::fromLatin1(folder)), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!QRegularExpression(QStringLiteral("\\.(cpp|h|md|txt|cmake|sh|py)$")).match(path).hasMatch())
                continue;
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            ++scanned;
            const QString text = flattened(QString::fromUtf8(file.readAll()));
            if (text.contains(phrase, Qt::CaseInsensitive))
                offenders << QDir(sourcePath(QString())).relativeFilePath(path);
        }
    }
    for (const char *single : {"README.md", "CMakeLists.txt", "Makefile"}) {
        QFile file(sourcePath(QString::fromLatin1(single)));
        if (file.open(QIODevice::ReadOnly) && flattened(QString::fromUtf8(file.readAll())).contains(phrase, Qt::CaseInsensitive))
            offenders << QString::fromLatin1(single);
    }
    QVERIFY(scanned > 100);
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QStringLiteral(", "))));
}

// The help contents page links every help page, every link on it leads to a
// page, and every topic number the program opens has its page there.
void ShippedTextsTest::helpContentsLinkEveryPage()
{
    const QDir help(BuiltContent::path(QStringLiteral("help")));
    QFile index(help.filePath(QStringLiteral("index.md")));
    QVERIFY(index.open(QIODevice::ReadOnly));
    const QString contents = QString::fromUtf8(index.readAll());
    QSet<QString> linked;
    static const QRegularExpression link(QStringLiteral("\\]\\(([^)]+\\.md)\\)"));
    for (auto it = link.globalMatch(contents); it.hasNext();)
        linked.insert(it.next().captured(1));

    const QStringList pages = help.entryList({QStringLiteral("*.md")}, QDir::Files);
    QVERIFY(pages.size() > 10);
    for (const QString &page : pages) {
        if (page != QLatin1String("index.md"))
            QVERIFY2(linked.contains(page), qPrintable(page + QStringLiteral(" is not in the help contents")));
    }
    for (const QString &target : linked)
        QVERIFY2(help.exists(target), qPrintable(target + QStringLiteral(" is linked but missing")));

    QFile topics(sourcePath(QStringLiteral("src/screens/helptopics.h")));
    QVERIFY(topics.open(QIODevice::ReadOnly));
    static const QRegularExpression topic(QStringLiteral("constexpr int (\\w+) = (\\d+);"));
    int count = 0;
    for (auto it = topic.globalMatch(QString::fromUtf8(topics.readAll())); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString page = match.captured(2) + QStringLiteral(".md");
        QVERIFY2(linked.contains(page), qPrintable(match.captured(1) + QStringLiteral(": no page ") + page));
        ++count;
    }
    QVERIFY(count >= 16);
}

QTEST_MAIN(ShippedTextsTest)
#include "tst_shippedtexts.moc"
