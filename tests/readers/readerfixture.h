#pragma once

#include "printing/scriptedprintservices.h"
#include "readers/readerscreen.h"
#include "screens/helptopics.h"
#include "screens/programcontext.h"
#include "support/tempworkbook.h"
#include "support/testservices.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A stand-in for the Action Area: it records the hand-backs it receives.
class Hub : public MainScreen
{
public:
    explicit Hub(ScreenEnvironment &environment)
        : MainScreen(environment, ScreenIndex::ActionArea, QStringLiteral("Action Area"))
    {
        setCentralWidget(screenButtonRow());
    }
    void pressScreenButton(int index) override { markScreenButton(index); }
    int screenHelpTopic() const override { return HelpTopic::ActionArea; }
    void activateScreen() override
    {
        activations << environment().pendingSwitch;
        environment().pendingSwitch = 0;
    }
    QList<int> activations; // the pending switch at each hand-back
};

// One reader screen's world: scripted services, a hub in the smaller (or
// full) display and a content folder of small RTF documents of the test's
// own making, in a workbook folder of its own.
struct ReaderFixture
{
    TempWorkbook workbook; // where the settings live
    TestServices test = makeTestServices();
    std::shared_ptr<ScriptedPrintServices> printServices = std::make_shared<ScriptedPrintServices>();
    QTemporaryDir content;
    ProgramContext context;
    ScreenEnvironment environment;
    std::unique_ptr<Hub> hub;
    int endProgramCalls = 0;

    explicit ReaderFixture(bool smallerDisplay = true)
    {
        context.smallerDisplay = smallerDisplay;
        context.workbook = workbook.workbook(content.path());
        environment.context = &context;
        environment.services = test.services;
        environment.printServices = printServices;
        environment.endProgram = [this] { ++endProgramCalls; };
        hub = std::make_unique<Hub>(environment);
        hub->setGeometry(60, 50, 800, 600);
        if (smallerDisplay)
            hub->show();
        else
            hub->showMaximized();
    }

    // Writes a one-font RTF document whose paragraphs are the lines of text.
    void writeDocument(const QString &name, const QString &text) const
    {
        QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs22 ";
        const QStringList lines = text.split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            rtf += lines.at(i).toLatin1();
            if (i + 1 < lines.size())
                rtf += "\\par\n";
        }
        rtf += "}";
        QFile file(content.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rtf);
    }

    // Opens screen `index` (ScreenIndex) over the hub as the program does.
    template<typename Screen = ReaderScreen>
    Screen *open(int index)
    {
        MainScreen *screen = openReaderScreen(environment, index, hub.get());
        if (!QTest::qWaitForWindowActive(screen))
            qWarning("reader screen did not become active");
        return qobject_cast<Screen *>(screen);
    }
};
