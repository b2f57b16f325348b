// The risk register as the Action Area's eleventh WorkMode: its button and
// panel, the save question over its forms, "&Print" for its reports and the
// status bar's warning about the periodic review.
#include "actionareafixture.h"

#include "actionarea/actionareaprint.h"
#include "actionarea/riskregisterhost.h"
#include "actionarea/standards/standardsgridpanel.h"
#include "platform/database/workbookdatabase.h"
#include "printing/printpanel.h"
#include "printing/printsurface.h"
#include "risk/riskoverview.h"
#include "risk/riskstore.h"
#include "risk/ui/registerforms.h"
#include "risk/ui/riskregisterpanel.h"
#include "screens/helptopics.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenuBar>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using Answer = Prompt::Answer;

namespace {

// What the workbook's database holds, read as the next run would read it.
QStringList storedAssetNames(const Workbook &workbook)
{
    WorkbookDatabase database(workbook);
    database.open();
    RiskStore store(database);
    store.load();
    QStringList names;
    for (const RiskAsset &asset : store.assets())
        names << asset.name;
    return names;
}

// A register written before the window opens: one asset and, when given,
// the date of the last full review.
void writeRegister(const Workbook &workbook, const QDate &lastReview)
{
    WorkbookDatabase database(workbook);
    QVERIFY(database.open().message.isEmpty() || database.isOpen());
    RiskStore store(database);
    QVERIFY(store.load());
    RiskAsset asset;
    asset.name = QStringLiteral("Practice management server");
    asset.kind = AssetKind::Server;
    QString error;
    QVERIFY2(store.saveAsset(asset, &error), qPrintable(error));
    AnalysisDetails details;
    details.scope = QStringLiteral("All ePHI of the clinic");
    details.lastFullReviewOn = lastReview;
    QVERIFY2(store.saveDetails(details, &error), qPrintable(error));
}

RiskRegisterPanel *enterRegister(ActionAreaFixture &f)
{
    f.clickNavigation(WorkMode::RiskRegister);
    return f.window->riskRegister()->existingPanel();
}

} // namespace

class TestRiskRegisterMode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonAndPanel();
    void saveQuestionCoversTheForms_data();
    void saveQuestionCoversTheForms();
    void printShowsTheTabsReport_data();
    void printShowsTheTabsReport();
    void statusBarWarnsOfAnOverdueReview();
    void buttonsKeepTheirOwnKeys();
    void unreadableRegisterIsSaidOnce();
    void aRestoreShowsTheRestoredRegister();
};

void TestRiskRegisterMode::buttonAndPanel()
{
    ActionAreaFixture f;
    f.open();
    QPushButton *button = f.window->navigationButton(WorkMode::RiskRegister);
    QCOMPARE(button->text(), QStringLiteral("Risk &Register"));
    // Below the ten others.
    QVERIFY(button->y() > f.window->navigationButton(WorkMode::Sample)->y());
    // Nothing is made or opened before the mode is entered.
    QVERIFY(!f.window->riskRegister()->existingPanel());
    QVERIFY(!QFileInfo::exists(f.workbook.filePath(QLatin1String(WorkbookDatabase::kFileName))));

    RiskRegisterPanel *panel = enterRegister(f);
    QVERIFY(panel);
    QVERIFY(panel->isVisible());
    QVERIFY(!f.window->standardsPanel()->isVisible());
    QVERIFY(!f.workspace()->isVisible());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Action Area - Risk Register"));
    QVERIFY(button->isChecked());
    QCOMPARE(f.window->screenHelpTopic(), HelpTopic::RiskRegister);
    // The keyboard reaches it as every other mode: Alt+R.
    f.clickNavigation(WorkMode::Standards);
    QVERIFY(!panel->isVisible());
    QTest::keyClick(f.window, Qt::Key_R, Qt::AltModifier);
    // A mnemonic clicks the button as a short animated press.
    QTRY_COMPARE(f.window->workMode(), WorkMode::RiskRegister);
    QVERIFY(panel->isVisible());
    QCOMPARE(f.window->riskRegister()->existingPanel(), panel);
    // Ctrl+Tab goes from tab to tab as soon as the mode is entered.
    QCOMPARE(panel->tabs()->currentIndex(), int(RiskRegisterPanel::OverviewTab));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(panel->tabs()->currentIndex(), int(RiskRegisterPanel::AssetsTab));
}

