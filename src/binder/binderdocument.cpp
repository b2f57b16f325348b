// The binder as one rich-text document, written as OpenDocument text.
#include "binder/auditbinder.h"

#include "catalogue/safeguardcatalogue.h"
#include "platform/records/safefile.h"
#include "printing/safeguardreport.h"
#include "printing/standardssummary.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextDocumentWriter>
#include <QTextTable>

#include <zip.h>

namespace AuditBinder {

namespace {

class DocumentBuilder
{
public:
    explicit DocumentBuilder(QTextDocument &document)
        : m_cursor(&document)
    {
        QFont font(QStringLiteral("Times New Roman"), 11);
        document.setDefaultFont(font);
    }

    void heading(const QString &text, int level)
    {
        QTextBlockFormat block;
        block.setHeadingLevel(level);
        block.setTopMargin(level == 1 ? 18 : 12);
        block.setBottomMargin(6);
        if (level == 1 && m_blocks > 0)
            block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCharFormat character;
        character.setFontWeight(QFont::Bold);
        character.setFontPointSize(level == 1 ? 18 : level == 2 ? 14 : 12);
        newBlock(block, character);
        m_cursor.insertText(text);
    }

    void paragraph(const QString &text, bool bold = false)
    {
        QTextCharFormat character;
        character.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        character.setFontPointSize(11);
        newBlock(QTextBlockFormat(), character);
        m_cursor.insertText(text);
    }

    void labelled(const QString &label, const QString &value)
    {
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setFontPointSize(11);
        newBlock(QTextBlockFormat(), bold);
        m_cursor.insertText(label + QLatin1Char(' '));
        QTextCharFormat plain;
        plain.setFontPointSize(11);
        m_cursor.insertText(value, plain);
    }

    void text(const QTextDocument &document)
    {
        if (document.toPlainText().trimmed().isEmpty()) {
            QTextCharFormat italic;
            italic.setFontItalic(true);
            italic.setFontPointSize(11);
            newBlock(QTextBlockFormat(), italic);
            m_cursor.insertText(QStringLiteral("Nothing has been written here."));
            return;
        }
        newBlock(QTextBlockFormat(), QTextCharFormat());
        m_cursor.insertFragment(QTextDocumentFragment(&document));
        ++m_blocks;
    }

    void table(const QStringList &header, const QList<QStringList> &rows)
    {
        newBlock(QTextBlockFormat(), QTextCharFormat());
        QTextTableFormat format;
        format.setHeaderRowCount(1);
        format.setCellPadding(3);
        format.setBorder(0.5);
        QTextTable *table = m_cursor.insertTable(int(rows.size()) + 1, int(header.size()), format);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        for (int column = 0; column < header.size(); ++column)
            table->cellAt(0, column).firstCursorPosition().insertText(header[column], bold);
        for (int row = 0; row < rows.size(); ++row) {
            for (int column = 0; column < header.size(); ++column)
                table->cellAt(row + 1, column).firstCursorPosition().insertText(rows[row].value(column));
        }
        m_cursor.movePosition(QTextCursor::End);
        ++m_blocks;
    }

private:
    void newBlock(const QTextBlockFormat &block, const QTextCharFormat &character)
    {
        if (m_blocks == 0) {
            m_cursor.setBlockFormat(block);
            m_cursor.setBlockCharFormat(character);
            m_cursor.setCharFormat(character);
        } else {
            m_cursor.insertBlock(block, character);
        }
        ++m_blocks;
    }

