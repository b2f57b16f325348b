#include "risk/riskstore.h"

#include "platform/database/workbookdatabase.h"
#include "risk/evidencestore.h"
#include "risk/sqlvalues.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

using namespace SqlValues;

namespace {

QString reasonOf(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    return (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
}

bool execOrSay(QSqlQuery &query, QString *reason)
{
    if (query.exec())
        return true;
    *reason = reasonOf(query);
    return false;
}

const char kAssetColumns[] = "name, kind, location, owner, ephi, record_count, creates, receives, maintains,"
                             " transmits, associate_id, notes, retired";
const char kAssociateColumns[] = "name, service, ephi, contact, baa_signed_on, baa_review_on, notes";
const char kRiskColumns[] = "asset_id, threat, vulnerability, current_measures, likelihood, impact,"
                            " treatment, planned_measures, owner, due_on, status, residual_likelihood,"
                            " residual_impact, accepted_by, accepted_on, identified_on, reviewed_on";

QString placeholders(const char *columns)
{
    const int count = int(QByteArray(columns).count(',')) + 1;
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

QString assignments(const char *columns)
{
    QStringList parts;
    for (const QByteArray &column : QByteArray(columns).split(','))
        parts << QString::fromLatin1(column.trimmed()) + QStringLiteral(" = ?");
    return parts.join(QStringLiteral(", "));
}

void bindAsset(QSqlQuery &query, const RiskAsset &a)
{
    query.addBindValue(text(a.name.trimmed()));
    query.addBindValue(AssetKinds::key(a.kind));
    query.addBindValue(text(a.location));
    query.addBindValue(text(a.owner));
    query.addBindValue(text(a.ephi));
    query.addBindValue(a.recordCount ? QVariant(*a.recordCount) : QVariant(QMetaType(QMetaType::LongLong)));
    query.addBindValue(int(a.creates));
    query.addBindValue(int(a.receives));
    query.addBindValue(int(a.maintains));
    query.addBindValue(int(a.transmits));
    query.addBindValue(optionalInt(a.associateId));
    query.addBindValue(text(a.notes));
    query.addBindValue(int(a.retired));
}

void bindAssociate(QSqlQuery &query, const BusinessAssociate &b)
{
    query.addBindValue(text(b.name.trimmed()));
    query.addBindValue(text(b.service));
    query.addBindValue(text(b.ephi));
    query.addBindValue(text(b.contact));
    query.addBindValue(date(b.baaSignedOn));
    query.addBindValue(date(b.baaReviewOn));
    query.addBindValue(text(b.notes));
}

void bindRisk(QSqlQuery &query, const Risk &r)
{
    query.addBindValue(optionalInt(r.assetId));
    query.addBindValue(text(r.threat.trimmed()));
    query.addBindValue(text(r.vulnerability));
    query.addBindValue(text(r.currentMeasures));
    query.addBindValue(r.likelihood);
    query.addBindValue(r.impact);
    query.addBindValue(text(Treatments::key(r.treatment)));
    query.addBindValue(text(r.plannedMeasures));
    query.addBindValue(text(r.owner));
    query.addBindValue(date(r.dueOn));
    query.addBindValue(Treatments::statusKey(r.status));
    query.addBindValue(r.residualLikelihood != 0 ? QVariant(r.residualLikelihood) : QVariant(QMetaType(QMetaType::Int)));
    query.addBindValue(r.residualImpact != 0 ? QVariant(r.residualImpact) : QVariant(QMetaType(QMetaType::Int)));
    query.addBindValue(text(r.acceptedBy));
    query.addBindValue(date(r.acceptedOn));
    query.addBindValue(date(r.identifiedOn));
    query.addBindValue(date(r.reviewedOn));
}

// Inserts or updates the row of one record; a new id is written back.
bool upsert(QSqlDatabase &db, const QString &table, const char *columns, qint64 &id,
            const std::function<void(QSqlQuery &)> &bind, QString *reason)
{
    QSqlQuery query(db);
    if (id == 0) {
        query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table, QString::fromLatin1(columns), placeholders(columns)));
        bind(query);
        if (!execOrSay(query, reason))
            return false;
        id = query.lastInsertId().toLongLong();
        return true;
    }
    query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE id = ?").arg(table, assignments(columns)));
    bind(query);
    query.addBindValue(id);
    if (!execOrSay(query, reason))
        return false;
    if (query.numRowsAffected() != 1) {
        *reason = QStringLiteral("the record is no longer in the register");
        return false;
    }
    return true;
}

bool writeSafeguards(QSqlDatabase &db, const Risk &risk, QString *reason)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM risk_risk_safeguard WHERE risk_id = ?"));
    query.addBindValue(risk.id);
    if (!execOrSay(query, reason))
        return false;
    query.prepare(QStringLiteral("INSERT INTO risk_risk_safeguard (risk_id, safeguard_no) VALUES (?, ?)"));
    for (int no : risk.safeguards) {
        query.addBindValue(risk.id);
        query.addBindValue(no);
        if (!execOrSay(query, reason))
            return false;
    }
    return true;
}

