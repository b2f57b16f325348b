#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

class QTextDocument;
class QTextList;
class QTextTable;

namespace Rtf::Internal {

// Which list a paragraph belongs to, resolved by the reader from either list
// form (the list table or the older paragraph numbering).
struct ListMembership
{
    QTextListFormat::Style style = QTextListFormat::ListStyleUndefined;
    int level = 0; // 0-based nesting level
    QString prefix;
    QString suffix;
    // Paragraphs with the same key and level share one QTextList, so
    // numbering continues across them.
    quint64 key = 0;
    // Lists of the older form end at the first paragraph outside them.
    bool endsAtOtherParagraph = false;

    bool isList() const { return style != QTextListFormat::ListStyleUndefined; }
};

struct ParagraphLayout
{
    QTextBlockFormat block;
    ListMembership list;
    bool inTable = false;
};

// Cell right edges of the current table row, in twips.
struct RowDefinition
{
    QList<int> boundaries;
    bool borders = false;
};

// Builds a QTextDocument from the reader's events: text is buffered and
// inserted once per run of equal formatting, paragraphs get their formats
// when they end, and table cells and lists are created as they are met.
class DocumentBuilder
{
public:
    explicit DocumentBuilder(QTextDocument *document);

    void setCharFormat(const QTextCharFormat &format);
    // The buffer for text of the current run; prepares the paragraph first.
    QString &textBuffer(bool inTable)
    {
        if (!m_paragraphStarted)
            startParagraph(inTable);
        return m_pendingText;
    }
    bool paragraphStarted() const { return m_paragraphStarted; }
    bool paragraphHasText() const { return m_paragraphHasText || !m_pendingText.isEmpty(); }
    bool inTable() const { return m_table != nullptr; }

    // The paragraph mark takes the current character format.
    void endParagraph(const ParagraphLayout &layout);
    void endCell(const ParagraphLayout &layout);
    void endRow();
    void breakPageBeforeNextParagraph() { m_pageBreakNext = true; }
    void setRowDefinition(const RowDefinition &row) { m_row = row; }

    // Ends the last paragraph (when it has content) and closes open tables.
    void finish(const ParagraphLayout &layout);

    static constexpr int MaxColumns = 63;
    // A bulleted list holds at most this many paragraphs: Qt re-marks every
    // item of a list each time one joins it, so one list of n items costs n
    // squared. Bullets look the same whichever list they belong to.
    static constexpr int MaxBulletListItems = 256;

private:
    void startParagraph(bool inTable);
    void flushText();
    void enterCell();
    void leaveTable();
    void applyParagraph(const ParagraphLayout &layout);
    static quint64 listKey(const ListMembership &list);
    QTextList *existingList(const ListMembership &list);
    void createList(const ListMembership &list);

    QTextDocument *m_document;
    QTextCursor m_cursor;
    QString m_pendingText;
    QTextCharFormat m_format;
    bool m_paragraphStarted = false;
    bool m_paragraphHasText = false;
    bool m_pendingBreak = false;
    bool m_pageBreakNext = false;

    QTextTable *m_table = nullptr;
    RowDefinition m_row;
    QList<int> m_tableBoundaries;
    bool m_tableBorders = false;
    int m_rowIndex = 0;
    int m_columnIndex = 0;
    bool m_cellMoved = false;
    // The table's size as built, kept here because asking Qt re-indexes the
    // whole table after every change; rows are added in batches, so the
    // rows actually filled are counted apart.
    int m_tableRows = 0;
    int m_tableColumns = 0;
    int m_rowsUsed = 0;
    // The cell the cursor is in.
    int m_cursorRow = 0;
    int m_cursorColumn = 0;

    QHash<QPair<quint64, int>, QPointer<QTextList>> m_lists;
};

} // namespace Rtf::Internal
