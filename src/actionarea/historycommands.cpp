#include "actionarea/historycommands.h"

#include "actionarea/actionarea.h"
#include "actionarea/editsession.h"
#include "actionarea/safeguardworkspace.h"
#include "catalogue/safeguardcatalogue.h"
#include "history/documenthistory.h"
#include "historywindow/decisiondialog.h"
#include "historywindow/historydialog.h"
#include "historywindow/reviewdialogs.h"
#include "platform/database/workbookdatabase.h"
#include "platform/records/filenames.h"
#include "screens/helptopics.h"
#include "timeline/timelinepanel.h"
#include "timeline/todolist.h"
#include "worksheets/worksheetfiles.h"
#include "worksheets/worksheetspanel.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QMenu>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QRadioButton>

HistoryCommands::HistoryCommands(ActionArea &area, std::shared_ptr<DocumentHistory> history)
    : QObject(&area)
    , m_area(area)
    , m_history(std::move(history))
{
    m_historyAction = new QAction(QStringLiteral("Histor&y..."), this);
    m_historyAction->setObjectName(QStringLiteral("historyEntry"));
    connect(m_historyAction, &QAction::triggered, this, &HistoryCommands::openHistory);
    m_area.optionsMenu()->addSeparator();
    m_area.optionsMenu()->addAction(m_historyAction);
    m_markReviewedAction = m_area.optionsMenu()->addAction(QStringLiteral("Mark &Reviewed..."));
    m_markReviewedAction->setObjectName(QStringLiteral("markReviewedEntry"));
    connect(m_markReviewedAction, &QAction::triggered, this, &HistoryCommands::markReviewed);
    m_reviewsDueAction = m_area.optionsMenu()->addAction(QStringLiteral("Reviews D&ue..."));
    m_reviewsDueAction->setObjectName(QStringLiteral("reviewsDueEntry"));
    connect(m_reviewsDueAction, &QAction::triggered, this, &HistoryCommands::showReviewsDue);
    m_decisionAction = m_area.optionsMenu()->addAction(QStringLiteral("&Decision..."));
    m_decisionAction->setObjectName(QStringLiteral("decisionEntry"));
    connect(m_decisionAction, &QAction::triggered, this, &HistoryCommands::documentDecision);

    // Beside the workspace's other commands, on its second row.
    QWidget *row = m_area.workspace()->exitButton()->parentWidget();
    m_historyButton = new QPushButton(QStringLiteral("Histor&y..."), row);
    m_historyButton->setObjectName(QStringLiteral("historyButton"));
    m_historyButton->setMinimumWidth(m_historyButton->sizeHint().width());
    if (auto *grid = qobject_cast<QGridLayout *>(row->layout()))
        grid->addWidget(m_historyButton, 1, 3);
    connect(m_historyButton, &QPushButton::clicked, this, &HistoryCommands::openHistory);

    m_pruneAction = new QAction(QStringLiteral("Prune History..."), this);
    m_pruneAction->setObjectName(QStringLiteral("pruneHistoryEntry"));
    connect(m_pruneAction, &QAction::triggered, this, &HistoryCommands::pruneHistory);
    if (QMenu *utilities = m_area.utilitiesMenu())
        utilities->addAction(m_pruneAction);

    // The shown document changes with the caption and the options menu
    // opening; the state is computed in one place.
    connect(&m_area, &QWidget::windowTitleChanged, this, &HistoryCommands::updateEnabled);
    connect(m_area.optionsMenu(), &QMenu::aboutToShow, this, &HistoryCommands::updateEnabled);
    for (int option = 0; option < SafeguardWorkspace::ViewOptionCount; ++option)
        connect(m_area.workspace()->viewOption(SafeguardWorkspace::ViewOption(option)), &QRadioButton::toggled, this,
                &HistoryCommands::updateEnabled);
    connect(m_area.worksheetsPanel(), &WorksheetsPanel::captionChanged, this, &HistoryCommands::updateEnabled);
    connect(m_area.workspace(), &SafeguardWorkspace::shownDocumentChanged, this, &HistoryCommands::updateEnabled);
    connect(m_area.workspace(), &SafeguardWorkspace::saved, this, &HistoryCommands::updateEnabled);
    updateEnabled();
}

