#pragma once

#include <QDate>
#include <QString>

class WorkbookDatabase;

// The keys of the workbook's own settings (workbook_settings table). Each is
// a workbook's, not a computer's: it travels with the workbook's backups.
namespace WorkbookSettingKey {
inline constexpr char OrganizationName[] = "organization.name";
inline constexpr char SecurityOfficial[] = "organization.security-official";
inline constexpr char PrivacyOfficial[] = "organization.privacy-official";
inline constexpr char Address[] = "organization.address";
inline constexpr char PoliciesEffective[] = "organization.policies-effective"; // yyyy-MM-dd
// The author of versions and the reviewer of sign-offs.
inline constexpr char YourName[] = "user.name";
} // namespace WorkbookSettingKey

// Who the workbook belongs to: the cover of printed binders and the values
// of the templates' placeholders.
struct OrganizationProfile
{
    QString organizationName;
    QString securityOfficial;
    QString privacyOfficial;
    QString address;
    QDate policiesEffective;

    bool isEmpty() const;
    static OrganizationProfile load(const WorkbookDatabase &database);
    // All fields in one transaction; false with *error naming file and reason.
    bool save(WorkbookDatabase &database, QString *error = nullptr) const;

    friend bool operator==(const OrganizationProfile &, const OrganizationProfile &) = default;
};
