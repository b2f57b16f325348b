#include "platform/rtf/rtfdocumentbuilder.h"

#include "platform/records/twips.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace Rtf::Internal {

DocumentBuilder::DocumentBuilder(QTextDocument *document)
    : m_document(document)
    , m_cursor(document)
{
}

void DocumentBuilder::setCharFormat(const QTextCharFormat &format)
{
    flushText();
    m_format = format;
}

void DocumentBuilder::flushText()
{
    if (m_pendingText.isEmpty())
        return;
    m_cursor.insertText(m_pendingText, m_format);
    m_pendingText.clear();
    m_paragraphHasText = true;
}

void DocumentBuilder::startParagraph(bool inTable)
{
    m_paragraphStarted = true;
    m_paragraphHasText = false;
    if (inTable) {
        enterCell();
    } else if (m_table) {
        leaveTable();
    }
    if (m_pendingBreak) {
        // A plain format: the paragraph joins its list only when it ends,
        // which spares Qt moving it in and out of the previous one's list.
        m_cursor.insertBlock(QTextBlockFormat(), m_format);
        m_pendingBreak = false;
    }
}

void DocumentBuilder::enterCell()
{
    if (!m_table) {
        // A table placed after an ended paragraph goes right behind it, so
        // that no empty paragraph appears in front of the table.
        m_pendingBreak = false;
        const int columns = std::clamp(int(m_row.boundaries.size()), 1, MaxColumns);
        QTextTableFormat format;
        format.setCellSpacing(0);
        format.setCellPadding(4);
        format.setBorder(m_row.borders ? 1 : 0);
        format.setBorderCollapse(true);
        m_table = m_cursor.insertTable(1, columns, format);
        m_tableBoundaries = m_row.boundaries;
        m_tableBorders = m_row.borders;
        m_rowIndex = 0;
        m_columnIndex = 0;
        m_cellMoved = false;
        m_tableRows = 1;
        m_tableColumns = columns;
        m_rowsUsed = 1;
        m_cursorRow = 0;
        m_cursorColumn = 0;
        return;
    }
    if (!m_cellMoved)
        return;
    m_cellMoved = false;
    m_pendingBreak = false;
    bool seek = false;
    if (m_rowIndex >= m_tableRows) {
        // A quarter more rows at a time: Qt re-indexes the whole table after
        // each addition, so a row at a time would cost rows squared.
        const int added = std::max({m_rowIndex - m_tableRows + 1, 16, m_tableRows / 4});
        m_table->appendRows(added);
        m_tableRows += added;
        seek = true;
    }
    m_rowsUsed = std::max(m_rowsUsed, m_rowIndex + 1);
    if (m_columnIndex >= MaxColumns) {
        // Surplus cells share the last column rather than widen the table
        // without limit.
        m_columnIndex = MaxColumns - 1;
        m_cursor = m_table->cellAt(m_rowIndex, m_columnIndex).lastCursorPosition();
        m_cursorRow = m_rowIndex;
        m_cursorColumn = m_columnIndex;
        m_pendingBreak = true;
        return;
    }
    if (m_columnIndex >= m_tableColumns) {
        m_table->appendColumns(m_columnIndex - m_tableColumns + 1);
        m_tableColumns = m_columnIndex + 1;
        seek = true;
    }
    const qint64 from = qint64(m_cursorRow) * m_tableColumns + m_cursorColumn;
    const qint64 to = qint64(m_rowIndex) * m_tableColumns + m_columnIndex;
    if (seek || to <= from || to - from > MaxColumns) {
        m_cursor = m_table->cellAt(m_rowIndex, m_columnIndex).firstCursorPosition();
    } else {
        // Cells are filled in order, so the cursor is in the last paragraph
        // of its cell and every cell after it is one empty paragraph: the
        // cell wanted starts that many paragraphs on. Walking there spares
        // Qt re-indexing the table after each paragraph inside a cell.
        QTextBlock block = m_cursor.block();
        for (qint64 i = from; i < to && block.isValid(); ++i)
            block = block.next();
        if (block.isValid())
            m_cursor.setPosition(block.position());
        else
            m_cursor = m_table->cellAt(m_rowIndex, m_columnIndex).firstCursorPosition();
    }
    m_cursorRow = m_rowIndex;
    m_cursorColumn = m_columnIndex;
}

