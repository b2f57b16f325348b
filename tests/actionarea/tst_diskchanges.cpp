// An entry changed on disk by another program while it is shown: a save
// never overwrites it unseen. The user is asked "Keep Mine" / "Load Theirs";
// with nothing unsaved the editor simply shows the new file.
#include "actionareafixture.h"
#include "platform/services/diskchangewatch.h"
#include "support/scriptedchoiceprompt.h"

#include <QtTest>

namespace {

// The fixture with a prompt that also answers captioned boxes.
struct DiskChangeFixture : ActionAreaFixture
{
    std::shared_ptr<ScriptedChoicePrompt> prompt = std::make_shared<ScriptedChoicePrompt>();

    DiskChangeFixture()
    {
        environment.services.prompt = prompt;
        test.services.prompt = prompt;
    }

    // Risk Analysis's Action Taken, shown from a file holding `text`.
    void showEntry(const QByteArray &text)
    {
        QVERIFY(workbook.writeFile(QStringLiteral("Action0.Fil"), "{\\rtf1\\ansi " + text + "\\par}"));
        open();
        window->enterWorkMode(WorkMode::Administrative);
        chooseView(SafeguardWorkspace::ActionTakenOption);
        QCOMPARE(editor()->text().trimmed(), QString::fromLatin1(text));
    }

    void typeOver(const QString &text)
    {
        editor()->selectAll();
        editor()->setFocus();
        QTest::keyClicks(editor(), text);
        QVERIFY(unsaved());
    }

    void save() { workspace()->command(SafeguardWorkspace::Command::Save).trigger(); }
};

const QByteArray kTheirs = "{\\rtf1\\ansi restored by another program\\par}";

} // namespace

class TestDiskChanges : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keepMineSavesOverTheirs();
    void loadTheirsShowsTheFile();
    void closingTheBoxSavesNothing();
    void unchangedFileSavesWithoutAsking();
    void nothingUnsavedShowsTheNewFile();
};

void TestDiskChanges::keepMineSavesOverTheirs()
{
    DiskChangeFixture fixture;
    fixture.showEntry("first");
    fixture.typeOver(QStringLiteral("mine"));
    QVERIFY(fixture.workbook.writeFile(QStringLiteral("Action0.Fil"), kTheirs));
    fixture.prompt->enqueueChoice(DiskChangeWatch::kKeepMine);
    fixture.save();
    QCOMPARE(fixture.prompt->choices.size(), 1);
    QCOMPARE(fixture.prompt->choices[0].title, DiskChangeWatch::kTitle);
    QCOMPARE(fixture.prompt->choices[0].captions,
             (QStringList{DiskChangeWatch::kKeepMine, DiskChangeWatch::kLoadTheirs}));
    QVERIFY(fixture.workbook.readFile(QStringLiteral("Action0.Fil")).contains("mine"));
    QVERIFY(!fixture.unsaved());

    // Saved, the file is ours again: the next save asks nothing.
    fixture.typeOver(QStringLiteral("mine again"));
    fixture.save();
    QCOMPARE(fixture.prompt->choices.size(), 1);
    QVERIFY(fixture.workbook.readFile(QStringLiteral("Action0.Fil")).contains("mine again"));
}

void TestDiskChanges::loadTheirsShowsTheFile()
{
    DiskChangeFixture fixture;
    fixture.showEntry("first");
    fixture.typeOver(QStringLiteral("mine"));
    QVERIFY(fixture.workbook.writeFile(QStringLiteral("Action0.Fil"), kTheirs));
    fixture.prompt->enqueueChoice(DiskChangeWatch::kLoadTheirs);
    fixture.save();
    QCOMPARE(fixture.workbook.readFile(QStringLiteral("Action0.Fil")), kTheirs);
    QCOMPARE(fixture.editor()->text().trimmed(), QStringLiteral("restored by another program"));
    QVERIFY(!fixture.unsaved());
}

void TestDiskChanges::closingTheBoxSavesNothing()
{
    DiskChangeFixture fixture;
    fixture.showEntry("first");
    fixture.typeOver(QStringLiteral("mine"));
    QVERIFY(fixture.workbook.writeFile(QStringLiteral("Action0.Fil"), kTheirs));
    fixture.prompt->enqueueClose();
    fixture.save();
    QCOMPARE(fixture.workbook.readFile(QStringLiteral("Action0.Fil")), kTheirs);
    QVERIFY(fixture.unsaved());
    QCOMPARE(fixture.editor()->text().trimmed(), QStringLiteral("mine"));
}

void TestDiskChanges::unchangedFileSavesWithoutAsking()
{
    DiskChangeFixture fixture;
    fixture.showEntry("first");
    fixture.typeOver(QStringLiteral("mine"));
    // Touched but not changed (a backup program reading it, a copy of the
    // same bytes) is no change.
    QVERIFY(fixture.workbook.writeFile(QStringLiteral("Action0.Fil"), "{\\rtf1\\ansi first\\par}"));
    fixture.save();
    QVERIFY(fixture.prompt->choices.isEmpty());
    QVERIFY(fixture.workbook.readFile(QStringLiteral("Action0.Fil")).contains("mine"));
}

void TestDiskChanges::nothingUnsavedShowsTheNewFile()
{
    DiskChangeFixture fixture;
    fixture.showEntry("first");
    QVERIFY(!fixture.unsaved());
    QVERIFY(fixture.workbook.writeFile(QStringLiteral("Action0.Fil"), kTheirs));
    QTRY_COMPARE_WITH_TIMEOUT(fixture.editor()->text().trimmed(), QStringLiteral("restored by another program"), 20000);
    QVERIFY(!fixture.unsaved());
    QVERIFY(fixture.prompt->choices.isEmpty());
}

QTEST_MAIN(TestDiskChanges)
#include "tst_diskchanges.moc"
