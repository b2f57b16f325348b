#include "catalogue/safeguardcatalogue.h"

#include <QtTest>

using namespace Catalogue;

Q_DECLARE_METATYPE(Catalogue::SafeguardGroup)

class TestSafeguardCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsAreNumberedByGroupOffsetAndButton_data();
    void rowsAreNumberedByGroupOffsetAndButton();
    void designationMatchesSpecificationEnding();
    void groupsCoverTheCatalogueWithoutGaps();
    void lookups_data();
    void lookups();
    void buttonIndexOutsideGroupHasNoSafeguard();
    void headingLines_data();
    void headingLines();
    void captionsShowDoubleAmpersandAsOne();
    void windowCaption_data();
    void windowCaption();
    void sampleEntry();
};

void TestSafeguardCatalogue::rowsAreNumberedByGroupOffsetAndButton_data()
{
    QTest::addColumn<int>("no");
    for (const Safeguard &row : safeguards())
        QTest::addRow("%d %s", row.no, row.fullName) << row.no;
}

void TestSafeguardCatalogue::rowsAreNumberedByGroupOffsetAndButton()
{
    QFETCH(int, no);
    const Safeguard &row = safeguardAt(no);
    QCOMPARE(row.no, no);
    QCOMPARE(safeguardNo(row.group, row.buttonIndex), no);
    QCOMPARE(groupInfo(row.group).firstSafeguardNo + row.buttonIndex, no);
    QCOMPARE(statusRecordNo(no), no + 1);
    QCOMPARE(entryFileName(EntryKind::ActionTaken, no), QStringLiteral("Action%1.Fil").arg(no));
    QCOMPARE(entryFileName(EntryKind::CommentsNotes, no), QStringLiteral("Comment%1.Fil").arg(no));
    QCOMPARE(entryFileName(EntryKind::PoliciesProcedures, no), QStringLiteral("Policy%1.Fil").arg(no));
    QVERIFY(qstrlen(row.buttonCaption) > 0);
    QVERIFY(qstrlen(row.fullName) > 0);
    QCOMPARE(isOverview(no), qstrlen(row.standard) == 0);
}

void TestSafeguardCatalogue::designationMatchesSpecificationEnding()
{
    for (const Safeguard &row : safeguards()) {
        const QString specification = QLatin1String(row.specification);
        Designation expected = Designation::None;
        if (specification.endsWith(QLatin1String("(R)")))
            expected = Designation::Required;
        else if (specification.endsWith(QLatin1String("(A)")))
            expected = Designation::Addressable;
        QVERIFY2(row.designation == expected, row.fullName);
        QCOMPARE(row.designation == Designation::None, isOverview(row.no));
    }
}

void TestSafeguardCatalogue::groupsCoverTheCatalogueWithoutGaps()
{
    int next = 0;
    int workMode = 2;
    for (const GroupInfo &group : groups()) {
        QCOMPARE(group.firstSafeguardNo, next);
        QCOMPARE(int(group.workMode), workMode++);
        for (int button = 0; button < group.buttonCount; ++button) {
            const Safeguard &row = safeguardAt(next + button);
            QVERIFY(row.group == group.group);
            QCOMPARE(row.buttonIndex, button);
        }
        next += group.buttonCount;
    }
    QCOMPARE(next, SafeguardCount);
}

void TestSafeguardCatalogue::lookups_data()
{
    QTest::addColumn<SafeguardGroup>("group");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("no");
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("fullName");
    QTest::newRow("first Administrative") << SafeguardGroup::Administrative << 0 << 0 << 1 << "Risk Analysis";
    QTest::newRow("Physical button 0") << SafeguardGroup::Physical << 0 << 23 << 24 << "Contingency Operation";
    QTest::newRow("Automatic Logoff") << SafeguardGroup::Technical << 2 << 35 << 36 << "Automatic Logoff";
    QTest::newRow("Organizational overview")
        << SafeguardGroup::Organizational << 0 << 42 << 43 << "Organizational Requirements Overview";
    QTest::newRow("Documentation overview") << SafeguardGroup::Documentation << 0 << 45 << 46
                                            << "Policies and Procedures and Documentation Requirements Overview";
    QTest::newRow("Documentation") << SafeguardGroup::Documentation << 1 << 46 << 47 << "Documentation";
}

void TestSafeguardCatalogue::lookups()
{
    QFETCH(SafeguardGroup, group);
    QFETCH(int, button);
    QFETCH(int, no);
    QFETCH(int, record);
    QFETCH(QString, fullName);
    QCOMPARE(safeguardNo(group, button), no);
    QCOMPARE(statusRecordNo(no), record);
    QCOMPARE(QLatin1String(safeguardAt(no).fullName), fullName);
}

