#include "history/versionlistmodel.h"

#include <QLocale>

VersionListModel::VersionListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void VersionListModel::setVersions(QList<VersionStore::Version> versions)
{
    beginResetModel();
    m_versions = std::move(versions);
    endResetModel();
}

QString VersionListModel::kindCaption(VersionStore::Kind kind)
{
    switch (kind) {
    case VersionStore::Kind::Saved: return QStringLiteral("Saved");
    case VersionStore::Kind::Found: return QStringLiteral("Found");
    case VersionStore::Kind::BeforeRestore: return QStringLiteral("Kept before restore");
    case VersionStore::Kind::Restored: return QStringLiteral("Restored");
    }
    return QString();
}

int VersionListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_versions.size());
}

int VersionListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VersionListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_versions.size())
        return {};
    const VersionStore::Version &version = m_versions.at(index.row());
    if (role == Qt::TextAlignmentRole && index.column() >= SizeColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole && index.column() == SavedColumn)
        return QStringLiteral("SHA-256 %1").arg(QString::fromLatin1(version.sha256.toHex()));
    if (role != Qt::DisplayRole)
        return {};
    const QLocale locale;
    switch (index.column()) {
    case SavedColumn: return version.savedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case AuthorColumn: return version.author.isEmpty() ? QStringLiteral("(no name)") : version.author;
    case KindColumn: return kindCaption(version.kind);
    case SizeColumn: return locale.formattedDataSize(version.size, 1, QLocale::DataSizeTraditionalFormat);
    case AddedColumn: return QStringLiteral("+%1").arg(version.wordsAdded);
    case RemovedColumn: return QStringLiteral("-%1").arg(version.wordsRemoved);
    }
    return {};
}

QVariant VersionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const kHeaders[ColumnCount] = {"Saved", "Author", "Kind", "Size", "Words added",
                                                      "Words removed"};
    return section >= 0 && section < ColumnCount ? QVariant(QString::fromLatin1(kHeaders[section])) : QVariant();
}