QString HistoryCommands::shownDocumentPath() const
{
    const QDir folder = m_history ? m_history->database()->workbook().dir() : QDir();
    SafeguardWorkspace *workspace = m_area.workspace();
    switch (m_area.workMode()) {
    case WorkMode::Timeline:
        return folder.absoluteFilePath(findFileIgnoringCase(folder, ToDoList::kFileName));
    case WorkMode::RecoveryPlan:
        return folder.absoluteFilePath(findFileIgnoringCase(folder, SafeguardWorkspace::kRecoveryPlanFile));
    case WorkMode::Worksheets: {
        const int index = m_area.worksheetsPanel()->currentIndex();
        if (index < 0)
            return QString();
        return folder.absoluteFilePath(findFileIgnoringCase(folder, Worksheets::contentFileName(index)));
    }
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
        if (workspace->currentView() < SafeguardWorkspace::ActionTakenView || workspace->currentEntryFile().isEmpty())
            return QString();
        return folder.absoluteFilePath(findFileIgnoringCase(folder, workspace->currentEntryFile()));
    default:
        return QString();
    }
}

QString HistoryCommands::shownDocumentTitle() const
{
    const QString file = QFileInfo(shownDocumentPath()).fileName();
    switch (m_area.workMode()) {
    case WorkMode::Timeline: return QStringLiteral("Project Timeline (%1)").arg(file);
    case WorkMode::RecoveryPlan: return QStringLiteral("Disaster Recovery Plan (%1)").arg(file);
    case WorkMode::Worksheets:
        return QStringLiteral("%1 (%2)").arg(m_area.worksheetsPanel()->title(m_area.worksheetsPanel()->currentIndex()),
                                             file);
    default: break;
    }
    const int safeguardNo = m_area.workspace()->currentSafeguardNo();
    if (Catalogue::isValidSafeguardNo(safeguardNo))
        return QStringLiteral("%1 (%2)").arg(QLatin1String(Catalogue::safeguardAt(safeguardNo).fullName), file);
    return file;
}

void HistoryCommands::updateEnabled()
{
    const bool available = m_history && m_history->database()->isOpen();
    const bool shown = available && !shownDocumentPath().isEmpty() && !m_area.workspace()->entryUnreadable();
    m_historyAction->setEnabled(shown);
    m_historyButton->setEnabled(shown);
    m_historyButton->setVisible(m_area.workMode() >= WorkMode::Administrative
                                && m_area.workMode() <= WorkMode::RecoveryPlan);
    m_pruneAction->setEnabled(available && !m_history->database()->isReadOnly());
    m_markReviewedAction->setEnabled(available && !m_history->database()->isReadOnly()
                                     && !shownReviewItem().first.isEmpty());
    m_reviewsDueAction->setEnabled(available);
    const int safeguardNo = m_area.workMode() >= WorkMode::Administrative
                                    && m_area.workMode() <= WorkMode::Documentation
                                ? m_area.workspace()->currentSafeguardNo()
                                : -1;
    m_decisionAction->setEnabled(available && !m_history->database()->isReadOnly()
                                 && Catalogue::isValidSafeguardNo(safeguardNo)
                                 && Catalogue::safeguardAt(safeguardNo).designation
                                        == Catalogue::Designation::Addressable);
}

void HistoryCommands::documentDecision()
{
    updateEnabled();
    if (!m_decisionAction->isEnabled())
        return;
    const int safeguardNo = m_area.workspace()->currentSafeguardNo();
    WorkbookDatabase &database = *m_history->database();
    DecisionDialog dialog(DecisionStore::decisions(database.connection(), safeguardNo),
                          QLatin1String(Catalogue::safeguardAt(safeguardNo).fullName), m_history->author(),
                          m_history->now().toLocalTime().date(), &m_area);
    if (dialog.exec() != QDialog::Accepted)
        return;
    DecisionStore::Decision decision = dialog.decision();
    decision.safeguardNo = safeguardNo;
    decision.recordedAt = m_history->now();
    QString error;
    if (!database.transact([&](QSqlDatabase &db, QString *reason) { return DecisionStore::add(db, decision, reason); },
                           &error))
        m_area.environment().services.prompt->ask(
            &m_area, Prompt::Icon::Critical, QStringLiteral("Decision"),
            QStringLiteral("The decision could not be kept:\n\n%1").arg(error), Prompt::Buttons::Ok);
    else
        m_area.statusBar()->showMessage(QStringLiteral("Decision kept: %1").arg(DecisionStore::choiceCaption(decision.choice)),
                                        ActionArea::kSavedMessageMs);
}