void TestRiskRegisterMode::saveQuestionCoversTheForms_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("formAfter");
    QTest::addColumn<bool>("unsavedAfter");
    QTest::newRow("yes saves") << int(Answer::Yes) << true << QStringList{QStringLiteral("Front desk PC")}
                               << QStringLiteral("Front desk PC") << false;
    QTest::newRow("no drops the edit") << int(Answer::No) << true << QStringList() << QString() << false;
    QTest::newRow("cancel stays with it") << int(Answer::Cancel) << false << QStringList()
                                          << QStringLiteral("Front desk PC") << true;
}

void TestRiskRegisterMode::saveQuestionCoversTheForms()
{
    QFETCH(int, answer);
    QFETCH(bool, left);
    QFETCH(QStringList, stored);
    QFETCH(QString, formAfter);
    QFETCH(bool, unsavedAfter);
    ActionAreaFixture f;
    f.open();
    RiskRegisterPanel *panel = enterRegister(f);
    panel->tabs()->setCurrentIndex(RiskRegisterPanel::AssetsTab);
    QTest::keyClicks(panel->assetForm()->nameEdit(), QStringLiteral("Front desk PC"));
    QVERIFY(panel->hasUnsavedEdits());
    // The edit is settled whichever tab is in front when the mode is left.
    panel->tabs()->setCurrentIndex(RiskRegisterPanel::OverviewTab);

    f.test.prompt->enqueue(Answer(answer));
    f.clickNavigation(WorkMode::Timeline);
    QCOMPARE(f.questionTitles(), QStringLiteral("Save Changes?"));
    QCOMPARE(f.window->workMode(), left ? WorkMode::Timeline : WorkMode::RiskRegister);
    QCOMPARE(storedAssetNames(f.workbook.workbook()), stored);
    if (left)
        f.clickNavigation(WorkMode::RiskRegister);
    // Whatever was answered, nothing on screen looks saved when it is not.
    QCOMPARE(panel->assetForm()->nameEdit()->text(), formAfter);
    QCOMPARE(panel->hasUnsavedEdits(), unsavedAfter);
}

void TestRiskRegisterMode::printShowsTheTabsReport_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("document");
    QTest::newRow("overview") << int(RiskRegisterPanel::OverviewTab) << "Risk Analysis";
    QTest::newRow("risks") << int(RiskRegisterPanel::RisksTab) << "Risk Analysis";
    QTest::newRow("plan") << int(RiskRegisterPanel::PlanTab) << "Risk Management Plan";
    QTest::newRow("associates") << int(RiskRegisterPanel::AssociatesTab) << "Business Associates";
}

void TestRiskRegisterMode::printShowsTheTabsReport()
{
    QFETCH(int, tab);
    QFETCH(QString, document);
    ActionAreaFixture f;
    writeRegister(f.workbook.workbook(), QDate::currentDate());
    f.open();
    RiskRegisterPanel *panel = enterRegister(f);
    panel->tabs()->setCurrentIndex(tab);
    QAction *print = f.window->optionsEntry(OptionsTable::Entry::Print);
    QVERIFY(print->isEnabled());
    print->trigger();
    PrintPanel *printPanel = f.window->printing()->panel();
    QVERIFY(printPanel->isOpen());
    QVERIFY(f.window->printPreviewShown());
    QCOMPARE(printPanel->documentName(), document);
    QVERIFY(printPanel->surface()->pageCount() >= 1);
    if (tab != RiskRegisterPanel::AssociatesTab && tab != RiskRegisterPanel::PlanTab)
    {
        QString text;
        for (int page = 0; page < printPanel->surface()->pageCount(); ++page)
            text += printPanel->surface()->pageText(page);
        QVERIFY(text.contains(QStringLiteral("Practice management server")));
    }
    // Esc closes the panel, back to the register.
    QTest::keyClick(f.window, Qt::Key_Escape);
    QVERIFY(!printPanel->isOpen());
    QVERIFY(panel->isVisible());
}

