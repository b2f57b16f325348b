#include "risk/ui/registermodels.h"

#include <QBrush>
#include <QFont>
#include <QLocale>

namespace {

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QVariant levelDecoration(int level, int role)
{
    if (level == 0)
        return {};
    if (role == Qt::BackgroundRole)
        return QBrush(RiskLevel::colour(level));
    if (role == Qt::ForegroundRole)
        return QBrush(RiskLevel::textColour(level));
    return {};
}

} // namespace

RegisterTableModel::RegisterTableModel(RiskStore &store, RiskTable table, QObject *parent)
    : QAbstractTableModel(parent), m_store(store), m_table(table)
{
    connect(&store, &RiskStore::aboutToReset, this, [this] { beginResetModel(); });
    connect(&store, &RiskStore::reset, this, [this] { endResetModel(); });
    connect(&store, &RiskStore::aboutToInsertRow, this, [this](RiskTable t, int row) {
        if (t == m_table)
            beginInsertRows(QModelIndex(), row, row);
    });
    connect(&store, &RiskStore::rowInserted, this, [this](RiskTable t, int) {
        if (t == m_table)
            endInsertRows();
    });
    connect(&store, &RiskStore::rowChanged, this, [this](RiskTable t, int row) {
        if (t == m_table)
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
        // An asset's name or an associate's name shows in other lists.
        if (t != m_table && rowCount() > 0)
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    });
    connect(&store, &RiskStore::aboutToRemoveRow, this, [this](RiskTable t, int row) {
        if (t == m_table)
            beginRemoveRows(QModelIndex(), row, row);
    });
    connect(&store, &RiskStore::rowRemoved, this, [this](RiskTable t, int) {
        if (t == m_table)
            endRemoveRows();
    });
    connect(&store, &RiskStore::matrixChanged, this, [this] {
        if (rowCount() > 0)
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    });
}

int RegisterTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    switch (m_table) {
    case RiskTable::Assets: return int(m_store.assets().size());
    case RiskTable::Associates: return int(m_store.associates().size());
    case RiskTable::Risks: return int(m_store.risks().size());
    }
    return 0;
}

int RegisterTableModel::rowOf(qint64 id) const
{
    switch (m_table) {
    case RiskTable::Assets: return m_store.assetRow(id);
    case RiskTable::Associates: return m_store.associateRow(id);
    case RiskTable::Risks: return m_store.riskRow(id);
    }
    return -1;
}

qint64 RegisterTableModel::idAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    switch (m_table) {
    case RiskTable::Assets: return m_store.assets().at(row).id;
    case RiskTable::Associates: return m_store.associates().at(row).id;
    case RiskTable::Risks: return m_store.risks().at(row).id;
    }
    return 0;
}

int RegisterTableModel::levelAt(int, int) const
{
    return 0;
}

// --- Assets -----------------------------------------------------------------

AssetTableModel::AssetTableModel(RiskStore &store, QObject *parent) : RegisterTableModel(store, RiskTable::Assets, parent)
{
    // The risk counts follow the risks.
    connect(&store, &RiskStore::rowInserted, this, [this](RiskTable t, int) {
        if (t == RiskTable::Risks && rowCount() > 0)
            Q_EMIT dataChanged(index(0, Risks), index(rowCount() - 1, Risks));
    });
    connect(&store, &RiskStore::rowRemoved, this, [this](RiskTable t, int) {
        if (t == RiskTable::Risks && rowCount() > 0)
            Q_EMIT dataChanged(index(0, Risks), index(rowCount() - 1, Risks));
    });
}

int AssetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AssetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[] = {"Name", "Kind", "Location", "Owner", "Records", "ePHI flow", "Provided by", "Risks"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QVariant();
}

QVariant AssetTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const RiskAsset &a = m_store.assets().at(index.row());
    if (role == RegisterRoles::IdRole)
        return a.id;
    if (role == Qt::FontRole && a.retired) {
        QFont font;
        font.setStrikeOut(true);
        return font;
    }
    if (role == Qt::ToolTipRole && a.retired)
        return QStringLiteral("Retired");
    if (role != Qt::DisplayRole && role != RegisterRoles::SortRole)
        return {};
    const bool sort = role == RegisterRoles::SortRole;
    switch (index.column()) {
    case Name: return a.name;
    case Kind: return AssetKinds::caption(a.kind);
    case Location: return a.location;
    case Owner: return a.owner;
    case Records:
        if (sort)
            return a.recordCount ? *a.recordCount : -1;
        return a.recordCount ? QLocale::c().toString(*a.recordCount) : QString();
    case Flows: {
        QString f;
        f += a.creates ? QLatin1Char('C') : QLatin1Char('-');
        f += a.receives ? QLatin1Char('R') : QLatin1Char('-');
        f += a.maintains ? QLatin1Char('M') : QLatin1Char('-');
        f += a.transmits ? QLatin1Char('T') : QLatin1Char('-');
        return f;
    }
    case Provider: return m_store.associateName(a.associateId);
    case Risks: {
        int count = 0;
        for (const Risk &r : m_store.risks())
            count += r.assetId == a.id;
        return sort ? QVariant(count) : QVariant(QString::number(count));
    }
    default: return {};
    }
}

