#include "shell/program.h"

#include "actionarea/actionarea.h"
#include "platform/records/contentfolder.h"
#include "platform/services/qtservices.h"
#include "readers/readerscreen.h"
#include "screens/screenenvironment.h"
#include "shell/aboutbox.h"
#include "shell/apppaths.h"
#include "shell/exportcommand.h"
#include "screens/programcontext.h"
#include "shell/startscreen.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>

int runProgram(int &argc, char **argv)
{
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
        QStringLiteral("Write the document KIND of the workbook to the file OUT and end, without a window. KIND is one of:\n")
            + ExportCommand::describeKinds(),
        QStringLiteral("KIND"));
    parser.addOption(exportOption);
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("The file --export writes."), QStringLiteral("[OUT]"));
    parser.process(app);

    ProgramContext context;
    context.workbookDir = parser.isSet(workbookOption) ? QDir(parser.value(workbookOption)).absolutePath()
                                                       : AppPaths::defaultWorkbookFolder();
    // Taken before the workbook becomes the current folder: an output file
    // named on the command line is relative to where the program started.
    const QString exportPath = parser.positionalArguments().size() == 1
        ? QDir::current().absoluteFilePath(parser.positionalArguments().constFirst())
        : QString();
    QString error;
    if (!AppPaths::enterWorkbook(context.workbookDir, &error)) {
        QMessageBox::critical(nullptr, QStringLiteral("Sentrivo"), error);
        return 1;
    }
    context.workbookDir = QDir::currentPath();
    if (parser.isSet(exportOption)) {
        if (exportPath.isEmpty()) {
            std::fprintf(stderr, "sentrivo: --export needs one output file\n");
            return 2;
        }
        return ExportCommand::run(parser.value(exportOption), exportPath, QDir(context.workbookDir));
    }
    context.contentDir = shippedContentFolder();
    if (context.contentDir.isEmpty())
        std::fprintf(stderr, "sentrivo: the shipped content folder was not found beside the program\n");
    QApplication::setWindowIcon(QIcon(context.contentDir + QStringLiteral("/icon.png")));

    PlatformServices services = makeQtPlatformServices(context.contentDir);
    // What the four main screens share for the run.
    ScreenEnvironment environment;
    environment.context = &context;
    environment.services = services;
    environment.showAbout = [&context](QWidget *parent) {
        AboutBox about(context, parent);
        about.exec();
    };
    environment.endProgram = [] { QCoreApplication::quit(); };
    environment.openScreen = openReaderScreen;

    StartScreen::Hooks hooks;
    hooks.beginProgram = [&environment](StartScreen *startScreen) {
        ActionArea::openFrom(environment, startScreen);
    };
    StartScreen startScreen(context, services, hooks);
    startScreen.load();
    startScreen.show();
    return app.exec();
}
