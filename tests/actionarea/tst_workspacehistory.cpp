// The Action Area's saves reach the workbook's history: entries, the plan and
// statuses are recorded through the one recorder, a failure to record is
// shown without undoing the save, and "Histor&y..." restores a version.
#include "actionareafixture.h"

#include "actionarea/historycommands.h"
#include "actionarea/status/statusbox.h"
#include "history/documenthistory.h"
#include "history/versionlistmodel.h"
#include "historywindow/historydialog.h"
#include "historywindow/reviewdialogs.h"
#include "catalogue/safeguardcatalogue.h"
#include "search/searchindex.h"
#include "searchwindow/searchdialog.h"
#include "searchwindow/searchresultsmodel.h"
#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"
#include "platform/services/documentrecorder.h"

#include <QAction>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QCheckBox>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeView>
#include <QTextBrowser>
#include <QTimer>

using Answer = Prompt::Answer;
using Option = SafeguardWorkspace::ViewOption;

namespace {

// The fixture with the workbook's database open and the history recording.
struct HistoryFixture : ActionAreaFixture
{
    std::shared_ptr<DocumentHistory> history;

    HistoryFixture()
    {
        context.database = std::make_shared<WorkbookDatabase>(Workbook(workbook.path()));
        context.database->open();
        context.database->setSetting(QLatin1String(WorkbookSettingKey::YourName), QStringLiteral("Dana Reyes"));
        history = std::make_shared<DocumentHistory>(context.database);
        context.history = history;
        environment.services.recorder = history;
    }
    QList<VersionStore::Version> versionsOf(const QString &file) const { return history->versions(file); }
};

} // namespace

class TestWorkspaceHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entrySaveRecordsAVersion()
    {
        HistoryFixture f;
        f.open();
        f.clickNavigation(WorkMode::Administrative);
        f.chooseView(Option::ActionTakenOption);
        const QString file = f.workspace()->currentEntryFile();
        QVERIFY(!file.isEmpty());
        QVERIFY(f.window->history()->historyAction()->isEnabled());
        f.type(QStringLiteral("Laptops are encrypted"));
        f.clickSave();
        QVERIFY(!f.unsaved());
        const QList<VersionStore::Version> versions = f.versionsOf(file);
        QCOMPARE(versions.size(), 1);
        QCOMPARE(versions.first().author, QStringLiteral("Dana Reyes"));
        QByteArray stored;
        QString error;
        QVERIFY(f.history->content(versions.first().id, &stored, &error));
        QCOMPARE(stored, f.workbook.readFile(file));
        QVERIFY(f.test.prompt->questions.isEmpty());

        // A reference text is no document of the user's.
        f.chooseView(Option::ReferencesInRuleOption);
        QVERIFY(!f.window->history()->historyAction()->isEnabled());
    }

    void planSaveAndOlderPlanAreRecorded()
    {
        HistoryFixture f;
        QVERIFY(f.workbook.writeFile(SafeguardWorkspace::kRecoveryPlanFile, "{\\rtf1 Call the vendor}"));
        f.open();
        f.clickNavigation(WorkMode::RecoveryPlan);
        // The plan from before the history: found, once.
        QList<VersionStore::Version> versions = f.versionsOf(SafeguardWorkspace::kRecoveryPlanFile);
        QCOMPARE(versions.size(), 1);
        QCOMPARE(versions.first().kind, VersionStore::Kind::Found);
        f.type(QStringLiteral("First "));
        f.clickSave();
        versions = f.versionsOf(SafeguardWorkspace::kRecoveryPlanFile);
        QCOMPARE(versions.size(), 2);
        QCOMPARE(versions.first().kind, VersionStore::Kind::Saved);
        QCOMPARE(versions.first().wordsAdded, 1);
    }

    void failedRecordKeepsTheSaveAndSaysSo()
    {
        HistoryFixture f;
        QVERIFY(QSqlQuery(f.context.database->connection())
                    .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON history_versions"
                                         " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END")));
        f.open();
        f.clickNavigation(WorkMode::Administrative);
        f.test.prompt->answerUnscriptedWith(Answer::Ok);   // the policy notice
        f.chooseView(Option::PoliciesOption);
        const QString file = f.workspace()->currentEntryFile();
        f.type(QStringLiteral("Passwords change yearly"));
        const int asked = int(f.test.prompt->questions.size());
        QVERIFY(f.workspace()->save());
        QVERIFY(!f.unsaved());
        QCOMPARE(f.test.prompt->questions.size(), asked + 1);
        const ScriptedPrompt::Question shown = f.test.prompt->questions.last();
        QCOMPARE(shown.title, DocumentRecording::kNotRecordedTitle);
        QVERIFY(shown.text.contains(QStringLiteral("database or disk is full")));
        QVERIFY(f.workbook.readFile(file).contains("Passwords change yearly"));
        QVERIFY(f.versionsOf(file).isEmpty());
    }

    void statusChoiceIsRecorded()
    {
        HistoryFixture f;
        f.open();
        f.clickNavigation(WorkMode::Administrative);
        StatusBox *box = f.workspace()->statusBox();
        box->setSelectedIndex(0);
        QSignalSpy chosen(box, &StatusBox::statusChosen);
        box->comboBox()->setCurrentIndex(1);
        box->chooseStatus();
        QCOMPARE(chosen.size(), 1);
        const int changedRecord = chosen.first().at(0).toInt();
        const QList<VersionStore::StatusChange> changes =
            VersionStore::statusChanges(f.context.database->connection(), changedRecord);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.first().newValue, chosen.first().at(1).toString().trimmed());
        QCOMPARE(changes.first().author, QStringLiteral("Dana Reyes"));
    }

    // Restore through the window: the editor shows the restored text, and
    // the text replaced is kept.
    void historyWindowRestoresAVersion()
    {
        HistoryFixture f;
        f.open();
        f.clickNavigation(WorkMode::Administrative);
        f.chooseView(Option::ActionTakenOption);
        const QString file = f.workspace()->currentEntryFile();
        f.type(QStringLiteral("alpha"));
        f.clickSave();
        f.type(QStringLiteral(" beta"));
        f.clickSave();
        QCOMPARE(f.versionsOf(file).size(), 2);

        HistoryDialog dialog(*f.history, f.test.prompt, f.workbook.filePath(file), file, f.window);
        QCOMPARE(dialog.model()->rowCount(), 2);
        dialog.versionList()->selectRow(0);
        QVERIFY(dialog.compareButton()->isEnabled());
        dialog.compareSelected();
        QVERIFY(dialog.viewer()->toHtml().contains(QStringLiteral("beta")));
        dialog.versionList()->selectRow(1);
        dialog.openSelected();
        QCOMPARE(dialog.viewer()->toPlainText().trimmed(), QStringLiteral("alpha"));
        f.test.prompt->enqueue(Answer::Yes);
        dialog.restoreSelected();
        QVERIFY(dialog.restored());
        QCOMPARE(f.test.prompt->questions.last().title, HistoryDialog::kRestoreTitle);
        QCOMPARE(dialog.model()->rowCount(), 3);
        QCOMPARE(dialog.model()->versionAt(0).kind, VersionStore::Kind::Restored);
        QVERIFY(f.workbook.readFile(file).contains("alpha"));
        QVERIFY(!f.workbook.readFile(file).contains("beta"));

        if (const QByteArray shots = qgetenv("SENTRIVO_SCREENSHOTS"); !shots.isEmpty()) {
            dialog.show();
            dialog.versionList()->selectRow(1);
            dialog.compareSelected();
            QTest::qWait(100);
            dialog.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/history-compare.png"));
        }
    }

    // Reviews Due: never reviewed first, then the oldest review; Enter opens
    // the item through the Action Area's buttons.
    void reviewsDueListsOldestFirstAndOpensTheItem()
    {
        HistoryFixture f;
        f.open();
        const QDateTime at = QDateTime::currentDateTimeUtc();
        QString error;
        QVERIFY2(f.context.database->transact(
                     [&](QSqlDatabase &db, QString *reason) {
                         return ReviewStore::add(db, {ReviewStore::safeguardItem(1), "Dana", QDate(2024, 3, 1), "", at}, reason)
                                && ReviewStore::add(db, {ReviewStore::safeguardItem(2), "Sam", QDate(2023, 5, 9), "", at}, reason)
                                && ReviewStore::add(db, {ReviewStore::safeguardItem(3), "Sam",
                                                         QDate::currentDate(), "", at}, reason);
                     },
                     &error),
                 qPrintable(error));
        QList<ReviewsDueDialog::Item> items;
        for (int no : {1, 2, 3, 4})
            items.append({ReviewStore::safeguardItem(no), QLatin1String(Catalogue::safeguardAt(no).fullName)});
        QString opened;
        ReviewsDueDialog dialog(*f.context.database, items, QDate::currentDate(),
                                [&](const QString &key) { opened = key; }, f.window);
        QCOMPARE(dialog.model()->rowCount(), 3);   // safeguard 3 was reviewed today
        QCOMPARE(dialog.model()->item(0, 1)->text(), QStringLiteral("Never"));
        QCOMPARE(dialog.model()->item(1, 0)->data(Qt::UserRole).toString(), ReviewStore::safeguardItem(2));
        QCOMPARE(dialog.model()->item(2, 0)->data(Qt::UserRole).toString(), ReviewStore::safeguardItem(1));
        if (const QByteArray shots = qgetenv("SENTRIVO_SCREENSHOTS"); !shots.isEmpty()) {
            dialog.show();
            QTest::qWait(100);
            dialog.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/reviews-due.png"));
        }
        dialog.list()->selectRow(1);
        dialog.list()->setFocus();
        QTest::keyClick(dialog.list(), Qt::Key_Return);
        QCOMPARE(opened, ReviewStore::safeguardItem(2));
        QVERIFY(f.window->history()->openReviewItem(opened));
        QCOMPARE(f.workspace()->currentSafeguardNo(), 2);
        QCOMPARE(f.workspace()->checkedViewOption(), int(Option::ActionTakenOption));
    }

    // A search result opens through the same switching as a button press:
    // with unsaved text the save question comes first.
    void searchResultOpensTheEntryWithTheWordsMarked()
    {
        HistoryFixture f;
        const QString file = Catalogue::entryFileName(Catalogue::EntryKind::PoliciesProcedures, 5);
        QVERIFY(f.workbook.writeFile(file, "{\\rtf1\\ansi Workstations lock after ten minutes of idle time.\\par}"));
        QVERIFY(SearchIndex::refresh(*f.context.database));
        f.test.prompt->answerUnscriptedWith(Answer::Ok);   // the policy notice
        f.open();
        f.clickNavigation(WorkMode::Timeline);
        SearchIndex::Document chosen;
        QStringList terms;
        SearchDialog dialog(*f.context.database, [&](const SearchIndex::Document &document, const QStringList &words) {
            chosen = document;
            terms = words;
        }, f.window);
        // Enter in the box searches; the dialog stays open with the results.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.queryBox()->setFocus();
        QTest::keyClicks(dialog.queryBox(), QStringLiteral("idle lock*"));
        QTest::keyClick(dialog.queryBox(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.model()->resultCount(), 1);
        if (const QByteArray shots = qgetenv("SENTRIVO_SCREENSHOTS"); !shots.isEmpty()) {
            dialog.show();
            QTest::qWait(100);
            dialog.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/search-results.png"));
        }
        dialog.resultList()->setFocus();
        QTest::keyClick(dialog.resultList(), Qt::Key_Return);
        QCOMPARE(chosen.name, file);
        QVERIFY(f.window->openSearchResult(chosen, terms));
        QCOMPARE(f.workspace()->currentSafeguardNo(), 5);
        QCOMPARE(f.workspace()->checkedViewOption(), int(Option::PoliciesOption));
        const QList<QTextEdit::ExtraSelection> marks = f.editor()->extraSelections();
        QCOMPARE(marks.size(), 2);
        QStringList marked;
        for (const QTextEdit::ExtraSelection &mark : marks)
            marked << mark.cursor.selectedText();
        marked.sort();
        QCOMPARE(marked, (QStringList{"idle", "lock"}));

        // With unsaved text, Cancel at the save question leaves everything as it is.
        f.type(QStringLiteral(" More."));
        QVERIFY(f.unsaved());
        f.test.prompt->enqueue(Answer::Cancel);
        SearchIndex::Document plan;
        plan.place.kind = SearchIndex::Place::Kind::RecoveryPlan;
        QVERIFY(!f.window->openSearchResult(plan, {}));
        QCOMPARE(f.test.prompt->questions.last().title, EditSession::kSaveQuestionTitle);
        QCOMPARE(f.window->workMode(), WorkMode::Administrative);
    }

    void historyCommandSettlesUnsavedTextFirst()
    {
        HistoryFixture f;
        f.open();
        f.clickNavigation(WorkMode::Administrative);
        f.chooseView(Option::CommentsNotesOption);
        f.type(QStringLiteral("unsaved words"));
        f.test.prompt->enqueue(Answer::Cancel);
        f.window->history()->openHistory();     // cancelled at the save question: no window
        QCOMPARE(f.test.prompt->questions.last().title, EditSession::kSaveQuestionTitle);
        QVERIFY(f.unsaved());
    }
};

QTEST_MAIN(TestWorkspaceHistory)
#include "tst_workspacehistory.moc"
