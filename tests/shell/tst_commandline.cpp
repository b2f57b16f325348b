// The program's --help and --version, run as a person runs them from a
// terminal with no display: they print and end, whatever else is on the
// command line, and the help lists every command.
#include "platform/records/workbooklock.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

// The built program, with no display of any kind to open a window on.
Run runWithoutDisplay(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/sentrivo"), arguments);
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void helpListsEveryCommand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")};
        QTest::newRow("-h") << QStringList{QStringLiteral("-h")};
        QTest::newRow("with a workbook") << QStringList{QStringLiteral("--workbook"), QStringLiteral("/nonexistent"),
                                                        QStringLiteral("--help")};
        QTest::newRow("with an export") << QStringList{QStringLiteral("--export"), QStringLiteral("summary"),
                                                       QStringLiteral("out.pdf"), QStringLiteral("--help")};
    }

    void helpListsEveryCommand()
    {
        QFETCH(QStringList, arguments);
        const Run run = runWithoutDisplay(arguments);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        for (const char *option : {"--workbook", "--export", "--import", "--backup", "--restore", "--set",
                                   "--encrypt", "--passphrase-file", "--search", "--shipped", "--help", "--version"})
            QVERIFY2(run.out.contains(QLatin1String(option)), option);
        QVERIFY(!QFileInfo::exists(QStringLiteral("out.pdf")));
    }

    void versionPrintsTheProgramsVersion()
    {
        const Run run = runWithoutDisplay({QStringLiteral("--version")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out.trimmed(), QStringLiteral("Sentrivo 7.5"));
    }

    // A help request beside a backup command prints the help; it neither
    // backs up nor creates the target.
    void helpWinsOverABackupCommand()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("stick"));
        const Run run = runWithoutDisplay({QStringLiteral("--workbook"), dir.filePath(QStringLiteral("wb")),
                                           QStringLiteral("--backup"), target, QStringLiteral("--help")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QLatin1String("--restore")));
        QVERIFY(!QFileInfo::exists(target));
    }

    // --search over a workbook's own documents: the results a line each,
    // and an exit status a script can act on.
    void searchFromTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("outPart");
        QTest::newRow("found") << QStringList{QStringLiteral("--search"), QStringLiteral("encryption")} << 0
                               << "Laptops are encrypted with full-disk [encryption].";
        QTest::newRow("a prefix") << QStringList{QStringLiteral("--search"), QStringLiteral("encr*")} << 0
                                  << "Action3.Fil";
        QTest::newRow("nothing found") << QStringList{QStringLiteral("--search"), QStringLiteral("ransomware")} << 1
                                       << "";
        QTest::newRow("held by another program") << QStringList{QStringLiteral("--search"), QStringLiteral("held")}
                                                 << 3 << "";
    }

    void searchFromTheCommandLine()
    {
        QFETCH(QStringList, extra);
        QFETCH(int, status);
        QFETCH(QString, outPart);
        QTemporaryDir dir;
        {
            QFile entry(dir.filePath(QStringLiteral("Action3.Fil")));
            QVERIFY(entry.open(QIODevice::WriteOnly));
            entry.write("{\\rtf1\\ansi Laptops are encrypted with full-disk encryption.}");
        }
        std::unique_ptr<WorkbookLock> other;
        if (QTest::currentDataTag() == QLatin1String("held by another program")) {
            other = std::make_unique<WorkbookLock>(dir.path());
            QCOMPARE(other->acquire(), WorkbookLock::Outcome::Taken);
        }
        const Run run = runWithoutDisplay(QStringList{QStringLiteral("--workbook"), dir.path()} + extra);
        QVERIFY2(run.status == status, qPrintable(run.err));
        if (!outPart.isEmpty())
            QVERIFY2(run.out.contains(outPart), qPrintable(run.out));
        else
            QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
