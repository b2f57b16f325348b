#include "platform/rtf/rtfwriter.h"

#include "platform/records/twips.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <array>

namespace Rtf::Internal {

namespace {

constexpr int MaxListLevels = 9;
constexpr int TextWidthTwips = 9360; // 6.5 inches: a letter page inside 1-inch margins
constexpr int ListHangTwips = 360;

int twips(qreal pixels)
{
    return Twips::fromPixelsF(pixels);
}

bool isNumbered(QTextListFormat::Style style)
{
    return style <= QTextListFormat::ListDecimal;
}

int levelNumberFormat(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDecimal: return 0;
    case QTextListFormat::ListUpperRoman: return 1;
    case QTextListFormat::ListLowerRoman: return 2;
    case QTextListFormat::ListUpperAlpha: return 3;
    case QTextListFormat::ListLowerAlpha: return 4;
    default: return 23;
    }
}

const char *oldStyleNumberWord(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListUpperRoman: return "pnucrm";
    case QTextListFormat::ListLowerRoman: return "pnlcrm";
    case QTextListFormat::ListUpperAlpha: return "pnucltr";
    case QTextListFormat::ListLowerAlpha: return "pnlcltr";
    default: return "pndec";
    }
}

QString bulletText(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle: return QStringLiteral("\u25E6");
    case QTextListFormat::ListSquare: return QStringLiteral("\u25AA");
    default: return QStringLiteral("\u2022");
    }
}

// Text around a list number, as short as the reader keeps it.
QString numberAffix(const QString &text)
{
    return text.left(16);
}

// Qt shows "1." when a list format states no suffix.
QString numberSuffix(const QTextListFormat &format)
{
    return numberAffix(format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix() : QStringLiteral("."));
}

QByteArray hexEscape(int byte)
{
    return "\\'" + QByteArray::number(byte, 16).rightJustified(2, '0');
}

} // namespace

Writer::Writer(const QTextDocument &document)
    : m_document(document)
{
}

QByteArray Writer::write()
{
    collectTables();
    writeHeader();
    writeFrame(m_document.rootFrame(), false);
    m_out.closeGroup();
    m_out.lineBreak();
    return m_out.bytes();
}

void Writer::collectTables()
{
    const QString defaultFamily = m_document.defaultFont().family();
    m_fonts.append(defaultFamily);
    m_fontIndex.insert(defaultFamily, 0);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        // Only formats that are written go into the tables: the paragraph
        // mark's format is written for an empty paragraph alone (see
        // writeBlock), and a font or colour listed for nothing would not
        // come back when the file is read, so writing that again would
        // number the tables differently.
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().isValid() && it.fragment().length() > 0) {
                noteFormat(it.fragment().charFormat());
                empty = false;
            }
        }
        if (empty)
            noteFormat(block.charFormat());
        if (const QTextList *list = block.textList(); list && !m_lists.contains(list))
            m_lists.append(list);
    }
}

void Writer::noteFormat(const QTextCharFormat &format)
{
    const QString family = familyOf(format);
    if (!m_fontIndex.contains(family)) {
        m_fontIndex.insert(family, int(m_fonts.size()));
        m_fonts.append(family);
    }
    for (const QBrush &brush : {format.foreground(), format.background()}) {
        if (brush.style() == Qt::NoBrush)
            continue;
        const QRgb rgb = brush.color().rgb();
        if (!m_colorIndex.contains(rgb)) {
            m_colors.append(brush.color());
            m_colorIndex.insert(rgb, int(m_colors.size())); // 0 is "automatic"
        }
    }
}