// --- Risks ------------------------------------------------------------------

RiskTableModel::RiskTableModel(RiskStore &store, QObject *parent) : RegisterTableModel(store, RiskTable::Risks, parent) {}

int RiskTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RiskTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[] = {"Level", "Threat", "Asset", "Likelihood", "Impact", "Treatment",
                                         "Owner", "Due", "Status", "Residual"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QVariant();
}

int RiskTableModel::levelAt(int row, int column) const
{
    const Risk &r = m_store.risks().at(row);
    switch (column) {
    case Level: return m_store.level(r);
    case Likelihood: return r.likelihood;
    case Impact: return r.impact;
    case ResidualLevel: return m_store.residualLevel(r);
    default: return 0;
    }
}

QVariant RiskTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Risk &r = m_store.risks().at(index.row());
    const int level = levelAt(index.row(), index.column());
    switch (role) {
    case RegisterRoles::IdRole: return r.id;
    case RegisterRoles::LevelRole: return level;
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
        if (index.column() == Level || index.column() == ResidualLevel)
            return levelDecoration(level, role);
        return {};
    case Qt::DisplayRole:
    case RegisterRoles::SortRole:
        break;
    default:
        return {};
    }
    const bool sort = role == RegisterRoles::SortRole;
    switch (index.column()) {
    case Level:
    case Likelihood:
    case Impact:
    case ResidualLevel:
        return sort ? QVariant(level) : QVariant(RiskLevel::name(level));
    case Threat: return r.threat;
    case Asset: return m_store.assetName(r.assetId);
    case Treatment: return Treatments::caption(r.treatment);
    case Owner: return r.owner;
    case Due: return sort && !r.dueOn.isValid() ? QStringLiteral("9999") : dateText(r.dueOn);
    case Status: return sort ? QVariant(int(r.status)) : QVariant(Treatments::statusCaption(r.status));
    default: return {};
    }
}

// --- Business associates ------------------------------------------------------

AssociateTableModel::AssociateTableModel(RiskStore &store, QObject *parent)
    : RegisterTableModel(store, RiskTable::Associates, parent)
{
}

int AssociateTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AssociateTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[] = {"Name", "Service", "ePHI", "Contact", "BAA signed", "Next review"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QVariant();
}

QVariant AssociateTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const BusinessAssociate &b = m_store.associates().at(index.row());
    if (role == RegisterRoles::IdRole)
        return b.id;
    if (role != Qt::DisplayRole && role != RegisterRoles::SortRole)
        return {};
    const bool sort = role == RegisterRoles::SortRole;
    switch (index.column()) {
    case Name: return b.name;
    case Service: return b.service;
    case Ephi: return b.ephi;
    case Contact: return b.contact;
    case BaaSigned:
        if (!b.baaSignedOn.isValid())
            return sort ? QStringLiteral("0000") : QStringLiteral("Not signed");
        return dateText(b.baaSignedOn);
    case BaaReview: return sort && !b.baaReviewOn.isValid() ? QStringLiteral("9999") : dateText(b.baaReviewOn);
    default: return {};
    }
}

// --- Filter -------------------------------------------------------------------

RegisterFilterModel::RegisterFilterModel(QObject *parent) : QSortFilterProxyModel(parent)
{
    setSortRole(RegisterRoles::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setSortLocaleAware(false);
    setDynamicSortFilter(true);
}

void RegisterFilterModel::setFilterText(const QString &text)
{
    const QString simplified = text.simplified();
    if (simplified == m_text)
        return;
    m_text = simplified;
    invalidateRowsFilter();
}

void RegisterFilterModel::setOpenTreatmentsOnly(bool only)
{
    m_openOnly = only;
    invalidateRowsFilter();
}

bool RegisterFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QAbstractItemModel *model = sourceModel();
    if (m_openOnly) {
        if (const auto *risks = qobject_cast<const RiskTableModel *>(model)) {
            const Risk &r = risks->store().risks().at(sourceRow);
            if (r.status == TreatmentStatus::Done || r.treatment == Treatment::Accept)
                return false;
        }
    }
    if (m_text.isEmpty())
        return true;
    const QStringList words = m_text.split(QLatin1Char(' '));
    const int columns = model->columnCount(sourceParent);
    // Every word somewhere in the row.
    for (const QString &word : words) {
        bool found = false;
        for (int c = 0; c < columns && !found; ++c)
            found = model->index(sourceRow, c, sourceParent).data(Qt::DisplayRole).toString().contains(word, Qt::CaseInsensitive);
        if (!found)
            return false;
    }
    return true;
}
