#pragma once

#include "risk/riskrecords.h"

#include <QList>
#include <QString>

class Workbook;
class WorkbookDatabase;

// Evidence files (a signed BAA, a training log, a screenshot, a scan)
// attached to an asset, a business associate, a risk or a safeguard.
//
// What must hold:
// - A file is copied, never linked, into the workbook's "Evidence" folder
//   under a name the program chooses: the record's number and a short
//   lower-case extension ("000012.pdf"). Nothing of the original name reaches
//   the file system, so no name can leave the folder.
// - Its original name, size, SHA-256, the time it was added and a note are
//   recorded with it; the copy's hash is computed from the bytes written.
// - A file over kMaxBytes is refused before anything is copied.
// - The copy and its row are one action: when either fails neither remains.
class EvidenceStore
{
public:
    static constexpr qint64 kMaxBytes = 100LL * 1024 * 1024;
    static constexpr const char *kFolderName = "Evidence";

    explicit EvidenceStore(WorkbookDatabase &database);

    static QString folderOf(const Workbook &workbook);
    QString folder() const;
    // The stored copy's full path.
    QString filePath(const EvidenceItem &item) const;

    // Copies source in and records it. False with *error (shown to the user).
    bool attach(EvidenceOwner owner, qint64 ownerId, const QString &sourcePath, const QString &note,
                EvidenceItem *added = nullptr, QString *error = nullptr);
    // The row and its file. False with *error; the row stays when the
    // database refuses.
    bool remove(qint64 id, QString *error = nullptr);
    bool setNote(qint64 id, const QString &note, QString *error = nullptr);

    QList<EvidenceItem> itemsOf(EvidenceOwner owner, qint64 ownerId) const;
    QList<EvidenceItem> all() const;

    // The extension kept from an original name: up to 10 of [a-z0-9] after
    // the last dot, lower-cased; empty when there is none fit to keep.
    static QString safeExtension(const QString &originalName);

private:
    QList<EvidenceItem> select(const QString &where, const QVariantList &values) const;
    // The largest number a file in the folder is named by (0 for none).
    qint64 highestStoredNumber() const;

    WorkbookDatabase &m_database;
};
