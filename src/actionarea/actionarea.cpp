// The Action Area's construction: its body, navigation column, panels and
// Options menu. The WorkModes and screen switching are in workmodes.cpp.
#include "actionarea/actionarea.h"

#include "history/safeguardrecord.h"

#include "actionarea/actionareaprint.h"
#include "binder/binderprint.h"
#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"

#include "actionarea/editsession.h"
#include "actionarea/riskregisterhost.h"
#include "actionarea/groupbuttonpanel.h"
#include "actionarea/historycommands.h"
#include "actionarea/safeguardworkspace.h"
#include "actionarea/standards/gridbackground.h"
#include "actionarea/standards/standardsgridpanel.h"
#include "actionarea/status/statustable.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/editor/richtexteditor.h"
#include "platform/records/readonlyworkbooks.h"
#include "platform/writingaids/editorwritingaids.h"
#include "printing/printservices.h"
#include "screens/programcontext.h"
#include "worksheets/worksheetspanel.h"
#include "timeline/timelinepanel.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// What the body's scroll area holds: the panels, scrolled only when they do
// not fit at their minimum size. Held directly, wrapped text in the panels
// would make the scroll area keep their preferred height and scroll even
// where everything fits (the 800 x 600 window).
class ScrolledBody : public QWidget
{
public:
    ScrolledBody(QWidget *content, QScrollArea *area)
        : QWidget(area)
        , content_(content)
        , area_(area)
    {
        content_->setParent(this);
    }
    QSize sizeHint() const override { return content_->minimumSizeHint(); }
    QSize minimumSizeHint() const override { return content_->minimumSizeHint(); }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        content_->setGeometry(rect());
    }
    bool event(QEvent *event) override
    {
        // The panels changed their needs (another WorkMode): let the area
        // size us again.
        if (event->type() == QEvent::LayoutRequest)
            area_->setWidgetResizable(true);
        return QWidget::event(event);
    }

private:
    QWidget *content_;
    QScrollArea *area_;
};

QString navigationCaption(WorkMode mode)
{
    switch (mode) {
    case WorkMode::Standards: return QStringLiteral("HIPAA Security Standards");
    case WorkMode::Timeline: return QStringLiteral("Safeguard Project Timeline ");
    case WorkMode::Worksheets: return QStringLiteral("Risk Analysis Worksheets");
    case WorkMode::RecoveryPlan: return QStringLiteral("Disaster Recovery Plan");
    case WorkMode::Sample: return QString::fromLatin1(Catalogue::Sample::NavigationCaption);
    case WorkMode::RiskRegister: return QStringLiteral("Risk &Register");
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
        break;
    }
    for (const Catalogue::GroupInfo &info : Catalogue::groups()) {
        if (info.workMode == mode)
            return QString::fromLatin1(info.navigationCaption);
    }
    return {};
}

// The workbook's database, shared by the run and opened when first needed
// (nullptr for a window without a run's values).
std::function<std::shared_ptr<WorkbookDatabase>()> sharedDatabase(ProgramContext *context, const Workbook &workbook)
{
    return [context, workbook]() -> std::shared_ptr<WorkbookDatabase> {
        if (!context)
            return nullptr;
        if (!context->database) {
            context->database = std::make_shared<WorkbookDatabase>(workbook);
            context->database->open();
        }
        return context->database;
    };
}

} // namespace

QString ActionArea::navigationCaptionOf(WorkMode mode)
{
    return navigationCaption(mode);
}

