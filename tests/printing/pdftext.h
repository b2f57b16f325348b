#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

// The text of each page of a PDF as pdftotext reads it (poppler-utils), so
// tests check what a reader of the file gets: real text, on the right page.
// Empty when pdftotext is missing or fails.
inline QStringList pdfPageTexts(const QString &pdfPath)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// One field of pdfinfo's report ("Title", "Creator", "Pages", "Page size").
inline QString pdfInfoField(const QString &pdfPath, const QString &field)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {pdfPath});
    if (!process.waitForFinished(60000))
        return {};
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

// Words of a text with white space collapsed, so layout spacing does not matter.
inline QString collapsed(const QString &text)
{
    return text.simplified();
}
