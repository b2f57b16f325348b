#pragma once

#include "history/versionstore.h"

#include <QAbstractTableModel>

// A document's versions as the history window lists them, newest first:
// when saved (local time), by whom, what kind of version, its size and the
// words it added and removed.
class VersionListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { SavedColumn, AuthorColumn, KindColumn, SizeColumn, AddedColumn, RemovedColumn, ColumnCount };

    explicit VersionListModel(QObject *parent = nullptr);

    void setVersions(QList<VersionStore::Version> versions);
    const VersionStore::Version &versionAt(int row) const { return m_versions.at(row); }
    const QList<VersionStore::Version> &versions() const { return m_versions; }

    // "Saved", "Found", "Kept before restore", "Restored".
    static QString kindCaption(VersionStore::Kind kind);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<VersionStore::Version> m_versions;
};
