#include "platform/database/workbooksettings.h"

#include "platform/database/workbookdatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

} // namespace

bool OrganizationProfile::isEmpty() const
{
    return organizationName.isEmpty() && securityOfficial.isEmpty() && privacyOfficial.isEmpty()
        && address.isEmpty() && !policiesEffective.isValid();
}

OrganizationProfile OrganizationProfile::load(const WorkbookDatabase &database)
{
    OrganizationProfile profile;
    profile.organizationName = database.setting(key(WorkbookSettingKey::OrganizationName));
    profile.securityOfficial = database.setting(key(WorkbookSettingKey::SecurityOfficial));
    profile.privacyOfficial = database.setting(key(WorkbookSettingKey::PrivacyOfficial));
    profile.address = database.setting(key(WorkbookSettingKey::Address));
    profile.policiesEffective =
        QDate::fromString(database.setting(key(WorkbookSettingKey::PoliciesEffective)), Qt::ISODate);
    return profile;
}

bool OrganizationProfile::save(WorkbookDatabase &database, QString *error) const
{
    const QList<std::pair<const char *, QString>> values = {
        {WorkbookSettingKey::OrganizationName, organizationName},
        {WorkbookSettingKey::SecurityOfficial, securityOfficial},
        {WorkbookSettingKey::PrivacyOfficial, privacyOfficial},
        {WorkbookSettingKey::Address, address},
        {WorkbookSettingKey::PoliciesEffective,
         policiesEffective.isValid() ? policiesEffective.toString(Qt::ISODate) : QString()},
    };
    return database.transact(
        [&](QSqlDatabase &db, QString *reason) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral(
                "INSERT INTO workbook_settings (key, value) VALUES (?, ?) "
                "ON CONFLICT (key) DO UPDATE SET value = excluded.value"));
            for (const auto &[name, value] : values) {
                query.addBindValue(key(name));
                query.addBindValue(value);
                if (!query.exec()) {
                    *reason = query.lastError().databaseText();
                    return false;
                }
            }
            return true;
        },
        error);
}
