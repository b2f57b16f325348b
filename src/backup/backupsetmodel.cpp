#include "backup/backupsetmodel.h"

#include <QLocale>

BackupSetModel::BackupSetModel(QObject *parent) : QAbstractTableModel(parent) {}

void BackupSetModel::setSets(const QList<BackupGenerations::SetInfo> &sets)
{
    beginResetModel();
    m_sets = sets;
    endResetModel();
}

int BackupSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_sets.size());
}

int BackupSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BackupSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_sets.size())
        return {};
    const BackupGenerations::SetInfo &set = m_sets.at(index.row());
    if (role == Qt::ToolTipRole)
        return set.verifies ? set.name : QStringLiteral("%1: %2").arg(set.name, set.problem);
    if (role == Qt::TextAlignmentRole && (index.column() == Files || index.column() == Size))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Date:
        return set.made.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case Files:
        return set.verifies ? QVariant(set.fileCount) : QVariant();
    case Size:
        return set.verifies ? QLocale().formattedDataSize(set.size) : QString();
    case Verifies:
        return set.verifies ? QStringLiteral("Yes") : QStringLiteral("No: %1").arg(set.problem);
    }
    return {};
}

QVariant BackupSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Date:
        return QStringLiteral("Backup set of");
    case Files:
        return QStringLiteral("Files");
    case Size:
        return QStringLiteral("Size");
    case Verifies:
        return QStringLiteral("Verifies");
    }
    return {};
}
