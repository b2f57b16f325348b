#include "clinicregister.h"

#include "platform/database/workbookdatabase.h"
#include "platform/records/workbook.h"
#include "risk/evidencestore.h"
#include "risk/riskstore.h"
#include "risk/threatlibrary.h"
#include "risk/timelinehandoff.h"
#include "risk/ui/heatmapmodel.h"
#include "risk/ui/heatmapview.h"
#include "risk/ui/registerforms.h"
#include "risk/ui/registermodels.h"
#include "risk/ui/riskregisterpanel.h"
#include "risk/ui/threatchooser.h"
#include "support/testservices.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QtTest>

namespace {

const QDate kToday(2026, 6, 15);

struct Fixture
{
    QTemporaryDir dir;
    Workbook workbook{dir.path()};
    WorkbookDatabase database{workbook};
    RiskStore store{database};
    EvidenceStore evidence{database};
    ThreatLibrary threats;
    TestServices services = makeTestServices();
    QList<int> chosenThreats;
    QString chosenFile;
    std::unique_ptr<RiskRegisterPanel> panel;

    explicit Fixture(bool fill = true)
    {
        database.open();
        store.load();
        if (fill)
            ClinicRegister::fill(store, kToday);
        QString error;
        threats.load(QString::fromUtf8(qgetenv("SENTRIVO_CONTENT_DIR")), &error);
        RiskRegisterPanel::Hooks hooks;
        hooks.today = [] { return kToday; };
        hooks.chooseThreats = [this](QWidget *, const QString &, const QList<ThreatEntry> &) { return chosenThreats; };
        hooks.chooseOpenFile = [this](QWidget *, const QString &, const QString &) { return chosenFile; };
        hooks.openFile = [](const QString &) { return true; };
        hooks.timelineFolder = dir.path();
        panel = std::make_unique<RiskRegisterPanel>(store, evidence, threats, services.services, hooks);
        panel->resize(1280, 900);
    }
    QPushButton *button(const QString &caption) const
    {
        const int tab = panel->tabs()->currentIndex();
        for (QPushButton *b : panel->tabs()->widget(tab)->findChildren<QPushButton *>()) {
            if (b->text() == caption)
                return b;
        }
        return nullptr;
    }
};

} // namespace

class TestRiskRegisterPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The models keep Qt's contracts while the store inserts, changes and
    // removes rows underneath them.
    void modelsFollowTheStore()
    {
        Fixture f(false);
        RiskTableModel risks(f.store);
        AssetTableModel assets(f.store);
        AssociateTableModel associates(f.store);
        RegisterFilterModel proxy;
        proxy.setSourceModel(&risks);
        QAbstractItemModelTester t1(&risks, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester t2(&assets, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester t3(&associates, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester t4(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(ClinicRegister::fill(f.store, kToday));
        QCOMPARE(risks.rowCount(), 30);
        QCOMPARE(assets.rowCount(), 12);
        QCOMPARE(proxy.rowCount(), 30);
        Risk r = f.store.risks().at(3);
        r.likelihood = 5;
        QVERIFY(f.store.saveRisk(r));
        QVERIFY(f.store.removeRisk(f.store.risks().at(0).id));
        QCOMPARE(risks.rowCount(), 29);
        QVERIFY(f.store.load());
        QCOMPARE(proxy.rowCount(), 29);
    }

    // At 800 x 600 and on a wide screen alike every heat map cell shows its
    // whole text: short names where the columns are narrow, and the maps
    // move to a second row rather than scroll sideways.
    void heatMapsKeepTheirTextWhole_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("columns");
        QTest::newRow("800 x 600 window") << 600 << 2;
        QTest::newRow("wide") << 1280 << 3;
    }
    void heatMapsKeepTheirTextWhole()
    {
        QFETCH(int, width);
        QFETCH(int, columns);
        Fixture f;
        f.panel->resize(width, 700);
        f.panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
        auto *row = f.panel->findChild<HeatMapRow *>();
        QVERIFY(row);
        QCOMPARE(row->columns(), columns);
        int maps = 0;
        for (QTableView *view : f.panel->findChildren<QTableView *>()) {
            auto *model = qobject_cast<HeatMapModel *>(view->model());
            if (!model)
                continue;
            ++maps;
            QVERIFY(!view->horizontalScrollBar()->isVisible());
            const QFontMetrics metrics = view->fontMetrics();
            for (int c = 0; c < model->columnCount(); ++c) {
                const auto fits = [&](const QString &text) {
                    for (const QString &line : text.split(QLatin1Char('\n')))
                        QVERIFY2(metrics.horizontalAdvance(line) <= view->columnWidth(c),
                                 qPrintable(QStringLiteral("%1 in %2 px").arg(line).arg(view->columnWidth(c))));
                };
                fits(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
                for (int r = 0; r < model->rowCount(); ++r)
                    fits(model->index(r, c).data().toString());
            }
        }
        QCOMPARE(maps, 3);
    }

    // Sorting by level is by the level's rank, not its name; filtering
    // needs every word somewhere in the row.
    void sortAndFilter()
    {
        Fixture f;
        RiskTableModel risks(f.store);
        RegisterFilterModel proxy;
        proxy.setSourceModel(&risks);
        proxy.sort(RiskTableModel::Level, Qt::DescendingOrder);
        QCOMPARE(proxy.index(0, RiskTableModel::Level).data().toString(), QStringLiteral("Very High"));
        int previous = 6;
        for (int row = 0; row < proxy.rowCount(); ++row) {
            const int level = proxy.index(row, RiskTableModel::Level).data(RegisterRoles::LevelRole).toInt();
            QVERIFY(level <= previous);
            previous = level;
        }
        // Colour and text together.
        const QModelIndex top = proxy.index(0, RiskTableModel::Level);
        QCOMPARE(top.data(Qt::BackgroundRole).value<QBrush>().color(), RiskLevel::colour(5));
        QCOMPARE(top.data().toString(), QStringLiteral("Very High"));
        proxy.setFilterText(QStringLiteral("laptop  STOLEN"));
        QCOMPARE(proxy.rowCount(), 1);
        QCOMPARE(proxy.index(0, RiskTableModel::Threat).data().toString(), QStringLiteral("Laptop stolen from a car"));
        proxy.setFilterText(QString());
        proxy.setOpenTreatmentsOnly(true);
        QCOMPARE(proxy.rowCount(), 25);
        // Dates sort as dates, and risks without one last.
        proxy.sort(RiskTableModel::Due, Qt::AscendingOrder);
        QCOMPARE(proxy.index(0, RiskTableModel::Threat).data().toString(), QStringLiteral("Laptop stolen from a car"));
    }

    void heatMaps()
    {
        Fixture f;
        HeatMapModel current(f.store, HeatMapModel::Kind::Current);
        HeatMapModel matrix(f.store, HeatMapModel::Kind::Matrix);
        // Row 0 is likelihood Very High; the clinic has none there.
        QCOMPARE(current.index(0, 4).data().toString(), QStringLiteral("Very High\n-"));
        // Likelihood High (row 1), impact Very High (column 4): the ransomware.
        QCOMPARE(current.index(1, 4).data().toString(), QStringLiteral("Very High\n1"));
        int total = 0;
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                total += current.index(r, c).data().toString().section(QLatin1Char('\n'), 1).toInt();
        QCOMPARE(total, 30);
        // Editing the matrix recomputes every level shown.
        QVERIFY(!matrix.setData(matrix.index(1, 4), QStringLiteral("Severe"), Qt::EditRole));
        QVERIFY(matrix.lastError().contains(QStringLiteral("not a level")));
        QVERIFY(matrix.setData(matrix.index(1, 4), QStringLiteral("moderate"), Qt::EditRole));
        QCOMPARE(f.store.matrix().level(4, 5), 3);
        QCOMPARE(current.index(1, 4).data().toString(), QStringLiteral("Moderate\n1"));
    }

    // "Suggest Risks" offers the threats unticked; the ones ticked are
    // added, in the library's order, and Cancel adds none.
    void threatChooserReturnsTheTickedThreats()
    {
        Fixture f;
        const QList<ThreatEntry> offered = f.threats.entriesFor(AssetKind::Laptop);
        QVERIFY(offered.size() >= 3);
        ThreatChooser chooser(QStringLiteral("Billing laptop"), offered);
        QCOMPARE(chooser.list()->count(), offered.size());
        QVERIFY(chooser.chosen().isEmpty());
        chooser.list()->item(2)->setCheckState(Qt::Checked);
        chooser.list()->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(chooser.chosen(), (QList<int>{0, 2}));
        QCOMPARE(chooser.list()->item(1)->text(), offered.at(1).threat);
    }

    // The analysis details being typed are edits like a form's: a redraw of
    // the overview (another record saved) keeps them, the save question
    // sees them, a save stores them and a revert drops them.
    void analysisDetailsAreEditsToo()
    {
        Fixture f;
        auto *preparedBy = f.panel->findChild<QLineEdit *>(QStringLiteral("preparedBy"));
        auto *approvedOn = f.panel->findChild<QLineEdit *>(QStringLiteral("approvedOn"));
        QVERIFY(preparedBy && approvedOn);
        const AnalysisDetails stored = f.store.details();
        QVERIFY(!f.panel->hasUnsavedEdits());
        preparedBy->setText(QStringLiteral("Dana Reyes, privacy officer"));
        approvedOn->setText(QStringLiteral("2026-06-01"));
        QVERIFY(f.panel->hasUnsavedEdits());
        RiskAsset asset = f.store.assets().at(0);
        asset.notes = QStringLiteral("Checked");
        QVERIFY(f.store.saveAsset(asset));
        QCOMPARE(preparedBy->text(), QStringLiteral("Dana Reyes, privacy officer"));

        f.panel->revertForms();
        QCOMPARE(preparedBy->text(), stored.preparedBy);
        QVERIFY(!f.panel->hasUnsavedEdits());

        preparedBy->setText(QStringLiteral("Dana Reyes, privacy officer"));
        approvedOn->setText(QStringLiteral("2026-06-01"));
        f.panel->tabs()->setCurrentIndex(RiskRegisterPanel::RisksTab);
        QVERIFY(f.panel->saveEditedForms());
        QCOMPARE(f.store.details().preparedBy, QStringLiteral("Dana Reyes, privacy officer"));
        QCOMPARE(f.store.details().approvedOn, QDate(2026, 6, 1));
        // Nothing is left unsaved, and the tab in front stays in front.
        QCOMPARE(approvedOn->text(), QStringLiteral("2026-06-01"));
        QVERIFY(!f.panel->hasUnsavedEdits());
        QCOMPARE(f.panel->tabs()->currentIndex(), int(RiskRegisterPanel::RisksTab));
    }

    void tabsAndOverview()
    {
        Fixture f;
        QTabWidget *tabs = f.panel->tabs();
        QStringList names;
        for (int i = 0; i < tabs->count(); ++i)
            names << tabs->tabText(i);
        QCOMPARE(names, (QStringList{"Overview", "Assets", "Risks", "Management Plan", "Business Associates"}));
        QVERIFY(f.panel->reviewWarning().contains(QStringLiteral("more than 12 months ago")));
        QCOMPARE(f.panel->view(RiskRegisterPanel::AssetsTab)->model()->rowCount(), 12);
        QCOMPARE(f.panel->view(RiskRegisterPanel::PlanTab)->model()->rowCount(), 25);
    }

    // A refused save shows the reason, keeps the form's text and changes
    // nothing stored.
    void refusedSaveKeepsTheForm()
    {
        Fixture f;
        f.panel->tabs()->setCurrentIndex(RiskRegisterPanel::RisksTab);
        f.panel->view(RiskRegisterPanel::RisksTab)->selectRow(0);
        const Risk before = f.panel->riskForm()->shown();
        QVERIFY(before.id != 0);
        // A record's texts show from their start, however narrow the field.
        for (QLineEdit *edit : f.panel->riskForm()->findChildren<QLineEdit *>())
            QVERIFY2(edit->cursorPosition() == 0, qPrintable(edit->text()));
        QLineEdit *due = nullptr;
        for (QLineEdit *edit : f.panel->riskForm()->findChildren<QLineEdit *>()) {
            if (edit->text() == before.dueOn.toString(Qt::ISODate) && before.dueOn.isValid())
                due = edit;
        }
        QVERIFY(due);
        f.panel->riskForm()->threatEdit()->setText(QStringLiteral("Edited threat"));
        due->setText(QStringLiteral("2026-02-30"));
        f.services.prompt->enqueue(Prompt::Answer::Ok);
        QVERIFY(!f.panel->saveCurrent());
        QVERIFY(f.services.prompt->questions.constLast().text.startsWith(QStringLiteral("Due on: \"2026-02-30\"")));
        QCOMPARE(f.panel->riskForm()->threatEdit()->text(), QStringLiteral("Edited threat"));
        QCOMPARE(f.store.risks().at(f.store.riskRow(before.id)), before);
        QVERIFY(f.panel->hasUnsavedEdits());
        // Mended, it saves and the table shows it.
        due->setText(QStringLiteral("2026-07-01"));
        QVERIFY(f.panel->saveCurrent());
        QCOMPARE(f.store.risks().at(f.store.riskRow(before.id)).threat, QStringLiteral("Edited threat"));
        QVERIFY(!f.panel->hasUnsavedEdits());
    }

    // The keyboard alone: Ctrl+F to the filter, typing filters, Ctrl+N and
    // Ctrl+S make a new record.
    void keyboardOnly()
    {
        Fixture f;
        f.panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
        f.panel->activateWindow();
        f.panel->tabs()->setCurrentIndex(RiskRegisterPanel::AssetsTab);
        f.panel->view(RiskRegisterPanel::AssetsTab)->setFocus();
        QTest::keyClick(f.panel.get(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(f.panel->filterBox(RiskRegisterPanel::AssetsTab)->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("front desk"));
        QCOMPARE(f.panel->view(RiskRegisterPanel::AssetsTab)->model()->rowCount(), 2);
        QTest::keyClick(f.panel.get(), Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(f.panel->assetForm()->nameEdit()->hasFocus());
        QTest::keyClicks(f.panel->assetForm()->nameEdit(), QStringLiteral("Front desk printer"));
        QTest::keyClick(f.panel.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.store.assets().size(), 13);
        QCOMPARE(f.store.assets().constLast().name, QStringLiteral("Front desk printer"));
        QCOMPARE(f.panel->view(RiskRegisterPanel::AssetsTab)->model()->rowCount(), 3);
    }

    void suggestRisks()
    {
        Fixture f;
        QVERIFY(!f.threats.entries().isEmpty());
        f.panel->tabs()->setCurrentIndex(RiskRegisterPanel::AssetsTab);
        f.panel->filterBox(RiskRegisterPanel::AssetsTab)->setText(QStringLiteral("Physician laptop"));
        f.panel->view(RiskRegisterPanel::AssetsTab)->selectRow(0);
        QCOMPARE(f.panel->assetForm()->shown().name, QStringLiteral("Physician laptop"));
        f.chosenThreats = {0, 1};
        f.services.prompt->enqueue(Prompt::Answer::Ok);
        f.panel->suggestRisks();
        QCOMPARE(f.store.risks().size(), 32);
        const Risk &added = f.store.risks().constLast();
        QCOMPARE(added.assetId, f.panel->assetForm()->shown().id);
        QCOMPARE(added.identifiedOn, kToday);
        QVERIFY(f.threats.entriesFor(AssetKind::Laptop).at(1).threat == added.threat);
    }

    void addToTimeline()
    {
        Fixture f;
        f.panel->tabs()->setCurrentIndex(RiskRegisterPanel::RisksTab);
        f.panel->filterBox(RiskRegisterPanel::RisksTab)->setText(QStringLiteral("ransomware"));
        f.panel->view(RiskRegisterPanel::RisksTab)->selectRow(0);
        f.services.prompt->enqueue(Prompt::Answer::Ok);
        QVERIFY(f.panel->addToTimeline());
        ToDoList list;
        QVERIFY(ToDoStore::loadList(list, Workbook(f.dir.path())).loaded());
        QCOMPARE(list.row(0).item(), QStringLiteral("Security awareness training and mail filtering").left(45).trimmed());
        QVERIFY(list.row(0).item().size() <= 45);
        QVERIFY(f.services.prompt->questions.constLast().text.contains(QStringLiteral("shortened")));
        QVERIFY(!list.row(0).fields[ToDoItem::ToDoDate].isEmpty());
        // A full timeline: a clear message and nothing written.
        for (int row = 0; row < ToDoList::kRowCount; ++row)
            list.row(row).fields[ToDoItem::Item] = QStringLiteral("Item %1").arg(row);
        QVERIFY(ToDoStore::saveList(list, Workbook(f.dir.path())).ok);
        f.services.prompt->enqueue(Prompt::Answer::Ok);
        QVERIFY(!f.panel->addToTimeline());
        QVERIFY(f.services.prompt->questions.constLast().text.contains(QStringLiteral("full: all 500 rows")));
    }

    void deleteAsksFirst()
    {
        Fixture f;
        f.panel->tabs()->setCurrentIndex(RiskRegisterPanel::AssociatesTab);
        f.panel->view(RiskRegisterPanel::AssociatesTab)->selectRow(0);
        f.services.prompt->enqueue(Prompt::Answer::No);
        QVERIFY(!f.panel->deleteCurrent());
        QCOMPARE(f.store.associates().size(), 4);
        f.services.prompt->enqueue(Prompt::Answer::Yes);
        QVERIFY(f.panel->deleteCurrent());
        QCOMPARE(f.store.associates().size(), 3);
        // An asset that risks name is refused, with the reason shown.
        f.panel->tabs()->setCurrentIndex(RiskRegisterPanel::AssetsTab);
        f.panel->view(RiskRegisterPanel::AssetsTab)->selectRow(0);
        f.services.prompt->enqueue({Prompt::Answer::Yes, Prompt::Answer::Ok});
        QVERIFY(!f.panel->deleteCurrent());
        QVERIFY(f.services.prompt->questions.constLast().text.contains(QStringLiteral("Retire the asset instead")));
    }

    // A snapshot (what a backup copies) taken while a form holds unsaved
    // edits has only what was committed.
    void snapshotHoldsOnlyCommitted()
    {
        Fixture f;
        f.panel->tabs()->setCurrentIndex(RiskRegisterPanel::AssetsTab);
        f.panel->view(RiskRegisterPanel::AssetsTab)->selectRow(0);
        const RiskAsset shown = f.panel->assetForm()->shown();
        f.panel->assetForm()->nameEdit()->setText(QStringLiteral("Not saved yet"));
        QVERIFY(f.panel->hasUnsavedEdits());
        const QString copy = f.dir.filePath(QStringLiteral("snapshot.sqlite"));
        QVERIFY(f.database.snapshotTo(copy));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("snapshot"));
            db.setDatabaseName(copy);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT name FROM risk_asset WHERE id = %1").arg(shown.id)) && q.next());
            QCOMPARE(q.value(0).toString(), shown.name);
            QVERIFY(q.exec(QStringLiteral("SELECT count(*) FROM risk_risk")) && q.next());
            QCOMPARE(q.value(0).toInt(), 30);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("snapshot"));
    }

    // SENTRIVO_RISK_SHOTS=DIR writes a picture of every tab at 800 x 600 and
    // at 1366 x 768, for looking at; the test itself checks nothing here.
    void pictures()
    {
        const QString folder = QString::fromUtf8(qgetenv("SENTRIVO_RISK_SHOTS"));
        if (folder.isEmpty())
            QSKIP("SENTRIVO_RISK_SHOTS is not set");
        Fixture f;
        f.panel->show();
        for (const QSize size : {QSize(800, 600), QSize(1366, 768)}) {
            f.panel->resize(size);
            for (int tab = 0; tab < f.panel->tabs()->count(); ++tab) {
                f.panel->tabs()->setCurrentIndex(tab);
                if (QTableView *view = f.panel->view(static_cast<RiskRegisterPanel::Tab>(tab)))
                    view->selectRow(0);
                QCoreApplication::processEvents();
                f.panel->grab().save(QStringLiteral("%1/tab%2-%3x%4.png").arg(folder).arg(tab).arg(size.width()).arg(size.height()));
            }
        }
    }
};

QTEST_MAIN(TestRiskRegisterPanel)
#include "tst_riskregisterpanel.moc"
