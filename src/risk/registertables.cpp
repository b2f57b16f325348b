#include "risk/registertables.h"

#include "catalogue/safeguardcatalogue.h"
#include "platform/records/safefile.h"
#include "risk/assetimport.h"
#include "risk/riskstore.h"

#include <QFileInfo>

namespace RegisterTables {

namespace {

QVariant dateCell(const QDate &date)
{
    return date.isValid() ? QVariant(date) : QVariant(QString());
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace

QStringList assetHeader()
{
    return AssetImport::knownColumns();
}

QString safeguardNames(const QList<int> &safeguardNos)
{
    QStringList names;
    for (int no : safeguardNos) {
        if (no >= 0 && no < Catalogue::SafeguardCount)
            names << QString::fromLatin1(Catalogue::safeguardAt(no).fullName);
    }
    return names.join(QStringLiteral("; "));
}

SpreadsheetTable assets(const RiskStore &store)
{
    SpreadsheetTable table;
    table.name = QStringLiteral("Assets");
    table.header = assetHeader();
    for (const RiskAsset &a : store.assets()) {
        table.rows << QVariantList{a.name, AssetKinds::caption(a.kind), a.location, a.owner, a.ephi,
                                   a.recordCount ? QVariant(*a.recordCount) : QVariant(QString()),
                                   yesNo(a.creates), yesNo(a.receives), yesNo(a.maintains), yesNo(a.transmits),
                                   store.associateName(a.associateId), a.notes, yesNo(a.retired)};
    }
    return table;
}

SpreadsheetTable risks(const RiskStore &store)
{
    SpreadsheetTable table;
    table.name = QStringLiteral("Risks");
    table.header = {QStringLiteral("Id"), QStringLiteral("Asset"), QStringLiteral("Threat"),
                    QStringLiteral("Vulnerability"), QStringLiteral("Current measures"),
                    QStringLiteral("Safeguards"), QStringLiteral("Likelihood"), QStringLiteral("Impact"),
                    QStringLiteral("Level"), QStringLiteral("Treatment"), QStringLiteral("Planned measures"),
                    QStringLiteral("Owner"), QStringLiteral("Due"), QStringLiteral("Status"),
                    QStringLiteral("Residual likelihood"), QStringLiteral("Residual impact"),
                    QStringLiteral("Residual level"), QStringLiteral("Accepted by"), QStringLiteral("Accepted on"),
                    QStringLiteral("Identified on"), QStringLiteral("Last reviewed")};
    for (const Risk &r : store.risks()) {
        table.rows << QVariantList{r.id, store.assetName(r.assetId), r.threat, r.vulnerability, r.currentMeasures,
                                   safeguardNames(r.safeguards), RiskLevel::name(r.likelihood),
                                   RiskLevel::name(r.impact), RiskLevel::name(store.level(r)),
                                   Treatments::caption(r.treatment), r.plannedMeasures, r.owner, dateCell(r.dueOn),
                                   Treatments::statusCaption(r.status), RiskLevel::name(r.residualLikelihood),
                                   RiskLevel::name(r.residualImpact), RiskLevel::name(store.residualLevel(r)),
                                   r.acceptedBy, dateCell(r.acceptedOn), dateCell(r.identifiedOn),
                                   dateCell(r.reviewedOn)};
    }
    return table;
}

SpreadsheetTable associates(const RiskStore &store)
{
    SpreadsheetTable table;
    table.name = QStringLiteral("Business associates");
    table.header = {QStringLiteral("Name"), QStringLiteral("Service"), QStringLiteral("ePHI"),
                    QStringLiteral("Contact"), QStringLiteral("BAA signed on"), QStringLiteral("BAA next review"),
                    QStringLiteral("Notes")};
    for (const BusinessAssociate &b : store.associates()) {
        table.rows << QVariantList{b.name, b.service, b.ephi, b.contact, dateCell(b.baaSignedOn),
                                   dateCell(b.baaReviewOn), b.notes};
    }
    return table;
}

QStringList csvPaths(const QString &out)
{
    const QFileInfo info(out);
    QString stem = info.filePath();
    if (info.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        stem.chop(4);
    return {stem + QStringLiteral("-assets.csv"), stem + QStringLiteral("-risks.csv"),
            stem + QStringLiteral("-business-associates.csv")};
}

bool write(const RiskStore &store, const QString &out, QStringList *written, QString *error)
{
    const QList<SpreadsheetTable> tables = {assets(store), risks(store), associates(store)};
    if (QFileInfo(out).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0) {
        QString why;
        const QByteArray bytes = Spreadsheet::xlsxBytes(tables, &why);
        if (bytes.isEmpty()) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(out, why);
            return false;
        }
        if (!writeFileSafely(out, bytes, error))
            return false;
        if (written)
            *written = {out};
        return true;
    }
    const QStringList paths = csvPaths(out);
    for (int i = 0; i < tables.size(); ++i) {
        if (!writeFileSafely(paths.at(i), Spreadsheet::csvBytes(tables.at(i)), error))
            return false;
    }
    if (written)
        *written = paths;
    return true;
}

} // namespace RegisterTables
