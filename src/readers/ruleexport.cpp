#include "readers/ruleexport.h"

#include "platform/records/filenames.h"
#include "platform/rtf/rtf.h"
#include "printing/printsurface.h"
#include "readers/readerprint.h"
#include "readers/readertables.h"

#include <QDir>
#include <QTextDocument>

bool composeRuleSection(const QString &contentFolder, int section, PrintSurface &surface, QString *documentName,
                        QString *problem)
{
    if (section < 0 || section >= ReaderTables::kRuleSectionCount)
        return false;
    const QString fileName = ReaderTables::ruleSectionFile(section);
    QTextDocument document;
    QString reason;
    if (contentFolder.isEmpty()) {
        if (problem)
            *problem = QStringLiteral("%1 could not be read: the content folder was not found").arg(fileName);
    } else if (!Rtf::loadFile(findFileIgnoringCase(QDir(contentFolder), fileName), &document, &reason)) {
        document.clear();
        if (problem)
            *problem = QStringLiteral("%1 could not be read: %2").arg(fileName, reason);
    }
    composeRichTextDocument(surface, kRulePrintMargins, document.isEmpty() ? QByteArray() : Rtf::write(document));
    if (documentName)
        *documentName = QStringLiteral("Security Rule - ")
                        + QString::fromLatin1(ReaderTables::ruleSections()[section].longName);
    return true;
}

int ruleSectionOfExportArgument(const QString &argument)
{
    if (argument.isEmpty() || argument.size() > 2)
        return -1;
    for (QChar c : argument) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    }
    const int section = argument.toInt();
    return section < ReaderTables::kRuleSectionCount ? section : -1;
}
