#include "platform/records/workbook.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

mode_t modeOf(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

} // namespace

// A workbook holds a covered entity's security documentation: the folder the
// program creates for it is the owner's alone, whatever the umask.
class WorkbookFolderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newFolderIsOwnersOnly_data();
    void newFolderIsOwnersOnly();
    void existingFolderIsLeftAsItIs();
};

void WorkbookFolderTest::newFolderIsOwnersOnly_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("folder") << "Sentrivo";
    QTest::newRow("with missing parents") << "share/data/Sentrivo";
}

void WorkbookFolderTest::newFolderIsOwnersOnly()
{
    QFETCH(QString, relative);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const mode_t oldMask = ::umask(022);
    const Workbook workbook(root.filePath(relative));
    QString error;
    const bool made = workbook.ensureExists(&error);
    ::umask(oldMask);
    QVERIFY2(made, qPrintable(error));
    QVERIFY(QFileInfo(workbook.folder()).isDir());
    QCOMPARE(modeOf(workbook.folder()), mode_t(0700));
    // Twice is the same as once.
    QVERIFY(workbook.ensureExists());
    QCOMPARE(modeOf(workbook.folder()), mode_t(0700));
}

void WorkbookFolderTest::existingFolderIsLeftAsItIs()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString folder = root.filePath(QStringLiteral("Shared"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0750) == 0);
    QVERIFY(Workbook(folder).ensureExists());
    QCOMPARE(modeOf(folder), mode_t(0750));
}

QTEST_MAIN(WorkbookFolderTest)
#include "tst_workbookfolder.moc"