void DocumentBuilder::leaveTable()
{
    flushText();
    if (m_tableRows > m_rowsUsed)
        m_table->removeRows(m_rowsUsed, m_tableRows - m_rowsUsed);
    QTextTableFormat format = m_table->format();
    if (m_tableBoundaries.size() == m_tableColumns) {
        QList<QTextLength> widths;
        int left = 0;
        for (int right : std::as_const(m_tableBoundaries)) {
            // Between a narrowest usable column and the widest page.
            widths.append(QTextLength(QTextLength::FixedLength, Twips::toPixelsF(std::clamp(right - left, Twips::kPerPixel, 31680))));
            left = right;
        }
        format.setColumnWidthConstraints(widths);
    }
    format.setBorder(m_tableBorders ? 1 : 0);
    m_table->setFormat(format);
    m_cursor.setPosition(m_table->lastPosition() + 1);
    m_cursor.setBlockFormat(QTextBlockFormat());
    m_table = nullptr;
    m_pendingBreak = false;
}

void DocumentBuilder::applyParagraph(const ParagraphLayout &layout)
{
    if (!m_paragraphStarted)
        startParagraph(layout.inTable);
    flushText();
    QTextBlockFormat block = layout.block;
    if (m_pageBreakNext) {
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_pageBreakNext = false;
    }
    QTextList *list = nullptr;
    if (layout.list.isList()) {
        list = existingList(layout.list);
        if (list)
            block.setObjectIndex(list->objectIndex());
    } else if (!m_lists.isEmpty()) {
        m_lists.removeIf([](const auto &entry) { return entry.key().first >> 63; });
    }
    m_cursor.setBlockFormat(block);
    if (!m_paragraphHasText)
        m_cursor.setBlockCharFormat(m_format);
    if (layout.list.isList() && !list)
        createList(layout.list);
    m_paragraphStarted = false;
    m_paragraphHasText = false;
}

void DocumentBuilder::endParagraph(const ParagraphLayout &layout)
{
    applyParagraph(layout);
    m_pendingBreak = true;
}

void DocumentBuilder::endCell(const ParagraphLayout &layout)
{
    applyParagraph(layout);
    m_pendingBreak = false;
    if (!m_table)
        return;
    ++m_columnIndex;
    m_cellMoved = true;
}

void DocumentBuilder::endRow()
{
    if (!m_table)
        return;
    flushText();
    m_paragraphStarted = false;
    m_paragraphHasText = false;
    m_pendingBreak = false;
    ++m_rowIndex;
    m_columnIndex = 0;
    m_cellMoved = true;
}

void DocumentBuilder::finish(const ParagraphLayout &layout)
{
    if (m_paragraphStarted && paragraphHasText())
        applyParagraph(layout);
    flushText();
    if (m_table)
        leaveTable();
}

quint64 DocumentBuilder::listKey(const ListMembership &membership)
{
    // The top bit marks keys of the older list form (see applyParagraph).
    return membership.key | (membership.endsAtOtherParagraph ? (quint64(1) << 63) : 0);
}

QTextList *DocumentBuilder::existingList(const ListMembership &membership)
{
    const quint64 key = listKey(membership);
    // A paragraph at one level ends any deeper list of the same key, so the
    // next deeper item starts its numbering afresh.
    m_lists.removeIf([&](const auto &entry) {
        return entry.key().first == key && entry.key().second > membership.level;
    });
    QTextList *list = m_lists.value(qMakePair(key, membership.level));
    const bool numbered = membership.style <= QTextListFormat::ListDecimal;
    if (list && !numbered && list->count() >= MaxBulletListItems)
        return nullptr; // a new list of the same look takes the next items
    return list;
}

void DocumentBuilder::createList(const ListMembership &membership)
{
    QTextListFormat format;
    format.setStyle(membership.style);
    format.setIndent(membership.level + 1);
    const bool numbered = membership.style <= QTextListFormat::ListDecimal;
    if (numbered && !membership.prefix.isEmpty())
        format.setNumberPrefix(membership.prefix);
    if (numbered && membership.suffix != QLatin1String("."))
        format.setNumberSuffix(membership.suffix);
    m_lists.insert(qMakePair(listKey(membership), membership.level), m_cursor.createList(format));
}

} // namespace Rtf::Internal
