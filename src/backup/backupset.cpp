#include "backup/backupset.h"

#include <QRegularExpression>

namespace BackupSet {

namespace {

const QString kBackupSuffix = QStringLiteral(".hb1");

Member numbered(const QString &stem, int number)
{
    const QString name = stem + QString::number(number);
    return {name + QStringLiteral(".Fil"), name + kBackupSuffix};
}

} // namespace

Member fixedFile(int number)
{
    // The workbook spells them as the program writes them; the medium keeps
    // the names the backup has always used.
    static const char *const sources[kFixedCount] = {"TODONAME.Fil", "GColor3.Fil",  "TODOActv.FIL",
                                                    "HINV3.Fil",    "Stat1.Fil",    "RAList.Fil",
                                                    "Location.Fil", "UserWords.Fil"};
    static const char *const stems[kFixedCount] = {"ToDoName", "Gcolor3", "ToDoActv", "Hinv3",
                                                  "Stat1",    "RAList",  "Location", "UserWords"};
    Q_ASSERT(number >= 1 && number <= kFixedCount);
    return {QString::fromLatin1(sources[number - 1]), QString::fromLatin1(stems[number - 1]) + kBackupSuffix};
}

Member numberedFile(int index)
{
    Q_ASSERT(index >= 0 && index <= kLastIndex);
    if (index <= 46)
        return numbered(QStringLiteral("Action"), index);
    if (index <= 93)
        return numbered(QStringLiteral("Comment"), index - 47);
    if (index <= 140)
        return numbered(QStringLiteral("Policy"), index - 94);
    if (index <= 161)
        return numbered(QStringLiteral("Wksht"), index - 141);
    return {QStringLiteral("DRPln1.Fil"), QStringLiteral("DRPln1") + kBackupSuffix};
}

std::vector<Member> allMembers()
{
    std::vector<Member> members;
    for (int number = 1; number <= kFixedCount; ++number)
        members.push_back(fixedFile(number));
    for (int index = 0; index <= kLastIndex; ++index)
        members.push_back(numberedFile(index));
    return members;
}

Member database()
{
    return {QStringLiteral("Workbook.sqlite"), QStringLiteral("Workbook.sqlite") + kBackupSuffix};
}

bool isDatabaseCompanion(const QString &name)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        if (name.compare(database().sourceName + QLatin1String(suffix), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isUserFileName(const QString &name)
{
    return name.endsWith(QStringLiteral(".fil"), Qt::CaseInsensitive)
        || name.compare(database().sourceName, Qt::CaseInsensitive) == 0 || isDatabaseCompanion(name);
}

QString evidenceFolder()
{
    return QStringLiteral("Evidence");
}

bool isEvidenceFileName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{6,18}(\\.[a-z0-9]{1,10})?$"));
    return pattern.match(name).hasMatch();
}

Member evidenceFile(const QString &storedName)
{
    Q_ASSERT(isEvidenceFileName(storedName));
    return {evidenceFolder() + QLatin1Char('/') + storedName,
            evidenceFolder() + QLatin1Char('-') + storedName + kBackupSuffix};
}

QString evidenceNameOfBackup(const QString &backupName)
{
    const QString prefix = evidenceFolder() + QLatin1Char('-');
    if (!backupName.startsWith(prefix) || !backupName.endsWith(kBackupSuffix))
        return QString();
    const QString name = backupName.mid(prefix.size(), backupName.size() - prefix.size() - kBackupSuffix.size());
    return isEvidenceFileName(name) ? name : QString();
}

bool isKeptWhenNotRestored(const QString &name)
{
    return name.compare(fixedFile(7).sourceName, Qt::CaseInsensitive) == 0
        || name.compare(database().sourceName, Qt::CaseInsensitive) == 0
        || name.compare(fixedFile(8).sourceName, Qt::CaseInsensitive) == 0;
}

} // namespace BackupSet
