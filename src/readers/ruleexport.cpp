#include "readers/ruleexport.h"

#include "platform/records/filenames.h"
#include "platform/rtf/rtf.h"
#include "printing/printsurface.h"
#include "readers/readerprint.h"
#include "readers/readertables.h"

#include <QDir>
#include <QTextDocument>

bool exportRuleSection(const QString &contentFolder, int section, const QString &pdfPath, QString *error)
{
    if (section < 0 || section >= ReaderTables::kRuleSectionCount) {
        if (error)
            *error = QStringLiteral("The Security Rule has sections 0 to %1, not %2.")
                         .arg(ReaderTables::kRuleSectionCount - 1)
                         .arg(section);
        return false;
    }
    const QString fileName = ReaderTables::ruleSectionFile(section);
    QTextDocument document;
    QString reason;
    if (contentFolder.isEmpty() || !Rtf::loadFile(findFileIgnoringCase(QDir(contentFolder), fileName), &document, &reason)) {
        if (error)
            *error = QStringLiteral("%1 could not be read: %2")
                         .arg(fileName, reason.isEmpty() ? QStringLiteral("the content folder was not found") : reason);
        return false;
    }
    PrintSurface surface;
    surface.setOrientation(QPageLayout::Portrait);
    composeRichTextDocument(surface, kRulePrintMargins, Rtf::write(document));
    PdfInfo info;
    info.title = QStringLiteral("Security Rule - ")
                 + QString::fromLatin1(ReaderTables::ruleSections()[section].longName);
    return surface.writePdf(pdfPath, info, error);
}

int ruleSectionOfExportName(const QString &name)
{
    if (!name.startsWith(QStringLiteral("rule:")))
        return -1;
    bool ok = false;
    const int section = name.mid(5).toInt(&ok);
    return ok && section >= 0 && section < ReaderTables::kRuleSectionCount ? section : -1;
}
