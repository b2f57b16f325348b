#pragma once

#include <QAbstractTableModel>

class RiskStore;

// The 5 x 5 grid of likelihood (rows, Very High at the top) against impact
// (columns): as a heat map of current or of residual risk, each cell the
// matrix's level (its name and colour) with the number of risks in it; or
// as the matrix itself, whose cells the user edits (a level's name or 1-5).
class HeatMapModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Kind { Current, Residual, Matrix };
    HeatMapModel(RiskStore &store, Kind kind, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Matrix only: saves the edited matrix in one transaction; false (and
    // lastError()) when the text is not a level or the save fails.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QString lastError() const { return m_lastError; }
    // The cells and the impact header with the levels' short names ("VH"),
    // for a map too narrow for the whole names. The likelihood header keeps
    // them: it is sized to its text, not to the map.
    void setShortNames(bool shortNames);
    bool shortNames() const { return m_shortNames; }

    static int likelihoodOfRow(int row) { return 5 - row; }
    static int impactOfColumn(int column) { return column + 1; }

private:
    void refresh();
    RiskStore &m_store;
    Kind m_kind;
    QString m_lastError;
    bool m_shortNames = false;
};
