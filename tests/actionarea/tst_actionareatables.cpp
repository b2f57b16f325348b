// The fixed tables of the Action Area: which template each entry gets and
// which Options entries each WorkMode shows and enables.
#include "actionarea/entrytemplates.h"
#include "actionarea/optionstable.h"

#include <QTest>

using Entry = OptionsTable::Entry;

class TestActionAreaTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void templateNumbers_data();
    void templateNumbers();
    void everySafeguardOutsideTheOverviewsHasItsOwnTemplate();
    void optionsStates_data();
    void optionsStates();
};

void TestActionAreaTables::templateNumbers_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("safeguardNo");
    QTest::addColumn<int>("expected"); // -1: no template

    QTest::newRow("Risk Analysis") << 2 << 0 << 14;
    QTest::newRow("last Administrative") << 2 << 22 << 36;
    QTest::newRow("first Physical") << 3 << 23 << 37;
    QTest::newRow("last Physical") << 3 << 32 << 46;
    QTest::newRow("first Technical") << 4 << 33 << 47;
    QTest::newRow("last Technical") << 4 << 41 << 55;
    QTest::newRow("Organizational overview") << 5 << 42 << -1;
    QTest::newRow("Organizational button 1") << 5 << 43 << 61;
    QTest::newRow("Organizational button 2") << 5 << 44 << 62;
    QTest::newRow("Documentation overview") << 6 << 45 << -1;
    QTest::newRow("Documentation") << 6 << 46 << 63;
    QTest::newRow("worksheet") << 7 << -1 << 59;
    QTest::newRow("disaster recovery plan") << 8 << -1 << 60;
    QTest::newRow("sample (Password Management's)") << 9 << 14 << 28;
    QTest::newRow("standards grid") << 0 << 0 << -1;
    QTest::newRow("timeline") << 1 << 0 << -1;
    QTest::newRow("outside the catalogue") << 2 << 47 << -1;
}

void TestActionAreaTables::templateNumbers()
{
    QFETCH(int, mode);
    QFETCH(int, safeguardNo);
    QFETCH(int, expected);
    const std::optional<int> number = EntryTemplates::templateNumber(workModeFromInt(mode), safeguardNo);
    QCOMPARE(number.value_or(-1), expected);
    if (number)
        QCOMPARE(EntryTemplates::templateFileName(*number), QStringLiteral("Misc%1.Fl1").arg(expected));
}

void TestActionAreaTables::everySafeguardOutsideTheOverviewsHasItsOwnTemplate()
{
    QSet<int> seen;
    for (int no = 0; no <= 46; ++no) {
        const int mode = no < 23 ? 2 : no < 33 ? 3 : no < 42 ? 4 : no < 45 ? 5 : 6;
        const std::optional<int> number = EntryTemplates::templateNumber(workModeFromInt(mode), no);
        QCOMPARE(number.has_value(), no != 42 && no != 45);
        if (!number)
            continue;
        QVERIFY2(!seen.contains(*number), qPrintable(QStringLiteral("template %1 shared").arg(*number)));
        QVERIFY(*number != 59 && *number != 60);
        seen.insert(*number);
    }
}

void TestActionAreaTables::optionsStates_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("visible"); // -1 untouched, 0 hidden, 1 shown
    QTest::addColumn<int>("enabled");

    QTest::newRow("grid background, standards") << Entry::GridBackgroundSelector << 0 << 1 << -1;
    QTest::newRow("grid background, sample") << Entry::GridBackgroundSelector << 9 << 0 << -1;
    QTest::newRow("copy, timeline") << Entry::CopyToClipboard << 1 << 0 << -1;
    QTest::newRow("copy, recovery plan") << Entry::CopyToClipboard << 8 << 1 << -1;
    QTest::newRow("spell check, safeguards") << Entry::SpellCheck << 4 << 1 << -1;
    QTest::newRow("spell check, timeline") << Entry::SpellCheck << 1 << 1 << 1;
    QTest::newRow("thesaurus, worksheets") << Entry::Thesaurus << 7 << 1 << 0;
    QTest::newRow("font select, recovery plan") << Entry::FontSelect << 8 << 1 << 1;
    QTest::newRow("insert row, timeline") << Entry::InsertRow << 1 << 1 << -1;
    QTest::newRow("clear grid, standards") << Entry::ClearGrid << 0 << 0 << -1;
    QTest::newRow("print, standards") << Entry::Print << 0 << -1 << 1;
    QTest::newRow("print, sample") << Entry::Print << 9 << -1 << 0;
    QTest::newRow("print, worksheets") << Entry::Print << 7 << -1 << 0;
    QTest::newRow("save, timeline") << Entry::Save << 1 << 0 << 0;
    QTest::newRow("save, safeguards") << Entry::Save << 2 << 1 << -1;
    QTest::newRow("save, worksheets") << Entry::Save << 7 << 1 << 0;
    QTest::newRow("save, recovery plan") << Entry::Save << 8 << 1 << 1;
    QTest::newRow("worksheet title, worksheets") << Entry::ChangeWorksheetButtonTitle << 7 << 1 << -1;
    QTest::newRow("worksheet title, sample") << Entry::ChangeWorksheetButtonTitle << 9 << 0 << -1;
    QTest::newRow("save, risk register (its own buttons)") << Entry::Save << 10 << 0 << 0;
    QTest::newRow("print, risk register") << Entry::Print << 10 << -1 << 1;
    QTest::newRow("spell check, risk register") << Entry::SpellCheck << 10 << 0 << 0;
    QTest::newRow("no such mode") << Entry::Save << 11 << -1 << -1;
}

void TestActionAreaTables::optionsStates()
{
    QFETCH(Entry, entry);
    QFETCH(int, mode);
    QFETCH(int, visible);
    QFETCH(int, enabled);
    const OptionsTable::EntryState state = OptionsTable::stateFor(entry, workModeFromInt(mode));
    QCOMPARE(state.visible ? int(*state.visible) : -1, visible);
    QCOMPARE(state.enabled ? int(*state.enabled) : -1, enabled);
}

QTEST_MAIN(TestActionAreaTables)
#include "tst_actionareatables.moc"