    QTextCursor m_cursor;
    int m_blocks = 0;
};

QString designationText(Catalogue::Designation designation)
{
    switch (designation) {
    case Catalogue::Designation::Required: return QStringLiteral("Required");
    case Catalogue::Designation::Addressable: return QStringLiteral("Addressable");
    default: return {};
    }
}

} // namespace

std::unique_ptr<QTextDocument> textDocument(const Contents &contents, const Cover &cover)
{
    auto document = std::make_unique<QTextDocument>();
    document->setMetaInformation(QTextDocument::DocumentTitle, kDocumentName);
    DocumentBuilder out(*document);
    out.heading(kDocumentName, 1);
    out.paragraph(QStringLiteral("HIPAA Security Rule Compliance"), true);
    out.labelled(QStringLiteral("Organization:"),
                 cover.organization.isEmpty() ? QStringLiteral("(organization not named)") : cover.organization);
    if (!cover.preparedBy.isEmpty())
        out.labelled(QStringLiteral("Prepared by:"), cover.preparedBy);
    out.labelled(QStringLiteral("Date:"), SafeguardReport::longDate(cover.made.date()));
    if (!cover.workbookName.isEmpty())
        out.labelled(QStringLiteral("Workbook:"), cover.workbookName);

    if (contents.figures) {
        const ProgressFigures &figures = *contents.figures;
        out.heading(sectionTitle(Dashboard), 1);
        out.paragraph(figures.completedLine(), true);
        out.paragraph(figures.toDoLine());
        QStringList header{QStringLiteral("Group")};
        for (int status = 0; status < ProgressFigures::StatusCount; ++status)
            header << ProgressFigures::statusName(status);
        QList<QStringList> rows;
        for (const ProgressFigures::Group &group : figures.groups) {
            QStringList row{group.name};
            for (int count : group.counts)
                row << QString::number(count);
            rows << row;
        }
        out.table(header, rows);
    }
    if (contents.summary) {
        out.heading(sectionTitle(Summary), 1);
        QList<QStringList> rows;
        for (const StandardsSummary::SummaryRow &row : StandardsSummary::rows()) {
            rows << QStringList{row.group, row.standard, row.section, row.specification, row.designation,
                                contents.status ? contents.status(row.statusRecordNo).trimmed() : QString()};
        }
        for (int i = 0; i < contents.worksheetTitles.size(); ++i) {
            rows << QStringList{QStringLiteral("Risk Analysis Worksheets"), contents.worksheetTitles[i], QString(),
                                QStringLiteral("Compliance Status"), QString(),
                                contents.status ? contents.status(48 + i).trimmed() : QString()};
        }
        out.table({QStringLiteral("Group"), QStringLiteral("Standard"), QStringLiteral("Section"),
                   QStringLiteral("Implementation Specification"), QStringLiteral("R/A"),
                   QStringLiteral("Current Status")},
                  rows);
    }
    if (!contents.safeguards.isEmpty()) {
        out.heading(sectionTitle(Safeguards), 1);
        for (const Contents::SafeguardPart &part : contents.safeguards) {
            const Catalogue::Safeguard &safeguard = Catalogue::safeguardAt(part.safeguardNo);
            out.heading(QString::fromLatin1(safeguard.fullName), 2);
            if (*safeguard.standard)
                out.labelled(QStringLiteral("Standard:"), QString::fromLatin1(safeguard.standard));
            if (*safeguard.section)
                out.labelled(QStringLiteral("Section:"), QChar(0x00A7) + QString::fromLatin1(safeguard.section));
            const QString designation = designationText(safeguard.designation);
            if (!designation.isEmpty())
                out.labelled(QStringLiteral("Required/Addressable:"), designation);
            out.labelled(QStringLiteral("Status:"),
                         part.status.trimmed().isEmpty() ? QStringLiteral("(none chosen)") : part.status.trimmed());
            for (const SafeguardReport::HeadingLine &line : part.record)
                out.labelled(line.first, line.second);
            const QStringList titles{QStringLiteral("Action Taken"), QStringLiteral("Comments/Notes"),
                                     QStringLiteral("Policies and Procedures")};
            for (int i = 0; i < 3; ++i) {
                out.heading(titles[i], 3);
                out.text(*part.entries[size_t(i)]);
            }
        }
    }
    if (!contents.worksheets.isEmpty()) {
        out.heading(sectionTitle(Worksheets), 1);
        for (const Contents::TextPart &part : contents.worksheets) {
            out.heading(part.title, 2);
            out.labelled(QStringLiteral("Compliance Status:"),
                         part.status.trimmed().isEmpty() ? QStringLiteral("(none chosen)") : part.status.trimmed());
            out.text(*part.text);
        }
    }
    if (contents.recoveryPlan) {
        out.heading(sectionTitle(RecoveryPlan), 1);
        out.text(*contents.recoveryPlan);
    }
    if (!contents.timeline.isEmpty()) {
        out.heading(sectionTitle(Timeline), 1);
        QList<QStringList> rows;
        for (const Contents::TimelineRow &row : contents.timeline)
            rows << QStringList{row.item, row.dates[0], row.dates[1], row.dates[2]};
        out.table({QStringLiteral("To Do Item"), QStringLiteral("To Do Date"), QStringLiteral("Actual Date"),
                   QStringLiteral("Next Review Date")},
                  rows);
    }
    return document;
}

namespace {

// Qt's OpenDocument writer writes every block as a paragraph; the blocks
// with a heading level become headings (text:h with their outline level), so
// a word processor shows them in its navigator and can number them.
QString markHeadings(const QString &contentXml, const QTextDocument &document)
{
    QMap<int, int> levels; // paragraph style ("p<block format index>") -> outline level
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (const int level = block.blockFormat().headingLevel(); level > 0)
            levels.insert(block.blockFormatIndex(), level);
    }
    QString xml = contentXml;
    for (auto it = levels.cbegin(); it != levels.cend(); ++it) {
        const QRegularExpression paragraph(
            QStringLiteral("<text:p text:style-name=\"p%1\">(.*?)</text:p>").arg(it.key()),
            QRegularExpression::DotMatchesEverythingOption);
        xml.replace(paragraph, QStringLiteral("<text:h text:style-name=\"p%1\" text:outline-level=\"%2\">\\1</text:h>")
                                   .arg(it.key())
                                   .arg(it.value()));
    }
    return xml;
}

// Replaces content.xml inside the ODT package, keeping every other member
// (the uncompressed "mimetype" first) as Qt wrote it.
bool replaceContent(const QString &packagePath, const QTextDocument &document, QString *error)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(packagePath).constData(), 0, &code);
    if (!archive) {
        *error = QStringLiteral("the OpenDocument package could not be reopened");
        return false;
    }
    const zip_int64_t index = zip_name_locate(archive, "content.xml", 0);
    zip_stat_t stat;
    zip_stat_init(&stat);
    QByteArray original;
    if (index >= 0 && zip_stat_index(archive, zip_uint64_t(index), 0, &stat) == 0) {
        if (zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(index), 0)) {
            original.resize(qsizetype(stat.size));
            const zip_int64_t read = zip_fread(file, original.data(), stat.size);
            zip_fclose(file);
            if (read != zip_int64_t(stat.size))
                original.clear();
        }
    }
    if (original.isEmpty()) {
        zip_discard(archive);
        *error = QStringLiteral("the OpenDocument package has no content");
        return false;
    }
    // The buffer must outlive zip_close, which reads it.
    const QByteArray marked = markHeadings(QString::fromUtf8(original), document).toUtf8();
    zip_source_t *source = zip_source_buffer(archive, marked.constData(), zip_uint64_t(marked.size()), 0);
    if (!source || zip_file_replace(archive, zip_uint64_t(index), source, ZIP_FL_ENC_UTF_8) != 0) {
        if (source)
            zip_source_free(source);
        zip_discard(archive);
        *error = QStringLiteral("the OpenDocument headings could not be written");
        return false;
    }
    if (zip_close(archive) != 0) {
        *error = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return false;
    }
    return true;
}

} // namespace

bool writeOdt(const Contents &contents, const Cover &cover, const QString &path, QString *error)
{
    const std::unique_ptr<QTextDocument> document = textDocument(contents, cover);
    QString reason;
    QTemporaryDir scratch;
    const QString package = scratch.filePath(QStringLiteral("binder.odt"));
    {
        QTextDocumentWriter writer(package, QByteArrayLiteral("odf"));
        if (!scratch.isValid() || !writer.write(document.get()))
            reason = QStringLiteral("the OpenDocument text could not be made");
    }
    if (reason.isEmpty())
        replaceContent(package, *document, &reason);
    QByteArray bytes;
    if (reason.isEmpty()) {
        QFile file(package);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        if (bytes.isEmpty())
            reason = QStringLiteral("the OpenDocument text could not be read back");
    }
    if (reason.isEmpty() && writeFileSafely(path, bytes, &reason))
        return true;
    if (error)
        *error = reason;
    return false;
}

} // namespace AuditBinder
