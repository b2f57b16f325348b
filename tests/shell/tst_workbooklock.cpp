// One program per workbook, with real processes: the built program holds a
// workbook, a second one (a command, or the window's opening) is refused
// with who holds it and since when, the window can open it read-only and
// then writes nothing, and a lock left by a dead or silent program is taken
// over after saying so.
#include "actionarea/actionareafixture.h"
#include "actionarea/status/statusbox.h"
#include "platform/records/readonlyworkbooks.h"
#include "platform/records/recordfile.h"
#include "platform/records/safefile.h"
#include "platform/records/workbooklock.h"
#include "actionarea/readonlyeditor.h"
#include "shell/readonlycaptions.h"
#include "shell/workbookopening.h"
#include "timeline/timelinepanel.h"
#include "support/scriptedchoiceprompt.h"

#include <QDeadlineTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

namespace {

QString program()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/sentrivo");
}

struct Run
{
    int exitCode = -1;
    QString err;
};

Run runProgram(const QStringList &arguments)
{
    QProcess process;
    process.start(program(), arguments);
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// The program's window on a workbook, holding it until the test ends.
class WindowProcess
{
public:
    explicit WindowProcess(const QString &workbook)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program(), {QStringLiteral("--workbook"), workbook});
        m_lockPath = QDir(workbook).filePath(WorkbookLock::kFileName);
    }
    ~WindowProcess() { kill(); }

    // The lock is in place once the file names this process and its user.
    bool waitForLock()
    {
        QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
            const std::optional<WorkbookLock::Holder> holder = WorkbookLock::readHolder(m_lockPath);
            if (holder && holder->pid == pid() && holder->since.isValid())
                return true;
            QTest::qWait(50);
        }
        return false;
    }
    qint64 pid() const { return m_process.processId(); }
    void kill()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
    QString m_lockPath;
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void setAge(const QString &path, std::chrono::seconds age)
{
    std::filesystem::last_write_time(QFile::encodeName(path).toStdString(),
                                     std::filesystem::file_time_type::clock::now() - age);
}

// A lock as a program on another computer sharing the folder leaves it.
void writeForeignLock(const QString &folder, const QByteArray &host)
{
    writeFile(QDir(folder).filePath(WorkbookLock::kFileName),
              "4242\nsentrivo\n" + host + "\n\n\nuser=remote\nsince=2026-01-05T08:30:00Z\n");
}

} // namespace

class TestWorkbookLock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lockSaysWhoHoldsIt();
    void secondProgramRefused_data();
    void secondProgramRefused();
    void windowOffersReadOnly();
    void readOnlyWritesNothing();
    void readOnlyActionArea();
    void deadProgramsLockTakenOver();
    void otherComputersLock_data();
    void otherComputersLock();
    void liveLockIsRenewed();
};

void TestWorkbookLock::lockSaysWhoHoldsIt()
{
    QTemporaryDir folder;
    WorkbookLock first(folder.path());
    QCOMPARE(first.acquire(), WorkbookLock::Outcome::Taken);
    QVERIFY(first.message().isEmpty());

    const std::optional<WorkbookLock::Holder> holder =
        WorkbookLock::readHolder(folder.filePath(WorkbookLock::kFileName));
    QVERIFY(holder);
    QCOMPARE(holder->pid, QCoreApplication::applicationPid());
    QCOMPARE(holder->host, QSysInfo::machineHostName());
    QCOMPARE(holder->user, WorkbookLock::currentUser());
    QVERIFY(!holder->user.isEmpty());
    QVERIFY(qAbs(holder->since.secsTo(QDateTime::currentDateTimeUtc())) < 600);

    WorkbookLock second(folder.path());
    QCOMPARE(second.acquire(), WorkbookLock::Outcome::Held);
    QVERIFY(second.message().contains(QStringLiteral("is in use by ") + holder->describe()));
    QVERIFY(holder->describe().contains(QString::number(holder->pid)));

    // Released, the workbook is free again and the file is gone.
    first.release();
    QVERIFY(!QFile::exists(folder.filePath(WorkbookLock::kFileName)));
    QCOMPARE(second.acquire(), WorkbookLock::Outcome::Taken);
}

void TestWorkbookLock::secondProgramRefused_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("export") << QStringList{QStringLiteral("--export"), QStringLiteral("summary"), QStringLiteral("OUT")}
                            << 3;
    QTest::newRow("backup") << QStringList{QStringLiteral("--backup"), QStringLiteral("MEDIUM")} << 1;
    QTest::newRow("restore") << QStringList{QStringLiteral("--restore"), QStringLiteral("MEDIUM")} << 1;
}

