#pragma once

#include "history/versionstore.h"
#include "platform/services/documentrecorder.h"

#include <QDateTime>
#include <QSqlDatabase>

#include <functional>
#include <memory>
#include <optional>

class WorkbookDatabase;

// The workbook's history: records each saved document as a version (and,
// through the indexer, updates the search index in the same transaction),
// keeps status changes, restores and prunes. The windows reach it as a
// DocumentRecorder; the history window uses the rest.
class DocumentHistory : public DocumentRecorder
{
public:
    // The years below which "Prune History..." never goes (documentation is
    // kept six years from when it was created or last in effect).
    static constexpr int kMinimumPruneYears = 6;

    explicit DocumentHistory(std::shared_ptr<WorkbookDatabase> database);

    // When "Your name" is empty at the first save, asks it once (nothing when
    // the user declines); the answer is stored as the workbook's setting.
    void setNameAsker(std::function<std::optional<QString>()> asker) { m_askName = std::move(asker); }
    // The time of each record (UTC); the system clock by default.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // Runs inside the transaction of each recorded save, with the document's
    // name and bytes. When it fails the version is still kept (alone) and
    // the document is left for the next start's index refresh.
    using Indexer = std::function<bool(QSqlDatabase &db, const QString &document, const QByteArray &bytes,
                                       QString *reason)>;
    void setIndexer(Indexer indexer) { m_indexer = std::move(indexer); }

    bool documentSaved(const QString &fileName, const QByteArray &bytes, QString *error) override;
    bool documentShown(const QString &fileName, const QByteArray &bytes, QString *error) override;
    bool statusChanged(int record, const QString &oldValue, const QString &newValue, QString *error) override;

    // The author of the next version: "Your name", asked for when empty.
    QString author();

    QList<VersionStore::Version> versions(const QString &document, QString *error = nullptr) const;
    bool content(qint64 versionId, QByteArray *bytes, QString *error) const;

    // Puts version versionId back as the document's content at path. The
    // current file is kept as a version first (committed before anything is
    // replaced), the file is written safely, and the restore is recorded as
    // a version of its own. False with *error; *replaced (when given) says
    // whether the file was replaced all the same (only the last record failed).
    bool restore(const QString &path, qint64 versionId, QString *error, bool *replaced = nullptr);

    // Versions older than `years` years that a prune would remove; years
    // below kMinimumPruneYears are refused (nullopt).
    std::optional<int> countPrunable(int years) const;
    // Removes them; the number removed, or nullopt (refused or failed, with
    // *error).
    std::optional<int> prune(int years, QString *error);

    // When each record of Stat1.Fil last changed (absent when never).
    QHash<int, QDateTime> lastStatusChanges() const;
    QHash<int, QDateTime> statusChangeTimes() const override { return lastStatusChanges(); }

    const std::shared_ptr<WorkbookDatabase> &database() const { return m_database; }
    QDateTime now() const;

private:
    bool record(const QString &fileName, const QByteArray &bytes, VersionStore::Kind kind, QString *error);
    QDateTime pruneCutoff(int years) const;

    std::shared_ptr<WorkbookDatabase> m_database;
    std::function<std::optional<QString>()> m_askName;
    std::function<QDateTime()> m_clock;
    Indexer m_indexer;
    bool m_nameAsked = false;
};
