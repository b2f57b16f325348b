#include "shell/startscreen.h"

#include "platform/records/colourref.h"
#include "platform/records/readonlyworkbooks.h"
#include "platform/records/settingsstore.h"
#include "platform/services/busycursor.h"
#include "shell/aboutbox.h"
#include "screens/helptopics.h"
#include "screens/programcontext.h"
#include "shell/splashwindow.h"
#include "platform/records/twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QVBoxLayout>

StartScreen::StartScreen(ProgramContext &context, PlatformServices services, Hooks hooks, QWidget *parent)
    : QMainWindow(parent)
    , context_(context)
    , services_(std::move(services))
    , hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("Startfrm"));
    setWindowTitle(QStringLiteral("Sentrivo - Start Screen"));
    buildContents();
    buildMenus();
}

void StartScreen::buildContents()
{
    background_ = new QWidget(this);
    background_->setAutoFillBackground(true);
    setCentralWidget(background_);

    picture_ = new QLabel(background_);
    picture_->setPixmap(QPixmap(context_.workbook.contentFolder() + QStringLiteral("/startscreen.png")));
    picture_->setAlignment(Qt::AlignCenter);

    productName_ = new QLabel(background_);
    productName_->setTextFormat(Qt::RichText);
    productName_->setText(QStringLiteral(
        "<div style='font-family:\"Times New Roman\"; font-size:28pt; font-weight:bold'>Sentrivo</div>"
        "<div style='font-family:\"Times New Roman\"; font-size:14pt; font-style:italic'>"
        "HIPAA Security Rule Workbook</div>"));
    productName_->setAlignment(Qt::AlignCenter);
    productName_->setAutoFillBackground(true);
    productName_->setMargin(10);
    productName_->setMinimumWidth(560);

    systemColourLabel_ = new QLabel(background_);
    systemColourLabel_->hide();

    panel_ = new QFrame(background_);
    panel_->setFrameShape(QFrame::Panel);
    panel_->setFrameShadow(QFrame::Raised);
    panel_->setAutoFillBackground(true);
    panel_->setBackgroundRole(QPalette::Button);
    auto *panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(24, 18, 24, 18);
    panelLayout->setSpacing(12);

    beginButton_ = new QPushButton(QStringLiteral("&Click Here to Begin Program"), panel_);
    QFont beginFont(QStringLiteral("Times New Roman"), 14, QFont::Bold);
    beginButton_->setFont(beginFont);
    beginButton_->setMinimumSize(360, 56);
    beginButton_->setDefault(true);
    fullScreenButton_ = new QPushButton(QStringLiteral("&Full Screen Display"), panel_);
    smallerScreenButton_ = new QPushButton(QStringLiteral("&Smaller Screen Display"), panel_);
    panelLayout->addWidget(beginButton_);
    panelLayout->addWidget(fullScreenButton_);
    panelLayout->addWidget(smallerScreenButton_);

    auto *layout = new QVBoxLayout(background_);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addStretch(1);
    // Picture and name read as one card.
    auto *card = new QVBoxLayout;
    card->setSpacing(0);
    card->addWidget(picture_, 0, Qt::AlignHCenter);
    card->addWidget(productName_, 0, Qt::AlignHCenter);
    layout->addLayout(card);
    layout->addStretch(1);
    layout->addWidget(panel_, 0, Qt::AlignHCenter);
    layout->addStretch(2);

    connect(beginButton_, &QPushButton::clicked, this, &StartScreen::beginProgram);
    connect(fullScreenButton_, &QPushButton::clicked, this, &StartScreen::chooseFullScreenDisplay);
    connect(smallerScreenButton_, &QPushButton::clicked, this, &StartScreen::chooseSmallerScreenDisplay);

    // A right click on the background or its non-text controls pops up Options.
    for (QWidget *w : {background_, static_cast<QWidget *>(picture_), static_cast<QWidget *>(productName_),
                       static_cast<QWidget *>(systemColourLabel_), static_cast<QWidget *>(panel_),
                       static_cast<QWidget *>(beginButton_), static_cast<QWidget *>(fullScreenButton_),
                       static_cast<QWidget *>(smallerScreenButton_)})
        w->installEventFilter(this);
}

void StartScreen::openBackupUtility(bool restore)
{
    if (hooks_.openBackupUtility)
        hooks_.openBackupUtility(this, restore);
    QApplication::restoreOverrideCursor();
}

