#pragma once

#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <array>

class DashboardWidget;
class QGroupBox;
class QLabel;
class QTableWidget;
class StatusTable;

// The Action Area's standards view: three group selectors, the heading, the
// title line with the group's part of the rule, the R/A legend, the
// read-only standards grid and its "&Print" button. The grid lists each
// standard of the chosen group with its implementation specifications, their
// Required/Addressable designation and the statuses held in the StatusTable.
class StandardsGridPanel : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kCaptionBase = QStringLiteral("Action Area - HIPAA Security Standards - ");
    static constexpr int kColumnCount = 5;
    enum Column { StandardColumn, SectionColumn, SpecificationColumn, DesignationColumn, StatusColumn };
    static const QStringList &headerTexts();

    explicit StandardsGridPanel(StatusTable &table, QWidget *parent = nullptr);

    // A group selector pressed (0 Administrative, 1 Physical, 2 Technical):
    // marks the chosen selector, announces the caption and rebuilds the grid
    // from the StatusTable.
    void selectGroup(int group);
    int currentGroup() const { return currentGroup_; }

    // Rebuilds the title line and the grid's rows for the group.
    void fillStandardsGrid(int group);

    QTableWidget *grid() const { return grid_; }
    QPushButton *groupButton(int group) const;
    QPushButton *printButton() const { return printButton_; }
    QLabel *heading() const { return heading_; }
    QLabel *titleLine() const { return titleLine_; }
    QLabel *legend() const { return legend_; }
    QGroupBox *groupFrame() const { return groupFrame_; }
    DashboardWidget *dashboard() const { return dashboard_; }

    // The height of row as the grid's height times its factor, never less
    // than its lines need; -1 for a row that keeps the default height.
    static int factorHeight(double factor, int gridHeight);

Q_SIGNALS:
    // The window's caption for the chosen group.
    void captionChanged(const QString &caption);
    // "&Print" pressed; the button stays disabled until something listens.
    void printRequested();
    // The right mouse button was released over the grid.
    void optionsMenuRequested(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void connectNotify(const QMetaMethod &signal) override;
    void disconnectNotify(const QMetaMethod &signal) override;

private:
    void buildGrid();
    void markSelector(int group);
    void writeHeaderIfBlank();
    void layOutColumns();
    void layOutRows();
    int neededRowHeight(int row) const;
    void updatePrintButton();

    StatusTable &table_;
    QGroupBox *groupFrame_ = nullptr;
    std::array<QPushButton *, 3> groupButtons_{};
    QLabel *heading_ = nullptr;
    QLabel *titleLine_ = nullptr;
    QLabel *legend_ = nullptr;
    QTableWidget *grid_ = nullptr;
    DashboardWidget *dashboard_ = nullptr;
    // Guarded: signals are disconnected while the children are already gone.
    QPointer<QPushButton> printButton_;
    int currentGroup_ = -1;
    QList<double> rowFactors_;
};