void Writer::writeHeader()
{
    m_out.raw("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033");
    m_out.openGroup();
    m_out.controlWord("fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i) {
        m_out.openGroup();
        m_out.controlWord("f", i);
        m_out.controlWord("fnil");
        m_out.controlWord("fcharset", 0);
        QString name = m_fonts.at(i);
        m_out.text(name.remove(QLatin1Char(';')));
        m_out.text(u";");
        m_out.closeGroup();
    }
    m_out.closeGroup();
    m_out.lineBreak();
    m_out.openGroup();
    m_out.controlWord("colortbl");
    m_out.text(u";");
    for (const QColor &color : std::as_const(m_colors)) {
        m_out.controlWord("red", color.red());
        m_out.controlWord("green", color.green());
        m_out.controlWord("blue", color.blue());
        m_out.text(u";");
    }
    m_out.closeGroup();
    m_out.lineBreak();
    writeListTable();
    m_out.raw("{\\*\\generator Sentrivo;}");
    m_out.controlWord("viewkind", 4);
    m_out.controlWord("uc", 1);
    m_out.lineBreak();
}

void Writer::writeListTable()
{
    if (m_lists.isEmpty())
        return;
    const qreal indentWidth = m_document.indentWidth();
    m_out.openGroup();
    m_out.controlSymbol('*');
    m_out.controlWord("listtable");
    for (int i = 0; i < m_lists.size(); ++i) {
        const QTextListFormat format = m_lists.at(i)->format();
        const int ownLevel = std::clamp(format.indent() - 1, 0, MaxListLevels - 1);
        m_out.lineBreak();
        m_out.openGroup();
        m_out.controlWord("list");
        m_out.controlWord("listtemplateid", i + 1);
        m_out.controlWord("listhybrid");
        for (int level = 0; level < MaxListLevels; ++level) {
            // The list's own level carries its style; the others get the
            // usual style of their kind, for word processors that indent.
            QTextListFormat::Style style = format.style();
            if (level != ownLevel)
                style = isNumbered(style) ? QTextListFormat::ListDecimal : QTextListFormat::ListDisc;
            m_out.openGroup();
            m_out.controlWord("listlevel");
            m_out.controlWord("levelnfc", levelNumberFormat(style));
            m_out.controlWord("levelnfcn", levelNumberFormat(style));
            m_out.controlWord("leveljc", 0);
            m_out.controlWord("leveljcn", 0);
            m_out.controlWord("levelfollow", 0);
            m_out.controlWord("levelstartat", 1);
            m_out.openGroup();
            m_out.controlWord("leveltext");
            int placeholderPosition = 0;
            if (isNumbered(style)) {
                const QString prefix = level == ownLevel ? numberAffix(format.numberPrefix()) : QString();
                const QString suffix = level == ownLevel ? numberSuffix(format) : QStringLiteral(".");
                m_out.raw(hexEscape(int(std::min<qsizetype>(prefix.size() + 1 + suffix.size(), 255))));
                m_out.text(prefix);
                m_out.raw(hexEscape(level));
                m_out.text(suffix);
                placeholderPosition = int(prefix.size()) + 1;
            } else {
                m_out.raw(hexEscape(1));
                m_out.text(bulletText(style));
            }
            m_out.text(u";");
            m_out.closeGroup();
            m_out.openGroup();
            m_out.controlWord("levelnumbers");
            if (placeholderPosition > 0)
                m_out.raw(hexEscape(placeholderPosition));
            m_out.text(u";");
            m_out.closeGroup();
            const int left = twips((level + 1) * indentWidth);
            m_out.controlWord("fi", -ListHangTwips);
            m_out.controlWord("li", left);
            m_out.controlWord("lin", left);
            m_out.closeGroup();
        }
        m_out.openGroup();
        m_out.controlWord("listname");
        m_out.text(u";");
        m_out.closeGroup();
        m_out.controlWord("listid", i + 1);
        m_out.closeGroup();
    }
    m_out.closeGroup();
    m_out.lineBreak();
    m_out.openGroup();
    m_out.controlSymbol('*');
    m_out.controlWord("listoverridetable");
    for (int i = 0; i < m_lists.size(); ++i) {
        m_out.openGroup();
        m_out.controlWord("listoverride");
        m_out.controlWord("listid", i + 1);
        m_out.controlWord("listoverridecount", 0);
        m_out.controlWord("ls", i + 1);
        m_out.closeGroup();
    }
    m_out.closeGroup();
    m_out.lineBreak();
}

