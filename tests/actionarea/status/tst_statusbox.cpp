// The status box as the user meets it: the lists per panel, a pick from the
// open list stored at once, the "Not Implemented" warning, the sample panel
// that stores nothing, and texts shown by the program that never count as
// choices.
#include "actionarea/status/statusbox.h"
#include "actionarea/status/statustable.h"
#include "platform/records/recordfile.h"
#include "support/tempworkbook.h"
#include "support/testservices.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kStat = QStringLiteral("Stat1.Fil");

QString record(const QString &folder, int n)
{
    return readTextRecord(QDir(folder).filePath(kStat), 20, n);
}

QStringList entries(const QComboBox *combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

// Notes what Stat1.Fil held for a record at the moment a question was asked.
class FileWatchingPrompt : public ScriptedPrompt
{
public:
    QString folder;
    int watchedRecord = 0;
    QStringList recordAtQuestion;

    Answer ask(QWidget *parent, Icon icon, const QString &title, const QString &text, Buttons buttons,
               std::optional<Answer> defaultAnswer) override
    {
        recordAtQuestion << record(folder, watchedRecord);
        return ScriptedPrompt::ask(parent, icon, title, text, buttons, defaultAnswer);
    }
};

} // namespace

class StatusBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        workbook_ = std::make_unique<TempWorkbook>();
        QVERIFY(workbook_->isValid());
        prompt_ = std::make_shared<FileWatchingPrompt>();
        table_ = std::make_unique<StatusTable>(workbook_->workbook());
        table_->loadStatusTable();
        box_ = std::make_unique<StatusBox>(*table_, prompt_);
        box_->resize(300, 120);
        box_->show();
        QVERIFY(QTest::qWaitForWindowExposed(box_.get()));
    }
    void cleanup()
    {
        box_.reset();
        table_.reset();
        prompt_.reset();
        workbook_.reset();
    }

    void listAndCaptionPerPanel_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("list");
        const QStringList current = {QStringLiteral(" "),         QStringLiteral("Pending"),
                                     QStringLiteral("Working"),   QStringLiteral("Completed"),
                                     QStringLiteral("Review"),    QStringLiteral("Not Implemented"),
                                     QStringLiteral("Not Applicable")};
        const QStringList compliance = {QStringLiteral(" "), QStringLiteral("Yes"), QStringLiteral("No"),
                                        QStringLiteral("Partial"), QStringLiteral("Planned")};
        for (int mode : {2, 3, 4, 5, 6, 9})
            QTest::addRow("mode %d", mode) << mode << QStringLiteral("   Current Status:") << current;
        QTest::newRow("worksheets") << 7 << QStringLiteral(" Compliance Status:") << compliance;
    }
    void listAndCaptionPerPanel()
    {
        QFETCH(int, mode);
        QFETCH(QString, caption);
        QFETCH(QStringList, list);
        box_->explanationButton()->show();
        box_->setupStatusList(workModeFromInt(mode));
        QCOMPARE(box_->caption()->text(), caption);
        QCOMPARE(entries(box_->comboBox()), list);
        QVERIFY(box_->explanationButton()->isHidden());
        QVERIFY(!box_->comboBox()->isEditable());
        QCOMPARE(box_->comboBox()->font().pointSize(), StatusBox::placementFor(workModeFromInt(mode)).boxFontPointSize);
        QCOMPARE(box_->statusText(), QString());
    }

    void enteringAPanelRereadsTheSafeguardStatuses()
    {
        QVERIFY(writeTextRecord(workbook_->filePath(kStat), 20, 42, QStringLiteral("Review")));
        QVERIFY(writeTextRecord(workbook_->filePath(kStat), 20, 50, QStringLiteral("Yes")));
        box_->setupStatusList(WorkMode::Standards);
        QCOMPARE(table_->slot(42), QString());
        box_->setupStatusList(WorkMode::Technical);
        QCOMPARE(table_->slot(42), QStringLiteral("Review"));
        QCOMPARE(table_->slot(50), QString());
    }

    void choosingStoresTheEntryAtOnce_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("record");
        QTest::newRow("risk analysis completed") << 2 << 0 << QStringLiteral("Completed") << 1;
        QTest::newRow("physical review") << 3 << 9 << QStringLiteral("Review") << 33;
        QTest::newRow("technical working") << 4 << 8 << QStringLiteral("Working") << 42;
        QTest::newRow("organizational pending") << 5 << 1 << QStringLiteral("Pending") << 44;
        QTest::newRow("documentation pending") << 6 << 1 << QStringLiteral("Pending") << 47;
        QTest::newRow("worksheet partial") << 7 << 3 << QStringLiteral("Partial") << 51;
        QTest::newRow("last worksheet planned") << 7 << 20 << QStringLiteral("Planned") << 68;
    }
    void choosingStoresTheEntryAtOnce()
    {
        QFETCH(int, mode);
        QFETCH(int, selected);
        QFETCH(QString, entry);
        QFETCH(int, record);
        QSignalSpy chosen(box_.get(), &StatusBox::statusChosen);
        box_->setupStatusList(workModeFromInt(mode));
        box_->setSelectedIndex(selected);
        pickFromList(entry);

        QCOMPARE(::record(workbook_->path(), record), entry);
        QCOMPARE(table_->slot(record), entry);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), record);
        QVERIFY(prompt_->questions.isEmpty());
        QVERIFY(box_->isLocked());
    }

    void blankEntryStoresASingleBlank()
    {
        QVERIFY(writeTextRecord(workbook_->filePath(kStat), 20, 1, QStringLiteral("Completed")));
        box_->setupStatusList(WorkMode::Administrative);
        box_->setSelectedIndex(0);
        pickFromList(QStringLiteral(" "));
        const QByteArray bytes = workbook_->readFile(kStat);
        QCOMPARE(bytes.size(), 20);
        QCOMPARE(bytes.left(3), QByteArray("\x01\x00\x20", 3));
        QCOMPARE(table_->slot(1), QStringLiteral(" "));
    }

    void notImplementedIsStoredThenWarned()
    {
        box_->setupStatusList(WorkMode::Physical);
        box_->setSelectedIndex(2);
        prompt_->folder = workbook_->path();
        prompt_->watchedRecord = 26;
        prompt_->enqueue(Prompt::Answer::Ok);
        pickFromList(QStringLiteral("Not Implemented"));

        QCOMPARE(prompt_->questions.size(), 1);
        const auto &question = prompt_->questions.first();
        QCOMPARE(question.icon, Prompt::Icon::Critical);
        QCOMPARE(question.buttons, Prompt::Buttons::Ok);
        QCOMPARE(question.title, QStringLiteral("Safeguard Not Being Implemented"));
        QCOMPARE(question.text, QStringLiteral("If this safeguard is not being implemented, be sure and\n"
                                               "document in the Action Taken or Comments/Notes\n"
                                               "area why it is not being implemented!"));
        // The record already held the choice when the warning came up.
        QCOMPARE(prompt_->recordAtQuestion, QStringList{QStringLiteral("Not Implemented")});
    }

    void sampleAndRecoveryPlanStoreNothing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("sample") << 9;
        QTest::newRow("disaster recovery plan") << 8;
    }
    void sampleAndRecoveryPlanStoreNothing()
    {
        QFETCH(int, mode);
        box_->setupStatusList(WorkMode::Sample);  // the recovery plan keeps the list it had
        box_->setupStatusList(workModeFromInt(mode));
        box_->setSelectedIndex(0);
        QSignalSpy chosen(box_.get(), &StatusBox::statusChosen);
        pickFromList(QStringLiteral("Not Implemented"));

        QCOMPARE(box_->statusText(), QStringLiteral("Not Implemented"));
        QCOMPARE(workbook_->readFile(kStat), QByteArray());
        QVERIFY(prompt_->questions.isEmpty());
        QCOMPARE(chosen.size(), 0);
        for (int slot = 0; slot < StatusTable::kSlotCount; ++slot)
            QCOMPARE(table_->slot(slot), QString());
    }

    void programTextsAreNotChoices()
    {
        QVERIFY(writeTextRecord(workbook_->filePath(kStat), 20, 5, QStringLiteral("Review")));
        QVERIFY(writeTextRecord(workbook_->filePath(kStat), 20, 6, QStringLiteral("Someday")));
        table_->loadStatusTable();
        const QByteArray before = workbook_->readFile(kStat);
        QSignalSpy chosen(box_.get(), &StatusBox::statusChosen);
        box_->setupStatusList(WorkMode::Administrative);
        box_->setSelectedIndex(4);

        box_->showStatus(5);
        QCOMPARE(box_->statusText(), QStringLiteral("Review"));
        QCOMPARE(box_->comboBox()->currentIndex(), 4);
        // A text that is not in the list still shows as stored.
        box_->showStatus(6);
        QCOMPARE(box_->statusText(), QStringLiteral("Someday"));
        box_->showStatus(7);
        QCOMPARE(box_->statusText(), QString());
        QCOMPARE(box_->comboBox()->currentIndex(), -1);
        box_->showStatus(-1);
        box_->showStatus(71);
        QCOMPARE(box_->statusText(), QString());
        box_->setStatusText(QStringLiteral("Completed"));
        QCOMPARE(box_->statusText(), QStringLiteral("Completed"));

        QCOMPARE(chosen.size(), 0);
        QCOMPARE(workbook_->readFile(kStat), before);
        QVERIFY(prompt_->questions.isEmpty());
    }

    void afterAChoiceOnlyTheOpenListChangesTheBox()
    {
        box_->setupStatusList(WorkMode::Administrative);
        box_->setSelectedIndex(1);
        pickFromList(QStringLiteral("Working"));
        QVERIFY(box_->isLocked());

        box_->comboBox()->setFocus();
        QTest::keyClick(box_->comboBox(), Qt::Key_Down);
        QTest::keyClick(box_->comboBox(), Qt::Key_P);
        QCOMPARE(box_->statusText(), QStringLiteral("Working"));
        QCOMPARE(record(workbook_->path(), 2), QStringLiteral("Working"));

        // Opening the list unlocks it; the keyboard then picks as the mouse does.
        box_->comboBox()->showPopup();
        QVERIFY(!box_->isLocked());
        box_->comboBox()->hidePopup();
        QTest::keyClick(box_->comboBox(), Qt::Key_Down);
        QCOMPARE(box_->statusText(), QStringLiteral("Completed"));
        QCOMPARE(record(workbook_->path(), 2), QStringLiteral("Completed"));
        QVERIFY(box_->isLocked());
    }

    void worksheetStatusShowsOnlyWithContent()
    {
        QVERIFY(writeTextRecord(workbook_->filePath(kStat), 20, 48 + 4, QStringLiteral("Yes")));
        table_->loadStatusTable();
        box_->setupStatusList(WorkMode::Worksheets);
        box_->showWorksheetStatus(4, false);
        QCOMPARE(box_->statusText(), QString());
        box_->showWorksheetStatus(4, true);
        QCOMPARE(box_->statusText(), QStringLiteral("Yes"));
        QCOMPARE(record(workbook_->path(), 52), QStringLiteral("Yes"));

        box_->clearWorksheetStatus(4);
        QCOMPARE(box_->statusText(), QString());
        QCOMPARE(record(workbook_->path(), 52), QString());
        QCOMPARE(table_->slot(52), QString());
    }

    void complianceTermsExplained()
    {
        box_->setupStatusList(WorkMode::Worksheets);
        box_->showWorksheetControls();
        QVERIFY(!box_->explanationButton()->isHidden());
        prompt_->enqueue(Prompt::Answer::Ok);
        QTest::mouseClick(box_->explanationButton(), Qt::LeftButton);

        QCOMPARE(prompt_->questions.size(), 1);
        const auto &question = prompt_->questions.first();
        QCOMPARE(question.icon, Prompt::Icon::Information);
        QCOMPARE(question.buttons, Prompt::Buttons::Ok);
        QCOMPARE(question.title, QStringLiteral("Compliance Status Terms"));
        const QStringList lines = question.text.split(QLatin1Char('\n'));
        const QStringList expected = {
            QStringLiteral("Explanation of Compliance Status Terms:"),
            QString(),
            QStringLiteral("Yes - Actions, policies and or software tools, etc. have been put in "),
            QStringLiteral("         place to bring this risk into reasonable compliance with the rule."),
            QString(),
            QStringLiteral("No  - This risk is not currently in reasonable compliance with the rule."),
            QString(),
            QStringLiteral("Partial - Actions, policies and or software tools, etc. have been put in place     "),
            QStringLiteral("             to partially bring this risk into reasonable compliance with the rule."),
            QString(),
            QStringLiteral("Planned - Actions, etc. are being planned to be implemented in the future"),
            QStringLiteral("                to bring this risk into reasonable compliance with the rule."),
        };
        QCOMPARE(lines, expected);
    }

private:
    // Opens the list and picks the entry with the keyboard, as a user would.
    void pickFromList(const QString &entry)
    {
        QComboBox *combo = box_->comboBox();
        const int row = combo->findText(entry, Qt::MatchExactly);
        QVERIFY2(row >= 0, qPrintable(entry));
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        view->setCurrentIndex(combo->model()->index(row, 0));
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(!view->isVisible());
    }

    std::unique_ptr<TempWorkbook> workbook_;
    std::shared_ptr<FileWatchingPrompt> prompt_;
    std::unique_ptr<StatusTable> table_;
    std::unique_ptr<StatusBox> box_;
};

QTEST_MAIN(StatusBoxTest)
#include "tst_statusbox.moc"
