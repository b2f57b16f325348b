#include "actionarea/standards/standardstable.h"

#include <array>

namespace Standards {

namespace {

constexpr Designation R = Designation::Required;
constexpr Designation A = Designation::Addressable;

Standard standard(const QString &name, const QString &section, QList<Specification> specifications,
                  double heightFactor = 0.0)
{
    return Standard{{name}, section, std::move(specifications), 0, heightFactor};
}

// A standard that is its own implementation specification.
Standard standalone(const QString &name, const QString &section, int record)
{
    return standard(name, section, {{QStringLiteral(" "), R, record}});
}

std::array<Group, kGroupCount> buildGroups()
{
    Group administrative{
        QStringLiteral("Administrative Safeguards"),
        QStringLiteral("164.308"),
        {
            standard(QStringLiteral("Security Management Process"), QStringLiteral("164.308(a)(1)"),
                     {{QStringLiteral("Risk Analysis"), R, 1},
                      {QStringLiteral("Risk Management"), R, 2},
                      {QStringLiteral("Sanction Policy"), R, 3},
                      {QStringLiteral("Information System Activity Review"), R, 4}},
                     0.175),
            standalone(QStringLiteral("Assigned Security Responsibility"), QStringLiteral("164.308(a)(2)"), 5),
            standard(QStringLiteral("Workforce Security"), QStringLiteral("164.308(a)(3)"),
                     {{QStringLiteral("Authorization and/or Supervision"), A, 6},
                      {QStringLiteral("Workforce Clearance Procedure"), A, 7},
                      {QStringLiteral("Termination Procedures"), A, 8}},
                     0.14),
            standard(QStringLiteral("Information Access Management"), QStringLiteral("164.308(a)(4)"),
                     {{QStringLiteral("Isolating Health Care Clearinghouse Function"), R, 9},
                      {QStringLiteral("Access Authorization"), A, 10},
                      {QStringLiteral("Access Establishment and Modification"), A, 11}},
                     0.14),
            standard(QStringLiteral("Security Awareness and Training"), QStringLiteral("164.308(a)(5)"),
                     {{QStringLiteral("Security Reminders"), A, 12},
                      {QStringLiteral("Protection from Malicious Software"), A, 13},
                      {QStringLiteral("Log-in Monitoring"), A, 14},
                      {QStringLiteral("Password Management"), A, 15}},
                     0.176),
            standard(QStringLiteral("Security Incident Procedures"), QStringLiteral("164.308(a)(6)"),
                     {{QStringLiteral("Response and Reporting"), R, 16}}),
            standard(QStringLiteral("Contingency Plan"), QStringLiteral("164.308(a)(7)"),
                     {{QStringLiteral("Data Backup Plan"), R, 17},
                      {QStringLiteral("Disaster Recovery Plan"), R, 18},
                      {QStringLiteral("Emergency Mode Operation Plan"), R, 19},
                      {QStringLiteral("Testing and Revision Procedure"), A, 20},
                      {QStringLiteral("Applications and Data Criticality Analysis"), A, 21}},
                     0.225),
            standalone(QStringLiteral("Evaluation"), QStringLiteral("164.308(a)(8)"), 22),
            Standard{{QStringLiteral("Business Associate Contracts And"), QStringLiteral("Other Arrangements")},
                     QStringLiteral("164.308(b)(1)"),
                     {{QStringLiteral("Written Contract or Other Arrangement"), R, 23}},
                     2,
                     0.095},
        }};

    Group physical{
        QStringLiteral("Physical Safeguards"),
        QStringLiteral("164.310"),
        {
            standard(QStringLiteral("Facility Access Controls"), QStringLiteral("164.310(a)(1)"),
                     {{QStringLiteral("Contingency Operation"), A, 24},
                      {QStringLiteral("Facility Security Plan"), A, 25},
                      {QStringLiteral("Access Control & Validation Procedures"), A, 26},
                      {QStringLiteral("Maintenance Records"), A, 27}},
                     0.18),
            standalone(QStringLiteral("Workstation Use"), QStringLiteral("164.310(b)"), 28),
            standalone(QStringLiteral("WorkStation Security"), QStringLiteral("164.310(c)"), 29),
            standard(QStringLiteral("Device and Media Controls"), QStringLiteral("164.310(d)(1)"),
                     {{QStringLiteral("Disposal"), R, 30},
                      {QStringLiteral("Media Re-use"), R, 31},
                      {QStringLiteral("Accountability"), A, 32},
                      {QStringLiteral("Data Backup and Storage"), A, 33}},
                     0.18),
        }};

    Group technical{
        QStringLiteral("Technical Safeguards"),
        QStringLiteral("164.312"),
        {
            standard(QStringLiteral("Access Control"), QStringLiteral("164.312(a)(1)"),
                     {{QStringLiteral("Unique User Identification"), R, 34},
                      {QStringLiteral("Emergency Access Procedure"), R, 35},
                      {QStringLiteral("Automatic Logoff"), A, 36},
                      {QStringLiteral("Encryption and Decryption"), A, 37}},
                     0.18),
            standalone(QStringLiteral("Audit Controls"), QStringLiteral("164.312(b)"), 38),
            standard(QStringLiteral("Integrity"), QStringLiteral("164.312(c)(1)"),
                     {{QStringLiteral("Mechanism to Authenticate Electronic PHI"), A, 39}}),
            standalone(QStringLiteral("Person or Entity Authentication"), QStringLiteral("164.312(d)"), 40),
            standard(QStringLiteral("Transmission Security"), QStringLiteral("164.312(e)(1)"),
                     {{QStringLiteral("Integrity Controls"), A, 41},
                      {QStringLiteral("Encryption"), A, 42}},
                     0.095),
        }};

    return {std::move(administrative), std::move(physical), std::move(technical)};
}

} // namespace

bool isValidGroup(int index)
{
    return index >= 0 && index < kGroupCount;
}

const Group &group(int index)
{
    static const std::array<Group, kGroupCount> groups = buildGroups();
    return groups.at(isValidGroup(index) ? index : 0);
}

QString designationLetter(Designation designation)
{
    return designation == Designation::Required ? QStringLiteral("R") : QStringLiteral("A");
}

} // namespace Standards
