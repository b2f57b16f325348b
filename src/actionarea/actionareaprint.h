#pragma once

#include "printing/safeguardreport.h"

#include "platform/records/workbook.h"
#include "platform/services/services.h"

#include <QObject>
#include <QPointer>

#include <functional>

#include <memory>

class ActionArea;
class PrintPanel;
class PrintServices;
class PrintSurface;
class QAction;
class SafeguardReport;

// What the Action Area prints and how its print panel is driven: the
// openers of the safeguard report and of the standards summary, the
// section boxes' rules, the all-policies run and the display copy of the
// worksheet and recovery-plan views. The panel itself lies over the
// Action Area's body while it is open.
class ActionAreaPrint : public QObject
{
    Q_OBJECT
public:
    ActionAreaPrint(ActionArea &area, QWidget *body, const PlatformServices &services,
                    std::shared_ptr<PrintServices> printServices, const Workbook &workbook);
    ~ActionAreaPrint() override;

    PrintPanel *panel() const { return m_panel; }
    bool isShown() const;
    // The report of the safeguard views (scratch documents and state).
    SafeguardReport &report() const { return *m_report; }
    bool allPoliciesShown() const { return m_allPoliciesShown; }

    // The window's load: printer font from the workspace display's font,
    // the stored guide-line choice (not written back), portrait.
    void load();

    // The Options menu "&Print" and the workspace's "&Print": the panel's
    // "&Print" while it is open, else the opener of the WorkMode.
    void printCommand();
    // OpenSafeguardPrint: safeguard groups, sample, worksheets, recovery plan.
    void openSafeguardPrint();
    // OpenSummaryPrint: the standards grid view.
    void openSummaryPrint();
    // "Print &All Current Policies Only".
    void printAllPolicies();
    // The menu entry and its separator, enabled only while the panel is open
    // in one of the five safeguard groups.
    void setAllPoliciesEntry(QAction *entry, QAction *separator);

    // The project timeline's print opener, run by "&Print" in WorkMode 1.
    void setTimelinePrint(std::function<void()> openToDoPrint) { m_timelinePrint = std::move(openToDoPrint); }
    // The risk register's print opener, run by "&Print" in WorkMode 10.
    void setRiskRegisterPrint(std::function<void()> open) { m_riskRegisterPrint = std::move(open); }
    // Shows a document of its own composer in the panel (the risk register's
    // reports): no section boxes or printer font, Page Setup available.
    void openOtherDocument(const QString &name, std::function<void(PrintSurface &)> compose);
    // Enables or disables "Print &All Current Policies Only" and its separator.
    void setAllPoliciesEnabled(bool enabled);

    // Places the panel over the body for a document of another opener (the
    // audit binder): no summary or safeguard rules apply while it shows.
    void placeForOtherDocument();

    // The organization's name every page of a report carries.
    void setOrganizationSource(std::function<QString()> source) { m_organization = std::move(source); }
    // The safeguard report's further heading lines (its last review, its
    // decision) for a safeguard number.
    using RecordSource = std::function<QList<SafeguardReport::HeadingLine>(int safeguardNo)>;
    void setRecordSource(RecordSource source) { m_record = std::move(source); }

    // Closes the panel as "&Cancel" does (nothing happens when it is closed).
    void closePanel();

    // Esc while the panel is shown: the preview back to normal size first,
    // then the panel closed. False when the panel was not shown.
    bool handleEscape();

private:
    void onSectionBoxChanged(int index, bool checked);
    void onPanelClosed();
    void composeSafeguardReport();
    void composeSummary();
    void composeDisplayCopy();
    void placePanel();
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool isPlainCopyMode() const;
    bool isSafeguardGroupMode() const;
    bool isSummaryShown() const;

    ActionArea &m_area;
    QPointer<QWidget> m_body;
    PlatformServices m_services;
    Workbook m_workbook;
    PrintPanel *m_panel = nullptr;
    std::unique_ptr<SafeguardReport> m_report;
    QPointer<QAction> m_allPoliciesEntry;
    QPointer<QAction> m_allPoliciesSeparator;
    bool m_allPoliciesShown = false;
    bool m_summaryMode = false;
    std::function<void()> m_timelinePrint;
    std::function<void()> m_riskRegisterPrint;
    std::function<QString()> m_organization;
    RecordSource m_record;
};