QStringList evidenceOf(QSqlDatabase &db, const char *column, qint64 id)
{
    QStringList names;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT stored_name FROM risk_evidence WHERE %1 = ?").arg(QLatin1String(column)));
    query.addBindValue(id);
    if (query.exec()) {
        while (query.next())
            names << query.value(0).toString();
    }
    return names;
}

} // namespace

RiskStore::RiskStore(WorkbookDatabase &database, QObject *parent)
    : QObject(parent), m_database(database)
{
}

bool RiskStore::isWritable() const
{
    return m_database.isOpen() && !m_database.isReadOnly();
}

QString RiskStore::assetName(qint64 id) const
{
    if (id == 0)
        return QStringLiteral("Organization-wide");
    const int row = assetRow(id);
    return row < 0 ? QString() : m_assets.at(row).name;
}

QString RiskStore::associateName(qint64 id) const
{
    const int row = associateRow(id);
    return row < 0 ? QString() : m_associates.at(row).name;
}

bool RiskStore::readDetails(QSqlQuery &query, AnalysisDetails *details, QString *reason)
{
    if (!query.exec(QStringLiteral("SELECT scope, method, prepared_by, approved_by, approved_on,"
                                   " last_full_review_on FROM risk_analysis WHERE id = 1"))) {
        *reason = reasonOf(query);
        return false;
    }
    if (query.next()) {
        details->scope = query.value(0).toString();
        details->method = query.value(1).toString();
        details->preparedBy = query.value(2).toString();
        details->approvedBy = query.value(3).toString();
        details->approvedOn = toDate(query.value(4));
        details->lastFullReviewOn = toDate(query.value(5));
    }
    return true;
}

std::optional<RiskStore::ReviewState> RiskStore::readReviewState(WorkbookDatabase &database)
{
    if (!database.isOpen())
        return std::nullopt;
    QSqlDatabase db = database.connection();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    ReviewState state;
    QString reason;
    if (!readDetails(query, &state.details, &reason)
        || !query.exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM risk_asset) OR EXISTS (SELECT 1 FROM risk_risk)"))
        || !query.next())
        return std::nullopt;
    state.hasRecords = query.value(0).toInt() != 0;
    return state;
}

