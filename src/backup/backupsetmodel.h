#pragma once

#include "backup/generations.h"

#include <QAbstractTableModel>

// The backup sets of a folder as the restore window lists them, newest
// first: date, file count, size, and whether the set verifies.
class BackupSetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Date, Files, Size, Verifies, ColumnCount };

    explicit BackupSetModel(QObject *parent = nullptr);

    void setSets(const QList<BackupGenerations::SetInfo> &sets);
    const QList<BackupGenerations::SetInfo> &sets() const { return m_sets; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<BackupGenerations::SetInfo> m_sets;
};