void TestRiskRegisterMode::statusBarWarnsOfAnOverdueReview()
{
    const QDate today = QDate::currentDate();
    {
        ActionAreaFixture f;
        writeRegister(f.workbook.workbook(), today.addMonths(-13));
        f.open();
        AnalysisDetails details;
        details.lastFullReviewOn = today.addMonths(-13);
        const QString expected = RiskOverview::reviewWarning(details, today);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(f.window->reviewWarningLabel()->text(), expected);
        // The panel's overview, drawn on entering, says the same.
        RiskRegisterPanel *panel = enterRegister(f);
        QVERIFY(panel);
        QCOMPARE(panel->reviewWarning(), expected);
        QCOMPARE(f.window->reviewWarningLabel()->text(), expected);
    }
    {
        // A recent review, and a workbook that has no register at all, are
        // not warned about; the warning never creates the database.
        ActionAreaFixture recent;
        writeRegister(recent.workbook.workbook(), today.addMonths(-2));
        recent.open();
        QCOMPARE(recent.window->reviewWarningLabel()->text(), QString());
        ActionAreaFixture none;
        none.open();
        QCOMPARE(none.window->reviewWarningLabel()->text(), QString());
        QVERIFY(!QFileInfo::exists(none.workbook.filePath(QLatin1String(WorkbookDatabase::kFileName))));
        // Nor is a database whose register holds nothing yet.
        ActionAreaFixture unused;
        {
            WorkbookDatabase database(unused.workbook.workbook());
            QVERIFY(database.open().message.isEmpty() || database.isOpen());
            QVERIFY(database.setSetting(QStringLiteral("organization"), QStringLiteral("Northside Clinic")));
        }
        unused.open();
        QCOMPARE(unused.window->reviewWarningLabel()->text(), QString());
    }
}

// Alt+letter presses a button (or moves to a label's field) only when no
// other control on screen has that letter; two make it ambiguous and the key
// only moves the focus between them. On every tab, the panel's buttons and
// labelled fields share no letter with each other or with the Action Area's
// screen buttons, navigation and menus.
void TestRiskRegisterMode::buttonsKeepTheirOwnKeys()
{
    ActionAreaFixture f;
    f.open();
    RiskRegisterPanel *panel = enterRegister(f);
    QMap<QKeySequence, QString> host;
    for (QAbstractButton *button : f.window->findChildren<QAbstractButton *>()) {
        if (button->isVisible() && !panel->isAncestorOf(button) && !QKeySequence::mnemonic(button->text()).isEmpty())
            host.insert(QKeySequence::mnemonic(button->text()), button->text());
    }
    for (QAction *menu : f.window->menuBar()->actions()) {
        if (!QKeySequence::mnemonic(menu->text()).isEmpty())
            host.insert(QKeySequence::mnemonic(menu->text()), menu->text());
    }
    QVERIFY(host.contains(QKeySequence::mnemonic(QStringLiteral("Risk &Register"))));
    QStringList clashes;
    for (int tab = 0; tab < panel->tabs()->count(); ++tab) {
        panel->tabs()->setCurrentIndex(tab);
        QVERIFY(QKeySequence::mnemonic(panel->tabs()->tabText(tab)).isEmpty()
                || !host.contains(QKeySequence::mnemonic(panel->tabs()->tabText(tab))));
        QMap<QKeySequence, QString> own;
        const auto check = [&](const QString &text) {
            const QKeySequence key = QKeySequence::mnemonic(text);
            if (key.isEmpty())
                return;
            const QString where = panel->tabs()->tabText(tab) + QStringLiteral(": ") + text;
            if (host.contains(key))
                clashes << where + QStringLiteral(" and ") + host.value(key);
            if (own.contains(key))
                clashes << where + QStringLiteral(" and ") + own.value(key);
            own.insert(key, text);
        };
        for (QAbstractButton *button : panel->findChildren<QAbstractButton *>()) {
            if (button->isVisible())
                check(button->text());
        }
        for (QLabel *label : panel->findChildren<QLabel *>()) {
            if (label->isVisible() && label->buddy())
                check(label->text());
        }
    }
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
}

