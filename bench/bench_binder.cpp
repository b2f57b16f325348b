// The audit binder of a full workbook: 141 entries of about three pages each
// (all three entries of every safeguard), 21 worksheets with text, the
// recovery plan and 500 to-do items. Goals: composed in under 3 s, written as
// PDF with its bookmarks in under 5 s, peak memory under 400 MB (the
// "peak_rss_mb" counter); the dashboard redrawn after a status change in
// under 5 ms.
#include "actionarea/standards/dashboardwidget.h"
#include "actionarea/standards/workbookprogress.h"
#include "actionarea/status/statustable.h"
#include "binder/auditbinder.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/rtf/rtf.h"
#include "printing/pdfoutline.h"
#include "printing/printsurface.h"
#include "timeline/tododate.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"
#include "worksheets/worksheetfiles.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

// About three printed pages of text in headed paragraphs.
void saveEntry(const QString &path, int seed)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    for (int paragraph = 0; paragraph < 24; ++paragraph) {
        if (paragraph % 6 == 0) {
            QTextCharFormat bold;
            bold.setFontWeight(QFont::Bold);
            cursor.insertText(QStringLiteral("Step %1 of the procedure\n").arg(paragraph / 6 + 1), bold);
        }
        QString text;
        for (int sentence = 0; sentence < 5; ++sentence)
            text += QStringLiteral("The workforce member %1 reviews access to the system and records the result "
                                   "in the log kept by the security official. ")
                        .arg(seed + paragraph + sentence);
        cursor.insertText(text + QLatin1Char('\n'), QTextCharFormat());
    }
    Rtf::saveFile(path, document);
}

struct FullWorkbook
{
    QTemporaryDir dir;
    Workbook workbook{dir.path()};

    FullWorkbook()
    {
        StatusTable statuses(Workbook(dir.path()));
        statuses.loadStatusTable();
        const QStringList names{QStringLiteral("Completed"), QStringLiteral("Working"), QStringLiteral("Pending")};
        for (int n = 0; n < Catalogue::SafeguardCount; ++n) {
            statuses.writeStatus(Catalogue::statusRecordNo(n), names[n % 3]);
            for (auto kind : {Catalogue::EntryKind::ActionTaken, Catalogue::EntryKind::CommentsNotes,
                              Catalogue::EntryKind::PoliciesProcedures})
                saveEntry(workbook.filePath(Catalogue::entryFileName(kind, n)), n * 10 + int(kind));
        }
        for (int i = 0; i < Worksheets::kCount; ++i)
            saveEntry(workbook.filePath(Worksheets::contentFileName(i)), 1000 + i);
        saveEntry(workbook.filePath(QStringLiteral("DRPln1.Fil")), 2000);
        ToDoList list;
        for (int row = 0; row < ToDoList::kRowCount; ++row) {
            list.row(row).fields[ToDoItem::Item] = QStringLiteral("To-do item %1: review the access logs").arg(row);
            list.row(row).fields[ToDoItem::ToDoDate] = ToDoDate::format(QDate(2026, 1, 1).addDays(row));
        }
        ToDoStore::saveList(list, workbook);
    }
};

FullWorkbook &fullWorkbook()
{
    static FullWorkbook book;
    return book;
}

AuditBinder::Cover cover()
{
    return {QStringLiteral("Lakeside Family Clinic"), QStringLiteral("Dana Reyes"), QStringLiteral("Lakeside"),
            QDateTime::currentDateTime()};
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_BinderComposed(benchmark::State &state)
{
    FullWorkbook &book = fullWorkbook();
    int pages = 0;
    for (auto _ : state) {
        const AuditBinder::Contents contents = AuditBinder::gather(book.workbook, {}, QDate::currentDate());
        PrintSurface surface;
        AuditBinder::compose(surface, contents, cover());
        pages = surface.pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["peak_rss_mb"] = peakRssMb();
}
BENCHMARK(BM_BinderComposed)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_BinderPdfWithOutline(benchmark::State &state)
{
    FullWorkbook &book = fullWorkbook();
    const AuditBinder::Contents contents = AuditBinder::gather(book.workbook, {}, QDate::currentDate());
    PrintSurface surface;
    AuditBinder::compose(surface, contents, cover());
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = PdfOutline::documentPdf(surface, {QStringLiteral("Audit Binder")});
        bytes = pdf.size();
    }
    state.counters["pages"] = surface.pageCount();
    state.counters["bookmarks"] = surface.anchors().size();
    state.counters["pdf_mb"] = bytes / 1048576.0;
    state.counters["peak_rss_mb"] = peakRssMb();
}
BENCHMARK(BM_BinderPdfWithOutline)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_DashboardRedrawAfterStatusChange(benchmark::State &state)
{
    FullWorkbook &book = fullWorkbook();
    StatusTable statuses(Workbook(book.dir.path()));
    statuses.loadStatusTable();
    ToDoList list;
    ToDoStore::loadList(list, book.workbook);
    DashboardWidget widget;
    widget.setSource([&] {
        return WorkbookProgress::figures([&statuses](int record) { return statuses.slot(record); }, list,
                                         QDate(2026, 6, 1));
    });
    widget.resize(1000, widget.heightForWidth(1000));
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    int flip = 0;
    for (auto _ : state) {
        statuses.setSlot(1, (++flip % 2) ? QStringLiteral("Completed") : QStringLiteral("Working"));
        widget.refresh();
        widget.render(&image);
    }
}
BENCHMARK(BM_DashboardRedrawAfterStatusChange)->Unit(benchmark::kMicrosecond);

} // namespace