bool RiskStore::load(QString *error)
{
    Q_EMIT aboutToReset();
    m_assets.clear();
    m_associates.clear();
    m_risks.clear();
    m_matrix = RiskMatrix::standard();
    m_details = AnalysisDetails();
    QString reason;
    const bool ok = [&] {
        if (!m_database.isOpen()) {
            reason = QStringLiteral("the workbook's database is not open");
            return false;
        }
        QSqlDatabase db = m_database.connection();
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT id, %1 FROM risk_associate ORDER BY id").arg(QLatin1String(kAssociateColumns)))) {
            reason = reasonOf(query);
            return false;
        }
        while (query.next()) {
            BusinessAssociate b;
            b.id = query.value(0).toLongLong();
            b.name = query.value(1).toString();
            b.service = query.value(2).toString();
            b.ephi = query.value(3).toString();
            b.contact = query.value(4).toString();
            b.baaSignedOn = toDate(query.value(5));
            b.baaReviewOn = toDate(query.value(6));
            b.notes = query.value(7).toString();
            m_associates << b;
        }
        if (!query.exec(QStringLiteral("SELECT id, %1 FROM risk_asset ORDER BY id").arg(QLatin1String(kAssetColumns)))) {
            reason = reasonOf(query);
            return false;
        }
        while (query.next()) {
            RiskAsset a;
            a.id = query.value(0).toLongLong();
            a.name = query.value(1).toString();
            a.kind = AssetKinds::fromText(query.value(2).toString()).value_or(AssetKind::Other);
            a.location = query.value(3).toString();
            a.owner = query.value(4).toString();
            a.ephi = query.value(5).toString();
            if (!query.value(6).isNull())
                a.recordCount = query.value(6).toLongLong();
            a.creates = query.value(7).toInt() != 0;
            a.receives = query.value(8).toInt() != 0;
            a.maintains = query.value(9).toInt() != 0;
            a.transmits = query.value(10).toInt() != 0;
            a.associateId = query.value(11).toLongLong();
            a.notes = query.value(12).toString();
            a.retired = query.value(13).toInt() != 0;
            m_assets << a;
        }
        if (!query.exec(QStringLiteral("SELECT id, %1 FROM risk_risk ORDER BY id").arg(QLatin1String(kRiskColumns)))) {
            reason = reasonOf(query);
            return false;
        }
        while (query.next()) {
            Risk r;
            r.id = query.value(0).toLongLong();
            r.assetId = query.value(1).toLongLong();
            r.threat = query.value(2).toString();
            r.vulnerability = query.value(3).toString();
            r.currentMeasures = query.value(4).toString();
            r.likelihood = query.value(5).toInt();
            r.impact = query.value(6).toInt();
            r.treatment = Treatments::fromText(query.value(7).toString()).value_or(Treatment::Undecided);
            r.plannedMeasures = query.value(8).toString();
            r.owner = query.value(9).toString();
            r.dueOn = toDate(query.value(10));
            r.status = Treatments::statusFromText(query.value(11).toString()).value_or(TreatmentStatus::Open);
            r.residualLikelihood = query.value(12).toInt();
            r.residualImpact = query.value(13).toInt();
            r.acceptedBy = query.value(14).toString();
            r.acceptedOn = toDate(query.value(15));
            r.identifiedOn = toDate(query.value(16));
            r.reviewedOn = toDate(query.value(17));
            m_risks << r;
        }
        reindex(RiskTable::Risks);
        if (!query.exec(QStringLiteral("SELECT risk_id, safeguard_no FROM risk_risk_safeguard ORDER BY risk_id, safeguard_no"))) {
            reason = reasonOf(query);
            return false;
        }
        while (query.next()) {
            const int row = riskRow(query.value(0).toLongLong());
            if (row >= 0)
                m_risks[row].safeguards << query.value(1).toInt();
        }
        if (!query.exec(QStringLiteral("SELECT likelihood, impact, level FROM risk_matrix"))) {
            reason = reasonOf(query);
            return false;
        }
        while (query.next())
            m_matrix.setLevel(query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt());
        return readDetails(query, &m_details, &reason);
    }();
    if (!ok) {
        m_assets.clear();
        m_associates.clear();
        m_risks.clear();
        if (error)
            *error = m_database.failureText(reason);
    }
    reindex(RiskTable::Assets);
    reindex(RiskTable::Associates);
    reindex(RiskTable::Risks);
    Q_EMIT reset();
    return ok;
}

void RiskStore::reindex(RiskTable table)
{
    switch (table) {
    case RiskTable::Assets:
        m_assetRows.clear();
        for (int i = 0; i < m_assets.size(); ++i)
            m_assetRows.insert(m_assets.at(i).id, i);
        break;
    case RiskTable::Associates:
        m_associateRows.clear();
        for (int i = 0; i < m_associates.size(); ++i)
            m_associateRows.insert(m_associates.at(i).id, i);
        break;
    case RiskTable::Risks:
        m_riskRows.clear();
        for (int i = 0; i < m_risks.size(); ++i)
            m_riskRows.insert(m_risks.at(i).id, i);
        break;
    }
}

bool RiskStore::saveAsset(RiskAsset &asset, QString *error)
{
    RiskAsset stored = asset;
    stored.name = stored.name.trimmed();
    if (!m_database.transact(
            [&](QSqlDatabase &db, QString *reason) {
                return upsert(db, QStringLiteral("risk_asset"), kAssetColumns, stored.id,
                              [&](QSqlQuery &q) { bindAsset(q, stored); }, reason);
            },
            error))
        return false;
    asset = stored;
    const int row = assetRow(stored.id);
    if (row >= 0) {
        m_assets[row] = stored;
        Q_EMIT rowChanged(RiskTable::Assets, row);
    } else {
        Q_EMIT aboutToInsertRow(RiskTable::Assets, int(m_assets.size()));
        m_assets << stored;
        m_assetRows.insert(stored.id, int(m_assets.size()) - 1);
        Q_EMIT rowInserted(RiskTable::Assets, int(m_assets.size()) - 1);
    }
    return true;
}

