#include "binder/binderprint.h"

#include "binder/binderdialog.h"
#include "binder/spreadsheetexports.h"
#include "actionarea/status/statustable.h"
#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"
#include "platform/services/busycursor.h"
#include "printing/printpanel.h"
#include "printing/printpreview.h"
#include "printing/printsurface.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

namespace {

const QString kBinderTitle = QStringLiteral("Audit Binder");
const QString kExportTitle = QStringLiteral("Export");

struct ExportChoice
{
    QString caption;
    QString fileName;
    QString filter;
};

const QList<ExportChoice> &choices()
{
    static const QList<ExportChoice> list{
        {QStringLiteral("Audit binder (PDF with bookmarks)"), QStringLiteral("Audit Binder.pdf"),
         QStringLiteral("PDF documents (*.pdf)")},
        {QStringLiteral("Audit binder (OpenDocument text, to edit)"), QStringLiteral("Audit Binder.odt"),
         QStringLiteral("OpenDocument text (*.odt)")},
        {QStringLiteral("Standards summary (Excel workbook)"), QStringLiteral("Standards Summary.xlsx"),
         QStringLiteral("Excel workbooks (*.xlsx)")},
        {QStringLiteral("Standards summary (CSV)"), QStringLiteral("Standards Summary.csv"),
         QStringLiteral("Comma-separated values (*.csv)")},
        {QStringLiteral("Project timeline (Excel workbook)"), QStringLiteral("Project Timeline.xlsx"),
         QStringLiteral("Excel workbooks (*.xlsx)")},
        {QStringLiteral("Project timeline (CSV)"), QStringLiteral("Project Timeline.csv"),
         QStringLiteral("Comma-separated values (*.csv)")},
    };
    return list;
}

} // namespace

QStringList BinderPrint::exportChoices()
{
    QStringList captions;
    for (const ExportChoice &choice : choices())
        captions << choice.caption;
    return captions;
}