ActionArea::ActionArea(ScreenEnvironment &environment, QWidget *parent)
    : MainScreen(environment, ScreenIndex::ActionArea, kBaseCaption, parent)
    , statusTable_(std::make_unique<StatusTable>(workbook()))
{
    setObjectName(QStringLiteral("WorkArea1"));
    statusTable_->setRecorder(environment.services.recorder);
    session_ = new EditSession(environment.services.prompt, this);
    session_->setQuestionAllowed([this] { return workMode_ != WorkMode::Sample; });

    buildBody();
    buildOptionsMenu();
    buildSharedMenus(QStringLiteral("Utilities"), QStringLiteral("&Action Area"));
    history_ = new HistoryCommands(*this, environment.context ? environment.context->history : nullptr);

    session_->setSaver([this] { return saveCurrentText(); });
    session_->setReverter([this] { revertToSavedText(); });
    // The register's forms are edits the save question settles too.
    session_->setPendingEditsProbe(
        [this] { return workMode_ == WorkMode::RiskRegister && m_riskRegister->hasUnsavedEdits(); });
    startKeepingUnsavedText();
    environment.settleBeforeEnd = [this](bool mayAsk) { return settleBeforeEnd(mayAsk); };
    connectWritingAids();
    connect(worksheetsPanel_, &WorksheetsPanel::captionChanged, this, &ActionArea::setCaption);
    connect(standardsPanel_, &StandardsGridPanel::captionChanged, this, &ActionArea::setCaption);
    connect(standardsPanel_, &StandardsGridPanel::optionsMenuRequested, this, &ActionArea::popUpOptionsMenu);
    connect(workspace_, &SafeguardWorkspace::captionChanged, this, &ActionArea::setCaption);
    connect(workspace_, &SafeguardWorkspace::exitRequested, this, [this] { enterWorkMode(WorkMode::Standards); });
    connect(workspace_, &SafeguardWorkspace::saved, this,
            [this](const QString &message) { statusBar()->showMessage(message, kSavedMessageMs); });
    // There from the start, so the body does not move when the first save is reported.
    statusBar()->setSizeGripEnabled(false);
    connect(timelinePanel_, &TimelinePanel::exitRequested, this, [this] { enterWorkMode(WorkMode::Standards); });
    connect(timelinePanel_, &TimelinePanel::optionsMenuRequested, this, &ActionArea::popUpOptionsMenu);
    connect(groupPanel_, &GroupButtonPanel::safeguardButtonPressed, this, &ActionArea::pressSafeguardButton);
    connect(standardsPanel_, &StandardsGridPanel::printRequested, print_, &ActionAreaPrint::openSummaryPrint);
}

bool ActionArea::printPreviewShown() const
{
    return print_ && print_->isShown();
}

ActionArea::~ActionArea()
{
    environment().settleBeforeEnd = nullptr;
}

void ActionArea::buildBody()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(screenButtonRow());

    bodyStack_ = new QStackedWidget(central);
    body_ = new QWidget(bodyStack_);
    auto *bodyLayout = new QHBoxLayout(body_);
    bodyLayout->setContentsMargins(2, 2, 2, 2);
    bodyLayout->setSpacing(3);
    bodyLayout->addWidget(buildNavigationColumn(body_));

    standardsPanel_ = new StandardsGridPanel(*statusTable_, body_);
    timelinePanel_ = new TimelinePanel(workbook(), environment().services,
                                       {[this] { return session_->hasUnsavedChanges(); },
                                        [this](bool unsaved) { session_->setUnsavedChanges(unsaved); }},
                                       body_);
    timelinePanel_->setPrintPreviewShown([this] { return printPreviewShown(); });
    groupPanel_ = new GroupButtonPanel(body_);
    workspace_ = new SafeguardWorkspace(workbook(), *session_, *statusTable_, environment().services, body_);
    worksheetsPanel_ = new WorksheetsPanel(workbook(), *session_, *workspace_, environment().services, body_);
    bodyLayout->addWidget(standardsPanel_, 1);
    bodyLayout->addWidget(timelinePanel_, 1);
    bodyLayout->addWidget(worksheetsPanel_);
    bodyLayout->addWidget(groupPanel_);
    bodyLayout->addWidget(workspace_, 1);

    // While a switch to another screen is pending, a plain panel covers
    // everything below the screen buttons.
    cover_ = new QWidget(bodyStack_);
    cover_->setObjectName(QStringLiteral("coverPanel"));
    cover_->setFocusPolicy(Qt::StrongFocus);
    cover_->setAutoFillBackground(true);
    bodyStack_->addWidget(body_);
    bodyStack_->addWidget(cover_);
    // On a screen too small for the body it scrolls, so Save and Exit stay
    // reachable instead of being pushed off the screen.
    auto *scroller = new QScrollArea(central);
    scroller->setObjectName(QStringLiteral("bodyScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(new ScrolledBody(bodyStack_, scroller));
    layout->addWidget(scroller, 1);
    setCentralWidget(central);

    gridBackground_ = new GridBackground(workbook(), this);
    gridBackground_->addGrid(standardsPanel_->grid());
    gridBackground_->addGrid(timelinePanel_->grid());
    gridBackground_->setEditorBackground(workspace_->editor()->palette().color(QPalette::Base));
    gridBackground_->setPrintPreviewShown([this] { return printPreviewShown(); });
    print_ = new ActionAreaPrint(*this, body_, environment().services, makeQtPrintServices(), workbook());
    timelinePanel_->setPrintPanel(print_->panel());
    print_->setTimelinePrint([this] { timelinePanel_->openToDoPrint(); });

    m_riskRegister = new RiskRegisterHost(workbook(), sharedDatabase(environment().context, workbook()),
                                          environment().services, this);
    m_reviewWarning = new QLabel(statusBar());
    m_reviewWarning->setObjectName(QStringLiteral("reviewWarning"));
    statusBar()->addPermanentWidget(m_reviewWarning);
    connect(m_riskRegister, &RiskRegisterHost::reviewWarningChanged, m_reviewWarning, &QLabel::setText);
    print_->setRiskRegisterPrint([this] {
        const RiskRegisterHost::Document document = m_riskRegister->printDocument(QDate::currentDate());
        if (document.compose)
            print_->openOtherDocument(document.name, document.compose);
        else
            QApplication::beep();
    });
}

QWidget *ActionArea::buildNavigationColumn(QWidget *parent)
{
    auto *column = new QWidget(parent);
    column->setObjectName(QStringLiteral("navigation"));
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    int widest = 0;
    for (const WorkMode mode : allWorkModes()) {
        auto *button = new QPushButton(navigationCaption(mode), column);
        button->setAutoDefault(false);
        button->setCheckable(true);
        button->setMinimumHeight(30);
        widest = qMax(widest, button->sizeHint().width());
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, mode] { enterWorkMode(mode); });
        navigationButtons_[toInt(mode)] = button;
    }
    layout->addStretch(1);
    column->setFixedWidth(widest);
    return column;
}