bool RiskStore::addAssets(QList<RiskAsset> assets, QString *error)
{
    if (!m_database.transact(
            [&](QSqlDatabase &db, QString *reason) {
                for (RiskAsset &asset : assets) {
                    asset.id = 0;
                    asset.name = asset.name.trimmed();
                    if (!upsert(db, QStringLiteral("risk_asset"), kAssetColumns, asset.id,
                                [&](QSqlQuery &q) { bindAsset(q, asset); }, reason))
                        return false;
                }
                return true;
            },
            error))
        return false;
    for (const RiskAsset &asset : assets) {
        Q_EMIT aboutToInsertRow(RiskTable::Assets, int(m_assets.size()));
        m_assets << asset;
        m_assetRows.insert(asset.id, int(m_assets.size()) - 1);
        Q_EMIT rowInserted(RiskTable::Assets, int(m_assets.size()) - 1);
    }
    return true;
}

bool RiskStore::saveAssociate(BusinessAssociate &associate, QString *error)
{
    BusinessAssociate stored = associate;
    stored.name = stored.name.trimmed();
    if (!m_database.transact(
            [&](QSqlDatabase &db, QString *reason) {
                return upsert(db, QStringLiteral("risk_associate"), kAssociateColumns, stored.id,
                              [&](QSqlQuery &q) { bindAssociate(q, stored); }, reason);
            },
            error))
        return false;
    associate = stored;
    const int row = associateRow(stored.id);
    if (row >= 0) {
        m_associates[row] = stored;
        Q_EMIT rowChanged(RiskTable::Associates, row);
    } else {
        Q_EMIT aboutToInsertRow(RiskTable::Associates, int(m_associates.size()));
        m_associates << stored;
        m_associateRows.insert(stored.id, int(m_associates.size()) - 1);
        Q_EMIT rowInserted(RiskTable::Associates, int(m_associates.size()) - 1);
    }
    return true;
}

bool RiskStore::saveRisk(Risk &risk, QString *error)
{
    Risk stored = risk;
    stored.threat = stored.threat.trimmed();
    std::sort(stored.safeguards.begin(), stored.safeguards.end());
    stored.safeguards.erase(std::unique(stored.safeguards.begin(), stored.safeguards.end()), stored.safeguards.end());
    if (!m_database.transact(
            [&](QSqlDatabase &db, QString *reason) {
                return upsert(db, QStringLiteral("risk_risk"), kRiskColumns, stored.id,
                              [&](QSqlQuery &q) { bindRisk(q, stored); }, reason)
                    && writeSafeguards(db, stored, reason);
            },
            error))
        return false;
    risk = stored;
    const int row = riskRow(stored.id);
    if (row >= 0) {
        m_risks[row] = stored;
        Q_EMIT rowChanged(RiskTable::Risks, row);
    } else {
        Q_EMIT aboutToInsertRow(RiskTable::Risks, int(m_risks.size()));
        m_risks << stored;
        m_riskRows.insert(stored.id, int(m_risks.size()) - 1);
        Q_EMIT rowInserted(RiskTable::Risks, int(m_risks.size()) - 1);
    }
    return true;
}

bool RiskStore::removeAsset(qint64 id, QString *error)
{
    const qsizetype named = std::count_if(m_risks.cbegin(), m_risks.cend(),
                                          [id](const Risk &r) { return r.assetId == id; });
    if (named > 0) {
        if (error)
            *error = QStringLiteral("%1 risk(s) name this asset. Retire the asset instead, or remove "
                                    "those risks first.").arg(named);
        return false;
    }
    return removeRecord(RiskTable::Assets, id, error);
}

bool RiskStore::removeAssociate(qint64 id, QString *error)
{
    return removeRecord(RiskTable::Associates, id, error);
}

bool RiskStore::removeRisk(qint64 id, QString *error)
{
    return removeRecord(RiskTable::Risks, id, error);
}

