#include "readers/readerscreen.h"

#include "screens/helptopics.h"
#include "screens/programcontext.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct ScreenDescription
{
    const char *objectName;
    const char *baseCaption;
    int helpTopic;
    const char *helpEntry;
    const char *utilitiesCaption;
    const char *exitEntry;
    bool printHelp;
    const char *laterRelease;
};

const ScreenDescription &describe(int ownIndex)
{
    static const ScreenDescription screens[] = {
        {"InfoAdv", "Information Advisor", HelpTopic::InformationAdvisor, "&Information Advisor",
         "Utilities", "&Exit Program", false,
         "The Information Advisor's guidance documents come with a later release of Sentrivo."},
        {"PrivRule", "Security Rule", HelpTopic::SecurityRule, "&Security Rule", "Utilities",
         "E&xit Program", true,
         "The reader of the Security Rule and its preamble comes with a later release of Sentrivo."},
        {"Miscform1", "Miscellaneous", HelpTopic::Miscellaneous, "&Miscellaneous", "&Utilities",
         "&Exit Program", true,
         "The disclaimer, program information, web links and forms come with a later release of "
         "Sentrivo."},
    };
    Q_ASSERT(ownIndex >= ScreenIndex::InformationAdvisor && ownIndex <= ScreenIndex::Miscellaneous);
    return screens[ownIndex - ScreenIndex::InformationAdvisor];
}

} // namespace

ReaderScreen::ReaderScreen(ScreenEnvironment &environment, int ownIndex, MainScreen *hub)
    : MainScreen(environment, ownIndex, QString::fromLatin1(describe(ownIndex).baseCaption))
    , hub_(hub)
{
    const ScreenDescription &screen = describe(ownIndex);
    setObjectName(QString::fromLatin1(screen.objectName));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(screenButtonRow());
    body_ = new QLabel(QString::fromLatin1(screen.laterRelease), central);
    body_->setObjectName(QStringLiteral("laterRelease"));
    body_->setAlignment(Qt::AlignCenter);
    body_->setWordWrap(true);
    body_->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(body_, 1);
    setCentralWidget(central);

    addSwitchingEntries(QString::fromLatin1(screen.exitEntry));
    buildSharedMenus(QString::fromLatin1(screen.utilitiesCaption), QString::fromLatin1(screen.helpEntry),
                     screen.printHelp);
    markScreenButton(ownIndex);
}

ReaderScreen *ReaderScreen::open(ScreenEnvironment &environment, int ownIndex, MainScreen *hub)
{
    auto *screen = new ReaderScreen(environment, ownIndex, hub);
    screen->setGeometry(hub->geometry());
    const bool smaller = environment.context && environment.context->smallerDisplay;
    // The smaller display is a fixed-size window; the full display resizes.
    if (smaller)
        screen->setFixedSize(hub->size());
    if (hub->isMaximized() && !smaller)
        screen->showMaximized();
    else
        screen->show();
    screen->activateWindow();
    hub->hide();
    screen->markScreenButton(ownIndex);
    QApplication::restoreOverrideCursor();
    return screen;
}

int ReaderScreen::screenHelpTopic() const
{
    return describe(ownIndex()).helpTopic;
}

void ReaderScreen::pressScreenButton(int index)
{
    markScreenButton(index);
    if (index != ownIndex() && index != ScreenIndex::ExitProgram)
        environment().pendingSwitch = index;
    if (index == ownIndex())
        return;
    if (index == ScreenIndex::ExitProgram) {
        if (askExitQuestion()) {
            exitChosen_ = true;
            close();
        } else {
            pressScreenButton(ownIndex());
        }
        return;
    }
    close();
}

void ReaderScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (exitChosen_) {
        QCoreApplication::processEvents();
        if (environment().endProgram)
            environment().endProgram();
        return;
    }
    ScreenEnvironment &env = environment();
    if (env.pendingSwitch == ownIndex())
        env.pendingSwitch = 0;
    // The Action Area takes this screen's place (not its size) and, on
    // becoming active, opens whatever screen is pending.
    hub_->move(pos());
    hub_->show();
    QCoreApplication::processEvents();
    hub_->activateScreen();
}

MainScreen *openReaderScreen(ScreenEnvironment &environment, int index, MainScreen *hub)
{
    return ReaderScreen::open(environment, index, hub);
}