void Writer::writeFrame(const QTextFrame *frame, bool inTable)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame *child = it.currentFrame()) {
            if (const auto *table = qobject_cast<const QTextTable *>(child); table && !inTable) {
                writeTable(table);
            } else {
                // Other frames (and tables inside cells) are written as
                // their paragraphs, in order.
                for (QTextBlock block = m_document.findBlock(child->firstPosition());
                     block.isValid() && block.position() <= child->lastPosition(); block = block.next())
                    writeBlock(block, inTable, "par");
            }
        } else if (it.currentBlock().isValid()) {
            writeBlock(it.currentBlock(), inTable, "par");
        }
    }
}

void Writer::writeTable(const QTextTable *table)
{
    const int columns = table->columns();
    const QTextTableFormat format = table->format();
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    QList<int> rightEdges;
    int edge = 0;
    for (int column = 0; column < columns; ++column) {
        int width = TextWidthTwips / columns;
        if (constraints.size() == columns) {
            const QTextLength &length = constraints.at(column);
            if (length.type() == QTextLength::FixedLength)
                width = twips(length.rawValue());
            else if (length.type() == QTextLength::PercentageLength)
                width = qRound(length.rawValue() * TextWidthTwips / 100);
        }
        edge += std::max(width, 15);
        rightEdges.append(edge);
    }
    const bool borders = format.border() > 0;

    for (int row = 0; row < table->rows(); ++row) {
        m_out.controlWord("trowd");
        m_out.controlWord("trgaph", 108);
        m_out.controlWord("trleft", 0);
        for (int column = 0; column < columns; ++column) {
            if (borders) {
                for (const char *side : {"clbrdrt", "clbrdrl", "clbrdrb", "clbrdrr"}) {
                    m_out.controlWord(side);
                    m_out.controlWord("brdrs");
                    m_out.controlWord("brdrw", 10);
                }
            }
            m_out.controlWord("cellx", rightEdges.at(column));
        }
        m_out.lineBreak();
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() != row || cell.column() != column) {
                // Covered by a merged cell: its text is written at the origin.
                m_out.controlWord("pard");
                m_out.controlWord("intbl");
                m_out.controlWord("cell");
                m_out.lineBreak();
                continue;
            }
            QList<QTextBlock> blocks;
            for (QTextBlock block = m_document.findBlock(cell.firstPosition());
                 block.isValid() && block.position() <= cell.lastPosition(); block = block.next())
                blocks.append(block);
            for (int i = 0; i < blocks.size(); ++i)
                writeBlock(blocks.at(i), true, i + 1 == blocks.size() ? "cell" : "par");
        }
        m_out.controlWord("row");
        m_out.lineBreak();
    }
}

void Writer::writeBlock(const QTextBlock &block, bool inTable, const char *ending)
{
    writeParagraphProperties(block, inTable);
    bool empty = true;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid() || fragment.length() == 0)
            continue;
        writeRunFormat(resolve(fragment.charFormat()));
        m_out.text(fragment.text());
        empty = false;
    }
    if (empty)
        writeRunFormat(resolve(block.charFormat()));
    m_out.controlWord(ending);
    m_out.lineBreak();
}

