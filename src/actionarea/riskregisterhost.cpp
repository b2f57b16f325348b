#include "actionarea/riskregisterhost.h"

#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"
#include "risk/evidencestore.h"
#include "risk/reports/riskreports.h"
#include "risk/riskoverview.h"
#include "risk/riskstore.h"
#include "risk/ui/threatchooser.h"

#include <QFileInfo>
#include <QTabWidget>

namespace {

// A register with no records and no review recorded is not in use yet: no
// warning is given about its review.
bool inUse(const RiskStore &store)
{
    return RiskStore::ReviewState{store.details(), !store.assets().isEmpty() || !store.risks().isEmpty()}.inUse();
}

} // namespace

RiskRegisterHost::RiskRegisterHost(const Workbook &workbook, DatabaseSource database, PlatformServices services,
                                   QObject *parent)
    : QObject(parent)
    , m_workbook(workbook)
    , m_databaseSource(std::move(database))
    , m_services(std::move(services))
{
}

RiskRegisterHost::~RiskRegisterHost()
{
    // The panel refers to the stores: it goes first.
    delete m_panel;
}

WorkbookDatabase *RiskRegisterHost::database()
{
    if (!m_database && m_databaseSource)
        m_database = m_databaseSource();
    return m_database.get();
}

RiskStore *RiskRegisterHost::store()
{
    if (m_store)
        return m_store.get();
    if (!database())
        return nullptr;
    m_store = std::make_unique<RiskStore>(*m_database);
    loadStore();
    return m_store.get();
}

void RiskRegisterHost::loadStore()
{
    // A database that could not be opened has been reported where it was
    // opened; the register is then empty and every save says why.
    m_loadProblem.clear();
    if (!m_store->load(&m_loadProblem) && m_loadProblem.isEmpty())
        m_loadProblem = QStringLiteral("the register could not be read");
}

RiskRegisterPanel *RiskRegisterHost::panel(QWidget *parent)
{
    if (m_panel)
        return m_panel;
    RiskStore *register_ = store();
    if (!register_)
        return nullptr;
    m_evidence = std::make_unique<EvidenceStore>(*m_database);
    QString error;
    if (!m_threats.load(m_workbook.contentFolder(), &error) && m_services.prompt) {
        m_services.prompt->ask(parent, Prompt::Icon::Exclamation, QStringLiteral("Risk Register"),
                               QStringLiteral("The threat library could not be read, so Suggest Risks has nothing "
                                              "to offer.\n%1")
                                   .arg(error),
                               Prompt::Buttons::Ok);
    }
    m_panel = new RiskRegisterPanel(*register_, *m_evidence, m_threats, m_services,
                                    desktopRiskRegisterHooks(m_workbook.folder()), parent);
    m_panel->setObjectName(QStringLiteral("riskRegisterPanel"));
    connect(m_panel, &RiskRegisterPanel::reviewWarningChanged, this, [this](const QString &warning) {
        Q_EMIT reviewWarningChanged(m_store && inUse(*m_store) ? warning : QString());
    });
    return m_panel;
}

void RiskRegisterHost::reload()
{
    if (!m_store)
        return;
    loadStore();
    if (m_panel) {
        m_panel->revertForms();
        m_panel->refreshOverview();
    }
}

bool RiskRegisterHost::hasUnsavedEdits() const
{
    return m_panel && m_panel->hasUnsavedEdits();
}

bool RiskRegisterHost::save()
{
    return !m_panel || m_panel->saveEditedForms();
}

void RiskRegisterHost::revert()
{
    if (m_panel)
        m_panel->revertForms();
}

QString RiskRegisterHost::reviewWarning(const QDate &today)
{
    // Only a workbook that has a database is looked at: the warning never
    // creates one.
    if (m_store)
        return inUse(*m_store) ? RiskOverview::reviewWarning(m_store->details(), today) : QString();
    if (!QFileInfo::exists(m_workbook.filePath(QLatin1String(WorkbookDatabase::kFileName))))
        return {};
    // Until the register is opened, only what the warning needs is read.
    WorkbookDatabase *workbookDatabase = database();
    if (!workbookDatabase)
        return {};
    const std::optional<RiskStore::ReviewState> state = RiskStore::readReviewState(*workbookDatabase);
    return state && state->inUse() ? RiskOverview::reviewWarning(state->details, today) : QString();
}

RiskRegisterHost::Document RiskRegisterHost::printDocument(const QDate &today)
{
    const RiskStore *register_ = store();
    using Composer = void (*)(PrintSurface &, const RiskStore &, const RiskReports::Options &);
    Composer composer = RiskReports::composeAnalysis;
    Document document{RiskReports::kAnalysisTitle, {}};
    const int tab = m_panel ? m_panel->tabs()->currentIndex() : RiskRegisterPanel::OverviewTab;
    if (tab == RiskRegisterPanel::PlanTab) {
        composer = RiskReports::composePlan;
        document.name = RiskReports::kPlanTitle;
    } else if (tab == RiskRegisterPanel::AssociatesTab) {
        composer = RiskReports::composeAssociates;
        document.name = RiskReports::kAssociatesTitle;
    }
    if (!register_)
        return document;
    RiskReports::Options options;
    options.today = today;
    if (m_database && m_database->isOpen())
        options.organizationName = OrganizationProfile::load(*m_database).organizationName;
    document.compose = [register_, composer, options](PrintSurface &surface) { composer(surface, *register_, options); };
    return document;
}
