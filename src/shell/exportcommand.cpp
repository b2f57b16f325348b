#include "shell/exportcommand.h"

#include "timeline/timelineexport.h"

#include <QDate>
#include <QDateTime>

#include <cstdio>

namespace ExportCommand {

const std::vector<Kind> &kinds()
{
    static const std::vector<Kind> table = {
        {QStringLiteral("timeline"), QStringLiteral("the project timeline's printout as PDF"),
         [](const QDir &workbook, const QString &out, QString *error) {
             return TimelineExport::writePdf(workbook, out, QDate::currentDate(), error);
         }},
        {QStringLiteral("timeline-calendar"),
         QStringLiteral("the project timeline's to-do and next review dates as an iCalendar (.ics) file"),
         [](const QDir &workbook, const QString &out, QString *error) {
             return TimelineExport::writeCalendar(workbook, out, QDateTime::currentDateTimeUtc(), error);
         }},
    };
    return table;
}

QString describeKinds()
{
    QString text;
    for (const Kind &kind : kinds())
        text += QStringLiteral("  %1: %2\n").arg(kind.name, kind.description);
    return text;
}

int run(const QString &kindName, const QString &outPath, const QDir &workbook)
{
    for (const Kind &kind : kinds()) {
        if (kind.name != kindName)
            continue;
        QString error;
        if (!kind.write(workbook, outPath, &error)) {
            std::fprintf(stderr, "sentrivo: %s could not be written: %s\n", qPrintable(outPath), qPrintable(error));
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "sentrivo: unknown export \"%s\"; known exports:\n%s", qPrintable(kindName),
                 qPrintable(describeKinds()));
    return 2;
}

} // namespace ExportCommand
