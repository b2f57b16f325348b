// How long the user waits in the Action Area: from "&Click Here to Begin
// Program" to the standards grid on the screen, and from pressing a
// safeguard button to its reference text on the screen (each should stay
// well under 100 ms).
#include "actionarea/actionarea.h"
#include "actionarea/groupbuttonpanel.h"
#include "actionarea/safeguardworkspace.h"
#include "actionarea/standards/standardsgridpanel.h"
#include "catalogue/referencetexts.h"
#include "platform/records/contentfolder.h"
#include "platform/editor/richtexteditor.h"
#include "screens/programcontext.h"
#include "support/tempworkbook.h"
#include "support/testservices.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Session
{
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    ProgramContext context;
    ScreenEnvironment environment;

    Session()
    {
        context.workbook = workbook.workbook(shippedContentFolder());
        context.smallerDisplay = true;
        environment.context = &context;
        environment.services = test.services;
        environment.endProgram = [] {};
        test.prompt->answerUnscriptedWith(Prompt::Answer::Ok);
    }
};

// Lets the window lay itself out and paint, as the user would see it.
void showOnScreen(QWidget *widget)
{
    QApplication::processEvents();
    widget->repaint();
}

void BM_BeginProgramToStandardsGrid(benchmark::State &state)
{
    Session session;
    QWidget startScreen;
    startScreen.setGeometry(100, 80, 800, 600);
    for (auto _ : state) {
        ActionArea *window = ActionArea::openFrom(session.environment, &startScreen);
        showOnScreen(window);
        if (!window->standardsPanel()->grid()->isVisible() || window->standardsPanel()->grid()->rowCount() == 0)
            state.SkipWithError("the standards grid is not shown");
        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BeginProgramToStandardsGrid)->Unit(benchmark::kMillisecond);

// Argument: the reference view shown (0 Implementation specification,
// 1 References in Rule, 2 Additional Information).
void BM_SafeguardButtonToReferenceText(benchmark::State &state)
{
    Session session;
    QWidget startScreen;
    startScreen.setGeometry(100, 80, 800, 600);
    std::unique_ptr<ActionArea> window(ActionArea::openFrom(session.environment, &startScreen));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->enterWorkMode(WorkMode::Administrative);
    const auto option = SafeguardWorkspace::ViewOption(state.range(0));
    window->workspace()->chooseView(option);
    const int buttons = window->groupPanel()->buttonCount(0);
    int button = 0;
    for (auto _ : state) {
        button = (button + 1) % buttons;
        window->groupPanel()->button(0, button)->click();
        showOnScreen(window.get());
        if (window->workspace()->editor()->document()->isEmpty())
            state.SkipWithError("no reference text shown");
    }
}
BENCHMARK(BM_SafeguardButtonToReferenceText)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
