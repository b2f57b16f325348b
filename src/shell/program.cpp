#include "shell/program.h"

#include "platform/services/qtservices.h"
#include "shell/apppaths.h"
#include "shell/programcontext.h"
#include "shell/startscreen.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QMainWindow>
#include <QMessageBox>

#include <cstdio>

namespace {

// The Action Area's window; closing it ends the program.
void openActionArea(StartScreen *startScreen)
{
    auto *window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("WorkArea1"));
    window->setWindowTitle(QStringLiteral("Action Area"));
    // It takes the start screen's position, size and state.
    window->setGeometry(startScreen->geometry());
    if (startScreen->isMaximized())
        window->showMaximized();
    else
        window->show();
    QObject::connect(window, &QObject::destroyed, qApp, &QCoreApplication::quit);
}

} // namespace

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
    parser.process(app);

    ProgramContext context;
    context.workbookDir = parser.isSet(workbookOption) ? QDir(parser.value(workbookOption)).absolutePath()
                                                       : AppPaths::defaultWorkbookFolder();
    QString error;
    if (!AppPaths::enterWorkbook(context.workbookDir, &error)) {
        QMessageBox::critical(nullptr, QStringLiteral("Sentrivo"), error);
        return 1;
    }
    context.workbookDir = QDir::currentPath();
    context.contentDir = AppPaths::findContentFolder();
    if (context.contentDir.isEmpty())
        std::fprintf(stderr, "sentrivo: the shipped content folder was not found beside the program\n");
    QApplication::setWindowIcon(QIcon(context.contentDir + QStringLiteral("/icon.png")));

    PlatformServices services = makeQtPlatformServices(context.contentDir);
    StartScreen::Hooks hooks;
    hooks.beginProgram = openActionArea;
    StartScreen startScreen(context, services, hooks);
    startScreen.load();
    startScreen.show();
    return app.exec();
}