void TestSafeguardCatalogue::buttonIndexOutsideGroupHasNoSafeguard()
{
    QCOMPARE(safeguardNo(SafeguardGroup::Physical, 10), -1);
    QCOMPARE(safeguardNo(SafeguardGroup::Documentation, -1), -1);
    QVERIFY(!isValidSafeguardNo(47));
    QVERIFY(!isValidSafeguardNo(-1));
    QCOMPARE(entryFileName(EntryKind::ActionTaken, 23), QStringLiteral("Action23.Fil"));
    QCOMPARE(entryFileName(EntryKind::PoliciesProcedures, 46), QStringLiteral("Policy46.Fil"));
}

void TestSafeguardCatalogue::headingLines_data()
{
    QTest::addColumn<int>("no");
    QTest::addColumn<QString>("standard");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("specification");
    QTest::newRow("corrected spelling") << 0 << " Standard: Security Management Process"
                                           << " Section: 164.308(a)(1)" << " Specification: Risk Analysis (R)";
    QTest::newRow("no blank before (R)") << 8 << " Standard: Information Access Management"
                                         << " Section: 164.308(a)(4)"
                                         << " Specification: Isolating Health care Clearinghouse Function(R)";
    QTest::newRow("capital B and &&") << 22 << " Standard: Business Associate Contacts & Other Arrangements"
                                      << " Section: 164.308(B)(1)"
                                      << " Specification: Written Contract or Other Arrangements (R)";
    QTest::newRow("&& in specification") << 25 << " Standard: Facility Access Controls" << " Section: 164.310(a)(1)"
                                         << " Specification: Access Control & Validation Procedures (A)";
    QTest::newRow("Ingerity") << 38 << " Standard: Ingerity" << " Section: 164.312(c)(1)"
                              << " Specification: Mechanism to Authenticate Electronic PHI (A)";
    QTest::newRow("Organizational overview")
        << 42 << " Organizational Requirements Overview" << " Section 164.314" << "";
    QTest::newRow("Documentation overview")
        << 45 << " Policies and Procedures and Documentation Requirements" << " Section 164.316" << "";
    QTest::newRow("overview left behind") << 43 << " Standard: Business associate contracts or other arrangements"
                                          << " Section: 164.314(a)(1)"
                                          << " Specification: Business associate contracts or other ... (R)";
}

void TestSafeguardCatalogue::headingLines()
{
    QFETCH(int, no);
    const HeadingLines lines = Catalogue::headingLines(no);
    QTEST(lines.standard, "standard");
    QTEST(lines.section, "section");
    QTEST(lines.specification, "specification");
}

void TestSafeguardCatalogue::captionsShowDoubleAmpersandAsOne()
{
    QCOMPARE(QLatin1String(safeguardAt(25).specification),
             QLatin1String("Access Control && Validation Procedures (A)"));
    QCOMPARE(displayText(QString::fromLatin1(safeguardAt(15).buttonCaption)), QStringLiteral("Resp. & Report."));
    QCOMPARE(displayText(QString::fromLatin1(safeguardAt(19).buttonCaption)), QStringLiteral("Testing & Revision"));
    QCOMPARE(displayText(QStringLiteral("A &&&& B")), QStringLiteral("A && B"));
}

void TestSafeguardCatalogue::windowCaption_data()
{
    QTest::addColumn<int>("no");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Emergency Mode")
        << 18 << "Action Area - Administrative Safeguards - Emergency Mode Operation Plan";
    QTest::newRow("Organizational base keeps its own caption")
        << 43 << "Action Area - Organization Requirements - Business associate contracts or other arrangements Standard";
    QTest::newRow("Documentation base keeps its own caption")
        << 46 << "Action Area - Policies and Procedures... - Documentation";
}

void TestSafeguardCatalogue::windowCaption()
{
    QFETCH(int, no);
    QTEST(Catalogue::windowCaption(no), "caption");
}

void TestSafeguardCatalogue::sampleEntry()
{
    const HeadingLines lines = Sample::headingLines();
    QCOMPARE(lines.standard, QStringLiteral(" Standard: Security Awareness and Training"));
    QCOMPARE(lines.section, QStringLiteral(" Section: 164.308(a)(5)"));
    QCOMPARE(lines.specification, QStringLiteral(" Specification: Password Management (A)"));
    QCOMPARE(QLatin1String(safeguardAt(Sample::SafeguardNo).fullName), QLatin1String("Password Management"));
    QCOMPARE(Sample::entryFileName(EntryKind::ActionTaken), QStringLiteral("SampleAct.Dat"));
    QCOMPARE(Sample::entryFileName(EntryKind::CommentsNotes), QStringLiteral("SampleCom.Dat"));
    QCOMPARE(Sample::entryFileName(EntryKind::PoliciesProcedures), QStringLiteral("SamplePol.Dat"));
}

QTEST_GUILESS_MAIN(TestSafeguardCatalogue)
#include "tst_safeguardcatalogue.moc"
