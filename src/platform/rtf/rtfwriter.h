#pragma once

#include "platform/rtf/rtfoutput.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QStringList>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFrame;
class QTextList;
class QTextTable;

namespace Rtf::Internal {

// Character properties as they are written: indexes into the font and colour
// tables, size in half-points.
struct RunFormat
{
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int verticalAlignment = 0;
    int foreground = 0;
    int background = 0;

    bool operator==(const RunFormat &) const = default;
};

// Writes a QTextDocument as a complete RTF document in Windows-1252.
class Writer
{
public:
    explicit Writer(const QTextDocument &document);
    QByteArray write();

private:
    void collectTables();
    void noteFormat(const QTextCharFormat &format);
    void writeHeader();
    void writeListTable();
    void writeFrame(const QTextFrame *frame, bool inTable);
    void writeTable(const QTextTable *table);
    void writeBlock(const QTextBlock &block, bool inTable, const char *ending);
    void writeParagraphProperties(const QTextBlock &block, bool inTable);
    void writeListFallback(const QTextBlock &block, const QTextList *list);
    void writeRunFormat(const RunFormat &format);

    RunFormat resolve(const QTextCharFormat &format) const;
    QString familyOf(const QTextCharFormat &format) const;
    double pointSizeOf(const QTextCharFormat &format) const;
    int colorIndex(const QColor &color) const;

    const QTextDocument &m_document;
    RtfOutput m_out;
    RunFormat m_current;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QColor> m_colors;
    QHash<QRgb, int> m_colorIndex;
    QList<const QTextList *> m_lists;
};

} // namespace Rtf::Internal