void StartScreen::buildMenus()
{
    optionsMenu_ = menuBar()->addMenu(QStringLiteral("&Options"));
    // A read-only run changes no setting.
    optionsMenu_->addAction(QStringLiteral("&Background Color"), this, &StartScreen::chooseBackgroundColour)
        ->setEnabled(!ReadOnlyWorkbooks::contains(context_.workbook.folder()));
    QMenu *display = optionsMenu_->addMenu(QStringLiteral("&Program Display"));
    fullScreenAction_ = display->addAction(QStringLiteral("&Full Screen Display"), this,
                                           &StartScreen::chooseFullScreenDisplay);
    smallerScreenAction_ = display->addAction(QStringLiteral("&Smaller Screen Display"), this,
                                              &StartScreen::chooseSmallerScreenDisplay);
    fullScreenAction_->setCheckable(true);
    smallerScreenAction_->setCheckable(true);
    optionsMenu_->addSeparator();
    optionsMenu_->addAction(QStringLiteral("&Begin Program"), this, &StartScreen::beginProgram);
    optionsMenu_->addSeparator();
    optionsMenu_->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    connect(optionsMenu_, &QMenu::aboutToShow, this, &StartScreen::markDisplayChoice);
    connect(display, &QMenu::aboutToShow, this, &StartScreen::markDisplayChoice);

    utilitiesMenu_ = menuBar()->addMenu(QStringLiteral("Utilities"));
    utilitiesMenu_->addAction(QStringLiteral("&Backup User Created Files"), this, [this] { openBackupUtility(false); })
        ->setEnabled(bool(hooks_.openBackupUtility));
    utilitiesMenu_->addAction(QStringLiteral("&Restore User Created Files"), this, [this] { openBackupUtility(true); })
        ->setEnabled(bool(hooks_.openBackupUtility));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Program Overview"), this, &StartScreen::showProgramOverview);
    help->addSeparator();
    help->addAction(QStringLiteral("&About Sentrivo"), this, &StartScreen::showAbout);
    help->addSeparator();
    help->addAction(QStringLiteral("&Training Guide"), this,
                    [this] { services_.helpViewer->showTopic(this, HelpTopic::TrainingGuide); });
    help->addSeparator();
    help->addAction(QStringLiteral("Sentrivo &Home Page"), this,
                    [this] { services_.helpViewer->showTopic(this, HelpTopic::HomePage); });
    help->addSeparator();
    help->addAction(QStringLiteral("&VISTA Compatibility Issues"), this,
                    [this] { services_.helpViewer->showTopic(this, HelpTopic::Compatibility); });

    // F1 opens the start screen's own page.
    auto *screenHelp = new QAction(this);
    screenHelp->setObjectName(QStringLiteral("screenHelp"));
    screenHelp->setShortcut(Qt::Key_F1);
    connect(screenHelp, &QAction::triggered, this,
            [this] { services_.helpViewer->showTopic(this, HelpTopic::StartScreen); });
    addAction(screenHelp);
}

void StartScreen::load()
{
    runStartUp(true);
}

void StartScreen::runStartUp(bool firstLoad)
{
    {
        BusyCursor busy;
        panel_->hide();
        context_.smallerDisplay = SettingsStore(context_.workbook).smallerDisplay();
        applyWindowGeometry();
        QApplication::processEvents();
        checkScreenSize();
        recordSize();
        setWindowTitle(QStringLiteral("Sentrivo"));
        if (firstLoad && !context_.splashShown) {
            context_.splashShown = true;
            SplashWindow splash(*services_.clock, context_.workbook.contentFolder(), this);
            splash.showDuringStartUp();
        }
        loadStartScreenColour();
        showDisplayButtons();
        QApplication::processEvents();
    }
    presentPanel();
}

