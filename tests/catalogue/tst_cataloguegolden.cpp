// The whole catalogue against a fixed copy of it: every row's numbers,
// captions, headings, designation and file names, and the highlight term of
// each of its three reference texts. A slip in any one of the 47 rows (a
// caption "corrected", a number shifted, a term that no longer matches its
// text) shows here by row.
#include "catalogue/highlight.h"
#include "catalogue/referencetexts.h"
#include "catalogue/safeguardcatalogue.h"

#include <QtTest>

using namespace Catalogue;
using Reference::ReferenceKind;

namespace {

constexpr SafeguardGroup Administrative = SafeguardGroup::Administrative;
constexpr SafeguardGroup Physical = SafeguardGroup::Physical;
constexpr SafeguardGroup Technical = SafeguardGroup::Technical;
constexpr SafeguardGroup Organizational = SafeguardGroup::Organizational;
constexpr SafeguardGroup Documentation = SafeguardGroup::Documentation;

struct GoldenRow
{
    int no;
    int statusRecord;
    SafeguardGroup group;
    int button;
    const char *buttonCaption;
    const char *fullName;
    const char *standard;
    const char *section;
    const char *specification;
    const char *designation; // "R", "A" or "" for the overview rows
    const char *actionFile;
    const char *commentFile;
    const char *policyFile;
    const char *referencesFile; // References in Rule shipped as a file, or ""
    const char *guidanceFile;   // Additional Information shipped as a file, or ""
    const char *term;           // Implementation Specification and References in Rule
    const char *guidanceTerm;   // Additional Information
};

// Texts exactly as the program holds them, its own spellings included
// (the misspelt standard names shown on screen were corrected in 2026).
const GoldenRow kGolden[SafeguardCount] = {
    {0, 1, Administrative, 0, "Risk Analysis", "Risk Analysis",
     "Security Management Process", "164.308(a)(1)", "Risk Analysis (R)", "R",
     "Action0.Fil", "Comment0.Fil", "Policy0.Fil", "RefRA1.Dat", "",
     "Risk Analysis", "Risk Analysis"},
    {1, 2, Administrative, 1, "Risk Management", "Risk Management",
     "Security Management Process", "164.308(a)(1)", "Risk Management (R)", "R",
     "Action1.Fil", "Comment1.Fil", "Policy1.Fil", "RefRM1.Dat", "",
     "Risk Management", "Risk Management"},
    {2, 3, Administrative, 2, "Sanction Policy", "Sanction Policy",
     "Security Management Process", "164.308(a)(1)", "Sanction Policy (R)", "R",
     "Action2.Fil", "Comment2.Fil", "Policy2.Fil", "RefSC1.Dat", "",
     "Sanction Policy", "Sanctions"},
    {3, 4, Administrative, 3, "Information System...", "Information System Activity Review",
     "Security Management Process", "164.308(a)(1)", "Information System Activity Review (R)", "R",
     "Action3.Fil", "Comment3.Fil", "Policy3.Fil", "", "",
     "Information System Activity Review", "Activity Review"},
    {4, 5, Administrative, 4, "Assigned Security...", "Assigned Security Responsibility",
     "Assigned Security Responsibility", "164.308(a)(2)", "Assigned Security Responsibility (R)", "R",
     "Action4.Fil", "Comment4.Fil", "Policy4.Fil", "", "",
     "Assigned Security Responsibility", "Responsibility"},
    {5, 6, Administrative, 5, "Authorization...", "Authorization and/or Supervision",
     "Workforce Security", "164.308(a)(3)", "Authorization and/or Supervision (A)", "A",
     "Action5.Fil", "Comment5.Fil", "Policy5.Fil", "", "",
     "Authorization and/or Supervision", "Authorization"},
    {6, 7, Administrative, 6, "Workforce Clearance", "Workforce Clearance Procedure",
     "Workforce Security", "164.308(a)(3)", "Workforce Clearance Procedure (A)", "A",
     "Action6.Fil", "Comment6.Fil", "Policy6.Fil", "", "",
     "Workforce Clearance Procedure", "Workforce Clearance Procedures"},
    {7, 8, Administrative, 7, "Termination Proc.", "Termination Procedures",
     "Workforce Security", "164.308(a)(3)", "Termination Procedures (A)", "A",
     "Action7.Fil", "Comment7.Fil", "Policy7.Fil", "RefTM1.Dat", "",
     "Termination Procedures", "Termination Procedures"},
    {8, 9, Administrative, 8, "Isolating C. H.", "Isolating Health Care Clearing House Function",
     "Information Access Management", "164.308(a)(4)", "Isolating Health care Clearinghouse Function(R)", "R",
     "Action8.Fil", "Comment8.Fil", "Policy8.Fil", "", "",
     "Isolating health care clearinghouse functions", "clearinghouse"},
    {9, 10, Administrative, 9, "Access Auth..", "Access Authorization",
     "Information Access Management", "164.308(a)(4)", "Access Authorization (A)", "A",
     "Action9.Fil", "Comment9.Fil", "Policy9.Fil", "RefAA1.Dat", "",
     "Access Authorization", "Access"},
    {10, 11, Administrative, 10, "Access Est..", "Access Establishment and Modification",
     "Information Access Management", "164.308(a)(4)", "Access Establishment and Modification (A)", "A",
     "Action10.Fil", "Comment10.Fil", "Policy10.Fil", "RefAE1.Dat", "",
     "Access Establishment and Modification", "access"},
    {11, 12, Administrative, 11, "Security Rem..", "Security Reminders",
     "Security Awareness and Testing", "164.308(a)(5)", "Security Reminders (A)", "A",
     "Action11.Fil", "Comment11.Fil", "Policy11.Fil", "", "",
     "Security Reminders", "security reminders"},
    {12, 13, Administrative, 12, "Protection fr..", "Protection from Malicious Software",
     "Security Awareness and Testing", "164.308(a)(5)", "Protection from Malicious Software (A)", "A",
     "Action12.Fil", "Comment12.Fil", "Policy12.Fil", "", "",
     "Protection from malicious software", "malicious software"},
    {13, 14, Administrative, 13, "Log-in Monitoring", "Log-in Monitoring",
     "Security Awareness and Testing", "164.308(a)(5)", "Log-in Monitoring (A)", "A",
     "Action13.Fil", "Comment13.Fil", "Policy13.Fil", "", "",
     "Log-in monitoring", "monitoring Log-in"},
    {14, 15, Administrative, 14, "Password Man..", "Password Management",
     "Security Awareness and Testing", "164.308(a)(5)", "Password Management (A)", "A",
     "Action14.Fil", "Comment14.Fil", "Policy14.Fil", "", "",
     "Password management", "Passwords"},
    {15, 16, Administrative, 15, "Resp. && Report.", "Response and Reporting",
     "Security Incident Procedures", "164.308(a)(6)", "Response and Reporting (R)", "R",
     "Action15.Fil", "Comment15.Fil", "Policy15.Fil", "", "",
     "Response and Reporting", "Report"},
    {16, 17, Administrative, 16, "Data Backup", "Data Backup Plan",
     "Contingency Plan", "164.308(a)(7)", "Data Backup Plan (R)", "R",
     "Action16.Fil", "Comment16.Fil", "Policy16.Fil", "", "",
     "Data backup plan", "backup"},
    {17, 18, Administrative, 17, "Disaster Recovery", "Disaster Recovery Plan",
     "Contingency Plan", "164.308(a)(7)", "Disaster Recovery Plan (R)", "R",
     "Action17.Fil", "Comment17.Fil", "Policy17.Fil", "", "",
     "Disaster recovery plan", "Disaster recovery plan"},
    {18, 19, Administrative, 18, "Emergency Mode", "Emergency Mode Operation Plan",
     "Contingency Plan", "164.308(a)(7)", "Emergency Mode Operation (R)", "R",
     "Action18.Fil", "Comment18.Fil", "Policy18.Fil", "", "",
     "Emergency mode operation plan", "Emergency mode"},
    {19, 20, Administrative, 19, "Testing && Revision", "Testing and Revision Procedure",
     "Contingency Plan", "164.308(a)(7)", "Testing and Revision Procedure (A)", "A",
     "Action19.Fil", "Comment19.Fil", "Policy19.Fil", "", "",
     "Testing and revision procedures", "Testing and revision"},
    {20, 21, Administrative, 20, "Applications..", "Applications and Data Criticality Analysis",
     "Contingency Plan", "164.308(a)(7)", "Applications and Data Criticality Analysis (A)", "A",
     "Action20.Fil", "Comment20.Fil", "Policy20.Fil", "", "",
     "Applications and data criticality analysis", "criticality"},
    {21, 22, Administrative, 21, "Evaluation", "Evaluation",
     "Evaluation", "164.308(a)(8)", "Evaluation (R)", "R",
     "Action21.Fil", "Comment21.Fil", "Policy21.Fil", "RefEV1.Dat", "",
     "Evaluation", "Evaluation"},
    {22, 23, Administrative, 22, "Business Assoc..", "Business Associate Contracts And Other Arrangements",
     "Business Associate Contacts && Other Arrangements", "164.308(B)(1)", "Written Contract or Other Arrangements (R)", "R",
     "Action22.Fil", "Comment22.Fil", "Policy22.Fil", "", "",
     "Written Contract or Other Arrangement", "business associates"},
    {23, 24, Physical, 0, "Contingency Operation", "Contingency Operation",
     "Facility Access Controls", "164.310(a)(1)", "Contingency Operation (A)", "A",
     "Action23.Fil", "Comment23.Fil", "Policy23.Fil", "", "",
     "Contingency Operations", "contingency"},
    {24, 25, Physical, 1, "Facility Security Plan", "Facility Security Plan",
     "Facility Access Controls", "164.310(a)(1)", "Facility Security Plan (A)", "A",
     "Action24.Fil", "Comment24.Fil", "Policy24.Fil", "RefFS1.Dat", "",
     "Facility Security Plan", "facility and the equipment"},
    {25, 26, Physical, 2, "Access Control and Validation", "Access Control and Validation",
     "Facility Access Controls", "164.310(a)(1)", "Access Control && Validation Procedures (A)", "A",
     "Action25.Fil", "Comment25.Fil", "Policy25.Fil", "", "",
     "Access control and validation procedures", "access"},
    {26, 27, Physical, 3, "Maintenance Records", "Maintenance Records",
     "Facility Access Controls", "164.310(a)(1)", "Maintenance Records (A)", "A",
     "Action26.Fil", "Comment26.Fil", "Policy26.Fil", "", "",
     "Maintenance records", "maintenance records"},
    {27, 28, Physical, 4, "Workstation Use", "Workstation Use",
     "Workstation Use", "164.310(b)", "Workstation Use (R)", "R",
     "Action27.Fil", "Comment27.Fil", "Policy27.Fil", "RefWU1.Dat", "",
     "Workstation use", "Workstation Use"},
    {28, 29, Physical, 5, "Workstation Security", "Workstation Security",
     "Workstation Security", "164.310(c)", "Workstation Security (R)", "R",
     "Action28.Fil", "Comment28.Fil", "Policy28.Fil", "", "",
     "Workstation security", "Workstation Security"},
    {29, 30, Physical, 6, "Disposal", "Disposal",
     "Device and Media Controls", "164.310(d)(1)", "Disposal (R)", "R",
     "Action29.Fil", "Comment29.Fil", "Policy29.Fil", "", "",
     "Disposal", "disposal"},
    {30, 31, Physical, 7, "Media Re-use", "Media Re-use",
     "Device and Media Controls", "164.310(d)(1)", "Media Re-use (R)", "R",
     "Action30.Fil", "Comment30.Fil", "Policy30.Fil", "", "",
     "Media re-use", "media re-use"},
    {31, 32, Physical, 8, "Accountability", "Accountability",
     "Device and Media Controls", "164.310(d)(1)", "Accountability (A)", "A",
     "Action31.Fil", "Comment31.Fil", "Policy31.Fil", "", "",
     "Accountability", "Accountability"},
    {32, 33, Physical, 9, "Data Backup and Storage", "Data Backup and Storage",
     "Device and Media Controls", "164.310(d)(1)", "Data Backup and Storage (A)", "A",
     "Action32.Fil", "Comment32.Fil", "Policy32.Fil", "", "",
     "Data backup and storage", "create"},
    {33, 34, Technical, 0, "Unique User Identification", "Unique User Identification",
     "Access Controls", "164.312(a)(1)", "Unique User Identification (R)", "R",
     "Action33.Fil", "Comment33.Fil", "Policy33.Fil", "", "",
     "Unique user identification", "unique name"},
    {34, 35, Technical, 1, "Emergency Access Procedure", "Emergency Access Procedure",
     "Access Controls", "164.312(a)(1)", "Emergency Access Procedure (R)", "R",
     "Action34.Fil", "Comment34.Fil", "Policy34.Fil", "", "",
     "Emergency access procedure", "obtaining necessary ePHI during an emergency"},
    {35, 36, Technical, 2, "Automatic Logoff", "Automatic Logoff",
     "Access Controls", "164.312(a)(1)", "Automatic Logoff (A)", "A",
     "Action35.Fil", "Comment35.Fil", "Policy35.Fil", "", "",
     "Automatic logoff", "electronic procedures"},
    {36, 37, Technical, 3, "Encryption and Decryption", "Encryption and Decryption",
     "Access Controls", "164.312(a)(1)", "Encryption and Decryption (A)", "A",
     "Action36.Fil", "Comment36.Fil", "Policy36.Fil", "", "",
     "Encryption and decryption", "encrypt and decrypt"},
    {37, 38, Technical, 4, "Audit Controls", "Audit Controls",
     "Audit Controls", "164.312(b)", "Audit Controls (R)", "R",
     "Action37.Fil", "Comment37.Fil", "Policy37.Fil", "", "",
     "Audit controls", "Audit"},
    {38, 39, Technical, 5, "Mechanism to Authenticate Electronic PHI", "Mechanism to Authenticate Electronic PHI",
     "Ingerity", "164.312(c)(1)", "Mechanism to Authenticate Electronic PHI (A)", "A",
     "Action38.Fil", "Comment38.Fil", "Policy38.Fil", "", "",
     "Mechanism to authenticate electronic protected health information", "integrity"},
    {39, 40, Technical, 6, "Person or entity Authentication", "Person or entity Authentication",
     "Person or Entity Authentication", "164.312(d)", "Person or Entity Authentication (R)", "R",
     "Action39.Fil", "Comment39.Fil", "Policy39.Fil", "", "",
     "Person or entity authentication", "Person or entity authentication"},
    {40, 41, Technical, 7, "Integrity Controls", "Integrity Controls",
     "Transmission Security", "164.312(e)(1)", "Integrity Controls (A)", "A",
     "Action40.Fil", "Comment40.Fil", "Policy40.Fil", "", "",
     "Integrity controls", "integrity controls"},
    {41, 42, Technical, 8, "Encryption", "Encryption",
     "Transmission Security", "164.312(e)(1)", "Encryption (A)", "A",
     "Action41.Fil", "Comment41.Fil", "Policy41.Fil", "RefEnc1.Dat", "",
     "Encryption", "Encrypt"},
    {42, 43, Organizational, 0, "Organizational Requirements Overview", "Organizational Requirements Overview",
     "", "", "", "",
     "Action42.Fil", "Comment42.Fil", "Policy42.Fil", "OrgReq1.Dat", "",
     "", ""},
    {43, 44, Organizational, 1, "Business associate contracts or other arrangements Standard", "Business associate contracts or other arrangements Standard",
     "Business associate contracts or other arrangements", "164.314(a)(1)", "Business associate contracts or other ... (R)", "R",
     "Action43.Fil", "Comment43.Fil", "Policy43.Fil", "OrgRef2.Dat", "",
     "Business associate", "business associate"},
    {44, 45, Organizational, 2, "Requirements for group health plans Standard", "Requirements for group health plans Standard",
     "Requirements for Health Group Plans", "164.314(b)(1)", "Requirements for Health Group Plans (R)", "R",
     "Action44.Fil", "Comment44.Fil", "Policy44.Fil", "", "",
     "Requirements for group health plans", "Group health plans"},
    {45, 46, Documentation, 0, "Policies and Procedures and Documentation Requirements Overview", "Policies and Procedures and Documentation Requirements Overview",
     "", "", "", "",
     "Action45.Fil", "Comment45.Fil", "Policy45.Fil", "PPReq1.Dat", "Addtl45.dat",
     "", ""},
    {46, 47, Documentation, 1, "Documentation", "Documentation",
     "Documentation", "164.316", "(R)", "R",
     "Action46.Fil", "Comment46.Fil", "Policy46.Fil", "PPReq1.Dat", "Addtl45.dat",
     "Documentation", ""},
};

QString designationOf(Designation designation)
{
    switch (designation) {
    case Designation::Required: return QStringLiteral("R");
    case Designation::Addressable: return QStringLiteral("A");
    case Designation::None: break;
    }
    return {};
}

} // namespace

