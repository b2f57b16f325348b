#pragma once

#include "risk/risklevels.h"
#include "risk/riskrecords.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <optional>

class QSqlQuery;
class WorkbookDatabase;

enum class RiskTable { Assets, Associates, Risks };

// The risk register of one workbook, held in memory and written through to
// the workbook's database. Every save or removal is one transaction; when it
// fails nothing in memory changes, and *error names the file and the reason,
// so the form that asked can keep its edits on screen.
//
// The lists keep the database's order (by id); views sort through proxies.
// Signals let models follow row by row instead of resetting.
class RiskStore : public QObject
{
    Q_OBJECT

public:
    explicit RiskStore(WorkbookDatabase &database, QObject *parent = nullptr);

    // Reads the whole register. False with *error when the database is not
    // open or cannot be read; the lists are then empty.
    bool load(QString *error = nullptr);
    bool isWritable() const;

    // What the review warning needs, read without the rest of the register:
    // the analysis details and whether any asset or risk is recorded.
    // Nothing when the database is not open or cannot be read.
    struct ReviewState
    {
        AnalysisDetails details;
        bool hasRecords = false;
        // No records and no review recorded: the register is not in use yet.
        bool inUse() const { return hasRecords || details.lastFullReviewOn.isValid(); }
    };
    static std::optional<ReviewState> readReviewState(WorkbookDatabase &database);
    WorkbookDatabase &database() const { return m_database; }

    const QList<RiskAsset> &assets() const { return m_assets; }
    const QList<BusinessAssociate> &associates() const { return m_associates; }
    const QList<Risk> &risks() const { return m_risks; }
    const RiskMatrix &matrix() const { return m_matrix; }
    const AnalysisDetails &details() const { return m_details; }

    // The row of a record in its list; -1 when there is none with that id.
    int assetRow(qint64 id) const { return m_assetRows.value(id, -1); }
    int associateRow(qint64 id) const { return m_associateRows.value(id, -1); }
    int riskRow(qint64 id) const { return m_riskRows.value(id, -1); }
    // "Organization-wide" for 0, the asset's name, or empty for an unknown id.
    QString assetName(qint64 id) const;
    QString associateName(qint64 id) const;

    // Levels looked up in the workbook's matrix (0 when not assessed).
    int level(const Risk &risk) const { return m_matrix.level(risk.likelihood, risk.impact); }
    int residualLevel(const Risk &risk) const
    {
        return m_matrix.level(risk.residualLikelihood, risk.residualImpact);
    }

    // Inserts (id 0, then set) or updates one record.
    bool saveAsset(RiskAsset &asset, QString *error = nullptr);
    bool saveAssociate(BusinessAssociate &associate, QString *error = nullptr);
    bool saveRisk(Risk &risk, QString *error = nullptr);
    // Removal refuses an asset that risks still name (retire it instead);
    // a removed associate leaves its assets without a provider. Evidence
    // attached to the record goes with it, files included.
    bool removeAsset(qint64 id, QString *error = nullptr);
    bool removeAssociate(qint64 id, QString *error = nullptr);
    bool removeRisk(qint64 id, QString *error = nullptr);

    // All of them or none, in one transaction (the CSV import).
    bool addAssets(QList<RiskAsset> assets, QString *error = nullptr);

    bool saveMatrix(const RiskMatrix &matrix, QString *error = nullptr);
    bool saveDetails(const AnalysisDetails &details, QString *error = nullptr);

Q_SIGNALS:
    void aboutToReset();
    void reset();
    void aboutToInsertRow(RiskTable table, int row);
    void rowInserted(RiskTable table, int row);
    void rowChanged(RiskTable table, int row);
    void aboutToRemoveRow(RiskTable table, int row);
    void rowRemoved(RiskTable table, int row);
    void matrixChanged();
    void detailsChanged();

private:
    static bool readDetails(QSqlQuery &query, AnalysisDetails *details, QString *reason);
    bool removeRecord(RiskTable table, qint64 id, QString *error);
    void reindex(RiskTable table);
    void removeEvidenceFiles(const QStringList &storedNames) const;

    WorkbookDatabase &m_database;
    QList<RiskAsset> m_assets;
    QList<BusinessAssociate> m_associates;
    QList<Risk> m_risks;
    QHash<qint64, int> m_assetRows;
    QHash<qint64, int> m_associateRows;
    QHash<qint64, int> m_riskRows;
    RiskMatrix m_matrix = RiskMatrix::standard();
    AnalysisDetails m_details;
};
