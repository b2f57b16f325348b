#include "shell/program.h"

#include "actionarea/actionarea.h"
#include "platform/records/contentfolder.h"
#include "platform/services/qtservices.h"
#include "printing/printservices.h"
#include "readers/readerscreen.h"
#include "screens/screenenvironment.h"
#include "shell/aboutbox.h"
#include "shell/apppaths.h"
#include "shell/exportcommand.h"
#include "shell/backupcommand.h"
#include "shell/backuputility.h"
#include "screens/programcontext.h"
#include "shell/startscreen.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTextStream>

#include <cstdio>

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
    // Relative output names are taken from where the command was given.
    const QString out = QDir::current().absoluteFilePath(rest.first());
    return ExportCommand::run(parser.value(exportOption), out, context, errors);
}

} // namespace

int runProgram(int &argc, char **argv)
{
    const bool exporting = ExportCommand::requested(argc, argv);
    if (exporting)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (const std::optional<int> status = runBackupCommand(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sentrivo"));
    QApplication::setApplicationVersion(QStringLiteral("7.5"));
    QApplication::setOrganizationName(QStringLiteral("Sentrivo"));
    QApplication::setDesktopFileName(QStringLiteral("sentrivo"));

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
                       "safeguard:N:DIGITS, policies, rule:N, timeline; timeline-calendar writes OUT.ics)."),
        QStringLiteral("WHAT"));
    parser.addOption(exportOption);
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
    settleInterruptedRestore(context.workbook.folder());
    const QString contentFolder = context.workbook.contentFolder();
    if (contentFolder.isEmpty())
        std::fprintf(stderr, "sentrivo: the shipped content folder was not found beside the program\n");
    QApplication::setWindowIcon(QIcon(contentFolder + QStringLiteral("/icon.png")));

    PlatformServices services = makeQtPlatformServices(contentFolder);
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
    environment.openScreen = openReaderScreen;
    environment.openBackupUtility = backupUtilityOpener(context, services);

    StartScreen::Hooks hooks;
    hooks.openBackupUtility = environment.openBackupUtility;
    hooks.beginProgram = [&environment](StartScreen *startScreen) {
        ActionArea::openFrom(environment, startScreen);
    };
    StartScreen startScreen(context, services, hooks);
    startScreen.load();
    startScreen.show();
    return app.exec();
}
