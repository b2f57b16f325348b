#include "shell/searchcommand.h"

#include "platform/records/workbooklock.h"
#include "shell/workbookopening.h"

#include "platform/database/workbookdatabase.h"
#include "platform/records/contentfolder.h"
#include "search/searchindex.h"
#include "shell/apppaths.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cstring>

namespace {

bool asksForSearch(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (std::strcmp(argument, "--search") == 0 || std::strncmp(argument, "--search=", 9) == 0
            || std::strcmp(argument, "-search") == 0)
            return true;
    }
    return false;
}

QString marked(QString snippet)
{
    snippet.replace(SearchIndex::kMarkStart, QLatin1Char('['));
    snippet.replace(SearchIndex::kMarkEnd, QLatin1Char(']'));
    snippet.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return snippet;
}

} // namespace

QList<QCommandLineOption> searchCommandOptions()
{
    return {QCommandLineOption(QStringLiteral("search"),
                               QStringLiteral("Search every document of the workbook for QUERY without opening a "
                                              "window; one result a line, best first."),
                               QStringLiteral("QUERY")),
            QCommandLineOption(QStringLiteral("shipped"),
                               QStringLiteral("With --search, search the shipped texts (the rule, guidance, "
                                              "templates) too."))};
}

std::optional<int> runSearchCommand(int &argc, char **argv)
{
    if (!asksForSearch(argc, argv))
        return std::nullopt;
    // Reading the entries' rich text needs a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Sentrivo"));
    QGuiApplication::setOrganizationName(QStringLiteral("Sentrivo"));
    QTextStream out(stdout);
    QTextStream errors(stderr);

    QCommandLineParser parser;
    const QCommandLineOption workbookOption(QStringLiteral("workbook"), QStringLiteral("The workbook folder."),
                                            QStringLiteral("DIR"));
    const QList<QCommandLineOption> options = searchCommandOptions();
    const QCommandLineOption &searchOption = options.at(0);
    const QCommandLineOption &shippedOption = options.at(1);
    parser.addOption(workbookOption);
    parser.addOptions(options);
    if (!parser.parse(QCoreApplication::arguments())) {
        errors << "sentrivo: " << parser.errorText() << "\n";
        return SearchCommand::kFailed;
    }
    const QString folder = parser.isSet(workbookOption) ? QDir(parser.value(workbookOption)).absolutePath()
                                                        : AppPaths::defaultWorkbookFolder();
    // A search reads a workbook; it never creates one for a mistyped name.
    if (!QDir(folder).exists()) {
        errors << "sentrivo: the workbook folder " << QDir::toNativeSeparators(folder) << " does not exist\n";
        return SearchCommand::kFailed;
    }
    // The index is brought up to date, which writes: only with the workbook
    // held, as every command that reads or writes it.
    const std::unique_ptr<WorkbookLock> lock = WorkbookOpening::lockForCommand(folder, errors);
    if (!lock)
        return SearchCommand::kFailed;
    WorkbookDatabase database{Workbook(folder, shippedContentFolder())};
    const WorkbookDatabase::OpenReport report = database.open();
    if (!report.message.isEmpty())
        errors << "sentrivo: " << report.message << "\n";
    if (!database.isOpen())
        return SearchCommand::kFailed;
    QString reason;
    if (!database.isReadOnly() && !SearchIndex::refresh(database, &reason)) {
        errors << "sentrivo: the search index could not be brought up to date: " << reason << "\n";
        return SearchCommand::kFailed;
    }
    const SearchIndex::QueryReport found =
        SearchIndex::query(database, parser.value(searchOption), parser.isSet(shippedOption));
    switch (found.outcome) {
    case SearchIndex::QueryOutcome::Unparsable:
        errors << "sentrivo: the query cannot be searched for: " << found.reason << "\n";
        return SearchCommand::kUnparsable;
    case SearchIndex::QueryOutcome::Failed:
        errors << "sentrivo: " << found.reason << "\n";
        return SearchCommand::kFailed;
    case SearchIndex::QueryOutcome::NoResults:
        return SearchCommand::kNoResults;
    case SearchIndex::QueryOutcome::Results:
        break;
    }
    for (const SearchIndex::Result &result : found.results)
        out << result.document.name << '\t' << result.document.location << '\t' << marked(result.snippet) << '\n';
    return SearchCommand::kResults;
}
