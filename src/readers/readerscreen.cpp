#include "readers/readerscreen.h"

#include "readers/infoadv.h"
#include "readers/miscform1.h"
#include "readers/privrule.h"
#include "readers/readerlayout.h"
#include "readers/topicbuttons.h"
#include "screens/programcontext.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

ReaderScreen::ReaderScreen(ScreenEnvironment &environment, int ownIndex, const QString &baseCaption,
                           MainScreen *hub)
    : MainScreen(environment, ownIndex, baseCaption)
    , hub_(hub)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void ReaderScreen::setUpBody(qreal fullDisplayShare)
{
    fullDisplayShare_ = fullDisplayShare;
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(screenButtonRow());
    mainPanel_ = new QWidget(central);
    mainPanel_->setObjectName(QStringLiteral("mainPanel"));
    layout->addWidget(mainPanel_, 1);
    layout->addStretch(0);
    setCentralWidget(central);
}

bool ReaderScreen::smallerDisplay() const
{
    return environment().context && environment().context->smallerDisplay;
}

QString ReaderScreen::contentFolder() const
{
    return workbook().contentFolder();
}

void ReaderScreen::showOver(ReaderScreen *screen, MainScreen *hub)
{
    screen->setGeometry(hub->geometry());
    const bool smaller = screen->smallerDisplay();
    // The smaller display is a fixed-size window; the full display resizes.
    if (smaller)
        screen->setFixedSize(hub->size());
    if (hub->isMaximized() && !smaller)
        screen->showMaximized();
    else
        screen->show();
    screen->activateWindow();
    hub->hide();
    screen->markScreenButton(screen->ownIndex());
    QApplication::restoreOverrideCursor();
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

void ReaderScreen::resizeEvent(QResizeEvent *event)
{
    MainScreen::resizeEvent(event);
    sizeMainPanel();
}

void ReaderScreen::sizeMainPanel()
{
    if (!mainPanel_)
        return;
    if (smallerDisplay()) {
        mainPanel_->setMaximumHeight(QWIDGETSIZE_MAX);
        return;
    }
    mainPanel_->setMaximumHeight(qRound(fullDisplayShare_ * height()));
}

bool ReaderScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && noOptionsMenuArea_ && noOptionsMenuArea_->isVisible()
        && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        // Judged by the control under the pointer, as the event also travels
        // up through the parents.
        const QPoint globalPos = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        QWidget *under = childAt(mapFromGlobal(globalPos));
        if (under && (under == noOptionsMenuArea_ || noOptionsMenuArea_->isAncestorOf(under)))
            return false;
    }
    return MainScreen::eventFilter(watched, event);
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
    ReaderScreen *screen = nullptr;
    switch (index) {
    case ScreenIndex::InformationAdvisor:
        screen = new InfoAdv(environment, hub);
        break;
    case ScreenIndex::SecurityRule:
        screen = new PrivRule(environment, hub);
        break;
    case ScreenIndex::Miscellaneous:
        screen = new Miscform1(environment, hub);
        break;
    default:
        return nullptr;
    }
    ReaderScreen::showOver(screen, hub);
    return screen;
}

PlacedArea *ReaderScreen::setUpTopicColumn(const QStringList &captions, TopicButtonGroup **topics)
{
    auto *panelLayout = new QHBoxLayout(mainPanel());
    panelLayout->setContentsMargins(4, 0, 0, 0);
    panelLayout->setSpacing(4);
    *topics = new TopicButtonGroup(captions, Qt::Vertical, mainPanel());
    (*topics)->setObjectName(QStringLiteral("topicButtons"));
    (*topics)->setContentsMargins(0, 7, 0, 0);
    (*topics)->setFixedWidth(180);
    panelLayout->addWidget(*topics);

    auto *area = new PlacedArea(mainPanel());
    area->setObjectName(QStringLiteral("documentArea"));
    panelLayout->addWidget(area, 1);
    return area;
}