void Writer::writeParagraphProperties(const QTextBlock &block, bool inTable)
{
    const QTextBlockFormat format = block.blockFormat();
    const QTextList *list = block.textList();
    const qreal indentWidth = m_document.indentWidth();

    m_out.controlWord("pard");
    if (list)
        writeListFallback(block, list);
    if (inTable)
        m_out.controlWord("intbl");
    qreal left = format.leftMargin() + format.indent() * indentWidth;
    if (list) {
        const int level = std::clamp(list->format().indent() - 1, 0, MaxListLevels - 1);
        m_out.controlWord("ls", int(m_lists.indexOf(list)) + 1);
        m_out.controlWord("ilvl", level);
        left = std::max<qreal>(0, left) + (level + 1) * indentWidth;
    }
    const Qt::Alignment alignment = format.alignment();
    if (alignment & Qt::AlignHCenter)
        m_out.controlWord("qc");
    else if (alignment & Qt::AlignJustify)
        m_out.controlWord("qj");
    else if (alignment & Qt::AlignRight)
        m_out.controlWord("qr");

    const int firstLine = list ? -ListHangTwips : twips(format.textIndent());
    if (firstLine != 0)
        m_out.controlWord("fi", firstLine);
    if (const int value = twips(left))
        m_out.controlWord("li", value);
    if (const int value = twips(format.rightMargin()))
        m_out.controlWord("ri", value);
    if (const int value = twips(format.topMargin()))
        m_out.controlWord("sb", value);
    if (const int value = twips(format.bottomMargin()))
        m_out.controlWord("sa", value);
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (format.lineHeight() > 0 && qRound(format.lineHeight() * 2.4) != 240) {
            m_out.controlWord("sl", qRound(format.lineHeight() * 2.4));
            m_out.controlWord("slmult", 1);
        }
        break;
    case QTextBlockFormat::FixedHeight:
        if (format.lineHeight() > 0) {
            m_out.controlWord("sl", -twips(format.lineHeight()));
            m_out.controlWord("slmult", 0);
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        if (format.lineHeight() > 0) {
            m_out.controlWord("sl", twips(format.lineHeight()));
            m_out.controlWord("slmult", 0);
        }
        break;
    default:
        break;
    }
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        m_out.controlWord("page");
}

void Writer::writeListFallback(const QTextBlock &block, const QTextList *list)
{
    // The number or bullet as text, and the older numbering form, for
    // readers that do not know the list table.
    const QTextListFormat format = list->format();
    const bool numbered = isNumbered(format.style());
    // The marker takes the item's own character format, not whatever the
    // previous paragraph (often a heading) left in effect.
    QTextCharFormat itemFormat = block.charFormat();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().isValid() && it.fragment().length() > 0) {
            itemFormat = it.fragment().charFormat();
            break;
        }
    }
    writeRunFormat(resolve(itemFormat));
    m_out.openGroup();
    m_out.controlWord("pntext");
    m_out.controlWord("f", 0);
    m_out.text(numbered ? list->itemText(block) : bulletText(format.style()));
    m_out.controlWord("tab");
    m_out.closeGroup();
    m_out.openGroup();
    m_out.controlSymbol('*');
    m_out.controlWord("pn");
    m_out.controlWord(numbered ? "pnlvlbody" : "pnlvlblt");
    m_out.controlWord("pnf", 0);
    m_out.controlWord("pnindent", 0);
    if (numbered) {
        m_out.controlWord("pnstart", 1);
        m_out.controlWord(oldStyleNumberWord(format.style()));
        if (!format.numberPrefix().isEmpty()) {
            m_out.openGroup();
            m_out.controlWord("pntxtb");
            m_out.text(numberAffix(format.numberPrefix()));
            m_out.closeGroup();
        }
        m_out.openGroup();
        m_out.controlWord("pntxta");
        m_out.text(numberSuffix(format));
        m_out.closeGroup();
    } else {
        m_out.openGroup();
        m_out.controlWord("pntxtb");
        m_out.text(bulletText(format.style()));
        m_out.closeGroup();
    }
    m_out.closeGroup();
}

