#include "risk/evidencestore.h"

#include "platform/database/workbookdatabase.h"
#include "platform/records/workbook.h"
#include "risk/sqlvalues.h"

#include <algorithm>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const char *ownerColumn(EvidenceOwner owner)
{
    switch (owner) {
    case EvidenceOwner::Asset: return "asset_id";
    case EvidenceOwner::Associate: return "associate_id";
    case EvidenceOwner::Risk: return "risk_id";
    case EvidenceOwner::Safeguard: return "safeguard_no";
    }
    return "asset_id";
}

QString reasonOf(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    return (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
}

} // namespace

EvidenceStore::EvidenceStore(WorkbookDatabase &database) : m_database(database) {}

QString EvidenceStore::folderOf(const Workbook &workbook)
{
    return workbook.dir().filePath(QString::fromLatin1(kFolderName));
}

QString EvidenceStore::folder() const
{
    return folderOf(m_database.workbook());
}

QString EvidenceStore::filePath(const EvidenceItem &item) const
{
    return folder() + QLatin1Char('/') + item.storedName;
}

QString EvidenceStore::safeExtension(const QString &originalName)
{
    const QString base = QFileInfo(originalName).fileName();
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == base.size() - 1)
        return QString();
    const QString ext = base.mid(dot + 1).toLower();
    if (ext.size() > 10)
        return QString();
    for (QChar c : ext) {
        if (!((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))))
            return QString();
    }
    return ext;
}

qint64 EvidenceStore::highestStoredNumber() const
{
    qint64 highest = 0;
    const QStringList names = QDir(folder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        qsizetype digits = 0;
        while (digits < name.size() && digits < 18 && name.at(digits) >= QLatin1Char('0') && name.at(digits) <= QLatin1Char('9'))
            ++digits;
        if (digits > 0)
            highest = std::max(highest, name.left(digits).toLongLong());
    }
    return highest;
}

bool EvidenceStore::attach(EvidenceOwner owner, qint64 ownerId, const QString &sourcePath, const QString &note,
                           EvidenceItem *added, QString *error)
{
    auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    const QFileInfo source(sourcePath);
    if (!source.isFile())
        return fail(QStringLiteral("%1: not a file that can be attached").arg(QDir::toNativeSeparators(sourcePath)));
    if (source.size() > kMaxBytes)
        return fail(QStringLiteral("%1 is %2 MB; evidence files may be at most 100 MB. Attach a smaller "
                                   "file (a scan at a lower resolution, or the relevant pages).")
                        .arg(source.fileName())
                        .arg(QLocale::c().toString(double(source.size()) / (1024 * 1024), 'f', 1)));
    QFile input(sourcePath);
    if (!input.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(sourcePath), input.errorString()));
    if (!QDir().mkpath(folder()))
        return fail(QStringLiteral("%1: the folder cannot be made").arg(QDir::toNativeSeparators(folder())));

    EvidenceItem item;
    item.ownerKind = owner;
    item.ownerId = ownerId;
    item.originalName = source.fileName();
    item.note = note;
    item.addedAt = QDateTime::currentDateTimeUtc();
    item.addedAt.setTime(QTime(item.addedAt.time().hour(), item.addedAt.time().minute(), item.addedAt.time().second()));
    QString written;
    const bool ok = m_database.transact(
        [&](QSqlDatabase &db, QString *reason) {
            QSqlQuery query(db);
            // The next AUTOINCREMENT number: never one used before, even by
            // a removed file.
            if (!query.exec(QStringLiteral("SELECT coalesce((SELECT seq FROM sqlite_sequence WHERE name = 'risk_evidence'), 0)"))
                || !query.next()) {
                *reason = reasonOf(query);
                return false;
            }
            // Past any file already in the folder too: a restored database
            // may count lower than the files a restore left in place.
            item.id = std::max(query.value(0).toLongLong(), highestStoredNumber()) + 1;
            const QString ext = safeExtension(item.originalName);
            item.storedName = QStringLiteral("%1").arg(item.id, 6, 10, QLatin1Char('0'))
                + (ext.isEmpty() ? QString() : QLatin1Char('.') + ext);
            const QString target = filePath(item);
            if (QFileInfo::exists(target)) {
                *reason = QStringLiteral("%1 exists already").arg(QDir::toNativeSeparators(target));
                return false;
            }
            QSaveFile output(target);
            if (!output.open(QIODevice::WriteOnly)) {
                *reason = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), output.errorString());
                return false;
            }
            QCryptographicHash hash(QCryptographicHash::Sha256);
            qint64 total = 0;
            QByteArray buffer;
            while (!input.atEnd()) {
                buffer = input.read(1 << 20);
                if (buffer.isEmpty() && input.error() != QFile::NoError)
                    break;
                hash.addData(buffer);
                total += buffer.size();
                if (total > kMaxBytes || output.write(buffer) != buffer.size()) {
                    output.cancelWriting();
                    break;
                }
            }
            if (input.error() != QFile::NoError) {
                *reason = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(sourcePath), input.errorString());
                output.cancelWriting();
                return false;
            }
            if (total > kMaxBytes) {
                *reason = QStringLiteral("%1 grew past 100 MB while it was copied").arg(item.originalName);
                return false;
            }
            if (!output.commit()) {
                *reason = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), output.errorString());
                return false;
            }
            written = target;
            item.size = total;
            item.sha256 = QString::fromLatin1(hash.result().toHex());
            query.prepare(QStringLiteral("INSERT INTO risk_evidence (id, %1, stored_name, original_name, size,"
                                         " sha256, added_at, note) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
                              .arg(QLatin1String(ownerColumn(owner))));
            query.addBindValue(item.id);
            query.addBindValue(ownerId);
            query.addBindValue(item.storedName);
            query.addBindValue(item.originalName);
            query.addBindValue(item.size);
            query.addBindValue(item.sha256);
            query.addBindValue(item.addedAt.toString(Qt::ISODate));
            query.addBindValue(SqlValues::text(item.note));
            if (!query.exec()) {
                *reason = reasonOf(query);
                return false;
            }
            return true;
        },
        error);
    if (!ok) {
        if (!written.isEmpty())
            QFile::remove(written);
        return false;
    }
    if (added)
        *added = item;
    return true;
}