// A read-only run leaves the database closed: the register is shown empty,
// and the user is told why, once, instead of seeing an empty register as if
// it were the workbook's.
void TestRiskRegisterMode::unreadableRegisterIsSaidOnce()
{
    ActionAreaFixture f;
    writeRegister(f.workbook.workbook(), QDate::currentDate());
    f.context.database = std::make_shared<WorkbookDatabase>(f.workbook.workbook());
    f.open();
    f.test.prompt->enqueue(Answer::Ok);
    RiskRegisterPanel *panel = enterRegister(f);
    QVERIFY(panel);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QVERIFY(f.test.prompt->questions.constLast().text.contains(QStringLiteral("could not be read")));
    QCOMPARE(panel->view(RiskRegisterPanel::AssetsTab)->model()->rowCount(), 0);
    f.clickNavigation(WorkMode::Standards);
    f.clickNavigation(WorkMode::RiskRegister);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    // What is stored is untouched.
    QCOMPARE(storedAssetNames(f.workbook.workbook()), QStringList{QStringLiteral("Practice management server")});
}

// After a restore the register shows the restored database, and what is
// saved afterwards goes into it, not into the copy set aside.
void TestRiskRegisterMode::aRestoreShowsTheRestoredRegister()
{
    ActionAreaFixture f;
    writeRegister(f.workbook.workbook(), QDate::currentDate());
    QTemporaryDir backup;
    {
        WorkbookDatabase database{Workbook(backup.path())};
        database.open();
        RiskStore store(database);
        store.load();
        RiskAsset asset;
        asset.name = QStringLiteral("Restored laptop");
        QVERIFY(store.saveAsset(asset));
    }
    f.environment.openBackupUtility = [&f, &backup](QWidget *, bool restore) {
        if (!restore)
            return false;
        // As the restore's swap does: the workbook's file set aside, the
        // backup's copy in its place; then the run's database follows it.
        const QString live = f.workbook.filePath(QLatin1String(WorkbookDatabase::kFileName));
        QDir(f.workbook.path()).mkdir(QStringLiteral("Before restore"));
        QFile::rename(live, f.workbook.filePath(QStringLiteral("Before restore/Workbook.sqlite")));
        QFile::copy(QDir(backup.path()).filePath(QLatin1String(WorkbookDatabase::kFileName)), live);
        if (f.context.database)
            f.context.database->reopen();
        return true;
    };
    f.open();
    RiskRegisterPanel *panel = enterRegister(f);
    QCOMPARE(panel->view(RiskRegisterPanel::AssetsTab)->model()->rowCount(), 1);
    f.window->restoreEntry()->trigger();
    f.clickNavigation(WorkMode::RiskRegister);
    QAbstractItemModel *assets = panel->view(RiskRegisterPanel::AssetsTab)->model();
    QCOMPARE(assets->rowCount(), 1);
    QCOMPARE(assets->index(0, 0).data().toString(), QStringLiteral("Restored laptop"));

    panel->tabs()->setCurrentIndex(RiskRegisterPanel::AssetsTab);
    panel->newRecord();
    QTest::keyClicks(panel->assetForm()->nameEdit(), QStringLiteral("Front desk PC"));
    QVERIFY(panel->saveCurrent());
    QCOMPARE(storedAssetNames(f.workbook.workbook()),
             (QStringList{QStringLiteral("Restored laptop"), QStringLiteral("Front desk PC")}));
}

QTEST_MAIN(TestRiskRegisterMode)
#include "tst_riskregistermode.moc"
