#include "readers/privrule.h"

#include "platform/editor/richtexteditor.h"
#include "readers/documentsearch.h"
#include "readers/documentviewer.h"
#include "printing/printpanel.h"
#include "readers/readerprint.h"
#include "readers/readertables.h"
#include "readers/richtextcopy.h"
#include "readers/searchpanel.h"
#include "screens/helptopics.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const QColor kChosenCaption(0, 0, 255);
const QColor kPlainCaption(0, 0, 0);
constexpr int kIndent = 14;

} // namespace

PrivRule::PrivRule(ScreenEnvironment &environment, MainScreen *hub)
    : ReaderScreen(environment, ScreenIndex::SecurityRule, QStringLiteral("Security Rule"), hub)
{
    setObjectName(QStringLiteral("PrivRule"));
    setUpBody(0.896);

    auto *panelLayout = new QHBoxLayout(mainPanel());
    panelLayout->setContentsMargins(4, 4, 4, 4);
    panelLayout->setSpacing(6);

    auto *readingColumn = new QWidget(mainPanel());
    auto *readingLayout = new QVBoxLayout(readingColumn);
    readingLayout->setContentsMargins(0, 0, 0, 0);
    readingLayout->setSpacing(3);
    viewer_ = new DocumentViewer(contentFolder(), readingColumn);
    searchPanel_ = new SearchPanel(readingColumn);
    searchPanel_->hide();
    readingLayout->addWidget(viewer_, 1);
    readingLayout->addWidget(searchPanel_);
    panelLayout->addWidget(readingColumn, 1);
    panelLayout->addWidget(buildSectionColumn(mainPanel()));

    search_ = new DocumentSearch(viewer_->editor(), this);
    connect(searchPanel_, &SearchPanel::searchRequested, this, &PrivRule::runSearch);
    connect(searchPanel_, &SearchPanel::closeRequested, this, &PrivRule::closeSearchPanel);
    connect(searchPanel_, &SearchPanel::searchTextChanged, search_, &DocumentSearch::restart);

    print_ = new ReaderPrint(workbook(), environment.services, environment.printServices,
                             QStringLiteral("All Data Will Be Displayed"), centralWidget());
    setNoOptionsMenuArea(print_->panel());

    addSwitchingEntries(QStringLiteral("E&xit Program"));
    buildOptionsEntries();
    buildSharedMenus(QStringLiteral("Utilities"), QStringLiteral("&Security Rule"), true);
    enableSectionCommands(false);
    markScreenButton(ownIndex());
}

QWidget *PrivRule::buildSectionColumn(QWidget *parent)
{
    auto *column = new QWidget(parent);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    sectionFrame_ = new QGroupBox(QStringLiteral("HIPAA Security Rule"), column);
    sectionFrame_->setObjectName(QStringLiteral("sectionFrame"));
    auto *list = new QVBoxLayout(sectionFrame_);
    list->setContentsMargins(6, 2, 6, 4);
    list->setSpacing(0);
    sectionGroup_ = new QButtonGroup(this);
    const auto &sections = ReaderTables::ruleSections();
    for (int n = 0; n < ReaderTables::kRuleSectionCount; ++n) {
        auto *button = new QRadioButton(QString::fromLatin1(sections[n].caption), sectionFrame_);
        button->setToolTip(QString::fromLatin1(sections[n].longName));
        button->setFocusPolicy(Qt::TabFocus);
        sectionGroup_->addButton(button, n);
        auto *row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        // Rows 5-18 stand under "III. Analysis of, ...".
        if (ReaderTables::isIndentedRuleSection(n))
            row->addSpacing(kIndent);
        row->addWidget(button, 1);
        list->addLayout(row);
        connect(button, &QRadioButton::clicked, this, [this, n] { chooseSection(n); });
        sectionButtons_ << button;
    }
    drawSectionCaptions(-1);
    layout->addWidget(sectionFrame_);

    auto *buttons = new QGridLayout;
    buttons->setSpacing(4);
    fontDisplayButton_ = new QPushButton(QStringLiteral("&Font Display"), column);
    printButton_ = new QPushButton(QStringLiteral("&Print"), column);
    searchButton_ = new QPushButton(QStringLiteral("&Search"), column);
    clearButton_ = new QPushButton(QStringLiteral("&Clear"), column);
    buttons->addWidget(fontDisplayButton_, 0, 0);
    buttons->addWidget(printButton_, 0, 1);
    buttons->addWidget(searchButton_, 1, 0);
    buttons->addWidget(clearButton_, 1, 1);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(fontDisplayButton_, &QPushButton::clicked, this, &PrivRule::fontDisplay);
    connect(printButton_, &QPushButton::clicked, this, &PrivRule::print);
    connect(searchButton_, &QPushButton::clicked, this, &PrivRule::toggleSearchPanel);
    connect(clearButton_, &QPushButton::clicked, this, &PrivRule::clear);
    return column;
}