bool EvidenceStore::remove(qint64 id, QString *error)
{
    QString stored;
    const bool ok = m_database.transact(
        [&](QSqlDatabase &db, QString *reason) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT stored_name FROM risk_evidence WHERE id = ?"));
            query.addBindValue(id);
            if (!query.exec() || !query.next()) {
                *reason = QStringLiteral("the evidence file is no longer recorded");
                return false;
            }
            stored = query.value(0).toString();
            query.prepare(QStringLiteral("DELETE FROM risk_evidence WHERE id = ?"));
            query.addBindValue(id);
            if (!query.exec()) {
                *reason = reasonOf(query);
                return false;
            }
            return true;
        },
        error);
    if (ok)
        QFile::remove(folder() + QLatin1Char('/') + stored);
    return ok;
}

bool EvidenceStore::setNote(qint64 id, const QString &note, QString *error)
{
    return m_database.transact(
        [&](QSqlDatabase &db, QString *reason) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("UPDATE risk_evidence SET note = ? WHERE id = ?"));
            query.addBindValue(SqlValues::text(note));
            query.addBindValue(id);
            if (!query.exec()) {
                *reason = reasonOf(query);
                return false;
            }
            return true;
        },
        error);
}

QList<EvidenceItem> EvidenceStore::itemsOf(EvidenceOwner owner, qint64 ownerId) const
{
    return select(QStringLiteral("WHERE %1 = ?").arg(QLatin1String(ownerColumn(owner))), {ownerId});
}

QList<EvidenceItem> EvidenceStore::all() const
{
    return select(QString(), {});
}

QList<EvidenceItem> EvidenceStore::select(const QString &where, const QVariantList &values) const
{
    QList<EvidenceItem> items;
    QSqlQuery query(m_database.connection());
    query.prepare(QStringLiteral("SELECT id, asset_id, associate_id, risk_id, safeguard_no, stored_name,"
                                 " original_name, size, sha256, added_at, note FROM risk_evidence %1 ORDER BY id")
                      .arg(where));
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        return items;
    while (query.next()) {
        EvidenceItem item;
        item.id = query.value(0).toLongLong();
        if (!query.value(1).isNull()) {
            item.ownerKind = EvidenceOwner::Asset;
            item.ownerId = query.value(1).toLongLong();
        } else if (!query.value(2).isNull()) {
            item.ownerKind = EvidenceOwner::Associate;
            item.ownerId = query.value(2).toLongLong();
        } else if (!query.value(3).isNull()) {
            item.ownerKind = EvidenceOwner::Risk;
            item.ownerId = query.value(3).toLongLong();
        } else {
            item.ownerKind = EvidenceOwner::Safeguard;
            item.ownerId = query.value(4).toLongLong();
        }
        item.storedName = query.value(5).toString();
        item.originalName = query.value(6).toString();
        item.size = query.value(7).toLongLong();
        item.sha256 = query.value(8).toString();
        item.addedAt = QDateTime::fromString(query.value(9).toString(), Qt::ISODate);
        item.note = query.value(10).toString();
        items << item;
    }
    return items;
}
