#pragma once

#include "platform/services/services.h"

#include <QDate>
#include <QWidget>

#include <functional>

class AnalysisDetailsForm;
class AssetForm;
class AssociateForm;
class AssetTableModel;
class AssociateTableModel;
class EvidenceStore;
class HeatMapModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTableView;
class RegisterFilterModel;
class RiskForm;
class RiskStore;
class RiskTableModel;
class ThreatLibrary;
struct ThreatEntry;

// The risk register's panel: tabs Overview, Assets, Risks, Management Plan
// and Business Associates. Each list is a sortable QTableView over the
// store's model behind a filter box, with a form below that edits the
// chosen row; Save, New and Delete act on the form, one transaction each.
// A save the database refuses is shown (file and reason) and the form keeps
// the user's edits. Everything is reachable from the keyboard: every
// button and field has a mnemonic, Ctrl+F goes to the tab's filter box,
// Ctrl+S saves the form, Ctrl+N starts a new record.
class RiskRegisterPanel : public QWidget
{
    Q_OBJECT

public:
    enum Tab { OverviewTab, AssetsTab, RisksTab, PlanTab, AssociatesTab };

    struct Hooks
    {
        std::function<QDate()> today = [] { return QDate::currentDate(); };
        // A file to read (evidence, CSV import); empty when cancelled.
        std::function<QString(QWidget *, const QString &title, const QString &filter)> chooseOpenFile;
        // Which of the offered threats to add as risks (indexes).
        std::function<QList<int>(QWidget *, const QString &assetName, const QList<ThreatEntry> &)> chooseThreats;
        // Opens a stored evidence file with the desktop's default application.
        std::function<bool(const QString &path)> openFile;
        // The project timeline's folder (the workbook's).
        QString timelineFolder;
    };

    RiskRegisterPanel(RiskStore &store, EvidenceStore &evidence, const ThreatLibrary &threats,
                      PlatformServices services, Hooks hooks, QWidget *parent = nullptr);
    ~RiskRegisterPanel() override;

    QTabWidget *tabs() const { return m_tabs; }
    QTableView *view(Tab tab) const;
    QLineEdit *filterBox(Tab tab) const;
    AssetForm *assetForm() const { return m_assetForm; }
    RiskForm *riskForm() const { return m_riskForm; }
    AssociateForm *associateForm() const { return m_associateForm; }
    // Whether a form holds edits not yet saved.
    bool hasUnsavedEdits() const;
    // The forms show their saved records again (their edits dropped).
    void revertForms();
    // Saves every form that holds edits, whichever tab is in front; false
    // (that form's tab in front, its edits kept) when one could not be saved.
    bool saveEditedForms();
    // The overview's warning about the periodic review (empty when none).
    QString reviewWarning() const;

public Q_SLOTS:
    void refreshOverview();
    bool saveCurrent();
    void newRecord();
    bool deleteCurrent();
    void suggestRisks();
    bool addToTimeline();
    bool importAssets();
    bool attachEvidence();
    bool saveDetails();

Q_SIGNALS:
    // The periodic-review warning changed (for the Action Area's status bar).
    void reviewWarningChanged(const QString &warning);

private:
    QWidget *buildOverview();
    QWidget *buildList(Tab tab, QWidget *form, const QList<QWidget *> &buttons);
    void showRow(Tab tab);
    void refreshEvidence();
    Tab currentTab() const;
    bool formHasEdits(Tab tab) const;
    qint64 currentId(Tab tab) const;
    void selectId(Tab tab, qint64 id);
    void fail(const QString &text);

    RiskStore &m_store;
    EvidenceStore &m_evidence;
    const ThreatLibrary &m_threats;
    PlatformServices m_services;
    Hooks m_hooks;
    QTabWidget *m_tabs = nullptr;
    AssetTableModel *m_assetModel = nullptr;
    RiskTableModel *m_riskModel = nullptr;
    AssociateTableModel *m_associateModel = nullptr;
    RegisterFilterModel *m_proxies[5] = {};
    QTableView *m_views[5] = {};
    QLineEdit *m_filters[5] = {};
    AssetForm *m_assetForm = nullptr;
    RiskForm *m_riskForm = nullptr;
    AssociateForm *m_associateForm = nullptr;
    QListWidget *m_evidenceList[5] = {};
    HeatMapModel *m_currentMap = nullptr;
    HeatMapModel *m_residualMap = nullptr;
    HeatMapModel *m_matrix = nullptr;
    QLabel *m_counts = nullptr;
    QLabel *m_top = nullptr;
    QLabel *m_overdue = nullptr;
    QLabel *m_baa = nullptr;
    QLabel *m_review = nullptr;
    AnalysisDetailsForm *m_details = nullptr;
};
