#pragma once

#include "backup/backupprocedure.h"
#include "backup/restoreprocedure.h"
#include "faultyfiles.h"
#include "support/testservices.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

// A prompt that lets the test act (swap the medium) as a question is asked.
class ActingPrompt : public ScriptedPrompt
{
public:
    std::function<void(const QString &title, const QString &text)> onQuestion;
    Answer ask(QWidget *parent, Icon icon, const QString &title, const QString &text, Buttons buttons,
               std::optional<Answer> defaultAnswer = std::nullopt) override
    {
        const Answer answer = ScriptedPrompt::ask(parent, icon, title, text, buttons, defaultAnswer);
        if (onQuestion && answer == Answer::Ok)
            onQuestion(title, text);
        return answer;
    }
    QStringList titles() const
    {
        QStringList list;
        for (const Question &question : questions)
            list << question.title;
        return list;
    }
};

class RecordingFeedback : public ProcedureFeedback
{
public:
    void showStatus(const QString &text) override { statuses << text; }
    void hideStatus() override { statuses << QStringLiteral("<hidden>"); }
    void showProgress(int maximum) override { progressMaximum = maximum; }
    void setProgress(int value) override { progress << value; }
    void pause() override { ++pauses; }
    void resetDrive() override { ++driveResets; }
    QStringList statuses;
    QList<int> progress;
    int progressMaximum = 0;
    int pauses = 0;
    int driveResets = 0;
};

// A workbook, a "drive" folder standing for the medium in the drive, and
// shelves of further "disks" that can be put into the drive.
class BackupRig
{
public:
    BackupRig()
    {
        QDir(root.path()).mkpath(QStringLiteral("workbook"));
        QDir(root.path()).mkpath(QStringLiteral("drive"));
    }

    QString workbook() const { return root.filePath(QStringLiteral("workbook")); }
    QString drive() const { return root.filePath(QStringLiteral("drive")); }
    QString shelf(int disk) const { return root.filePath(QStringLiteral("disk%1").arg(disk)); }

    // `name` may lead through sub-folders ("Evidence/000001.pdf").
    void write(const QString &folder, const QString &name, const QByteArray &bytes) const
    {
        QFile file(QDir(folder).filePath(name));
        QDir().mkpath(QFileInfo(file.fileName()).absolutePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void writeWorkbook(const QString &name, const QByteArray &bytes) const { write(workbook(), name, bytes); }

    // Every file under a folder (sub-folders included) with its contents.
    static QMap<QString, QByteArray> snapshot(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            file.open(QIODevice::ReadOnly);
            files.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
        }
        return files;
    }
    static QMap<QString, QByteArray> topFiles(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
            QFile file(info.absoluteFilePath());
            file.open(QIODevice::ReadOnly);
            files.insert(info.fileName(), file.readAll());
        }
        return files;
    }

    // Takes the medium out of the drive onto its shelf and puts disk n in.
    void insertDisk(int n)
    {
        QDir top(root.path());
        QVERIFY(top.rename(QStringLiteral("drive"), QStringLiteral("disk%1").arg(inDrive)));
        if (!top.exists(QStringLiteral("disk%1").arg(n)))
            top.mkpath(QStringLiteral("disk%1").arg(n));
        QVERIFY(top.rename(QStringLiteral("disk%1").arg(n), QStringLiteral("drive")));
        inDrive = n;
    }

    ProcedureEnvironment environment(bool attended = true)
    {
        ProcedureEnvironment env;
        env.workbookDir = workbook();
        env.targetDir = drive();
        env.files = &files;
        env.prompt = attended ? &prompt : nullptr;
        env.feedback = &feedback;
        env.now = [] { return QDateTime(QDate(2026, 12, 10), QTime(9, 30, 5)); };
        return env;
    }

    ProcedureResult backup(bool attended = true) { return BackupProcedure(environment(attended)).run(); }
    ProcedureResult restore(bool attended = true) { return RestoreProcedure(environment(attended)).run(); }

    QTemporaryDir root;
    FaultyFileOperations files;
    ActingPrompt prompt;
    RecordingFeedback feedback;
    int inDrive = 1; // the medium in the drive at first is disk 1
};