void ActionArea::buildOptionsMenu()
{
    using OptionsTable::Entry;
    QMenu *menu = optionsMenu();
    addSwitchingEntries();

    auto add = [this, menu](Entry entry, const QString &caption) {
        QAction *action = menu->addAction(caption);
        optionsEntries_[int(entry)] = action;
        return action;
    };
    auto separate = [this, menu](QList<Entry> group) { separators_.append({menu->addSeparator(), group}); };

    separate({Entry::GridBackgroundSelector});
    QAction *gridEntry = menu->addMenu(gridBackground_->menu());
    gridEntry->setText(QStringLiteral("&Grid Background Selector"));
    optionsEntries_[int(Entry::GridBackgroundSelector)] = gridEntry;

    separate({Entry::CopyToClipboard});
    connect(add(Entry::CopyToClipboard, QStringLiteral("&Copy to Clipboard")), &QAction::triggered, this,
            [this] { workspace_->copyToClipboard(); });

    separate({Entry::FontSelect, Entry::SpellCheck, Entry::Thesaurus});
    workspace_->command(SafeguardWorkspace::Command::FontSelect)
        .attachAction(add(Entry::FontSelect, QStringLiteral("&Font Select")));
    workspace_->command(SafeguardWorkspace::Command::SpellCheck)
        .attachAction(add(Entry::SpellCheck, QStringLiteral("&Spell Check")));
    workspace_->command(SafeguardWorkspace::Command::Thesaurus)
        .attachAction(add(Entry::Thesaurus, QStringLiteral("&Thesaurus")));

    separate({Entry::DeleteItemFromGrid, Entry::ClearGrid, Entry::InsertRow});
    timelinePanel_->attachMenuEntries(add(Entry::DeleteItemFromGrid, QStringLiteral("&Delete Item from Grid")),
                                      add(Entry::ClearGrid, QStringLiteral("&Clear Grid")),
                                      add(Entry::InsertRow, QStringLiteral("&Insert Row")));

    menu->addSeparator();
    workspace_->command(SafeguardWorkspace::Command::Print).attachAction(add(Entry::Print, QStringLiteral("&Print")));
    workspace_->command(SafeguardWorkspace::Command::Print).setHandler([this] { print_->printCommand(); });
    QAction *allPolicies = menu->addAction(QStringLiteral("Print &All Current Policies Only"));
    allPolicies->setObjectName(QStringLiteral("printAllPolicies"));
    connect(allPolicies, &QAction::triggered, print_, &ActionAreaPrint::printAllPolicies);
    addBinderEntries(menu);
    print_->setAllPoliciesEntry(allPolicies, menu->addSeparator());
    QAction *saveEntry = add(Entry::Save, QStringLiteral("&Save"));
    // Ctrl+S saves wherever "&Save" can be used.
    saveEntry->setShortcut(QKeySequence::Save);
    saveEntry->setShortcutContext(Qt::WindowShortcut);
    workspace_->command(SafeguardWorkspace::Command::Save).attachAction(saveEntry);
    workspace_->command(SafeguardWorkspace::Command::Save).setHandler([this] {
        if (printPreviewShown()) {
            QApplication::beep();
            return;
        }
        saveCurrentText();
    });

    separate({Entry::ChangeWorksheetButtonTitle});
    connect(add(Entry::ChangeWorksheetButtonTitle, QStringLiteral("&Change Worksheet Button Title")),
            &QAction::triggered, this, [this] { worksheetsPanel_->openTitlePanel(printPreviewShown()); });

    connect(menu, &QMenu::aboutToShow, this, &ActionArea::updateOptionsMenuOnOpening);
}

