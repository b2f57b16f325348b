#include "readers/miscform1.h"

#include "platform/editor/richtexteditor.h"
#include "printing/printpanel.h"
#include "readers/documentviewer.h"
#include "readers/linkpage.h"
#include "readers/readerlayout.h"
#include "readers/readerprint.h"
#include "readers/readertables.h"
#include "readers/richtextcopy.h"
#include "readers/topicbuttons.h"
#include "screens/helptopics.h"

#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

namespace {

constexpr int kSideMargin = 4;

// The program's own modal windows (the About box, the backup utility), as
// opposed to message boxes and the toolkit's standard dialogs.
bool isProgramWindowOf(QObject *object, QWidget *screen)
{
    auto *dialog = qobject_cast<QDialog *>(object);
    return dialog && dialog->isWindow() && dialog->parentWidget() == screen
           && !QByteArray(dialog->metaObject()->className()).startsWith('Q');
}

} // namespace

Miscform1::Miscform1(ScreenEnvironment &environment, MainScreen *hub)
    : ReaderScreen(environment, ScreenIndex::Miscellaneous, QStringLiteral("Miscellaneous"), hub)
{
    setObjectName(QStringLiteral("Miscform1"));
    setUpBody(ReaderLayout::kMiscPanelShare);

    area_ = setUpTopicColumn(ReaderTables::captionsOf(ReaderTables::miscTopics()), &topics_);
    viewer_ = new DocumentViewer(contentFolder(), area_);
    linkPage_ = new LinkPage(environment.services, area_);
    linkPage_->hide();

    commandRow_ = new QWidget(area_);
    auto *commands = new QHBoxLayout(commandRow_);
    commands->setContentsMargins(0, 0, 0, 0);
    commands->addStretch(1);
    copyButton_ = new QPushButton(QStringLiteral("&Copy to Clipboard"), commandRow_);
    printButton_ = new QPushButton(QStringLiteral("&Print"), commandRow_);
    commands->addWidget(copyButton_);
    commands->addWidget(printButton_);
    commands->addStretch(1);
    area_->place = [this] { place(); };

    connect(topics_, &TopicButtonGroup::pressed, this, &Miscform1::chooseTopic);
    connect(copyButton_, &QPushButton::clicked, this, &Miscform1::copyToClipboard);
    connect(printButton_, &QPushButton::clicked, this, &Miscform1::printFromButton);

    // The range option reads the same for the worksheet.
    print_ = new ReaderPrint(workbook(), environment.services, environment.printServices,
                             QStringLiteral("Print Sample Incident Report Form"), centralWidget());
    setNoOptionsMenuArea(print_->panel());

    addSwitchingEntries(QStringLiteral("&Exit Program"));
    buildOptionsEntries();
    buildSharedMenus(QStringLiteral("&Utilities"), QStringLiteral("&Miscellaneous"), true);

    topics_->markChosen(0);
    markScreenButton(ownIndex());
    // Opening shows "Program Information", as every return to the screen does.
    chooseTopic(ReaderTables::kProgramInformationTopic);
}

void Miscform1::buildOptionsEntries()
{
    QMenu *options = optionsMenu();
    copySeparator_ = options->addSeparator();
    copyEntry_ = options->addAction(QStringLiteral("&Copy to Clipboard"), this, &Miscform1::copyToClipboard);
    printSeparator_ = options->addSeparator();
    printEntry_ = options->addAction(QStringLiteral("&Print"), this, &Miscform1::printFromMenu);
}

int Miscform1::screenHelpTopic() const
{
    return HelpTopic::Miscellaneous;
}

int Miscform1::f1HelpTopic() const
{
    return printPanelShown() ? HelpTopic::PrintPreview : HelpTopic::Miscellaneous;
}

bool Miscform1::printPanelShown() const
{
    return print_ && print_->isOpen();
}

void Miscform1::printFromButton()
{
    printDocument(260);
}