BinderPrint::Dialogs BinderPrint::qtDialogs()
{
    Dialogs dialogs;
    dialogs.chooseSections = [](QWidget *parent, const AuditBinder::Options &current) {
        return BinderDialog::choose(parent, current);
    };
    dialogs.askOrganization = [](QWidget *parent) -> std::optional<QString> {
        bool ok = false;
        const QString name = QInputDialog::getText(
            parent, kBinderTitle,
            QStringLiteral("The binder's cover and every page carry the organization's name.\n"
                           "Organization name:"),
            QLineEdit::Normal, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return name.trimmed();
    };
    dialogs.chooseExport = [](QWidget *parent, const QStringList &captions,
                              const QString &folder) -> std::optional<std::pair<int, QString>> {
        bool ok = false;
        const QString picked = QInputDialog::getItem(parent, kExportTitle, QStringLiteral("Export:"), captions, 0,
                                                     false, &ok);
        if (!ok)
            return std::nullopt;
        const int index = int(captions.indexOf(picked));
        if (index < 0)
            return std::nullopt;
        const ExportChoice &choice = choices()[index];
        QString path = QFileDialog::getSaveFileName(parent, kExportTitle, QDir(folder).filePath(choice.fileName),
                                                    choice.filter);
        if (path.isEmpty())
            return std::nullopt;
        const QString suffix = choice.fileName.section(QLatin1Char('.'), -1);
        if (!path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
            path += QLatin1Char('.') + suffix;
        return std::pair{index, path};
    };
    return dialogs;
}

BinderPrint::BinderPrint(PrintPanel &panel, const Workbook &workbook, DatabaseSource database,
                         const PlatformServices &services, Dialogs dialogs, QObject *parent)
    : QObject(parent)
    , m_panel(&panel)
    , m_workbook(workbook)
    , m_databaseSource(std::move(database))
    , m_services(services)
    , m_dialogs(std::move(dialogs))
{
}

WorkbookDatabase *BinderPrint::database()
{
    if (!m_database && m_databaseSource)
        m_database = m_databaseSource();
    return m_database.get();
}

void BinderPrint::tell(Prompt::Icon icon, const QString &title, const QString &text)
{
    if (m_services.prompt)
        m_services.prompt->ask(m_panel ? m_panel->parentWidget() : nullptr, icon, title, text, Prompt::Buttons::Ok);
}

// The organization's name is asked for once and kept in the workbook; a
// binder made without it says so on its cover.
bool BinderPrint::ensureOrganization()
{
    m_cover = AuditBinder::coverFor(database(), QDateTime::currentDateTime());
    if (!m_cover.organization.isEmpty() || !m_dialogs.askOrganization)
        return true;
    const std::optional<QString> name = m_dialogs.askOrganization(m_panel ? m_panel->parentWidget() : nullptr);
    if (!name)
        return false;
    if (name->isEmpty())
        return true;
    m_cover.organization = *name;
    if (database() && m_database->isOpen() && !m_database->isReadOnly()) {
        QString error;
        if (!m_database->setSetting(QLatin1String(WorkbookSettingKey::OrganizationName), *name, &error))
            tell(Prompt::Icon::Exclamation, kBinderTitle,
                 QStringLiteral("The organization's name could not be kept in the workbook.\n") + error);
    }
    return true;
}

bool BinderPrint::openBinder()
{
    if (!m_panel)
        return false;
    AuditBinder::Options options = AuditBinder::loadOptions(database());
    if (m_dialogs.chooseSections) {
        const std::optional<AuditBinder::Options> chosen =
            m_dialogs.chooseSections(m_panel->parentWidget(), options);
        if (!chosen)
            return false;
        if (!(*chosen == options) && database() && m_database->isOpen() && !m_database->isReadOnly()) {
            QString error;
            if (!AuditBinder::saveOptions(*m_database, *chosen, &error))
                tell(Prompt::Icon::Exclamation, kBinderTitle,
                     QStringLiteral("The choice of sections could not be kept in the workbook.\n") + error);
        }
        options = *chosen;
    }
    if (!ensureOrganization())
        return false;

    PrintPanel &panel = *m_panel;
    panel.setUpForWholeDocument(AuditBinder::kDocumentName);
    const Workbook workbook = m_workbook;
    panel.setComposer([this, workbook, options](PrintSurface &surface) {
        const AuditBinder::Contents contents =
            AuditBinder::gather(workbook, options, QDate::currentDate(), database());
        AuditBinder::compose(surface, contents, m_cover);
    });
    panel.setPdfWriter([this](const PrintSurface &surface, const QString &path, QString *error) {
        return AuditBinder::writePdf(surface, m_cover, path, error);
    });
    panel.recompose();
    if (m_beforeShowing)
        m_beforeShowing();
    panel.open();
    return true;
}

bool BinderPrint::writeExport(int choice, const QString &path, QString *error)
{
    BusyCursor busy;
    switch (choice) {
    case 0:
    case 1: {
        if (m_cover.made.isNull())
            m_cover = AuditBinder::coverFor(database(), QDateTime::currentDateTime());
        const AuditBinder::Contents contents =
            AuditBinder::gather(m_workbook, AuditBinder::loadOptions(database()), QDate::currentDate(), database());
        if (choice == 1)
            return AuditBinder::writeOdt(contents, m_cover, path, error);
        PrintSurface surface;
        AuditBinder::compose(surface, contents, m_cover);
        return AuditBinder::writePdf(surface, m_cover, path, error);
    }
    case 2:
    case 3: {
        StatusTable statuses(m_workbook);
        statuses.loadStatusTable();
        return SpreadsheetExports::write(
            SpreadsheetExports::summaryTable([&statuses](int record) { return statuses.slot(record); }), path,
            error);
    }
    case 4:
    case 5: {
        ToDoList list;
        ToDoStore::loadList(list, m_workbook);
        return SpreadsheetExports::write(SpreadsheetExports::timelineTable(list), path, error);
    }
    default:
        if (error)
            *error = QStringLiteral("there is no such export");
        return false;
    }
}

bool BinderPrint::exportFile()
{
    if (!m_dialogs.chooseExport)
        return false;
    const auto chosen = m_dialogs.chooseExport(m_panel ? m_panel->parentWidget() : nullptr, exportChoices(),
                                               m_workbook.folder());
    if (!chosen)
        return false;
    if (chosen->first <= 1 && !ensureOrganization())
        return false;
    QString error;
    if (!writeExport(chosen->first, chosen->second, &error)) {
        tell(Prompt::Icon::Critical, kExportTitle,
             QStringLiteral("%1 could not be written.\n%2").arg(QDir::toNativeSeparators(chosen->second), error));
        return false;
    }
    return true;
}
