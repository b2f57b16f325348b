#pragma once

#include "actionarea/actionarea.h"
#include "actionarea/editsession.h"
#include "actionarea/safeguardworkspace.h"
#include "catalogue/referencetexts.h"
#include "readers/readerscreen.h"
#include "platform/records/contentfolder.h"
#include "platform/editor/richtexteditor.h"
#include "screens/screenenvironment.h"
#include "screens/programcontext.h"
#include "support/tempworkbook.h"
#include "support/testservices.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

// An Action Area over an empty temporary workbook, with scripted dialogs,
// opened as "&Click Here to Begin Program" opens it (in an 800 x 600 window).
struct ActionAreaFixture
{
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    ProgramContext context;
    ScreenEnvironment environment;
    ActionArea *window = nullptr;
    int endProgramCalls = 0;
    int aboutBoxes = 0;

    ActionAreaFixture()
    {
        context.workbook = workbook.workbook(shippedContentFolder());
        context.smallerDisplay = true;
        environment.context = &context;
        environment.services = test.services;
        environment.endProgram = [this] { ++endProgramCalls; };
        environment.showAbout = [this](QWidget *) { ++aboutBoxes; };
        environment.openScreen = openReaderScreen;
    }

    ~ActionAreaFixture()
    {
        // Whatever screens a test left open go with it.
        QList<QPointer<MainScreen>> screens;
        for (QWidget *topLevel : QApplication::topLevelWidgets()) {
            if (auto *screen = qobject_cast<MainScreen *>(topLevel))
                screens << screen;
        }
        for (const QPointer<MainScreen> &screen : screens)
            delete screen.data();
    }

    ActionArea *open()
    {
        window = new ActionArea(environment);
        window->setGeometry(100, 80, 800, 600);
        window->load();
        window->show();
        window->activateWindow();
        // Esc and F1 are window shortcuts: they need the window active.
        if (!QTest::qWaitForWindowActive(window))
            qWarning("the Action Area did not become the active window: its shortcuts may not reach it");
        window->activateScreen();
        return window;
    }

    SafeguardWorkspace *workspace() const { return window->workspace(); }
    RichTextEditor *editor() const { return window->workspace()->editor(); }
    bool unsaved() const { return window->editSession().hasUnsavedChanges(); }

    void clickNavigation(WorkMode mode) { QTest::mouseClick(window->navigationButton(mode), Qt::LeftButton); }
    // The data tables give modes by their numbers.
    void clickNavigation(int mode) { clickNavigation(workModeFromInt(mode)); }
    void chooseView(SafeguardWorkspace::ViewOption option)
    {
        QTest::mouseClick(workspace()->viewOption(option), Qt::LeftButton);
    }
    void type(const QString &text)
    {
        editor()->setFocus();
        QTest::keyClicks(editor(), text);
    }
    void clickSave() { QTest::mouseClick(workspace()->commandButton(SafeguardWorkspace::Command::Save), Qt::LeftButton); }
    QString questionTitles() const
    {
        QStringList titles;
        for (const ScriptedPrompt::Question &question : test.prompt->questions)
            titles << question.title;
        return titles.join(QLatin1Char('|'));
    }
};