QPair<QString, QString> HistoryCommands::shownReviewItem() const
{
    switch (m_area.workMode()) {
    case WorkMode::RecoveryPlan: return {ReviewStore::kPlanItem, QStringLiteral("Disaster Recovery Plan")};
    case WorkMode::Worksheets: {
        const int index = m_area.worksheetsPanel()->currentIndex();
        if (index < 0)
            return {};
        return {ReviewStore::worksheetItem(index), m_area.worksheetsPanel()->title(index)};
    }
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation: {
        const int safeguardNo = m_area.workspace()->currentSafeguardNo();
        if (!Catalogue::isValidSafeguardNo(safeguardNo))
            return {};
        return {ReviewStore::safeguardItem(safeguardNo), QLatin1String(Catalogue::safeguardAt(safeguardNo).fullName)};
    }
    default: return {};
    }
}

void HistoryCommands::markReviewed()
{
    updateEnabled();
    const auto [key, title] = shownReviewItem();
    if (!m_markReviewedAction->isEnabled() || key.isEmpty())
        return;
    WorkbookDatabase &database = *m_history->database();
    const QDate today = m_history->now().toLocalTime().date();
    MarkReviewedDialog dialog(ReviewStore::reviews(database.connection(), key), title, m_history->author(), today,
                              &m_area);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ReviewStore::Review review = dialog.review();
    review.item = key;
    review.recordedAt = m_history->now();
    QString error;
    if (!database.transact([&](QSqlDatabase &db, QString *reason) { return ReviewStore::add(db, review, reason); },
                           &error))
        m_area.environment().services.prompt->ask(
            &m_area, Prompt::Icon::Critical, QStringLiteral("Mark Reviewed"),
            QStringLiteral("The review could not be kept:\n\n%1").arg(error), Prompt::Buttons::Ok);
    else
        m_area.statusBar()->showMessage(QStringLiteral("Reviewed: %1, %2 by %3")
                                            .arg(title, QLocale().toString(review.reviewedOn, QLocale::ShortFormat),
                                                 review.reviewer),
                                        ActionArea::kSavedMessageMs);
}

void HistoryCommands::showReviewsDue()
{
    if (!m_history || !m_history->database()->isOpen())
        return;
    QList<ReviewsDueDialog::Item> items;
    for (const Catalogue::Safeguard &safeguard : Catalogue::safeguards())
        items.append({ReviewStore::safeguardItem(safeguard.no), QLatin1String(safeguard.fullName)});
    const QDir folder = m_history->database()->workbook().dir();
    if (QFileInfo::exists(folder.absoluteFilePath(findFileIgnoringCase(folder, SafeguardWorkspace::kRecoveryPlanFile))))
        items.append({ReviewStore::kPlanItem, QStringLiteral("Disaster Recovery Plan")});
    // A worksheet is due for review once it has been written.
    for (int index = 0; index < Worksheets::kCount; ++index) {
        if (Worksheets::hasContent(folder.absoluteFilePath(findFileIgnoringCase(folder, Worksheets::contentFileName(index)))))
            items.append({ReviewStore::worksheetItem(index), m_area.worksheetsPanel()->title(index)});
    }
    QString chosen;
    {
        ReviewsDueDialog dialog(*m_history->database(), items, m_history->now().toLocalTime().date(),
                                [&chosen](const QString &key) { chosen = key; }, &m_area);
        dialog.exec();
    }
    if (!chosen.isEmpty())
        openReviewItem(chosen);
}

