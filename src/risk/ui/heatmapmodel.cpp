#include "risk/ui/heatmapmodel.h"

#include "risk/riskoverview.h"
#include "risk/riskstore.h"

#include <QBrush>

HeatMapModel::HeatMapModel(RiskStore &store, Kind kind, QObject *parent)
    : QAbstractTableModel(parent), m_store(store), m_kind(kind)
{
    for (auto signal : {&RiskStore::reset, &RiskStore::matrixChanged})
        connect(&store, signal, this, &HeatMapModel::refresh);
    connect(&store, &RiskStore::rowInserted, this, &HeatMapModel::refresh);
    connect(&store, &RiskStore::rowChanged, this, &HeatMapModel::refresh);
    connect(&store, &RiskStore::rowRemoved, this, &HeatMapModel::refresh);
}

void HeatMapModel::setShortNames(bool shortNames)
{
    if (m_shortNames == shortNames)
        return;
    m_shortNames = shortNames;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 4);
    refresh();
}

void HeatMapModel::refresh()
{
    Q_EMIT dataChanged(index(0, 0), index(4, 4));
}

int HeatMapModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 5;
}

int HeatMapModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant HeatMapModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const int level = orientation == Qt::Horizontal ? impactOfColumn(section) : likelihoodOfRow(section);
    // The impact's names over two lines where they are two words, so that
    // narrow columns keep them whole.
    if (role == Qt::DisplayRole) {
        if (orientation == Qt::Vertical)
            return RiskLevel::name(level);
        return m_shortNames ? RiskLevel::shortName(level) : RiskLevel::name(level).replace(QLatin1Char(' '), QLatin1Char('\n'));
    }
    if (role == Qt::ToolTipRole)
        return QString((orientation == Qt::Horizontal ? QStringLiteral("Impact: ") : QStringLiteral("Likelihood: "))
                       + RiskLevel::name(level));
    return {};
}

Qt::ItemFlags HeatMapModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_kind == Kind::Matrix && m_store.isWritable())
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant HeatMapModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int likelihood = likelihoodOfRow(index.row());
    const int impact = impactOfColumn(index.column());
    const int level = m_store.matrix().level(likelihood, impact);
    switch (role) {
    case Qt::DisplayRole: {
        const QString name = m_shortNames ? RiskLevel::shortName(level) : RiskLevel::name(level);
        if (m_kind == Kind::Matrix)
            return name;
        const RiskOverview::HeatMap map = m_kind == Kind::Current ? RiskOverview::currentHeatMap(m_store)
                                                                  : RiskOverview::residualHeatMap(m_store);
        const int count = map[likelihood - 1][impact - 1];
        return QStringLiteral("%1\n%2").arg(name, count ? QString::number(count) : QStringLiteral("-"));
    }
    case Qt::EditRole: return RiskLevel::name(level);
    case Qt::BackgroundRole: return QBrush(RiskLevel::colour(level));
    case Qt::ForegroundRole: return QBrush(RiskLevel::textColour(level));
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case Qt::ToolTipRole:
        return QStringLiteral("Likelihood %1, impact %2: %3")
            .arg(RiskLevel::name(likelihood), RiskLevel::name(impact), RiskLevel::name(level));
    default: return {};
    }
}

bool HeatMapModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (m_kind != Kind::Matrix || role != Qt::EditRole || !index.isValid())
        return false;
    const int level = RiskLevel::fromText(value.toString());
    if (level == 0) {
        m_lastError = QStringLiteral("\"%1\" is not a level: type Very Low, Low, Moderate, High, Very High or 1-5.")
                          .arg(value.toString());
        return false;
    }
    RiskMatrix matrix = m_store.matrix();
    matrix.setLevel(likelihoodOfRow(index.row()), impactOfColumn(index.column()), level);
    return m_store.saveMatrix(matrix, &m_lastError);
}