bool RiskStore::removeRecord(RiskTable table, qint64 id, QString *error)
{
    const char *name = table == RiskTable::Assets ? "risk_asset"
                       : table == RiskTable::Associates ? "risk_associate" : "risk_risk";
    const char *evidenceColumn = table == RiskTable::Assets ? "asset_id"
                                 : table == RiskTable::Associates ? "associate_id" : "risk_id";
    QStringList files;
    if (!m_database.transact(
            [&](QSqlDatabase &db, QString *reason) {
                files = evidenceOf(db, evidenceColumn, id);
                QSqlQuery query(db);
                query.prepare(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(QLatin1String(name)));
                query.addBindValue(id);
                return execOrSay(query, reason);
            },
            error))
        return false;
    removeEvidenceFiles(files);
    switch (table) {
    case RiskTable::Assets: {
        const int row = assetRow(id);
        if (row < 0)
            return true;
        Q_EMIT aboutToRemoveRow(table, row);
        m_assets.removeAt(row);
        reindex(table);
        Q_EMIT rowRemoved(table, row);
        break;
    }
    case RiskTable::Associates: {
        const int row = associateRow(id);
        if (row < 0)
            return true;
        Q_EMIT aboutToRemoveRow(table, row);
        m_associates.removeAt(row);
        reindex(table);
        Q_EMIT rowRemoved(table, row);
        // The database set their provider to NULL.
        for (int i = 0; i < m_assets.size(); ++i) {
            if (m_assets.at(i).associateId == id) {
                m_assets[i].associateId = 0;
                Q_EMIT rowChanged(RiskTable::Assets, i);
            }
        }
        break;
    }
    case RiskTable::Risks: {
        const int row = riskRow(id);
        if (row < 0)
            return true;
        Q_EMIT aboutToRemoveRow(table, row);
        m_risks.removeAt(row);
        reindex(table);
        Q_EMIT rowRemoved(table, row);
        break;
    }
    }
    return true;
}

void RiskStore::removeEvidenceFiles(const QStringList &storedNames) const
{
    const QString folder = EvidenceStore::folderOf(m_database.workbook());
    for (const QString &name : storedNames)
        QFile::remove(folder + QLatin1Char('/') + name);
}

bool RiskStore::saveMatrix(const RiskMatrix &matrix, QString *error)
{
    if (!m_database.transact(
            [&](QSqlDatabase &db, QString *reason) {
                QSqlQuery query(db);
                query.prepare(QStringLiteral("INSERT INTO risk_matrix (likelihood, impact, level) VALUES (?, ?, ?)"
                                             " ON CONFLICT (likelihood, impact) DO UPDATE SET level = excluded.level"));
                for (int l = RiskLevel::kLowest; l <= RiskLevel::kHighest; ++l) {
                    for (int i = RiskLevel::kLowest; i <= RiskLevel::kHighest; ++i) {
                        query.addBindValue(l);
                        query.addBindValue(i);
                        query.addBindValue(matrix.level(l, i));
                        if (!execOrSay(query, reason))
                            return false;
                    }
                }
                return true;
            },
            error))
        return false;
    m_matrix = matrix;
    Q_EMIT matrixChanged();
    return true;
}

bool RiskStore::saveDetails(const AnalysisDetails &details, QString *error)
{
    if (!m_database.transact(
            [&](QSqlDatabase &db, QString *reason) {
                QSqlQuery query(db);
                query.prepare(QStringLiteral("INSERT INTO risk_analysis (id, scope, method, prepared_by, approved_by,"
                                             " approved_on, last_full_review_on) VALUES (1, ?, ?, ?, ?, ?, ?)"
                                             " ON CONFLICT (id) DO UPDATE SET scope = excluded.scope,"
                                             " method = excluded.method, prepared_by = excluded.prepared_by,"
                                             " approved_by = excluded.approved_by, approved_on = excluded.approved_on,"
                                             " last_full_review_on = excluded.last_full_review_on"));
                query.addBindValue(text(details.scope));
                query.addBindValue(text(details.method));
                query.addBindValue(text(details.preparedBy));
                query.addBindValue(text(details.approvedBy));
                query.addBindValue(date(details.approvedOn));
                query.addBindValue(date(details.lastFullReviewOn));
                return execOrSay(query, reason);
            },
            error))
        return false;
    m_details = details;
    Q_EMIT detailsChanged();
    return true;
}