bool HistoryCommands::openReviewItem(const QString &key)
{
    SearchIndex::Document document;
    if (key == ReviewStore::kPlanItem) {
        document.place.kind = SearchIndex::Place::Kind::RecoveryPlan;
    } else if (key.startsWith(QStringLiteral("worksheet:"))) {
        document.place.kind = SearchIndex::Place::Kind::Worksheet;
        document.place.worksheetIndex = key.section(QLatin1Char(':'), 1).toInt() - 1;
    } else if (key.startsWith(QStringLiteral("safeguard:"))) {
        document.place.kind = SearchIndex::Place::Kind::Entry;
        document.place.safeguardNo = key.section(QLatin1Char(':'), 1).toInt();
        document.place.entryKind = 0;
    } else {
        return false;
    }
    return m_area.openSearchResult(document, {});
}

void HistoryCommands::openHistory()
{
    updateEnabled();
    if (!m_historyAction->isEnabled())
        return;
    // The text on screen is settled first, so the list holds it and a
    // restore never meets unsaved edits.
    if (!m_area.editSession().settleUnsavedChanges(&m_area))
        return;
    const QString path = shownDocumentPath();
    HistoryDialog dialog(*m_history, m_area.environment().services.prompt, path, shownDocumentTitle(), &m_area);
    dialog.setHelp([this, &dialog] { m_area.environment().services.helpViewer->showTopic(&dialog, HelpTopic::DocumentHistory); });
    dialog.exec();
    if (dialog.restored())
        reloadShownDocument();
}

void HistoryCommands::reloadShownDocument()
{
    SafeguardWorkspace *workspace = m_area.workspace();
    switch (m_area.workMode()) {
    case WorkMode::Timeline: m_area.timelinePanel()->enter(); break;
    case WorkMode::RecoveryPlan: workspace->loadRecoveryPlan(); break;
    case WorkMode::Worksheets: m_area.worksheetsPanel()->openWorksheet(m_area.worksheetsPanel()->currentIndex()); break;
    default:
        if (workspace->checkedViewOption() >= 0)
            workspace->chooseView(SafeguardWorkspace::ViewOption(workspace->checkedViewOption()));
        break;
    }
    m_area.editSession().clearUnsavedChanges();
}

void HistoryCommands::pruneHistory()
{
    if (!m_history || !m_history->database()->isOpen())
        return;
    bool ok = false;
    const int years = QInputDialog::getInt(
        &m_area, kPruneTitle,
        QStringLiteral("Remove versions older than how many years?\n(At least %1: documentation is kept six years.)")
            .arg(DocumentHistory::kMinimumPruneYears),
        DocumentHistory::kMinimumPruneYears, DocumentHistory::kMinimumPruneYears, 100, 1, &ok);
    if (!ok)
        return;
    Prompt *prompt = m_area.environment().services.prompt.get();
    const std::optional<int> count = m_history->countPrunable(years);
    if (!count)
        return;
    if (*count == 0) {
        prompt->ask(&m_area, Prompt::Icon::Information, kPruneTitle,
                    QStringLiteral("No version is older than %1 years. Nothing is removed.").arg(years),
                    Prompt::Buttons::Ok);
        return;
    }
    const Prompt::Answer answer = prompt->ask(
        &m_area, Prompt::Icon::Question, kPruneTitle,
        QStringLiteral("%1 version(s) older than %2 years will be removed for good. The newest version of each "
                       "document is always kept.\n\nRemove them?")
            .arg(*count)
            .arg(years),
        Prompt::Buttons::YesNo, Prompt::Answer::No);
    if (answer != Prompt::Answer::Yes)
        return;
    QString error;
    const std::optional<int> removed = m_history->prune(years, &error);
    if (!removed)
        prompt->ask(&m_area, Prompt::Icon::Critical, kPruneTitle,
                    QStringLiteral("The history could not be pruned; nothing was removed.\n\n%1").arg(error),
                    Prompt::Buttons::Ok);
    else
        prompt->ask(&m_area, Prompt::Icon::Information, kPruneTitle,
                    QStringLiteral("%1 version(s) removed.").arg(*removed), Prompt::Buttons::Ok);
}