void Writer::writeRunFormat(const RunFormat &format)
{
    if (format.font != m_current.font)
        m_out.controlWord("f", format.font);
    if (format.halfPoints != m_current.halfPoints)
        m_out.controlWord("fs", format.halfPoints);
    if (format.bold != m_current.bold)
        format.bold ? m_out.controlWord("b") : m_out.controlWord("b", 0);
    if (format.italic != m_current.italic)
        format.italic ? m_out.controlWord("i") : m_out.controlWord("i", 0);
    if (format.underline != m_current.underline)
        m_out.controlWord(format.underline ? "ul" : "ulnone");
    if (format.strike != m_current.strike)
        format.strike ? m_out.controlWord("strike") : m_out.controlWord("strike", 0);
    if (format.verticalAlignment != m_current.verticalAlignment)
        m_out.controlWord(format.verticalAlignment > 0 ? "super" : format.verticalAlignment < 0 ? "sub" : "nosupersub");
    if (format.foreground != m_current.foreground)
        m_out.controlWord("cf", format.foreground);
    if (format.background != m_current.background)
        m_out.controlWord("highlight", format.background);
    m_current = format;
}

RunFormat Writer::resolve(const QTextCharFormat &format) const
{
    const QFont defaultFont = m_document.defaultFont();
    RunFormat run;
    run.font = m_fontIndex.value(familyOf(format), 0);
    run.halfPoints = std::clamp(qRound(pointSizeOf(format) * 2), 2, 3276);
    const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() : defaultFont.weight();
    run.bold = weight >= QFont::DemiBold;
    run.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    if (format.hasProperty(QTextFormat::TextUnderlineStyle)) {
        const auto style = format.underlineStyle();
        run.underline = style != QTextCharFormat::NoUnderline && style != QTextCharFormat::WaveUnderline
            && style != QTextCharFormat::SpellCheckUnderline;
    } else {
        run.underline = format.hasProperty(QTextFormat::FontUnderline) ? format.boolProperty(QTextFormat::FontUnderline)
                                                                        : defaultFont.underline();
    }
    run.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : defaultFont.strikeOut();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        run.verticalAlignment = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        run.verticalAlignment = -1;
    if (format.foreground().style() != Qt::NoBrush)
        run.foreground = colorIndex(format.foreground().color());
    if (format.background().style() != Qt::NoBrush)
        run.background = colorIndex(format.background().color());
    return run;
}

QString Writer::familyOf(const QTextCharFormat &format) const
{
    QString family = format.fontFamilies().toStringList().value(0);
    // A name is written as text ending in ';', without control characters.
    family.removeIf([](QChar ch) { return ch.unicode() < 0x20 || (ch.unicode() >= 0x7F && ch.unicode() < 0xA0) || ch == QLatin1Char(';'); });
    family = family.trimmed();
    return family.isEmpty() ? m_document.defaultFont().family() : family;
}

double Writer::pointSizeOf(const QTextCharFormat &format) const
{
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        return format.fontPointSize();
    if (format.hasProperty(QTextFormat::FontPixelSize) && format.intProperty(QTextFormat::FontPixelSize) > 0)
        return format.intProperty(QTextFormat::FontPixelSize) * 0.75;
    const QFont defaultFont = m_document.defaultFont();
    double size = defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF()
        : defaultFont.pixelSize() > 0        ? defaultFont.pixelSize() * 0.75
                                             : 12.0;
    if (format.hasProperty(QTextFormat::FontSizeAdjustment)) {
        // Relative sizes (as headings from Markdown or HTML carry them)
        // become absolute ones, scaled as Qt scales "small" to "xx-large".
        static constexpr std::array<double, 7> scale = {0.7, 0.8, 1.0, 1.2, 1.5, 2.0, 2.4};
        const int adjustment = std::clamp(format.intProperty(QTextFormat::FontSizeAdjustment), -2, 4);
        size *= scale[size_t(adjustment + 2)];
    }
    return size;
}

int Writer::colorIndex(const QColor &color) const
{
    return m_colorIndex.value(color.rgb(), 0);
}

} // namespace Rtf::Internal
