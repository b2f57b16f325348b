// How long the reader screens keep the user waiting: loading the largest
// section of the rule into the Security Rule reader (cover to text, goal
// under 150 ms), one search step through it (goal under 10 ms), and choosing
// an Information Advisor topic (button press to text, goal under 50 ms).
// The shipped documents are used where the build has them; otherwise
// generated documents of the same size stand in.
#include "platform/editor/richtexteditor.h"
#include "platform/records/contentfolder.h"
#include "readers/documentsearch.h"
#include "readers/documentviewer.h"
#include "readers/infoadv.h"
#include "readers/privrule.h"
#include "screens/programcontext.h"
#include "support/testservices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A hub that stays hidden: the readers open over it.
class Hub : public MainScreen
{
public:
    explicit Hub(ScreenEnvironment &environment)
        : MainScreen(environment, ScreenIndex::ActionArea, QStringLiteral("Action Area"))
    {
    }
    void pressScreenButton(int) override {}
    int screenHelpTopic() const override { return 0; }
};

// Roughly the published rule's size: some 700,000 characters in about
// 3,500 paragraphs, with headings in bold.
QByteArray generatedRule()
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs22\n";
    const QByteArray sentence =
        "A covered entity must implement policies and procedures to prevent, detect, contain, and correct "
        "security violations, and conduct an accurate and thorough assessment of the potential risks. ";
    for (int paragraph = 0; paragraph < 3500; ++paragraph) {
        if (paragraph % 40 == 0)
            rtf += "{\\b Comment and response " + QByteArray::number(paragraph / 40) + "}\\par\n";
        rtf += sentence + sentence;
        rtf += "\\par\n";
    }
    rtf += "}";
    return rtf;
}

QByteArray generatedGuide(int topic)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs22\n";
    for (int paragraph = 0; paragraph < 120; ++paragraph)
        rtf += "Guidance topic " + QByteArray::number(topic)
               + ": what the rule requires, what to do and what to keep as evidence of it.\\par\n";
    return rtf + "}";
}

struct Session
{
    QTemporaryDir generated;
    TestServices test = makeTestServices();
    ProgramContext context;
    ScreenEnvironment environment;
    std::unique_ptr<Hub> hub;

    Session()
    {
        const QString shipped = shippedContentFolder();
        const bool haveShipped = !shipped.isEmpty() && QFileInfo::exists(shipped + QStringLiteral("/PR0.Fl1"))
                                 && QFileInfo::exists(shipped + QStringLiteral("/Misc3.Fl1"));
        // The generated folder doubles as the workbook, where the print settings live.
        context.workbook = Workbook(generated.path(), haveShipped ? shipped : generated.path());
        if (!haveShipped) {
            writeFile(QStringLiteral("PR0.Fl1"), generatedRule());
            for (const char *name : {"Misc3.Fl1", "Misc6.Fl1", "Misc7.Fl1", "Misc8.Fl1", "Misc9.Fl1", "Misc10.Fl1"})
                writeFile(QString::fromLatin1(name), generatedGuide(int(qstrlen(name))));
        }
        context.smallerDisplay = true;
        environment.context = &context;
        environment.services = test.services;
        environment.endProgram = [] {};
        test.prompt->answerUnscriptedWith(Prompt::Answer::Ok);
        hub = std::make_unique<Hub>(environment);
        hub->resize(800, 600);
    }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(QDir(generated.path()).filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    template<typename Screen>
    Screen *open(int index)
    {
        MainScreen *screen = openReaderScreen(environment, index, hub.get());
        QApplication::processEvents();
        return qobject_cast<Screen *>(screen);
    }
};

void showOnScreen(QWidget *widget)
{
    QApplication::processEvents();
    widget->repaint();
}

void BM_LoadLargestSection(benchmark::State &state)
{
    Session session;
    PrivRule *screen = session.open<PrivRule>(ScreenIndex::SecurityRule);
    for (auto _ : state) {
        screen->chooseSection(0);
        showOnScreen(screen->viewer());
    }
    state.counters["characters"] = double(screen->viewer()->editor()->text().size());
    delete screen;
}
BENCHMARK(BM_LoadLargestSection)->Unit(benchmark::kMillisecond);

void BM_SearchStepInLargestSection(benchmark::State &state)
{
    Session session;
    PrivRule *screen = session.open<PrivRule>(ScreenIndex::SecurityRule);
    screen->chooseSection(0);
    DocumentSearch *search = screen->search();
    search->restart();
    // A word that is frequent in the rule: each step finds the next one
    // after the caret; at the end the search starts over from the top.
    const QString word = QStringLiteral("security");
    for (auto _ : state) {
        if (search->findNext(word) != DocumentSearch::Result::Found)
            search->restart();
    }
    delete screen;
}
BENCHMARK(BM_SearchStepInLargestSection)->Unit(benchmark::kMicrosecond);

// The worst step: a phrase that is not there, so the whole section is read.
void BM_SearchStepNoMatch(benchmark::State &state)
{
    Session session;
    PrivRule *screen = session.open<PrivRule>(ScreenIndex::SecurityRule);
    screen->chooseSection(0);
    DocumentSearch *search = screen->search();
    for (auto _ : state) {
        search->restart();
        benchmark::DoNotOptimize(search->findNext(QStringLiteral("quantum cryptography")));
    }
    delete screen;
}
BENCHMARK(BM_SearchStepNoMatch)->Unit(benchmark::kMicrosecond);

void BM_ChooseAdvisorTopic(benchmark::State &state)
{
    Session session;
    InfoAdv *screen = session.open<InfoAdv>(ScreenIndex::InformationAdvisor);
    int topic = 0;
    for (auto _ : state) {
        topic = (topic + 1) % 5; // topics 0-4, each with its own document
        screen->chooseTopic(topic);
        showOnScreen(screen->viewer());
    }
    delete screen;
}
BENCHMARK(BM_ChooseAdvisorTopic)->Unit(benchmark::kMillisecond);

} // namespace
