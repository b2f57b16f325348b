#pragma once

#include "risk/riskstore.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

// Table models over the register's store, one per list. They follow the
// store row by row (insert, change, remove) instead of resetting, so a
// view keeps its selection and scroll position across a save.
//
// Every cell gives its text (DisplayRole), a value to sort by (SortRole:
// numbers for levels and counts, ISO text for dates) and, in the level
// columns, the level's colour as background with a readable foreground.
// The colour is never the only sign: the level's name is the text.
namespace RegisterRoles {
inline constexpr int SortRole = Qt::UserRole + 1;
inline constexpr int IdRole = Qt::UserRole + 2;     // the record's id
inline constexpr int LevelRole = Qt::UserRole + 3;  // 1-5 in level columns, else 0
}

class RegisterTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    RegisterTableModel(RiskStore &store, RiskTable table, QObject *parent = nullptr);

    RiskStore &store() const { return m_store; }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // The row of the record with that id; -1 when none.
    int rowOf(qint64 id) const;
    qint64 idAt(int row) const;

protected:
    virtual int levelAt(int row, int column) const;
    RiskStore &m_store;

private:
    RiskTable m_table;
};

class AssetTableModel : public RegisterTableModel
{
    Q_OBJECT

public:
    enum Column { Name, Kind, Location, Owner, Records, Flows, Provider, Risks, ColumnCount };
    explicit AssetTableModel(RiskStore &store, QObject *parent = nullptr);
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

class RiskTableModel : public RegisterTableModel
{
    Q_OBJECT

public:
    enum Column { Level, Threat, Asset, Likelihood, Impact, Treatment, Owner, Due, Status, ResidualLevel, ColumnCount };
    explicit RiskTableModel(RiskStore &store, QObject *parent = nullptr);
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    int levelAt(int row, int column) const override;
};

class AssociateTableModel : public RegisterTableModel
{
    Q_OBJECT

public:
    enum Column { Name, Service, Ephi, Contact, BaaSigned, BaaReview, ColumnCount };
    explicit AssociateTableModel(RiskStore &store, QObject *parent = nullptr);
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

// Sorting by SortRole and filtering on every column's text, case-insensitive.
// The management plan uses it with openTreatmentsOnly: the risks whose
// treatment is neither done nor an accepted risk.
class RegisterFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit RegisterFilterModel(QObject *parent = nullptr);
    void setFilterText(const QString &text);
    void setOpenTreatmentsOnly(bool only);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    QString m_text;
    bool m_openOnly = false;
};
