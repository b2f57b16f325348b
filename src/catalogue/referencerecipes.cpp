#include "catalogue/referencerecipes.h"

namespace Reference::Recipes {
namespace {

constexpr const char *Same = SameRuleLines;

#define ADMIN "308 308.intro "
#define PHYS "310 intro "
#define TECH "312 intro "

constexpr std::array<Recipe, 47> Table{{
    // Security management process
    {"Risk Analysis", ADMIN "ii-line 308.a.1.ii.A", "RefRA1.Dat", nullptr, "", "", "Risk Analysis", nullptr},
    {"Risk Management", ADMIN "ii-line 308.a.1.ii.B", "RefRM1.Dat", nullptr, "", "", "Risk Management", nullptr},
    {"Sanction Policy", ADMIN "ii-line 308.a.1.ii.C", "RefSC1.Dat", nullptr, "", "", "Sanctions", nullptr},
    {"Information System Activity Review", ADMIN "ii-line 308.a.1.ii.D", nullptr, "h.security-management",
     "p.keeping-specifications p.security-management", Same, "Activity Review", nullptr},
    {"Assigned Security Responsibility", ADMIN "ii-line 308.a.2", nullptr, "h.assigned-responsibility",
     "p.assigned-responsibility.a p.assigned-responsibility.b", "", "Responsibility", nullptr},
    // Workforce security
    {"Authorization and/or Supervision", ADMIN "308.a.3.i ii-line 308.a.3.ii.A", nullptr, "h.workforce-security",
     "p.workforce-security.a", Same, "Authorization", nullptr},
    {"Workforce Clearance Procedure", ADMIN "308.a.3.i ii-line 308.a.3.ii.B", nullptr, nullptr,
     "p.workforce-clearance.b", Same, "Workforce Clearance Procedures", nullptr},
    {"Termination Procedures", ADMIN "308.a.3.i ii-line 308.a.3.ii.C", "RefTM1.Dat", nullptr, "", "",
     "Termination Procedures", nullptr},
    // Information access management
    {"Isolating health care clearinghouse functions", ADMIN "308.a.4.i ii-line 308.a.4.ii.A", nullptr, nullptr, "",
     "308.a.4.ii.A", "clearinghouse", nullptr},
    {"Access Authorization", ADMIN "308.a.4.i ii-line 308.a.4.ii.B", "RefAA1.Dat", nullptr, "", "", "Access", nullptr},
    {"Access Establishment and Modification", ADMIN "308.a.4.i ii-line 308.a.4.ii.C", "RefAE1.Dat", nullptr, "", "",
     "access", nullptr},
    // Security awareness and training
    {"Security Reminders", ADMIN "308.a.5.i 308.a.5.ii.A", nullptr, "h.awareness-training", "p.awareness-training.f",
     "308.a.5.ii.A", "security reminders", nullptr},
    {"Protection from malicious software", ADMIN "308.a.5.i 308.a.5.ii.B", nullptr, "h.awareness-training",
     "p.awareness-training.f", "308.a.5.ii.B", "malicious software", nullptr},
    {"Log-in monitoring", ADMIN "308.a.5.i 308.a.5.ii.C", nullptr, nullptr, "", "308.a.5.ii.C", "monitoring Log-in",
     nullptr},
    {"Password management", ADMIN "308.a.5.i 308.a.5.ii.D", nullptr, "h.awareness-training", "p.awareness-training.f",
     "308.a.5.ii.D", "Passwords", nullptr},
    // Security incident procedures
    {"Response and Reporting", ADMIN "308.a.6.i 308.a.6.ii", nullptr, nullptr,
     "p.implementation-features p.security-incident", "308.a.6.ii", "Report", nullptr},
    // Contingency plan
    {"Data backup plan", ADMIN "308.a.7.i ii-line 308.a.7.ii.A", nullptr, "h.contingency-plan", "p.contingency-plan.f",
     "308.a.7.ii.A", " backup", nullptr},
    {"Disaster recovery plan", ADMIN "308.a.7.i ii-line 308.a.7.ii.B", nullptr, "h.contingency-plan",
     "p.contingency-plan.f", "308.a.7.ii.B " PHYS "310.a.1 2-line 310.a.2.i", "Disaster recovery plan", nullptr},
    {"Emergency mode operation plan", ADMIN "308.a.7.i ii-line 308.a.7.ii.C", nullptr, "h.contingency-plan",
     "p.contingency-plan.d", "308.a.7.ii.C", "Emergency mode", nullptr},
    {"Testing and revision procedures", ADMIN "308.a.7.i ii-line 308.a.7.ii.D", nullptr, "h.contingency-plan",
     "p.contingency-plan.f", "308.a.7.ii.D", "Testing and revision", nullptr},
    {"Applications and data criticality analysis", ADMIN "308.a.7.i ii-line 308.a.7.ii.E", nullptr,
     "h.contingency-plan", "p.contingency-plan.a", "308.a.7.ii.E", "criticality", nullptr},
    // Evaluation, business associates
    {"Evaluation", ADMIN "308.a.8", "RefEV1.Dat", nullptr, "", "", "Evaluation", nullptr},
    {"Written Contract or Other Arrangement",
     ADMIN "308.b.1 308.b.2 308.b.2.i 308.b.2.ii 308.b.2.iii 308.b.3 308.b.4", nullptr, nullptr, "", "308.b.4",
     "business associates", nullptr},
    // Facility access controls
    {"Contingency Operations", PHYS "310.a.1 2-line 310.a.2.i", nullptr, "h.facility-access", "p.facility-access",
     Same, "contingency", nullptr},
    {"Facility Security Plan", PHYS "310.a.1 2-line 310.a.2.ii", "RefFS1.Dat", nullptr, "", "",
     "facility and the equipment", nullptr},
    {"Access control and validation procedures", PHYS "310.a.1 2-line 310.a.2.iii", nullptr, nullptr,
     "p.moved.verify-access p.moved.need-to-know p.moved.visitors p.moved.testing", Same, "access", nullptr},
    {"Maintenance records", PHYS "310.a.1 2-line 310.a.2.iv", nullptr, "h.facility-access", "p.facility-access",
     Same, "maintenance records", nullptr},
    // Workstations
    {"Workstation use", PHYS "310.b", "RefWU1.Dat", nullptr, "", "", "Workstation Use", nullptr},
    {"Workstation security", PHYS "310.c", nullptr, "h.workstation-security", "p.workstation-security", Same,
     "Workstation Security", nullptr},
    // Device and media controls
    {"Disposal", PHYS "310.d.1 2-line 310.d.2.i", nullptr, "h.device-media", "p.device-media", Same, "disposal",
     nullptr},
    {"Media re-use", PHYS "310.d.1 2-line 310.d.2.ii", nullptr, "h.device-media", "p.device-media", Same,
     "media re-use", nullptr},
    {"Accountability", PHYS "310.d.1 2-line 310.d.2.iii", nullptr, nullptr, "p.device-media.d", Same,
     "Accountability", nullptr},
    {"Data backup and storage", PHYS "310.d.1 2-line 310.d.2.iv", nullptr, nullptr, "p.backup-storage", Same,
     "create", nullptr},
    // Access control
    {"Unique user identification", TECH "312.a.1 2-line 312.a.2.i", nullptr, "h.access-control", "p.access-control",
     Same, "unique name", nullptr},
    {"Emergency access procedure", TECH "312.a.1 2-line 312.a.2.ii", nullptr, nullptr, "", Same,
     "obtaining necessary ePHI during an emergency", nullptr},
    {"Automatic logoff", TECH "312.a.1 2-line 312.a.2.iii", nullptr, nullptr, "p.automatic-logoff.b", Same,
     "electronic procedures", nullptr},
    {"Encryption and decryption", TECH "312.a.1 2-line 312.a.2.iv", nullptr, nullptr, "p.moved.encryption", Same,
     "encrypt and decrypt", nullptr},
    // Audit controls, integrity, authentication, transmission security
    {"Audit controls", TECH "312.b", nullptr, "h.technical", "h.audit-controls p.audit-controls", Same, "Audit",
     nullptr},
    {"Mechanism to authenticate electronic protected health information", TECH "312.c.1 312.c.2", nullptr, nullptr,
     "", Same, "integrity", nullptr},
    {"Person or entity authentication", TECH "312.d", nullptr, "h.technical",
     "h.person-authentication p.person-authentication", Same, "Person or entity authentication", nullptr},
    {"Integrity controls", TECH "312.e.1 2-line 312.e.2.i", nullptr, "h.technical",
     "h.transmission-security p.transmission-security.d", Same, "integrity controls", nullptr},
    {"Encryption", TECH "312.e.1 2-line 312.e.2.ii", "RefEnc1.Dat", nullptr, "", "", "Encrypt", nullptr},
    // Organizational requirements
    {"", "", "OrgReq1.Dat", nullptr, "", "", "", nullptr},
    {"Business associate",
     "314.a.1 314.a.1.i 314.a.1.ii 314.a.1.ii.A 314.a.1.ii.B 314.a.2 314.a.2.i 314.a.2.i.A 314.a.2.i.B 314.a.2.i.C "
     "314.a.2.i.D 314.a.2.ii 314.a.2.ii.A 314.a.2.ii.A.1 314.a.2.ii.A.2 314.a.2.ii.B 314.a.2.ii.C",
     "OrgRef2.Dat", nullptr, "", "", "business associate", nullptr},
    {"Requirements for group health plans", "314.b.1 314.b.2 314.b.2.i 314.b.2.ii 314.b.2.iii 314.b.2.iv", nullptr,
     nullptr, "p.group-health-plans", Same, "Group health plans", nullptr},
    // Policies and procedures and documentation requirements
    {"", "", "PPReq1.Dat", nullptr, "", "", "", "Addtl45.dat"},
    {"Documentation",
     "316 intro 316.a 316.b.1 316.b.1.i 316.b.1.ii 2-line 316.b.2.i 316.b.2.ii 316.b.2.iii", "PPReq1.Dat", nullptr,
     "", "", "", "Addtl45.dat"},
}};

#undef ADMIN
#undef PHYS
#undef TECH

} // namespace

const std::array<Recipe, 47> &table()
{
    return Table;
}

} // namespace Reference::Recipes
