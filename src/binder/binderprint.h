#pragma once

#include "binder/auditbinder.h"
#include "platform/records/workbook.h"
#include "platform/services/services.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class PrintPanel;
class QWidget;
class WorkbookDatabase;

// The Action Area's binder and export entries: "Print Audit &Binder..." asks
// which sections (remembered in the workbook), asks for the organization's
// name when the workbook has none yet, and shows the binder in the print
// panel, whose "Save as P&DF..." then writes it with its bookmarks;
// "&Export..." writes the binder, the standards summary or the timeline as
// a file of the kind the user picks.
class BinderPrint : public QObject
{
    Q_OBJECT

public:
    // The dialogs, so tests can answer them.
    struct Dialogs
    {
        // The section choice, preset; nothing when cancelled.
        std::function<std::optional<AuditBinder::Options>(QWidget *parent, const AuditBinder::Options &current)>
            chooseSections;
        // The organization's name for the cover; nothing when cancelled.
        std::function<std::optional<QString>(QWidget *parent)> askOrganization;
        // What to export and where: the index into exportChoices() and the path.
        std::function<std::optional<std::pair<int, QString>>(QWidget *parent, const QStringList &choices,
                                                            const QString &folder)>
            chooseExport;
    };
    static Dialogs qtDialogs();

    // The export choices in the order "&Export..." offers them.
    static QStringList exportChoices();

    // The workbook's database, opened when the binder or an export first
    // needs it (nullptr where there is none).
    using DatabaseSource = std::function<std::shared_ptr<WorkbookDatabase>()>;

    BinderPrint(PrintPanel &panel, const Workbook &workbook, DatabaseSource database,
                const PlatformServices &services, Dialogs dialogs, QObject *parent = nullptr);
    // Run just before the panel is shown (the Action Area places it).
    void setBeforeShowing(std::function<void()> hook) { m_beforeShowing = std::move(hook); }

    void setDialogs(Dialogs dialogs) { m_dialogs = std::move(dialogs); }
    // Returns whether the binder was shown.
    bool openBinder();
    // Returns whether a file was written.
    bool exportFile();
    // Writes export choice `choice` to path; false with the reason.
    bool writeExport(int choice, const QString &path, QString *error);

    const AuditBinder::Cover &cover() const { return m_cover; }

private:
    bool ensureOrganization();
    void tell(Prompt::Icon icon, const QString &title, const QString &text);

    QPointer<PrintPanel> m_panel;
    Workbook m_workbook;
    WorkbookDatabase *database();
    DatabaseSource m_databaseSource;
    std::shared_ptr<WorkbookDatabase> m_database;
    std::function<void()> m_beforeShowing;
    PlatformServices m_services;
    Dialogs m_dialogs;
    AuditBinder::Cover m_cover;
};
