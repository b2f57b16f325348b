#include "clinicregister.h"

#include "risk/riskstore.h"

namespace ClinicRegister {

namespace {

struct AssetRow
{
    const char *name;
    AssetKind kind;
    const char *location;
    const char *owner;
    const char *ephi;
    int records;
    const char *flows;   // c r m t
    int associate;       // index into associates, -1 none
};

struct RiskRow
{
    int asset;           // index into assets, -1 organization-wide
    const char *threat;
    const char *vulnerability;
    const char *measures;
    int likelihood, impact;
    Treatment treatment;
    const char *planned;
    const char *owner;
    int dueInDays;       // relative to today; 0 none
    TreatmentStatus status;
    int residualLikelihood, residualImpact;
    QList<int> safeguards;
};

} // namespace

bool fill(RiskStore &store, const QDate &today)
{
    QString error;
    const char *associateNames[][4] = {
        {"Cloud EHR Inc.", "Hosted electronic health record", "All patient charts, schedules, billing", "support@cloudehr.example"},
        {"Bayside IT Services", "Managed IT support and backups", "Server and workstation contents during support", "Dana Ortiz, 555-0140"},
        {"ClearClaims LLC", "Claims clearinghouse", "Claims and remittance files", "edi@clearclaims.example"},
        {"SecureShred Co.", "Document and media destruction", "Paper records and old drives", "555-0199"},
    };
    QList<qint64> associateIds;
    for (int i = 0; i < 4; ++i) {
        BusinessAssociate b;
        b.name = QString::fromUtf8(associateNames[i][0]);
        b.service = QString::fromUtf8(associateNames[i][1]);
        b.ephi = QString::fromUtf8(associateNames[i][2]);
        b.contact = QString::fromUtf8(associateNames[i][3]);
        if (i != 3)
            b.baaSignedOn = today.addYears(-2).addDays(i * 40);
        b.baaReviewOn = i == 1 ? today.addDays(12) : today.addMonths(5 + i);
        if (!store.saveAssociate(b, &error))
            return false;
        associateIds << b.id;
    }
    const AssetRow assets[] = {
        {"Cloud EHR", AssetKind::Ehr, "Vendor data centre", "Dr. Maria Patel", "Charts, schedules, billing", 4200, "crmt", 0},
        {"Front desk PC 1", AssetKind::Workstation, "Reception", "Office manager", "Schedules, demographics", 0, "crt", -1},
        {"Front desk PC 2", AssetKind::Workstation, "Reception", "Office manager", "Schedules, demographics", 0, "crt", -1},
        {"Exam room tablet", AssetKind::Mobile, "Exam rooms 1-3", "Nurse lead", "Vitals, intake forms", 0, "cr", -1},
        {"Physician laptop", AssetKind::Laptop, "Travels with Dr. Patel", "Dr. Maria Patel", "Notes, exported reports", 300, "crm", -1},
        {"File server", AssetKind::Server, "Back office closet", "Bayside IT Services", "Scanned records, reports", 9000, "rm", 1},
        {"Backup drive", AssetKind::BackupMedia, "Office safe", "Office manager", "Nightly copy of the file server", 9000, "m", 1},
        {"Office email", AssetKind::Email, "Hosted mailbox", "Office manager", "Referrals, lab results", 0, "rt", -1},
        {"Wi-Fi router", AssetKind::NetworkDevice, "Back office closet", "Bayside IT Services", "Traffic in transit", 0, "t", 1},
        {"Claims portal", AssetKind::CloudService, "ClearClaims website", "Billing clerk", "Claims, remittances", 2500, "rt", 2},
        {"Scanner station", AssetKind::PaperToElectronic, "Back office", "Billing clerk", "Paper records being scanned", 0, "c", -1},
        {"USB stick (old)", AssetKind::RemovableMedia, "Desk drawer", "Office manager", "Unknown: found in 2024", 0, "m", -1},
    };
    QList<qint64> assetIds;
    for (const AssetRow &row : assets) {
        RiskAsset a;
        a.name = QString::fromUtf8(row.name);
        a.kind = row.kind;
        a.location = QString::fromUtf8(row.location);
        a.owner = QString::fromUtf8(row.owner);
        a.ephi = QString::fromUtf8(row.ephi);
        if (row.records)
            a.recordCount = row.records;
        const QString flows = QString::fromLatin1(row.flows);
        a.creates = flows.contains(QLatin1Char('c'));
        a.receives = flows.contains(QLatin1Char('r'));
        a.maintains = flows.contains(QLatin1Char('m'));
        a.transmits = flows.contains(QLatin1Char('t'));
        a.associateId = row.associate >= 0 ? associateIds.at(row.associate) : 0;
        a.retired = QByteArray(row.name).contains("old");
        if (!store.saveAsset(a, &error))
            return false;
        assetIds << a.id;
    }
    using T = Treatment;
    using S = TreatmentStatus;
    const RiskRow risks[] = {
        {0, "Vendor breach of the hosted EHR", "Agreement not reviewed since signing", "Signed BAA", 2, 5, T::Transfer, "Review the BAA and the vendor's security summary", "Dr. Maria Patel", 45, S::Open, 2, 4, {22, 43}},
        {0, "EHR outage stops patient visits", "No downtime procedure", "Vendor uptime commitment", 3, 4, T::Mitigate, "Write and rehearse a downtime procedure with printed forms", "Office manager", -10, S::InProgress, 2, 3, {18, 23}},
        {0, "Former staff keep EHR access", "No leaving checklist", "Manual account removal", 3, 4, T::Mitigate, "Leaving checklist covering every system", "Office manager", 20, S::Open, 1, 4, {7, 10}},
        {0, "Insider looks at records without a work reason", "Access logs never reviewed", "Role-based access in the EHR", 3, 3, T::Mitigate, "Monthly review of the EHR access report", "Dr. Maria Patel", 30, S::Open, 2, 3, {3, 37}},
        {1, "Ransomware on a front desk PC", "Staff open email attachments", "Antivirus", 4, 5, T::Mitigate, "Security awareness training and mail filtering", "Bayside IT Services", -3, S::InProgress, 2, 4, {11, 12}},
        {1, "Screen seen from the waiting room", "Screen faces the patients", "None", 4, 2, T::Mitigate, "Privacy filter and automatic lock after 5 minutes", "Office manager", 14, S::Open, 2, 2, {27, 35}},
        {2, "Shared front-desk log-in", "One account for both PCs", "None", 4, 3, T::Mitigate, "Individual accounts for every person", "Bayside IT Services", 7, S::Open, 2, 3, {14, 33}},
        {2, "Phishing steals a password", "No multi-factor sign-in", "Mail filtering", 4, 4, T::Mitigate, "Turn on multi-factor sign-in for email and EHR", "Bayside IT Services", 21, S::Open, 2, 4, {11, 39}},
        {3, "Tablet lost or stolen", "No remote wipe", "PIN lock", 3, 3, T::Mitigate, "Enrol tablets for remote wipe", "Nurse lead", 60, S::Open, 2, 2, {28, 36}},
        {4, "Laptop stolen from a car", "Disk not encrypted", "Password at start-up", 3, 5, T::Mitigate, "Full-disk encryption", "Dr. Maria Patel", -30, S::Open, 3, 2, {36, 31}},
        {4, "Laptop used on public Wi-Fi", "No VPN", "None", 3, 3, T::Mitigate, "VPN for all remote work", "Bayside IT Services", 40, S::Open, 2, 3, {41}},
        {5, "Server disk fails", "Single disk", "Nightly backup", 3, 4, T::Mitigate, "Mirrored disks", "Bayside IT Services", 90, S::Open, 2, 2, {16, 20}},
        {5, "Unpatched server exploited", "Updates by hand", "Firewall", 3, 4, T::Mitigate, "Automatic monthly patching", "Bayside IT Services", 30, S::Done, 2, 3, {12}},
        {5, "Fire or water leak in the closet", "Server below a water pipe", "Smoke alarm", 2, 5, T::Mitigate, "Move the server; off-site backup copy", "Office manager", 120, S::Open, 1, 4, {17, 23, 32}},
        {6, "Backup cannot be restored", "Restores never tested", "Nightly backup job", 3, 5, T::Mitigate, "Quarterly test restore with a written record", "Bayside IT Services", -5, S::Open, 1, 4, {16, 19}},
        {6, "Backup drive stolen", "Drive not encrypted", "Office safe", 2, 4, T::Mitigate, "Encrypted backup drive", "Office manager", 30, S::Open, 1, 3, {32, 36}},
        {7, "Email sent to the wrong recipient", "Autocomplete of addresses", "None", 4, 3, T::Mitigate, "Turn off autocomplete; encrypt outgoing ePHI", "Office manager", 10, S::Open, 3, 2, {41}},
        {7, "Email account taken over", "Password reused elsewhere", "None", 3, 4, T::Mitigate, "Multi-factor sign-in", "Bayside IT Services", 21, S::Open, 1, 4, {39, 14}},
        {8, "Outsiders join the Wi-Fi", "Guests share the staff network", "WPA2 password", 3, 3, T::Mitigate, "Separate guest network", "Bayside IT Services", 14, S::Done, 1, 3, {41}},
        {8, "Router firmware never updated", "No update schedule", "None", 2, 3, T::Accept, "", "", 0, S::Open, 2, 3, {26}},
        {9, "Clearinghouse breach", "No review of the BAA", "Signed BAA", 2, 4, T::Transfer, "Annual BAA review", "Billing clerk", 150, S::Open, 2, 3, {22}},
        {9, "Claims portal password shared", "One billing log-in", "None", 3, 3, T::Mitigate, "Individual portal accounts", "Billing clerk", 25, S::Open, 1, 3, {14, 33}},
        {10, "Scanned records saved to a shared folder", "Everyone can read the scan folder", "None", 3, 3, T::Mitigate, "Restrict the scan folder", "Bayside IT Services", 15, S::Open, 1, 3, {9}},
        {10, "Paper originals shredded before checking the scan", "No quality check", "None", 2, 2, T::Accept, "", "", 0, S::Open, 2, 2, {29}},
        {11, "Old USB stick with unknown contents lost", "Not encrypted", "Kept in a drawer", 3, 3, T::Avoid, "Wipe and destroy through SecureShred", "Office manager", 5, S::Open, 0, 0, {29, 30}},
        {-1, "No incident response procedure", "Staff do not know whom to tell", "None", 3, 4, T::Mitigate, "Write the procedure; train staff", "Office manager", 30, S::Open, 2, 3, {15}},
        {-1, "Policies out of date", "Not reviewed since 2019", "None", 4, 2, T::Mitigate, "Yearly policy review", "Dr. Maria Patel", 60, S::Open, 2, 2, {46, 21}},
        {-1, "Power failure", "No UPS", "None", 3, 2, T::Mitigate, "UPS for server and router", "Bayside IT Services", 45, S::Open, 1, 2, {18}},
        {-1, "Regional storm closes the office", "No alternate site", "Cloud EHR reachable from home", 1, 4, T::Accept, "", "", 0, S::Open, 1, 4, {17}},
        {-1, "Caller pretends to be a patient", "No caller verification", "None", 3, 2, T::Mitigate, "Verification questions at the front desk", "Office manager", 20, S::Open, 2, 2, {11}},
    };
    for (const RiskRow &row : risks) {
        Risk r;
        r.assetId = row.asset >= 0 ? assetIds.at(row.asset) : 0;
        r.threat = QString::fromUtf8(row.threat);
        r.vulnerability = QString::fromUtf8(row.vulnerability);
        r.currentMeasures = QString::fromUtf8(row.measures);
        r.likelihood = row.likelihood;
        r.impact = row.impact;
        r.treatment = row.treatment;
        r.plannedMeasures = QString::fromUtf8(row.planned);
        r.owner = QString::fromUtf8(row.owner);
        if (row.dueInDays)
            r.dueOn = today.addDays(row.dueInDays);
        r.status = row.status;
        r.residualLikelihood = row.residualLikelihood;
        r.residualImpact = row.residualImpact;
        r.safeguards = row.safeguards;
        r.identifiedOn = today.addMonths(-3);
        if (row.treatment == T::Accept) {
            r.acceptedBy = QStringLiteral("Dr. Maria Patel");
            r.acceptedOn = today.addMonths(-2);
        }
        if (!store.saveRisk(r, &error))
            return false;
    }
    AnalysisDetails d;
    d.scope = QStringLiteral("All electronic protected health information that Bayside Family Clinic creates, receives, "
                             "maintains or transmits: the hosted EHR, office computers and mobile devices, email, "
                             "backups, the claims portal and the scanning of paper records.");
    d.method = QStringLiteral("Assets inventoried with their owners; threats and vulnerabilities identified for each; "
                              "likelihood and impact rated on five levels and combined with the risk matrix.");
    d.preparedBy = QStringLiteral("Office manager (security official)");
    d.approvedBy = QStringLiteral("Dr. Maria Patel");
    d.approvedOn = today.addMonths(-13);
    d.lastFullReviewOn = today.addMonths(-13);
    return store.saveDetails(d, &error);
}

bool fillLarge(RiskStore &store, const QDate &today, int assetCount, int riskCount, int associateCount)
{
    QList<BusinessAssociate> associates;
    QString error;
    for (int i = 0; i < associateCount; ++i) {
        BusinessAssociate b;
        b.name = QStringLiteral("Associate %1").arg(i + 1);
        b.service = QStringLiteral("Service %1").arg(i % 7);
        b.baaSignedOn = today.addDays(-400 - i);
        b.baaReviewOn = today.addDays(i * 3 - 30);
        if (!store.saveAssociate(b, &error))
            return false;
    }
    QList<RiskAsset> assets;
    for (int i = 0; i < assetCount; ++i) {
        RiskAsset a;
        a.name = QStringLiteral("Asset %1").arg(i + 1);
        a.kind = static_cast<AssetKind>(i % kAssetKindCount);
        a.location = QStringLiteral("Room %1").arg(i % 20);
        a.owner = QStringLiteral("Owner %1").arg(i % 9);
        a.ephi = QStringLiteral("Records of kind %1").arg(i % 5);
        a.recordCount = i * 10;
        a.maintains = true;
        a.associateId = associateCount ? store.associates().at(i % associateCount).id : 0;
        assets << a;
    }
    if (!store.addAssets(assets, &error))
        return false;
    for (int i = 0; i < riskCount; ++i) {
        Risk r;
        r.assetId = assetCount ? store.assets().at(i % assetCount).id : 0;
        r.threat = QStringLiteral("Threat %1 of kind %2").arg(i + 1).arg(i % 40);
        r.vulnerability = QStringLiteral("Vulnerability %1").arg(i % 13);
        r.likelihood = 1 + i % 5;
        r.impact = 1 + (i / 5) % 5;
        r.treatment = static_cast<Treatment>(i % 5);
        r.plannedMeasures = QStringLiteral("Measure %1").arg(i);
        r.owner = QStringLiteral("Owner %1").arg(i % 9);
        r.dueOn = today.addDays(i % 200 - 50);
        r.status = static_cast<TreatmentStatus>(i % 3);
        r.residualLikelihood = 1 + (i + 1) % 5;
        r.residualImpact = 1 + (i + 2) % 5;
        r.safeguards = {i % 47, (i + 11) % 47};
        if (!store.saveRisk(r, &error))
            return false;
    }
    return true;
}

} // namespace ClinicRegister