void TestWorkbookLock::secondProgramRefused()
{
    QFETCH(QStringList, command);
    QFETCH(int, exitCode);
    QTemporaryDir root;
    const QString workbook = root.filePath(QStringLiteral("workbook"));
    const QString medium = root.filePath(QStringLiteral("medium"));
    QVERIFY(QDir().mkpath(workbook));
    QVERIFY(QDir().mkpath(medium));
    writeFile(workbook + QStringLiteral("/Stat1.Fil"), "the window's statuses");
    // A medium with a set on it, so that a restore would have something to do.
    writeFile(medium + QStringLiteral("/Stat1.hb1"), "older statuses");

    WindowProcess window(workbook);
    QVERIFY(window.waitForLock());
    command.replaceInStrings(QStringLiteral("OUT"), root.filePath(QStringLiteral("summary.pdf")));
    command.replaceInStrings(QStringLiteral("MEDIUM"), medium);
    const Run run = runProgram(QStringList{QStringLiteral("--workbook"), workbook} + command);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(QStringLiteral("is in use by ")), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("(process %1)").arg(window.pid())), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral(" since ")), qPrintable(run.err));
    QVERIFY(!QFile::exists(root.filePath(QStringLiteral("summary.pdf"))));
    QCOMPARE(readFile(workbook + QStringLiteral("/Stat1.Fil")), QByteArray("the window's statuses"));
    QCOMPARE(QDir(medium).entryList(QDir::Files), QStringList{QStringLiteral("Stat1.hb1")});
}

void TestWorkbookLock::windowOffersReadOnly()
{
    QTemporaryDir root;
    WindowProcess window(root.path());
    QVERIFY(window.waitForLock());

    ScriptedChoicePrompt prompt;
    std::unique_ptr<WorkbookLock> lock;
    prompt.enqueueChoice(WorkbookOpening::kCancel);
    QVERIFY(!WorkbookOpening::openForWindow(root.path(), prompt, &lock));
    QVERIFY(!lock);
    QVERIFY(!ReadOnlyWorkbooks::contains(root.path()));

    prompt.enqueueChoice(WorkbookOpening::kOpenReadOnly);
    QVERIFY(WorkbookOpening::openForWindow(root.path(), prompt, &lock));
    QVERIFY(!lock);
    QVERIFY(ReadOnlyWorkbooks::contains(root.path()));
    QCOMPARE(prompt.choices.size(), 2);
    QVERIFY(prompt.questions.isEmpty());
    const ScriptedChoicePrompt::Choice &question = prompt.choices.last();
    QCOMPARE(question.captions, (QStringList{WorkbookOpening::kOpenReadOnly, WorkbookOpening::kCancel}));
    QVERIFY(question.text.contains(QStringLiteral("(process %1)").arg(window.pid())));
    QVERIFY(question.text.contains(WorkbookLock::currentUser()));
    // The holder keeps its lock.
    QCOMPARE(WorkbookLock::readHolder(root.filePath(WorkbookLock::kFileName))->pid, window.pid());
    ReadOnlyWorkbooks::remove(root.path());
}

