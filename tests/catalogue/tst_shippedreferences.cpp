#include "catalogue/referencetexts.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/rtf/rtf.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTextDocument>
#include <QtTest>

using namespace Reference;

// The shipped reference and sample documents, as built into the content
// folder beside the executables.
class TestShippedReferences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void shippedDocumentIsReadableRtf_data();
    void shippedDocumentIsReadableRtf();
    void builderLoadsEveryContentFile();

private:
    QString m_contentFolder;
};

void TestShippedReferences::initTestCase()
{
    m_contentFolder = shippedContentFolder();
    QVERIFY2(QDir(m_contentFolder).exists(), qPrintable(m_contentFolder));
}

void TestShippedReferences::shippedDocumentIsReadableRtf_data()
{
    QTest::addColumn<QString>("fileName");
    QSet<QString> names;
    for (ReferenceKind kind : {ReferenceKind::ReferencesInRule, ReferenceKind::AdditionalInformation})
        for (int no = 0; no < Catalogue::SafeguardCount; ++no)
            if (const QString name = contentFileName(kind, no); !name.isEmpty())
                names.insert(name);
    for (auto kind : {Catalogue::EntryKind::ActionTaken, Catalogue::EntryKind::CommentsNotes,
                      Catalogue::EntryKind::PoliciesProcedures})
        names.insert(Catalogue::Sample::entryFileName(kind));
    QCOMPARE(names.size(), 17);
    for (const QString &name : std::as_const(names))
        QTest::newRow(qPrintable(name)) << name;
}

void TestShippedReferences::shippedDocumentIsReadableRtf()
{
    QFETCH(QString, fileName);
    // The exact name: the shipped spelling is the one the program asks for.
    const QString path = QDir(m_contentFolder).filePath(fileName);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = file.readAll();
    QVERIFY(Rtf::looksLikeRtf(bytes));
    QTextDocument document;
    QString error;
    QVERIFY2(Rtf::loadFile(path, &document, &error), qPrintable(error));
    const QString text = document.toPlainText().trimmed();
    QVERIFY2(text.size() > 200, qPrintable(text.left(80)));
    QVERIFY2(!text.contains(u'\\') && !text.contains(u'{'), "RTF control text leaked into the document");
}

void TestShippedReferences::builderLoadsEveryContentFile()
{
    for (ReferenceKind kind : {ReferenceKind::ReferencesInRule, ReferenceKind::AdditionalInformation}) {
        for (int no = 0; no < Catalogue::SafeguardCount; ++no) {
            if (contentFileName(kind, no).isEmpty())
                continue;
            QTextDocument document;
            QVERIFY2(build(kind, no, &document, BuildMode::Display, m_contentFolder), qPrintable(QString::number(no)));
            QVERIFY(!document.isEmpty());
        }
    }
}

QTEST_MAIN(TestShippedReferences)
#include "tst_shippedreferences.moc"