void PrivRule::buildOptionsEntries()
{
    QMenu *options = optionsMenu();
    options->addSeparator();
    copyEntry_ = options->addAction(QStringLiteral("&Copy to Clipboard"), this, &PrivRule::copyToClipboard);
    options->addSeparator();
    fontDisplayEntry_ = options->addAction(QStringLiteral("&Font Display"), this, [this] {
        if (printPanelShown())
            QApplication::beep();
        else
            fontDisplay();
    });
    options->addSeparator();
    printEntry_ = options->addAction(QStringLiteral("&Print"), this, [this] {
        if (printPanelShown())
            print_->panel()->printDocument();
        else
            print();
    });
    options->addSeparator();
    searchEntry_ = options->addAction(QStringLiteral("&Search"), this, [this] {
        if (printPanelShown())
            QApplication::beep();
        else
            toggleSearchPanel();
    });
}

int PrivRule::screenHelpTopic() const
{
    return HelpTopic::SecurityRule;
}

int PrivRule::f1HelpTopic() const
{
    return printPanelShown() ? HelpTopic::PrintPreview : HelpTopic::SecurityRule;
}

bool PrivRule::printPanelShown() const
{
    return print_ && print_->isOpen();
}

void PrivRule::drawSectionCaptions(int chosen)
{
    for (int n = 0; n < sectionButtons_.size(); ++n) {
        QRadioButton *button = sectionButtons_.at(n);
        QPalette palette = button->palette();
        const QColor colour = n == chosen ? kChosenCaption : kPlainCaption;
        palette.setColor(QPalette::WindowText, colour);
        palette.setColor(QPalette::ButtonText, colour);
        button->setPalette(palette);
    }
}

void PrivRule::enableSectionCommands(bool enabled)
{
    for (QPushButton *button : {fontDisplayButton_, printButton_, searchButton_})
        button->setEnabled(enabled);
    for (QAction *entry : {copyEntry_, fontDisplayEntry_, printEntry_, searchEntry_})
        entry->setEnabled(enabled);
}

void PrivRule::chooseSection(int section)
{
    if (section < 0 || section >= ReaderTables::kRuleSectionCount)
        return;
    drawSectionCaptions(section);
    sectionButtons_.at(section)->setChecked(true);
    if (searchPanel_->isVisible())
        closeSearchPanel();
    setWindowTitle(baseCaption() + QStringLiteral(" - ")
                   + QString::fromLatin1(ReaderTables::ruleSections()[section].longName));
    viewer_->editor()->setKeepSelectionVisible(true);
    currentSection_ = section;
    // A section that cannot be read leaves the viewer empty; the screen
    // stays usable.
    viewer_->loadDocument(ReaderTables::ruleSectionFile(section), DocumentViewer::OnFailure::LeaveEmpty);
    enableSectionCommands(true);
    printButton_->setFocus();
}

void PrivRule::toggleSearchPanel()
{
    if (searchPanel_->isVisible()) {
        closeSearchPanel();
        return;
    }
    searchPanel_->show();
    searchPanel_->searchText()->clear();
    search_->restart();
    searchPanel_->searchText()->setFocus();
}

void PrivRule::closeSearchPanel()
{
    searchPanel_->hide();
    viewer_->editor()->setKeepSelectionVisible(false);
}

