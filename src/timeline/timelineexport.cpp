#include "timeline/timelineexport.h"

#include "platform/records/safefile.h"
#include "printing/printsurface.h"
#include "timeline/icalendarexport.h"
#include "timeline/todolist.h"
#include "timeline/todoprintout.h"
#include "timeline/todostore.h"

namespace TimelineExport {

QString unreadableMessage(const ToDoStore::LoadResult &loaded)
{
    return QStringLiteral("The project timeline could not be read from %1: %2")
        .arg(QDir::toNativeSeparators(loaded.path), loaded.error);
}

bool writePdf(const Workbook &workbook, const QString &outPath, const QDate &today, QString *error)
{
    ToDoList list;
    const ToDoStore::LoadResult loaded = ToDoStore::loadList(list, workbook);
    if (loaded.isUnreadable()) {
        if (error)
            *error = unreadableMessage(loaded);
        return false;
    }
    if (!ToDoPrintout::hasEntries(list)) {
        if (error)
            *error = ToDoPrintout::kNothingToPrint;
        return false;
    }
    PrintSurface surface;
    ToDoPrintout::Options options;
    options.today = today;
    ToDoPrintout::compose(surface, list, options);
    PdfInfo info;
    info.title = ToDoPrintout::kTitle;
    return surface.writePdf(outPath, info, error);
}

bool writeCalendar(const Workbook &workbook, const QString &outPath, const QDateTime &stamp, QString *error)
{
    ToDoList list;
    const ToDoStore::LoadResult loaded = ToDoStore::loadList(list, workbook);
    if (loaded.isUnreadable()) {
        if (error)
            *error = unreadableMessage(loaded);
        return false;
    }
    return writeFileSafely(outPath, ICalendarExport::write(ICalendarExport::eventsOf(list, stamp.toLocalTime().date()), stamp), error);
}

} // namespace TimelineExport
