#include "screens/mainscreen.h"

#include "screens/helptopics.h"
#include "screens/programcontext.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QKeySequence>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>

namespace {

const std::array<const char *, ScreenIndex::Count> kScreenButtonCaptions = {
    "&Action Area", "&Information Advisor", "&Security Rule", "&Miscellaneous", "E&xit Program"};
const std::array<const char *, ScreenIndex::ExitProgram> kSwitchingEntryCaptions = {
    "&Action Area", "&Information Advisor", "&Security Rule", "&Miscellaneous"};

const QColor kChosenColour(0, 0, 255);
const QColor kPlainColour(0, 0, 0);

} // namespace

void drawButtonAsChosen(QPushButton *button, bool chosen, bool bold)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, chosen ? kChosenColour : kPlainColour);
    button->setPalette(palette);
    QFont font = button->font();
    font.setBold(chosen && bold);
    button->setFont(font);
}

bool isDrawnAsChosen(const QPushButton *button)
{
    return button->palette().color(QPalette::ButtonText) == kChosenColour;
}

MainScreen::MainScreen(ScreenEnvironment &environment, int ownIndex, const QString &baseCaption,
                       QWidget *parent)
    : QMainWindow(parent)
    , environment_(environment)
    , ownIndex_(ownIndex)
    , baseCaption_(baseCaption)
{
    setWindowTitle(baseCaption);

    screenButtonRow_ = new QWidget(this);
    screenButtonRow_->setObjectName(QStringLiteral("screenButtons"));
    auto *row = new QHBoxLayout(screenButtonRow_);
    row->setContentsMargins(4, 4, 4, 2);
    row->setSpacing(4);
    for (int i = 0; i < ScreenIndex::Count; ++i) {
        auto *button = new QPushButton(QString::fromLatin1(kScreenButtonCaptions[i]), screenButtonRow_);
        button->setFocusPolicy(Qt::TabFocus);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] { pressScreenButton(i); });
        screenButtons_[i] = button;
    }

    optionsMenu_ = menuBar()->addMenu(QStringLiteral("&Options"));

    // The window sees these keys before its controls do.
    auto *escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::WindowShortcut);
    connect(escape, &QAction::triggered, this, [this] { handleEscape(); });
    addAction(escape);
    auto *help = new QAction(this);
    help->setShortcut(Qt::Key_F1);
    help->setShortcutContext(Qt::WindowShortcut);
    connect(help, &QAction::triggered, this, [this] { showHelpTopic(f1HelpTopic()); });
    addAction(help);

    qApp->installEventFilter(this);
}

const Workbook &MainScreen::workbook() const
{
    // A screen without a run's values (never so in the program) has no
    // workbook: every file path it makes is then empty of a folder and fails.
    static const Workbook none;
    return environment_.context ? environment_.context->workbook : none;
}

MainScreen::~MainScreen()
{
    qApp->removeEventFilter(this);
}

void MainScreen::markScreenButton(int index)
{
    for (int i = 0; i < ScreenIndex::Count; ++i)
        drawButtonAsChosen(screenButtons_[i], i == index);
    markedScreenButton_ = index;
}

void MainScreen::addSwitchingEntries(const QString &exitCaption)
{
    for (int i = 0; i < ScreenIndex::Count; ++i) {
        if (i == ownIndex_)
            continue;
        if (i == ScreenIndex::ExitProgram)
            optionsMenu_->addSeparator();
        const QString caption = i == ScreenIndex::ExitProgram
                                    ? exitCaption
                                    : QString::fromLatin1(kSwitchingEntryCaptions[i]);
        QAction *entry = optionsMenu_->addAction(caption);
        connect(entry, &QAction::triggered, this, [this, i] { chooseSwitchingEntry(i); });
        switchingEntries_[i] = entry;
    }
    // One search over everything, from every main screen.
    optionsMenu_->addSeparator();
    m_searchEntry = optionsMenu_->addAction(QStringLiteral("Searc&h Everything..."));
    m_searchEntry->setObjectName(QStringLiteral("searchEntry"));
    m_searchEntry->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    m_searchEntry->setShortcutContext(Qt::WindowShortcut);
    addAction(m_searchEntry);
    m_searchEntry->setEnabled(bool(environment_.openSearch));
    connect(m_searchEntry, &QAction::triggered, this, [this] {
        if (environment_.openSearch)
            environment_.openSearch(this);
    });
}