void PrivRule::runSearch()
{
    RichTextEditor *editor = viewer_->editor();
    editor->setKeepSelectionVisible(true);
    // The caret stays in the search box, for the next search or new words;
    // the match is shown in the middle of the view.
    QLineEdit *box = searchPanel_->searchText();
    switch (search_->findNext(box->text())) {
    case DocumentSearch::Result::Found: {
        const QRect match = editor->cursorRect();
        QScrollBar *bar = editor->verticalScrollBar();
        bar->setValue(bar->value() + match.center().y() - editor->viewport()->height() / 2);
        box->setFocus();
        break;
    }
    case DocumentSearch::Result::ReachedEnd:
        environment().services.prompt->ask(this, Prompt::Icon::Information, QStringLiteral("Search Document"),
                                           QStringLiteral("Search has reached the end of the document."),
                                           Prompt::Buttons::Ok);
        // The caret went back to offset 1 with the search position.
        editor->select(1, 0);
        search_->restart();
        box->setFocus();
        break;
    case DocumentSearch::Result::NothingToFind:
        QApplication::beep();
        searchPanel_->searchText()->setFocus();
        break;
    }
}

void PrivRule::fontDisplay()
{
    RichTextEditor *editor = viewer_->editor();
    editor->setKeepSelectionVisible(true);
    const int start = editor->selStart();
    const int length = editor->selLength();
    if (length == 0) {
        environment().services.prompt->ask(this, Prompt::Icon::Information, QStringLiteral("Font Display"),
                                           QStringLiteral("Please select text to change."), Prompt::Buttons::Ok);
        return;
    }
    QFont initial(editor->selFontName());
    if (editor->selFontSize() > 0)
        initial.setPointSizeF(editor->selFontSize());
    initial.setBold(editor->selBold());
    initial.setItalic(editor->selItalic());
    initial.setUnderline(editor->selUnderline());
    initial.setStrikeOut(editor->selStrikeThru());
    const std::optional<QFont> chosen =
        environment().services.fontDialog ? environment().services.fontDialog->chooseFont(this, initial)
                                          : std::nullopt;
    if (chosen) {
        // The change is only for the eyes: the section's file is not touched.
        editor->setSelFontName(chosen->family());
        if (chosen->pointSizeF() > 0)
            editor->setSelFontSize(chosen->pointSizeF());
        editor->setSelBold(chosen->bold());
        editor->setSelItalic(chosen->italic());
        editor->setSelUnderline(chosen->underline());
        editor->setSelStrikeThru(chosen->strikeOut());
    }
    editor->select(start, length);
    editor->setFocus();
}

void PrivRule::copyToClipboard()
{
    copyDocumentToClipboard(this, environment().services, viewer_->editor()->rtf());
}

void PrivRule::clear()
{
    drawSectionCaptions(-1);
    sectionGroup_->setExclusive(false);
    for (QRadioButton *button : std::as_const(sectionButtons_))
        button->setChecked(false);
    sectionGroup_->setExclusive(true);
    currentSection_ = -1;
    setWindowTitle(baseCaption());
    viewer_->editor()->clear();
    enableSectionCommands(false);
}

void PrivRule::print()
{
    if (currentSection_ < 0)
        return;
    RichTextEditor *editor = viewer_->editor();
    const QByteArray rtf = editor->selLength() > 0 ? editor->selRtf() : editor->rtf();
    print_->print(rtf, kRulePrintMargins,
                  baseCaption() + QStringLiteral(" - ")
                      + QString::fromLatin1(ReaderTables::ruleSections()[currentSection_].longName));
}

void PrivRule::chooseSwitchingEntry(int index)
{
    if (printPanelShown()) {
        print_->close();
        QCoreApplication::processEvents();
    }
    pressScreenButton(index);
}

void PrivRule::handleEscape()
{
    if (print_->escape())
        return;
    if (searchPanel_->isVisible()) {
        closeSearchPanel();
        return;
    }
    pressScreenButton(ScreenIndex::ExitProgram);
}

bool PrivRule::eventFilter(QObject *watched, QEvent *event)
{
    // Enter runs the search while the panel is open, wherever the focus is,
    // and no line break reaches a text box. Over the print panel it is the
    // print panel's key.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && searchPanel_
        && searchPanel_->isVisible() && !printPanelShown() && static_cast<QWidget *>(watched)->window() == this) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runSearch();
            return true;
        }
    }
    return ReaderScreen::eventFilter(watched, event);
}