// "Print Audit &Binder..." and "&Export...": the whole workbook for an
// auditor, and its tables as spreadsheets.
void ActionArea::addBinderEntries(QMenu *menu)
{
    ProgramContext *context = environment().context;
    const Workbook workbook = this->workbook();
    auto *binder = new BinderPrint(*print_->panel(), workbook, sharedDatabase(context, workbook),
                                   environment().services, BinderPrint::qtDialogs(), this);
    binder->setObjectName(QStringLiteral("binderPrint"));
    binder->setBeforeShowing([this] { print_->placeForOtherDocument(); });
    // Reports carry the organization's name once the workbook has one; the
    // database is not opened for it.
    print_->setOrganizationSource([context]() -> QString {
        if (!context || !context->database || !context->database->isOpen())
            return {};
        return OrganizationProfile::load(*context->database).organizationName;
    });
    print_->setRecordSource([context](int safeguardNo) {
        return SafeguardRecord::lines(context ? context->database.get() : nullptr, safeguardNo);
    });
    QAction *binderEntry = menu->addAction(QStringLiteral("Print Audit &Binder..."));
    binderEntry->setObjectName(QStringLiteral("printAuditBinder"));
    connect(binderEntry, &QAction::triggered, binder, [binder] { binder->openBinder(); });
    QAction *exportEntry = menu->addAction(QStringLiteral("&Export..."));
    exportEntry->setObjectName(QStringLiteral("exportFiles"));
    connect(exportEntry, &QAction::triggered, binder, [binder] { binder->exportFile(); });
}

void ActionArea::updateOptionsMenuOnOpening()
{
    const bool hasText = !workspace_->editor()->text().trimmed().isEmpty();
    optionsEntry(OptionsTable::Entry::CopyToClipboard)->setEnabled(hasText);
    timelinePanel_->hideCalendar();
    if (workMode_ == WorkMode::Timeline)
        optionsEntry(OptionsTable::Entry::InsertRow)->setEnabled(timelinePanel_->hasCurrentRow());
}

void ActionArea::applyOptionsTable(WorkMode mode)
{
    using OptionsTable::Entry;
    auto commandOf = [](Entry entry) -> std::optional<SafeguardWorkspace::Command> {
        switch (entry) {
        case Entry::FontSelect: return SafeguardWorkspace::Command::FontSelect;
        case Entry::SpellCheck: return SafeguardWorkspace::Command::SpellCheck;
        case Entry::Thesaurus: return SafeguardWorkspace::Command::Thesaurus;
        case Entry::Print: return SafeguardWorkspace::Command::Print;
        case Entry::Save: return SafeguardWorkspace::Command::Save;
        default: return std::nullopt;
        }
    };
    for (int i = 0; i < OptionsTable::kEntryCount; ++i) {
        const Entry entry = Entry(i);
        const OptionsTable::EntryState state = OptionsTable::stateFor(entry, mode);
        QAction *action = optionsEntries_[i];
        if (state.visible)
            action->setVisible(*state.visible);
        if (!state.enabled)
            continue;
        if (const auto command = commandOf(entry))
            workspace_->command(*command).setAllowed(*state.enabled);
        else if (entry == Entry::GridBackgroundSelector)
            // A read-only workbook keeps its settings as they are.
            action->setEnabled(*state.enabled
                               && !ReadOnlyWorkbooks::contains(workbook().folder()));
        else if (entry == Entry::CopyToClipboard)
            action->setEnabled(*state.enabled);
    }
    for (const auto &[separator, group] : separators_) {
        bool anyShown = false;
        for (Entry entry : group)
            anyShown = anyShown || optionsEntries_[int(entry)]->isVisible();
        separator->setVisible(anyShown);
    }
}