void MainScreen::buildSharedMenus(const QString &utilitiesCaption, const QString &helpEntryCaption,
                                  bool withPrintHelp)
{
    utilitiesMenu_ = menuBar()->addMenu(utilitiesCaption);
    backupEntry_ = utilitiesMenu_->addAction(QStringLiteral("&Backup User Created Files"), this,
                                             [this] { openBackupUtility(false); });
    restoreEntry_ = utilitiesMenu_->addAction(QStringLiteral("&Restore User Created Files"), this,
                                              [this] { openBackupUtility(true); });
    const auto enableEntries = [this] {
        const bool enabled = environment_.openBackupUtility && !printPreviewShown();
        backupEntry_->setEnabled(enabled);
        restoreEntry_->setEnabled(enabled);
    };
    enableEntries();
    connect(utilitiesMenu_, &QMenu::aboutToShow, this, enableEntries);

    helpMenu_ = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu_->addAction(QStringLiteral("&Program Overview"), this,
                         [this] { showHelpTopic(HelpTopic::ProgramOverview); });
    helpMenu_->addAction(helpEntryCaption, this, [this] { showHelpTopic(screenHelpTopic()); });
    if (withPrintHelp)
        helpMenu_->addAction(QStringLiteral("&Print"), this,
                             [this] { showHelpTopic(HelpTopic::PrintPreview); });
    helpMenu_->addSeparator();
    helpMenu_->addAction(QStringLiteral("&About Sentrivo"), this, [this] {
        if (environment_.showAbout)
            environment_.showAbout(this);
    });
    helpMenu_->addSeparator();
    // The program has no web site of its own: these open its help pages.
    helpMenu_->addAction(QStringLiteral("&Training Guide"), this,
                         [this] { showHelpTopic(HelpTopic::TrainingGuide); });
    helpMenu_->addSeparator();
    helpMenu_->addAction(QStringLiteral("Sentrivo &Home Page"), this,
                         [this] { showHelpTopic(HelpTopic::HomePage); });
}

bool MainScreen::openBackupUtility(bool restore)
{
    if (!environment_.openBackupUtility)
        return false;
    const bool changed = environment_.openBackupUtility(this, restore);
    QApplication::restoreOverrideCursor();
    return changed;
}

bool MainScreen::askExitQuestion()
{
    QApplication::restoreOverrideCursor();
    const Prompt::Answer answer = environment_.services.prompt->ask(
        this, Prompt::Icon::Question, QStringLiteral("Exit"), QStringLiteral("Exit Sentrivo?"),
        Prompt::Buttons::YesNoCancel);
    return answer == Prompt::Answer::Yes;
}

void MainScreen::showHelpTopic(int topic)
{
    if (environment_.services.helpViewer)
        environment_.services.helpViewer->showTopic(this, topic);
}

void MainScreen::popUpOptionsMenu(const QPoint &globalPos)
{
    optionsMenu_->popup(globalPos);
}

bool MainScreen::popsUpOptionsOver(QWidget *widget) const
{
    // Text controls keep their own right click; the grids report theirs
    // through their panels.
    for (QWidget *w = widget; w && w != this; w = w->parentWidget()) {
        if (qobject_cast<QTextEdit *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)
            || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QAbstractItemView *>(w)
            || qobject_cast<QMenuBar *>(w) || qobject_cast<QMenu *>(w))
            return false;
    }
    return true;
}

bool MainScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton && widget != this && widget->window() == this) {
            // The event may reach us again as it travels up to the parents:
            // judge by the control under the pointer, and take it here.
            const QPoint globalPos = mouse->globalPosition().toPoint();
            QWidget *under = childAt(mapFromGlobal(globalPos));
            if (!under || !(under == widget || widget->isAncestorOf(under)))
                under = widget;
            if (!popsUpOptionsOver(under))
                return false;
            popUpOptionsMenu(globalPos);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainScreen::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        popUpOptionsMenu(event->globalPosition().toPoint());
        return;
    }
    QMainWindow::mouseReleaseEvent(event);
}