void TestWorkbookLock::readOnlyWritesNothing()
{
    QTemporaryDir root;
    const QString kept = root.filePath(QStringLiteral("Stat1.Fil"));
    writeFile(kept, QByteArray(20, 'x'));
    ReadOnlyWorkbooks::add(root.path());

    QString error;
    QVERIFY(!writeFileSafely(root.filePath(QStringLiteral("Action0.Fil")), "{\\rtf1 x}", &error));
    QCOMPARE(error, ReadOnlyWorkbooks::kRefusal);
    QVERIFY(!writeFileSafely(kept, "new", &error));
    {
        RecordFile existing(kept, 20);
        QVERIFY(existing.isOpen());
        QVERIFY(!existing.writeText(1, QStringLiteral("Completed")));
        RecordFile missing(root.filePath(QStringLiteral("GColor3.Fil")), 20);
        QVERIFY(!missing.writeText(1, QStringLiteral("1")));
    }
    QCOMPARE(QDir(root.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Stat1.Fil")});
    QCOMPARE(readFile(kept), QByteArray(20, 'x'));

    // Files elsewhere (an exported PDF) are written as usual.
    QTemporaryDir elsewhere;
    QVERIFY(writeFileSafely(elsewhere.filePath(QStringLiteral("report.pdf")), "%PDF", &error));
    ReadOnlyWorkbooks::remove(root.path());
    QVERIFY(writeFileSafely(kept, "new", &error));
}

void TestWorkbookLock::readOnlyActionArea()
{
    ReadOnlyCaptions captions;
    qApp->installEventFilter(&captions);
    ActionAreaFixture fixture;
    ReadOnlyWorkbooks::add(fixture.workbook.path());
    ActionArea *window = fixture.open();
    ReadOnlyView::apply(window);
    QVERIFY2(window->windowTitle().endsWith(QStringLiteral(" (read-only)")), qPrintable(window->windowTitle()));

    window->enterWorkMode(WorkMode::Administrative);
    QVERIFY(window->windowTitle().endsWith(QStringLiteral(" (read-only)")));
    QVERIFY(!window->windowTitle().endsWith(QStringLiteral(" (read-only) (read-only)")));
    fixture.chooseView(SafeguardWorkspace::ActionTakenOption);
    // The entry view is open for reading, but typing changes nothing.
    fixture.editor()->setFocus();
    QTest::keyClicks(fixture.editor(), QStringLiteral("typed"));
    QVERIFY(!fixture.editor()->toPlainText().contains(QStringLiteral("typed")));
    QVERIFY(!fixture.unsaved());
    QVERIFY(!fixture.workspace()->command(SafeguardWorkspace::Command::Save).isEnabled());
    QVERIFY(!fixture.workspace()->statusBox()->isEnabled());
    QVERIFY(!window->optionsEntry(OptionsTable::Entry::Save)->isEnabled());
    QVERIFY(!window->optionsEntry(OptionsTable::Entry::GridBackgroundSelector)->isEnabled());

    window->enterWorkMode(WorkMode::Timeline);
    QVERIFY(!window->timelinePanel()->button(TimelinePanel::Save)->isEnabled());
    QVERIFY(!window->timelinePanel()->button(TimelinePanel::AddToGrid)->isEnabled());
    QVERIFY(window->timelinePanel()->itemBox()->isReadOnly());
    // Nothing was written, not even the files a first start creates.
    QCOMPARE(fixture.workbook.dir().entryList(QDir::Files | QDir::Hidden), QStringList());
    ReadOnlyWorkbooks::remove(fixture.workbook.path());
    qApp->removeEventFilter(&captions);
}

void TestWorkbookLock::deadProgramsLockTakenOver()
{
    QTemporaryDir root;
    qint64 deadPid = 0;
    {
        WindowProcess window(root.path());
        QVERIFY(window.waitForLock());
        deadPid = window.pid();
        window.kill(); // kill -9: the lock file stays behind
    }
    QVERIFY(QFile::exists(root.filePath(WorkbookLock::kFileName)));

    const Run run = runProgram({QStringLiteral("--workbook"), root.path(), QStringLiteral("--export"),
                                QStringLiteral("summary"), root.filePath(QStringLiteral("summary.pdf"))});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains(QStringLiteral("(process %1)").arg(deadPid)), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("no longer running. The lock is taken over.")), qPrintable(run.err));
    QVERIFY(QFile::exists(root.filePath(QStringLiteral("summary.pdf"))));
    // Its lock went with the export.
    QVERIFY(!QFile::exists(root.filePath(WorkbookLock::kFileName)));
}

void TestWorkbookLock::otherComputersLock_data()
{
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("takenOver");
    QTest::newRow("renewed a moment ago") << 5 << false;
    QTest::newRow("silent for an hour") << 3600 << true;
}

// A folder shared by two computers: the pid of another host means nothing
// here, so only the lock's age decides.
void TestWorkbookLock::otherComputersLock()
{
    QFETCH(int, ageSeconds);
    QFETCH(bool, takenOver);
    QTemporaryDir folder;
    writeForeignLock(folder.path(), "far-away-host");
    setAge(folder.filePath(WorkbookLock::kFileName), std::chrono::seconds(ageSeconds));

    WorkbookLock lock(folder.path(), 10 * 60 * 1000);
    const WorkbookLock::Outcome outcome = lock.acquire();
    QCOMPARE(outcome, takenOver ? WorkbookLock::Outcome::TakenOver : WorkbookLock::Outcome::Held);
    QVERIFY(lock.holder());
    QCOMPARE(lock.holder()->host, QStringLiteral("far-away-host"));
    QCOMPARE(lock.holder()->user, QStringLiteral("remote"));
    QCOMPARE(lock.holder()->since, QDateTime(QDate(2026, 1, 5), QTime(8, 30), Qt::UTC));
    QVERIFY(lock.message().contains(QStringLiteral("remote on far-away-host (process 4242)")));
    if (takenOver) {
        QVERIFY(lock.message().contains(QStringLiteral("has not been renewed since")));
        QCOMPARE(WorkbookLock::readHolder(lock.lockPath())->pid, QCoreApplication::applicationPid());
    }
}

// A run longer than the stale time (a day at the desk) keeps its lock.
void TestWorkbookLock::liveLockIsRenewed()
{
    QTemporaryDir folder;
    WorkbookLock lock(folder.path(), 4000);
    QCOMPARE(lock.acquire(), WorkbookLock::Outcome::Taken);
    setAge(lock.lockPath(), std::chrono::hours(2));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(lock.lockPath()).lastModified().secsTo(QDateTime::currentDateTime()) < 60,
                             30000);
    // Without the renewal the two-hour-old file would be taken over.
    WorkbookLock other(folder.path(), 4000);
    QCOMPARE(other.acquire(), WorkbookLock::Outcome::Held);
}

QTEST_MAIN(TestWorkbookLock)
#include "tst_workbooklock.moc"
