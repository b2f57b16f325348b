#include "shell/riskcommands.h"

#include "platform/database/workbooksettings.h"
#include "platform/services/services.h"
#include "printing/printsurface.h"
#include "risk/assetimport.h"
#include "risk/registertables.h"
#include "risk/reports/riskreports.h"
#include "risk/riskstore.h"

#include <QDate>
#include <QDir>
#include <QTextStream>

#include <cstring>

namespace RiskCommands {

namespace {

using ExportCommand::Context;
using ExportCommand::Warn;

using Composer = void (*)(PrintSurface &, const RiskStore &, const RiskReports::Options &);

// Opens the workbook's database and register for one export; what opening
// found goes to warn.
bool withRegister(const Context &context, const Warn &warn,
                  const std::function<void(const RiskStore &, const WorkbookDatabase &)> &use)
{
    WorkbookDatabase database{context.workbook};
    const WorkbookDatabase::OpenReport report = database.open();
    if (!report.message.isEmpty())
        warn(report.message);
    RiskStore store(database);
    QString error;
    if (!store.load(&error))
        warn(error);
    use(store, database);
    return true;
}

ExportCommand::Target pdfRow(const QString &name, const QString &description, Composer composer, const QString &title)
{
    ExportCommand::Target target;
    target.name = name;
    target.forms = {name};
    target.description = description;
    target.compose = [composer, title](const QString &argument, const Context &context, PrintSurface &surface,
                                       QString *documentName, const Warn &warn) {
        if (!argument.isEmpty())
            return false;
        withRegister(context, warn, [&](const RiskStore &store, const WorkbookDatabase &database) {
            RiskReports::Options options;
            options.today = QDate::currentDate();
            if (database.isOpen())
                options.organizationName = OrganizationProfile::load(database).organizationName;
            composer(surface, store, options);
        });
        *documentName = title;
        return true;
    };
    return target;
}

} // namespace

std::shared_ptr<WorkbookDatabase> openDatabase(const Workbook &workbook)
{
    auto database = std::make_shared<WorkbookDatabase>(workbook);
    database->open();
    return database;
}

void showOpenReport(Prompt &prompt, QWidget *parent, const WorkbookDatabase::OpenReport &report)
{
    if (report.message.isEmpty())
        return;
    const Prompt::Icon icon = report.outcome == WorkbookDatabase::OpenOutcome::ReadOnlyNewer
                                  ? Prompt::Icon::Exclamation
                                  : Prompt::Icon::Critical;
    prompt.ask(parent, icon, QStringLiteral("Workbook Database"), report.message, Prompt::Buttons::Ok);
}

std::vector<ExportCommand::Target> exportTargets()
{
    std::vector<ExportCommand::Target> rows;
    rows.push_back(pdfRow(QStringLiteral("risk-analysis"),
                          QStringLiteral("the risk analysis: scope, method, prepared and approved, the asset inventory, "
                                         "the register by level with its safeguards, the heat map"),
                          RiskReports::composeAnalysis, RiskReports::kAnalysisTitle));
    rows.push_back(pdfRow(QStringLiteral("risk-plan"),
                          QStringLiteral("the risk management plan: open treatments by due date and owner, residual "
                                         "risk, accepted risks with who and when"),
                          RiskReports::composePlan, RiskReports::kPlanTitle));
    rows.push_back(pdfRow(QStringLiteral("business-associates"),
                          QStringLiteral("the business associates with their BAA dates, reviews due marked"),
                          RiskReports::composeAssociates, RiskReports::kAssociatesTitle));
    ExportCommand::Target registerRow;
    registerRow.name = QStringLiteral("risk-register");
    registerRow.forms = {QStringLiteral("risk-register")};
    registerRow.description = QStringLiteral("the assets, risks and business associates as OUT.xlsx (one sheet each) "
                                             "or as CSV (OUT-assets.csv, OUT-risks.csv, OUT-business-associates.csv)");
    registerRow.writeFile = [](const Context &context, const QString &out, QString *error) {
        bool ok = false;
        QStringList notes;
        withRegister(context, [&](const QString &note) { notes << note; },
                     [&](const RiskStore &store, const WorkbookDatabase &) {
                         ok = RegisterTables::write(store, out, nullptr, error);
                     });
        if (!notes.isEmpty() && ok)
            QTextStream(stderr) << "sentrivo: " << notes.join(QLatin1Char('\n')) << '\n';
        return ok;
    };
    rows.push_back(registerRow);
    return rows;
}

bool importRequested(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--import") == 0 || std::strncmp(argv[i], "--import=", 9) == 0)
            return true;
    }
    return false;
}

int runImport(const QString &what, const QString &file, const QString &workbookDir, QTextStream &out,
              QTextStream &errors)
{
    if (what != QLatin1String("assets") || file.isEmpty()) {
        errors << "sentrivo: usage: sentrivo --workbook DIR --import assets FILE.csv\n";
        errors.flush();
        return 2;
    }
    if (!QDir(workbookDir).exists()) {
        errors << "sentrivo: the workbook folder " << QDir::toNativeSeparators(workbookDir) << " does not exist\n";
        errors.flush();
        return 2;
    }
    WorkbookDatabase database{Workbook(workbookDir)};
    const WorkbookDatabase::OpenReport report = database.open();
    if (!report.message.isEmpty())
        errors << "sentrivo: " << report.message << '\n';
    RiskStore store(database);
    QString error;
    if (!store.load(&error)) {
        errors << "sentrivo: " << error << '\n';
        errors.flush();
        return 1;
    }
    const AssetImport::Result result = AssetImport::importFile(store, file);
    if (!result.ok()) {
        const QString name = QDir::toNativeSeparators(file);
        for (const QString &line : result.errors)
            errors << name << ": " << line << '\n';
        errors << "sentrivo: nothing was imported\n";
        errors.flush();
        return 1;
    }
    out << "Imported " << result.assets.size() << (result.assets.size() == 1 ? " asset" : " assets") << " into "
        << QDir::toNativeSeparators(database.filePath()) << '\n';
    out.flush();
    return 0;
}

} // namespace RiskCommands
