#include "shell/program.h"
#include "shell/version.h"

#include "actionarea/actionarea.h"
#include "actionarea/autosave.h"
#include "actionarea/readonlyeditor.h"
#include "platform/records/contentfolder.h"
#include "platform/services/qtservices.h"
#include "shell/evidencetrail.h"
#include "printing/printservices.h"
#include "readers/readerscreen.h"
#include "screens/screenenvironment.h"
#include "shell/aboutbox.h"
#include "shell/apppaths.h"
#include "shell/exportcommand.h"
#include "shell/riskcommands.h"
#include "shell/searchcommand.h"
#include "shell/backupcommand.h"
#include "shell/backuputility.h"
#include "shell/endrequests.h"
#include "screens/programcontext.h"
#include "shell/startscreen.h"
#include "shell/readonlycaptions.h"
#include "shell/workbookopening.h"
#include "platform/records/workbooklock.h"
#include "platform/database/workbookdatabase.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTextStream>

#include <cstdio>
#include <cstring>

namespace {

// The headless export: the same composers as the print panel, no window.
int runExport(const QCommandLineParser &parser, const QCommandLineOption &workbookOption,
              const QCommandLineOption &exportOption)
{
    QTextStream errors(stderr);
    const QStringList rest = parser.positionalArguments();
    if (rest.size() != 1) {
        errors << "sentrivo: --export needs exactly one output file\n\n" << ExportCommand::usage();
        return ExportCommand::kBadArgument;
    }
    ExportCommand::Context context;
    context.workbook = Workbook(parser.isSet(workbookOption) ? parser.value(workbookOption)
                                                             : AppPaths::defaultWorkbookFolder(),
                                shippedContentFolder());
    // An export reads a workbook; it never creates one for a mistyped name.
    if (!context.workbook.dir().exists()) {
        errors << "sentrivo: the workbook folder " << QDir::toNativeSeparators(context.workbook.folder())
               << " does not exist\n";
        return ExportCommand::kBadArgument;
    }
    const std::unique_ptr<WorkbookLock> lock = WorkbookOpening::lockForCommand(context.workbook.folder(), errors);
    if (!lock)
        return ExportCommand::kWorkbookInUse;
    // Relative output names are taken from where the command was given.
    const QString out = QDir::current().absoluteFilePath(rest.first());
    return ExportCommand::run(parser.value(exportOption), out, context, errors);
}

// --help and --version only print, so they must work where no display is:
// from a terminal on a server, over ssh, in a package's build.
bool asksOnlyToPrint(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *flag : {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], flag) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int runProgram(int &argc, char **argv)
{
    const bool printing = asksOnlyToPrint(argc, argv);
    const bool exporting = ExportCommand::requested(argc, argv);
    const bool importing = RiskCommands::importRequested(argc, argv);
    if (exporting || importing || printing)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!printing) {
        if (const std::optional<int> status = runBackupCommand(argc, argv))
            return *status;
    }
    if (!printing) {
        if (const std::optional<int> status = runSearchCommand(argc, argv))
            return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sentrivo"));
    QApplication::setApplicationVersion(QStringLiteral(SENTRIVO_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Sentrivo"));
    QApplication::setDesktopFileName(QStringLiteral("org.sentrivo.Sentrivo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A workbook for the HIPAA Security Rule."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption workbookOption(
        QStringLiteral("workbook"),
        QStringLiteral("Open the workbook in DIR instead of the default one (one workbook per covered entity)."),
        QStringLiteral("DIR"));
    parser.addOption(workbookOption);
    const QCommandLineOption exportOption(
        QStringLiteral("export"),
        QStringLiteral("Write the document WHAT as PDF to OUT without opening a window "
                       "(summary, summary:administrative|physical|technical, safeguard:N, "
                       "safeguard:N:DIGITS, policies, rule:N, timeline, risk-analysis, risk-plan, business-associates; "
                       "timeline-calendar writes OUT.ics, risk-register OUT.xlsx or OUT.csv)."),
        QStringLiteral("WHAT"));
    parser.addOption(exportOption);
    const QCommandLineOption importOption(
        QStringLiteral("import"),
        QStringLiteral("Add the records of FILE to the workbook without opening a window "
                       "(assets FILE.csv: the risk register's assets; nothing is added unless every line reads)."),
        QStringLiteral("WHAT"));
    parser.addOption(importOption);
    // The backup and search commands are run before this parser sees the
    // arguments; it lists them so that --help shows every command.
    parser.addOptions(backupCommandOptions());
    parser.addOptions(searchCommandOptions());
    if (printing) {
        parser.addPositionalArgument(QStringLiteral("OUT|FILE"),
                                     QStringLiteral("With --export, the file to write; with --import, the file to read."));
        parser.process(app); // prints the help or the version and ends the program
    }
    if (importing) {
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The CSV file to read."));
        QTextStream errors(stderr);
        if (!parser.parse(QCoreApplication::arguments())) {
            errors << "sentrivo: " << parser.errorText() << '\n';
            return 2;
        }
        QTextStream out(stdout);
        const QStringList rest = parser.positionalArguments();
        const QString workbookDir = parser.isSet(workbookOption) ? QDir(parser.value(workbookOption)).absolutePath()
                                                                 : AppPaths::defaultWorkbookFolder();
        return RiskCommands::runImport(parser.value(importOption),
                                       rest.size() == 1 ? QDir::current().absoluteFilePath(rest.first()) : QString(),
                                       workbookDir, out, errors);
    }
    if (exporting) {
        parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("The PDF file to write."));
        if (!parser.parse(QCoreApplication::arguments())) {
            QTextStream(stderr) << "sentrivo: " << parser.errorText() << "\n\n" << ExportCommand::usage();
            return ExportCommand::kBadArgument;
        }
        return runExport(parser, workbookOption, exportOption);
    }
    parser.process(app);

    ProgramContext context;
    context.workbook = Workbook(parser.isSet(workbookOption) ? parser.value(workbookOption)
                                                             : AppPaths::defaultWorkbookFolder(),
                                shippedContentFolder());
    QString error;
    if (!context.workbook.ensureExists(&error)) {
        QMessageBox::critical(nullptr, QStringLiteral("Sentrivo"), error);
        return 1;
    }
    const QString contentFolder = context.workbook.contentFolder();
    if (contentFolder.isEmpty())
        std::fprintf(stderr, "sentrivo: the shipped content folder was not found beside the program\n");
    QApplication::setWindowIcon(QIcon(contentFolder + QStringLiteral("/icon.png")));

    PlatformServices services = makeQtPlatformServices(contentFolder);
    // One program per workbook; nothing of the workbook is touched before.
    std::unique_ptr<WorkbookLock> workbookLock;
    if (!WorkbookOpening::openForWindow(context.workbook.folder(), *services.prompt, &workbookLock))
        return 1;
    const bool readOnly = !workbookLock;
    if (!readOnly)
        settleInterruptedRestore(context.workbook.folder());
    ReadOnlyCaptions readOnlyCaptions;
    if (readOnly)
        app.installEventFilter(&readOnlyCaptions);
    // The workbook's database, once for the run; when it cannot be opened the
    // user is told and everything that does not need it still works. A
    // read-only run leaves it closed: opening may migrate, which writes.
    if (readOnly) {
        context.database = std::make_shared<WorkbookDatabase>(context.workbook);
    } else {
        context.database = RiskCommands::openDatabase(context.workbook);
        RiskCommands::showOpenReport(*services.prompt, nullptr, context.database->openReport());
    }
    const std::shared_ptr<DocumentHistory> history = EvidenceTrail::open(context, services);
    // What the four main screens share for the run.
    ScreenEnvironment environment;
    environment.context = &context;
    environment.services = services;
    environment.printServices = makeQtPrintServices();
    environment.showAbout = [&context](QWidget *parent) {
        AboutBox about(context, parent);
        about.exec();
    };
    environment.endProgram = [] { QCoreApplication::quit(); };
    // A logout or a SIGTERM is handled as the close box is.
    EndRequests endRequests(
        [&environment](bool mayAsk) { return !environment.settleBeforeEnd || environment.settleBeforeEnd(mayAsk); },
        [] { QCoreApplication::quit(); });
    if (!endRequests.watchTerminationSignals())
        std::fprintf(stderr, "sentrivo: SIGTERM cannot be handled; unsaved text is kept only by its copy\n");
    // Text left unsaved when the program last ended is offered back first.
    Autosave::offerRecovery(QDir(context.workbook.folder()), *services.prompt);
    environment.openScreen = openReaderScreen;
    // A read-only run neither restores over another program's work nor
    // backs up files that program may be writing.
    if (!readOnly)
        environment.openBackupUtility = backupUtilityOpener(context, services);
    environment.openSearch = EvidenceTrail::searchOpener(context);

    StartScreen::Hooks hooks;
    hooks.openBackupUtility = environment.openBackupUtility;
    hooks.beginProgram = [&environment, readOnly](StartScreen *startScreen) {
        ActionArea *area = ActionArea::openFrom(environment, startScreen);
        if (readOnly && area)
            ReadOnlyView::apply(area);
    };
    StartScreen startScreen(context, services, hooks);
    startScreen.load();
    startScreen.show();
    return app.exec();
}