void StartScreen::applyWindowGeometry()
{
    applyingDisplay_ = true;
    if (context_.smallerDisplay) {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        // The inside (client area) is 800 x 600 whether or not the frame is
        // known yet, so the other main screens, which copy this size, match
        // at first start and after a switch alike. The window as framed is
        // centred.
        resize(Twips::kSmallerDisplay);
        const QSize frame = frameGeometry().size() - geometry().size();
        const QSize outer = Twips::kSmallerDisplay + frame;
        const QSize screen = screenSize();
        move((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
    } else {
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    }
    applyingDisplay_ = false;
}

void StartScreen::checkScreenSize()
{
    const QSize screen = screenSize();
    if (screen.width() >= Twips::kMinimumScreen.width() && screen.height() >= Twips::kMinimumScreen.height())
        return;
    services_.prompt->ask(this, Prompt::Icon::Information, QStringLiteral("Program Display Option"),
                          QStringLiteral("Monitor Resolution Settings (Screen Area) and Program Size requirements "
                                         "are at least 800 by 600 or Higher.\n"
                                         "If you do not set your screen resolution to this setting or higher "
                                         "this program will not function properly!"),
                          Prompt::Buttons::Ok);
    if (context_.smallerDisplay) {
        // Switch to the full screen display and store the choice; asked once.
        context_.smallerDisplay = false;
        SettingsStore(context_.workbook).setSmallerDisplay(false);
        applyWindowGeometry();
    }
}

QSize StartScreen::screenSize() const
{
    if (hooks_.screenSize)
        return hooks_.screenSize();
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : Twips::kSmallerDisplay;
}

void StartScreen::recordSize()
{
    const QSize outer = frameGeometry().size();
    context_.startScreenWidthTwips = qMin(Twips::fromPixels(outer.width()), 32767);
    context_.startScreenHeightTwips = qMin(Twips::fromPixels(outer.height()), 32767);
}

void StartScreen::loadStartScreenColour()
{
    const StartScreenColour stored = SettingsStore(context_.workbook).startScreenColour();
    paintBackground(stored.systemDefault ? systemDefaultColour() : colourFromBgr(stored.bgr));
}

QColor StartScreen::systemDefaultColour() const
{
    // The application's palette, not the hidden label's: the label inherits
    // whatever colour the window is painted with.
    return QApplication::palette(systemColourLabel_).color(QPalette::Window);
}

QColor StartScreen::backgroundColour() const
{
    return colour_;
}

void StartScreen::paintBackground(const QColor &colour)
{
    colour_ = colour;
    QPalette palette = background_->palette();
    palette.setColor(QPalette::Window, colour);
    background_->setPalette(palette);
    // The product name keeps a readable plate whatever the colour.
    QPalette plate = productName_->palette();
    plate.setColor(QPalette::Window, QColor(0xf4, 0xf7, 0xfb));
    plate.setColor(QPalette::WindowText, QColor(0x12, 0x3a, 0x6b));
    productName_->setPalette(plate);
}

void StartScreen::showDisplayButtons()
{
    fullScreenButton_->setVisible(context_.smallerDisplay);
    smallerScreenButton_->setVisible(!context_.smallerDisplay);
}

void StartScreen::markDisplayChoice()
{
    fullScreenAction_->setChecked(!context_.smallerDisplay);
    smallerScreenAction_->setChecked(context_.smallerDisplay);
}

void StartScreen::presentPanel()
{
    panel_->show();
    beginButton_->setFocus();
}

void StartScreen::chooseFullScreenDisplay()
{
    switchDisplay(false);
}

void StartScreen::chooseSmallerScreenDisplay()
{
    switchDisplay(true);
}

void StartScreen::switchDisplay(bool smaller)
{
    if (programBegun_ || context_.smallerDisplay == smaller)
        return;
    context_.smallerDisplay = smaller;
    markDisplayChoice();
    SettingsStore(context_.workbook).setSmallerDisplay(smaller);
    QApplication::processEvents();
    runStartUp(false);
    QApplication::processEvents();
}

void StartScreen::keepStateAndChoiceConsistent()
{
    if (applyingDisplay_ || programBegun_ || isMinimized())
        return;
    const bool maximised = isMaximized() || isFullScreen();
    if (!maximised && !context_.smallerDisplay)
        switchDisplay(true);
    else if (maximised && context_.smallerDisplay)
        switchDisplay(false);
}

void StartScreen::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // The About box centres on the size recorded here, dragged sizes included.
    recordSize();
}

void StartScreen::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        keepStateAndChoiceConsistent();
        recordSize();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow() && !programBegun_) {
        keepStateAndChoiceConsistent();
        recordSize();
        paintBackground(colour_);
        presentPanel();
    }
}

void StartScreen::chooseBackgroundColour()
{
    const Prompt::Answer answer = services_.prompt->ask(
        this, Prompt::Icon::Information, QStringLiteral("Background Color"),
        QStringLiteral("Select New Color or Use System Default Color?\n\n"
                       "Yes = Color Selection Panel will appear.\n"
                       "No = Current System Default Color will be selected."),
        Prompt::Buttons::YesNoCancel);
    if (answer == Prompt::Answer::No) {
        paintBackground(systemDefaultColour());
        SettingsStore(context_.workbook).setStartScreenColourDefault();
    } else if (answer == Prompt::Answer::Yes) {
        const std::optional<QColor> chosen = services_.colourDialog->chooseColour(this, colour_);
        if (!chosen)
            return;
        paintBackground(*chosen);
        SettingsStore(context_.workbook).setStartScreenColour(bgrFromColour(*chosen));
    }
}

void StartScreen::showAbout()
{
    AboutBox about(context_, this);
    about.exec();
}

void StartScreen::showProgramOverview()
{
    services_.helpViewer->showTopic(this, HelpTopic::ProgramOverview);
}

void StartScreen::beginProgram()
{
    if (programBegun_)
        return;
    programBegun_ = true;
    if (hooks_.beginProgram)
        hooks_.beginProgram(this);
    hide();
}

void StartScreen::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    // Closing the start screen before the program has begun ends the program.
    if (!programBegun_)
        QCoreApplication::quit();
}

bool StartScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            optionsMenu_->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
