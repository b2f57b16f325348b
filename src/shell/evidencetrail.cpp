#include "shell/evidencetrail.h"

#include "actionarea/actionarea.h"
#include "history/documenthistory.h"
#include "platform/database/workbookdatabase.h"
#include "platform/services/services.h"
#include "screens/helptopics.h"
#include "screens/programcontext.h"
#include "search/searchindex.h"
#include "searchwindow/searchdialog.h"
#include "searchwindow/searchmarks.h"

#include <QApplication>
#include <QInputDialog>

#include <cstdio>

namespace EvidenceTrail {

std::shared_ptr<DocumentHistory> open(ProgramContext &context, PlatformServices &services)
{
    // The database is opened (and what its opening had to say shown) once
    // for the run before this; a read-only run leaves it closed, and the
    // history then records nothing.
    if (!context.database)
        context.database = std::make_shared<WorkbookDatabase>(context.workbook);
    auto history = std::make_shared<DocumentHistory>(context.database);
    history->setNameAsker([]() -> std::optional<QString> {
        bool ok = false;
        const QString name = QInputDialog::getText(
            QApplication::activeWindow(), QStringLiteral("Your Name"),
            QStringLiteral("Your name, kept as the author of each version you save\n"
                           "and the reviewer of each review you sign off:"),
            QLineEdit::Normal, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return name;
    });
    // Each save updates the search index in its own transaction; at start
    // the index catches up with documents changed outside the program (and
    // is made again when missing or damaged, without a question).
    const Workbook workbook = context.database->workbook();
    history->setIndexer([workbook](QSqlDatabase &db, const QString &name, const QByteArray &bytes, QString *reason) {
        return SearchIndex::indexDocument(db, workbook, name, bytes, reason);
    });
    if (context.database->isOpen() && !context.database->isReadOnly()) {
        QString reason;
        if (!SearchIndex::refresh(*context.database, &reason))
            std::fprintf(stderr, "sentrivo: the search index could not be brought up to date: %s\n",
                         qPrintable(reason));
    }
    services.recorder = history;
    context.history = history;
    return history;
}

std::function<void(MainScreen *from)> searchOpener(ProgramContext &context)
{
    if (!context.database || !context.database->isOpen())
        return {};
    std::shared_ptr<WorkbookDatabase> database = context.database;
    return [database](MainScreen *from) {
        SearchIndex::Document chosen;
        QStringList terms;
        bool picked = false;
        {
            SearchDialog dialog(*database, [&](const SearchIndex::Document &document, const QStringList &words) {
                chosen = document;
                terms = words;
                picked = true;
            }, from);
            if (const auto &help = from->environment().services.helpViewer)
                dialog.setHelp([help, &dialog] { help->showTopic(&dialog, HelpTopic::SearchEverything); });
            dialog.exec();
        }
        if (!picked)
            return;
        if (chosen.shipped) {
            SearchMarks::showShippedText(from, database->workbook().contentPath(chosen.name), chosen.title, terms);
            return;
        }
        auto *area = qobject_cast<ActionArea *>(from);
        if (!area) {
            // Back to the hub exactly as its screen button goes there.
            from->pressScreenButton(ScreenIndex::ActionArea);
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if ((area = qobject_cast<ActionArea *>(window)))
                    break;
            }
        }
        if (area)
            area->openSearchResult(chosen, terms);
    };
}

} // namespace EvidenceTrail