void Miscform1::printFromMenu()
{
    if (printPanelShown()) {
        print_->panel()->printDocument();
        return;
    }
    printDocument(100);
}

void Miscform1::printDocument(int topMargin)
{
    if (!topicCanBeCopied())
        return;
    print_->print(viewer_->editor()->rtf(), PrintMargins{200, topMargin, 100, 100},
                  windowTitle());
}

void Miscform1::chooseSwitchingEntry(int index)
{
    if (printPanelShown()) {
        print_->close();
        QCoreApplication::processEvents();
    }
    pressScreenButton(index);
}

void Miscform1::handleEscape()
{
    if (print_->escape())
        return;
    pressScreenButton(ScreenIndex::ExitProgram);
}

QWidget *Miscform1::documentArea() const
{
    return area_;
}

bool Miscform1::topicCanBeCopied() const
{
    return currentTopic_ >= 0 && ReaderTables::miscTopics()[currentTopic_].copyAndPrint;
}

void Miscform1::place()
{
    const auto band = ReaderLayout::miscViewerBand(topicCanBeCopied(), smallerDisplay(), area_->height());
    const int width = area_->width() - 2 * kSideMargin;
    viewer_->setGeometry(kSideMargin, band.top, width, band.height);
    linkPage_->setGeometry(kSideMargin, band.top, width, band.height);
    const int rowTop = band.top + band.height + 6;
    commandRow_->setGeometry(kSideMargin, rowTop, width, commandRow_->sizeHint().height());
}

void Miscform1::chooseTopic(int topic)
{
    if (topic < 0 || topic >= ReaderTables::kMiscTopicCount)
        return;
    const auto &row = ReaderTables::miscTopics()[topic];
    currentTopic_ = topic;
    topics_->markChosen(topic);
    commandRow_->hide();
    linkPage_->hide();
    viewer_->show();
    // The disclaimer, the program information and the links are not for
    // copying: no context menu with copy for them.
    viewer_->editor()->setContextMenuEnabled(row.copyAndPrint);
    place();
    if (row.document) {
        // A document that cannot be read leaves the previous one in view.
        viewer_->loadDocument(QString::fromLatin1(row.document), DocumentViewer::OnFailure::KeepPrevious);
        if (row.copyAndPrint)
            commandRow_->show();
    } else {
        viewer_->hide();
        linkPage_->show();
    }
    setWindowTitle(baseCaption() + QStringLiteral(" - ")
                   + QString(QString::fromLatin1(row.caption)));
    if (!row.copyAndPrint && print_)
        print_->close();
    for (QAction *entry : {copySeparator_, copyEntry_, printSeparator_, printEntry_})
        entry->setVisible(row.copyAndPrint);
}

void Miscform1::copyToClipboard()
{
    if (!topicCanBeCopied())
        return;
    copyDocumentToClipboard(this, environment().services, viewer_->editor()->rtf());
}

bool Miscform1::eventFilter(QObject *watched, QEvent *event)
{
    // No copying from the disclaimer, the program information or the links:
    // Ctrl (without Shift or Alt) drops the selection before a copy key can
    // take it.
    if (event->type() == QEvent::KeyPress && viewer_ && watched == viewer_->editor() && !topicCanBeCopied()) {
        const auto modifiers = static_cast<QKeyEvent *>(event)->modifiers()
                               & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        if (modifiers == Qt::ControlModifier)
            viewer_->editor()->select(0, 0);
    }
    // Back from the About box or the backup utility, the screen shows the
    // program information again. Message boxes and standard dialogs (copy
    // notices, page setup) leave the topic alone, so a worksheet being
    // copied or printed stays in view.
    if (event->type() == QEvent::Hide && isProgramWindowOf(watched, this))
        QMetaObject::invokeMethod(
            this, [this] { chooseTopic(ReaderTables::kProgramInformationTopic); }, Qt::QueuedConnection);
    return ReaderScreen::eventFilter(watched, event);
}
