// The project timeline with a full list of 500 rows: loading it into the
// grid (goal under 30 ms), saving it (under 10 ms) and sorting it by a
// column (under 20 ms), through the panel as the user triggers them.
#include "support/tempworkbook.h"
#include "support/testservices.h"
#include "timeline/timelinepanel.h"
#include "timeline/tododate.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

ToDoList fullList(int variant = 0)
{
    ToDoList list;
    const QDate start(2026, 1, 5);
    for (int i = 0; i < ToDoList::kRowCount; ++i) {
        ToDoItem &row = list.row(i);
        row.fields[ToDoItem::Item] = QStringLiteral("Review item %1 of the security plan").arg((i * 7919 + variant) % 1000);
        row.fields[ToDoItem::ToDoDate] = ToDoDate::format(start.addDays((i * 37 + variant) % 700));
        row.fields[ToDoItem::ActualDate] = ToDoDate::format(start.addDays((i * 53) % 700));
        row.fields[ToDoItem::NextReviewDate] = ToDoDate::format(start.addDays(365 + (i * 11) % 700));
    }
    return list;
}

struct PanelSession
{
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    bool unsaved = false;
    TimelinePanel panel{workbook.workbook(), test.services, {[this] { return unsaved; }, [this](bool v) { unsaved = v; }}};

    PanelSession()
    {
        ToDoStore::saveList(fullList(), workbook.workbook());
        panel.resize(800, 500);
        panel.show();
        QApplication::processEvents();
    }
};

void BM_LoadFullListIntoGrid(benchmark::State &state)
{
    // Two different lists take turns, so every load rewrites every cell.
    PanelSession session;
    const ToDoList lists[2] = {fullList(0), fullList(1)};
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ToDoStore::saveList(lists[turn], session.workbook.workbook());
        turn = 1 - turn;
        state.ResumeTiming();
        session.panel.enter();
    }
}
BENCHMARK(BM_LoadFullListIntoGrid)->Unit(benchmark::kMillisecond);

void BM_SaveFullList(benchmark::State &state)
{
    PanelSession session;
    session.panel.enter();
    for (auto _ : state) {
        session.unsaved = true;
        if (!session.panel.save())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveFullList)->Unit(benchmark::kMillisecond);

void BM_SortFullListByColumn(benchmark::State &state)
{
    PanelSession session;
    session.panel.enter();
    const int column = int(state.range(0));
    for (auto _ : state)
        session.panel.sortByColumn(column);   // turns the order each time
}
BENCHMARK(BM_SortFullListByColumn)->Arg(1)->Arg(2)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond);

} // namespace
