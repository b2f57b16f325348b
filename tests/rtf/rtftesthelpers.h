#pragma once

#include <QFile>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QTextCursor>

// What a reader of the document sees of each character and paragraph, with
// formats resolved against the document's default font, so two documents
// compare equal when they look the same.
namespace RtfTest {

inline QByteArray fixture(const QString &name)
{
    QFile file(qEnvironmentVariable("SENTRIVO_TEST_DATA") + QStringLiteral("/rtf/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

inline QString charSignature(const QTextCharFormat &format, const QFont &defaultFont)
{
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? defaultFont.family() : families.first();
    const double size = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : defaultFont.pointSizeF();
    const auto color = [](const QBrush &brush) {
        return brush.style() == Qt::NoBrush ? QStringLiteral("auto") : brush.color().name();
    };
    return QStringLiteral("%1/%2%3%4%5%6/fg=%7/bg=%8")
        .arg(family)
        .arg(size)
        .arg(format.fontWeight() >= QFont::DemiBold ? QStringLiteral("/b") : QString())
        .arg(format.fontItalic() ? QStringLiteral("/i") : QString())
        .arg(format.fontUnderline() ? QStringLiteral("/u") : QString())
        .arg(format.fontStrikeOut() ? QStringLiteral("/s") : QString())
        .arg(color(format.foreground()), color(format.background()));
}

inline QString blockSignature(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    QString alignment = QStringLiteral("left");
    if (format.alignment() & Qt::AlignHCenter)
        alignment = QStringLiteral("centre");
    else if (format.alignment() & Qt::AlignJustify)
        alignment = QStringLiteral("justify");
    else if (format.alignment() & Qt::AlignRight)
        alignment = QStringLiteral("right");
    QString list = QStringLiteral("none");
    if (const QTextList *textList = block.textList()) {
        const QTextListFormat listFormat = textList->format();
        list = QStringLiteral("%1@%2 '%3'").arg(listFormat.style()).arg(listFormat.indent()).arg(textList->itemText(block));
    }
    const bool inTable = QTextCursor(block).currentTable() != nullptr;
    return QStringLiteral("%1 li=%2 ri=%3 fi=%4 sb=%5 sa=%6 list=%7%8")
        .arg(alignment)
        .arg(format.leftMargin())
        .arg(format.rightMargin())
        .arg(block.textList() ? 0 : format.textIndent())
        .arg(format.topMargin())
        .arg(format.bottomMargin())
        .arg(list, inTable ? QStringLiteral(" cell") : QString());
}

// One line per paragraph, then one line per run of equally formatted text.
inline QStringList describe(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        lines << QStringLiteral("[%1] %2").arg(block.text(), blockSignature(block));
        QString runText;
        QString runFormat;
        const auto flush = [&] {
            if (!runText.isEmpty())
                lines << QStringLiteral("  '%1' %2").arg(runText, runFormat);
            runText.clear();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString format = charSignature(fragment.charFormat(), document.defaultFont());
            if (format != runFormat)
                flush();
            runFormat = format;
            runText += fragment.text();
        }
        flush();
    }
    return lines;
}

inline QStringList blockTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

inline QTextCharFormat formatAt(const QTextDocument &document, const QString &text)
{
    const QTextCursor found = document.find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return {};
    QTextCursor cursor(found);
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

inline QTextBlock blockWith(const QTextDocument &document, const QString &text)
{
    return document.find(text, 0, QTextDocument::FindCaseSensitively).block();
}

} // namespace RtfTest
