#include "timeline/timelineexport.h"

#include "platform/records/safefile.h"
#include "printing/printsurface.h"
#include "timeline/icalendarexport.h"
#include "timeline/todolist.h"
#include "timeline/todoprintout.h"
#include "timeline/todostore.h"

namespace TimelineExport {

bool writePdf(const Workbook &workbook, const QString &outPath, const QDate &today, QString *error)
{
    ToDoList list;
    ToDoStore::loadList(list, workbook);
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
    ToDoStore::loadList(list, workbook);
    return writeFileSafely(outPath, ICalendarExport::write(ICalendarExport::eventsOf(list), stamp), error);
}

} // namespace TimelineExport
