#include "catalogue/safeguardcatalogue.h"

namespace Catalogue {
namespace {

using enum SafeguardGroup;
constexpr Designation R = Designation::Required;
constexpr Designation A = Designation::Addressable;
constexpr Designation None = Designation::None;

constexpr std::array<GroupInfo, GroupCount> Groups{{
    {Administrative, WorkMode::Administrative, "Administrative Safeguards", 23, 0},
    {Physical, WorkMode::Physical, "Physical Safeguards", 10, 23},
    {Technical, WorkMode::Technical, "Technical Safeguards", 9, 33},
    {Organizational, WorkMode::Organizational, "Organization Requirements", 3, 42},
    {Documentation, WorkMode::Documentation, "Policies and Procedures...", 2, 45},
}};

// One row per safeguard, in SafeguardNo order. These texts are only shown
// and printed, never written to a workbook file, so they may be corrected
// freely; the standards grid, the reports and the reference highlights
// carry their own variants and must not borrow these. What the workbook
// stores (the status words of Stat1.Fil, the worksheet titles of RAList.Fil)
// is kept byte for byte elsewhere.
constexpr std::array<Safeguard, SafeguardCount> Rows{{
    {0, Administrative, 0, "Risk Analysis", "Risk Analysis",
     "Security Management Process", "164.308(a)(1)", "Risk Analysis (R)", R},
    {1, Administrative, 1, "Risk Management", "Risk Management",
     "Security Management Process", "164.308(a)(1)", "Risk Management (R)", R},
    {2, Administrative, 2, "Sanction Policy", "Sanction Policy",
     "Security Management Process", "164.308(a)(1)", "Sanction Policy (R)", R},
    {3, Administrative, 3, "Information System...", "Information System Activity Review",
     "Security Management Process", "164.308(a)(1)", "Information System Activity Review (R)", R},
    {4, Administrative, 4, "Assigned Security...", "Assigned Security Responsibility",
     "Assigned Security Responsibility", "164.308(a)(2)", "Assigned Security Responsibility (R)", R},
    {5, Administrative, 5, "Authorization...", "Authorization and/or Supervision",
     "Workforce Security", "164.308(a)(3)", "Authorization and/or Supervision (A)", A},
    {6, Administrative, 6, "Workforce Clearance", "Workforce Clearance Procedure",
     "Workforce Security", "164.308(a)(3)", "Workforce Clearance Procedure (A)", A},
    {7, Administrative, 7, "Termination Proc.", "Termination Procedures",
     "Workforce Security", "164.308(a)(3)", "Termination Procedures (A)", A},
    {8, Administrative, 8, "Isolating C. H.", "Isolating Health Care Clearing House Function",
     "Information Access Management", "164.308(a)(4)", "Isolating Health care Clearinghouse Function(R)", R},
    {9, Administrative, 9, "Access Auth..", "Access Authorization",
     "Information Access Management", "164.308(a)(4)", "Access Authorization (A)", A},
    {10, Administrative, 10, "Access Est..", "Access Establishment and Modification",
     "Information Access Management", "164.308(a)(4)", "Access Establishment and Modification (A)", A},
    {11, Administrative, 11, "Security Rem..", "Security Reminders",
     "Security Awareness and Testing", "164.308(a)(5)", "Security Reminders (A)", A},
    {12, Administrative, 12, "Protection fr..", "Protection from Malicious Software",
     "Security Awareness and Testing", "164.308(a)(5)", "Protection from Malicious Software (A)", A},
    {13, Administrative, 13, "Log-in Monitoring", "Log-in Monitoring",
     "Security Awareness and Testing", "164.308(a)(5)", "Log-in Monitoring (A)", A},
    {14, Administrative, 14, "Password Man..", "Password Management",
     "Security Awareness and Testing", "164.308(a)(5)", "Password Management (A)", A},
    {15, Administrative, 15, "Resp. && Report.", "Response and Reporting",
     "Security Incident Procedures", "164.308(a)(6)", "Response and Reporting (R)", R},
    {16, Administrative, 16, "Data Backup", "Data Backup Plan",
     "Contingency Plan", "164.308(a)(7)", "Data Backup Plan (R)", R},
    {17, Administrative, 17, "Disaster Recovery", "Disaster Recovery Plan",
     "Contingency Plan", "164.308(a)(7)", "Disaster Recovery Plan (R)", R},
    {18, Administrative, 18, "Emergency Mode", "Emergency Mode Operation Plan",
     "Contingency Plan", "164.308(a)(7)", "Emergency Mode Operation (R)", R},
    {19, Administrative, 19, "Testing && Revision", "Testing and Revision Procedure",
     "Contingency Plan", "164.308(a)(7)", "Testing and Revision Procedure (A)", A},
    {20, Administrative, 20, "Applications..", "Applications and Data Criticality Analysis",
     "Contingency Plan", "164.308(a)(7)", "Applications and Data Criticality Analysis (A)", A},
    {21, Administrative, 21, "Evaluation", "Evaluation",
     "Evaluation", "164.308(a)(8)", "Evaluation (R)", R},
    {22, Administrative, 22, "Business Assoc..", "Business Associate Contracts And Other Arrangements",
     "Business Associate Contacts && Other Arrangements", "164.308(B)(1)",
     "Written Contract or Other Arrangements (R)", R},
    {23, Physical, 0, "Contingency Operation", "Contingency Operation",
     "Facility Access Controls", "164.310(a)(1)", "Contingency Operation (A)", A},
    {24, Physical, 1, "Facility Security Plan", "Facility Security Plan",
     "Facility Access Controls", "164.310(a)(1)", "Facility Security Plan (A)", A},
    {25, Physical, 2, "Access Control and Validation", "Access Control and Validation",
     "Facility Access Controls", "164.310(a)(1)", "Access Control && Validation Procedures (A)", A},
    {26, Physical, 3, "Maintenance Records", "Maintenance Records",
     "Facility Access Controls", "164.310(a)(1)", "Maintenance Records (A)", A},
    {27, Physical, 4, "Workstation Use", "Workstation Use",
     "Workstation Use", "164.310(b)", "Workstation Use (R)", R},
    {28, Physical, 5, "Workstation Security", "Workstation Security",
     "Workstation Security", "164.310(c)", "Workstation Security (R)", R},
    {29, Physical, 6, "Disposal", "Disposal",
     "Device and Media Controls", "164.310(d)(1)", "Disposal (R)", R},
    {30, Physical, 7, "Media Re-use", "Media Re-use",
     "Device and Media Controls", "164.310(d)(1)", "Media Re-use (R)", R},
    {31, Physical, 8, "Accountability", "Accountability",
     "Device and Media Controls", "164.310(d)(1)", "Accountability (A)", A},
    {32, Physical, 9, "Data Backup and Storage", "Data Backup and Storage",
     "Device and Media Controls", "164.310(d)(1)", "Data Backup and Storage (A)", A},
    {33, Technical, 0, "Unique User Identification", "Unique User Identification",
     "Access Controls", "164.312(a)(1)", "Unique User Identification (R)", R},
    {34, Technical, 1, "Emergency Access Procedure", "Emergency Access Procedure",
     "Access Controls", "164.312(a)(1)", "Emergency Access Procedure (R)", R},
    {35, Technical, 2, "Automatic Logoff", "Automatic Logoff",
     "Access Controls", "164.312(a)(1)", "Automatic Logoff (A)", A},
    {36, Technical, 3, "Encryption and Decryption", "Encryption and Decryption",
     "Access Controls", "164.312(a)(1)", "Encryption and Decryption (A)", A},
    {37, Technical, 4, "Audit Controls", "Audit Controls",
     "Audit Controls", "164.312(b)", "Audit Controls (R)", R},
    {38, Technical, 5, "Mechanism to Authenticate Electronic PHI", "Mechanism to Authenticate Electronic PHI",
     "Ingerity", "164.312(c)(1)", "Mechanism to Authenticate Electronic PHI (A)", A},
    {39, Technical, 6, "Person or entity Authentication", "Person or entity Authentication",
     "Person or Entity Authentication", "164.312(d)", "Person or Entity Authentication (R)", R},
    {40, Technical, 7, "Integrity Controls", "Integrity Controls",
     "Transmission Security", "164.312(e)(1)", "Integrity Controls (A)", A},
    {41, Technical, 8, "Encryption", "Encryption",
     "Transmission Security", "164.312(e)(1)", "Encryption (A)", A},
    {42, Organizational, 0, "Organizational Requirements Overview", "Organizational Requirements Overview",
     "", "", "", None},
    {43, Organizational, 1, "Business associate contracts or other arrangements Standard",
     "Business associate contracts or other arrangements Standard",
     "Business associate contracts or other arrangements", "164.314(a)(1)",
     "Business associate contracts or other ... (R)", R},
    {44, Organizational, 2, "Requirements for group health plans Standard",
     "Requirements for group health plans Standard",
     "Requirements for Health Group Plans", "164.314(b)(1)", "Requirements for Health Group Plans (R)", R},
    {45, Documentation, 0, "Policies and Procedures and Documentation Requirements Overview",
     "Policies and Procedures and Documentation Requirements Overview", "", "", "", None},
    {46, Documentation, 1, "Documentation", "Documentation",
     "Documentation", "164.316", "(R)", R},
}};

constexpr int OrganizationalOverviewNo = 42;
constexpr int DocumentationOverviewNo = 45;

} // namespace

std::span<const GroupInfo, GroupCount> groups()
{
    return Groups;
}

const GroupInfo &groupInfo(SafeguardGroup group)
{
    return Groups[static_cast<size_t>(group)];
}

std::span<const Safeguard, SafeguardCount> safeguards()
{
    return Rows;
}

int safeguardNo(SafeguardGroup group, int buttonIndex)
{
    const GroupInfo &info = groupInfo(group);
    if (buttonIndex < 0 || buttonIndex >= info.buttonCount)
        return -1;
    return info.firstSafeguardNo + buttonIndex;
}

int statusRecordNo(int safeguardNo)
{
    return safeguardNo + 1;
}

bool isValidSafeguardNo(int safeguardNo)
{
    return safeguardNo >= 0 && safeguardNo < SafeguardCount;
}

const Safeguard &safeguardAt(int safeguardNo)
{
    Q_ASSERT(isValidSafeguardNo(safeguardNo));
    return Rows[static_cast<size_t>(safeguardNo)];
}

QString entryFileName(EntryKind kind, int safeguardNo)
{
    QString prefix;
    switch (kind) {
    case EntryKind::ActionTaken: prefix = QStringLiteral("Action"); break;
    case EntryKind::CommentsNotes: prefix = QStringLiteral("Comment"); break;
    case EntryKind::PoliciesProcedures: prefix = QStringLiteral("Policy"); break;
    }
    return prefix + QString::number(safeguardNo) + QStringLiteral(".Fil");
}

bool isOverview(int safeguardNo)
{
    return safeguardNo == OrganizationalOverviewNo || safeguardNo == DocumentationOverviewNo;
}

QString displayText(const QString &caption)
{
    return QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

HeadingLines headingLines(int safeguardNo)
{
    if (safeguardNo == OrganizationalOverviewNo)
        return {QStringLiteral(" Organizational Requirements Overview"), QStringLiteral(" Section 164.314"), QString()};
    if (safeguardNo == DocumentationOverviewNo)
        return {QStringLiteral(" Policies and Procedures and Documentation Requirements"),
                QStringLiteral(" Section 164.316"), QString()};
    const Safeguard &row = safeguardAt(safeguardNo);
    const auto labelled = [](const char *label, const char *text) {
        return displayText(QLatin1String(label) + QLatin1String(text));
    };
    return {labelled(" Standard: ", row.standard), labelled(" Section: ", row.section),
            labelled(" Specification: ", row.specification)};
}

QString windowCaptionBase(SafeguardGroup group)
{
    return QStringLiteral("Action Area - ") + QLatin1String(groupInfo(group).navigationCaption);
}

QString windowCaption(int safeguardNo)
{
    const Safeguard &row = safeguardAt(safeguardNo);
    return windowCaptionBase(row.group) + QStringLiteral(" - ") + QLatin1String(row.fullName);
}

namespace Sample {

HeadingLines headingLines()
{
    return {QStringLiteral(" Standard: Security Awareness and Training"), QStringLiteral(" Section: 164.308(a)(5)"),
            QStringLiteral(" Specification: Password Management (A)")};
}

QString entryFileName(EntryKind kind)
{
    switch (kind) {
    case EntryKind::ActionTaken: return QStringLiteral("SampleAct.Dat");
    case EntryKind::CommentsNotes: return QStringLiteral("SampleCom.Dat");
    case EntryKind::PoliciesProcedures: return QStringLiteral("SamplePol.Dat");
    }
    return {};
}

} // namespace Sample
} // namespace Catalogue