class TestCatalogueGolden : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyRowAsHeld_data();
    void everyRowAsHeld();
    void highlightTermsAndTheTextsTheyMark_data() { everyRowAsHeld_data(); }
    void highlightTermsAndTheTextsTheyMark();
};

void TestCatalogueGolden::everyRowAsHeld_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < SafeguardCount; ++i)
        QTest::addRow("%d %s", kGolden[i].no, kGolden[i].fullName) << i;
}

void TestCatalogueGolden::everyRowAsHeld()
{
    QFETCH(int, index);
    const GoldenRow &golden = kGolden[index];
    QCOMPARE(safeguards().size(), size_t(SafeguardCount));
    const Safeguard &row = safeguards()[index];
    QCOMPARE(row.no, golden.no);
    QCOMPARE(statusRecordNo(row.no), golden.statusRecord);
    QCOMPARE(row.group, golden.group);
    QCOMPARE(row.buttonIndex, golden.button);
    QCOMPARE(safeguardNo(row.group, row.buttonIndex), golden.no);
    QCOMPARE(QLatin1String(row.buttonCaption), QLatin1String(golden.buttonCaption));
    QCOMPARE(QLatin1String(row.fullName), QLatin1String(golden.fullName));
    QCOMPARE(QLatin1String(row.standard), QLatin1String(golden.standard));
    QCOMPARE(QLatin1String(row.section), QLatin1String(golden.section));
    QCOMPARE(QLatin1String(row.specification), QLatin1String(golden.specification));
    QCOMPARE(designationOf(row.designation), QString::fromLatin1(golden.designation));
    QCOMPARE(isOverview(row.no), QByteArray(golden.designation).isEmpty());
    QCOMPARE(entryFileName(EntryKind::ActionTaken, row.no), QString::fromLatin1(golden.actionFile));
    QCOMPARE(entryFileName(EntryKind::CommentsNotes, row.no), QString::fromLatin1(golden.commentFile));
    QCOMPARE(entryFileName(EntryKind::PoliciesProcedures, row.no), QString::fromLatin1(golden.policyFile));
    QCOMPARE(Reference::contentFileName(ReferenceKind::ReferencesInRule, row.no),
             QString::fromLatin1(golden.referencesFile));
    QCOMPARE(Reference::contentFileName(ReferenceKind::AdditionalInformation, row.no),
             QString::fromLatin1(golden.guidanceFile));
    QCOMPARE(Reference::contentFileName(ReferenceKind::ImplementationSpecification, row.no), QString());
}

void TestCatalogueGolden::highlightTermsAndTheTextsTheyMark()
{
    QFETCH(int, index);
    const GoldenRow &golden = kGolden[index];
    const struct
    {
        ReferenceKind kind;
        const char *term;
    } texts[] = {
        {ReferenceKind::ImplementationSpecification, golden.term},
        {ReferenceKind::ReferencesInRule, golden.term},
        {ReferenceKind::AdditionalInformation, golden.guidanceTerm},
    };
    for (const auto &[kind, term] : texts) {
        QCOMPARE(Reference::highlightTerm(kind, golden.no), QString::fromLatin1(term));
        // A composed text must contain its term, or nothing would be marked.
        const QString text = Reference::composedText(kind, golden.no);
        if (text.isEmpty() || !*term)
            continue;
        QVERIFY2(!Highlight::wholeWordOccurrences(text, QString::fromLatin1(term)).isEmpty(),
                 qPrintable(QStringLiteral("\"%1\" is not in the %2 text of row %3")
                                .arg(QLatin1String(term), Reference::headingLine(kind))
                                .arg(golden.no)));
    }
}

QTEST_APPLESS_MAIN(TestCatalogueGolden)
#include "tst_cataloguegolden.moc"
