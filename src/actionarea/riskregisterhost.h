#pragma once

#include "platform/records/workbook.h"
#include "platform/services/services.h"
#include "risk/threatlibrary.h"
#include "risk/ui/riskregisterpanel.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class EvidenceStore;
class PrintSurface;
class RiskStore;
class WorkbookDatabase;

// The risk register as WorkMode 10 of the Action Area: the workbook's
// register, its evidence and the shipped threat library, and the panel over
// them, made when the mode is first entered. Until then only the analysis
// details are read, for the periodic-review warning of the status bar.
class RiskRegisterHost : public QObject
{
    Q_OBJECT

public:
    // The workbook's database, opened on first use; nullptr where there is
    // none to open.
    using DatabaseSource = std::function<std::shared_ptr<WorkbookDatabase>()>;

    RiskRegisterHost(const Workbook &workbook, DatabaseSource database, PlatformServices services,
                     QObject *parent = nullptr);
    ~RiskRegisterHost() override;

    // The panel, made (with parent) on the first call.
    RiskRegisterPanel *panel(QWidget *parent);
    RiskRegisterPanel *existingPanel() const { return m_panel; }
    // Why the register could not be read (empty when it was): the panel is
    // then empty and refuses every save.
    QString loadProblem() const { return m_loadProblem; }

    // The workbook's files were replaced (a restore): the register is read
    // again from its database, and the panel shows what was read.
    void reload();

    // What the Action Area's save question needs.
    bool hasUnsavedEdits() const;
    bool save();
    // After a No: the forms show the saved records again.
    void revert();

    // The warning about the periodic review of the analysis, for the status
    // bar: empty when the review is recent, or when the register is not in
    // use yet (no records and no review recorded).
    QString reviewWarning(const QDate &today);

    // The document "&Print" shows for the panel's tab: the risk management
    // plan on the Management Plan tab, the business associates on theirs,
    // the risk analysis elsewhere. Its name, and a composer for it.
    struct Document
    {
        QString name;
        std::function<void(PrintSurface &)> compose;
    };
    Document printDocument(const QDate &today);

Q_SIGNALS:
    void reviewWarningChanged(const QString &warning);

private:
    // The workbook's database from the source, asked for once; nullptr
    // without one.
    WorkbookDatabase *database();
    // The store over the database, read once; nullptr without a database.
    RiskStore *store();
    // Reads the register into the store, remembering why when it cannot.
    void loadStore();

    Workbook m_workbook;
    DatabaseSource m_databaseSource;
    PlatformServices m_services;
    std::shared_ptr<WorkbookDatabase> m_database;
    std::unique_ptr<RiskStore> m_store;
    std::unique_ptr<EvidenceStore> m_evidence;
    ThreatLibrary m_threats;
    QPointer<RiskRegisterPanel> m_panel;
    QString m_loadProblem;
};
