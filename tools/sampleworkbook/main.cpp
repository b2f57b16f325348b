// Fills the risk register of a workbook with a small clinic's register (a
// dozen assets, thirty risks, four business associates, dates relative to
// today) and attaches two evidence files, for screenshots and trying the
// program by hand: sampleworkbook DIR. A workbook whose register already
// holds records is left as it is.
#include "clinicregister.h"

#include "platform/database/workbookdatabase.h"
#include "platform/records/workbook.h"
#include "risk/evidencestore.h"
#include "risk/riskstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: sampleworkbook DIR\n");
        return 2;
    }
    if (!QDir().mkpath(args.first())) {
        std::fprintf(stderr, "sampleworkbook: %s cannot be made\n", qPrintable(args.first()));
        return 1;
    }
    WorkbookDatabase database{Workbook(args.first())};
    const WorkbookDatabase::OpenReport report = database.open();
    RiskStore store(database);
    QString error;
    if (!database.isOpen() || !store.load(&error)) {
        std::fprintf(stderr, "sampleworkbook: %s\n", qPrintable(error.isEmpty() ? report.message : error));
        return 1;
    }
    if (!store.assets().isEmpty() || !store.risks().isEmpty()) {
        std::fprintf(stderr, "sampleworkbook: the register of %s holds records already\n", qPrintable(args.first()));
        return 1;
    }
    const QDate today = QDate::currentDate();
    if (!ClinicRegister::fill(store, today)) {
        std::fprintf(stderr, "sampleworkbook: the register could not be filled\n");
        return 1;
    }
    // Two small evidence files: a signed agreement and a training log.
    QTemporaryDir scratch;
    EvidenceStore evidence(database);
    const struct {
        const char *name;
        const char *text;
    } files[] = {{"Signed BAA.txt", "Business associate agreement, signed by both parties.\n"},
                 {"Training log.csv", "Name,Course,Completed on\nDana Reyes,Security awareness,2026-03-02\n"}};
    for (const auto &file : files) {
        const QString path = scratch.filePath(QString::fromLatin1(file.name));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file.text) < 0) {
            std::fprintf(stderr, "sampleworkbook: %s cannot be written\n", qPrintable(path));
            return 1;
        }
        out.close();
        const qint64 owner = store.associates().isEmpty() ? 0 : store.associates().first().id;
        const bool ok = owner != 0 && file.name[0] == 'S'
                          ? evidence.attach(EvidenceOwner::Associate, owner, path, QString(), nullptr, &error)
                          : evidence.attach(EvidenceOwner::Safeguard, 11, path, QString(), nullptr, &error);
        if (!ok) {
            std::fprintf(stderr, "sampleworkbook: %s\n", qPrintable(error));
            return 1;
        }
    }
    std::printf("%s: %lld assets, %lld risks, %lld business associates\n", qPrintable(args.first()),
                qlonglong(store.assets().size()), qlonglong(store.risks().size()),
                qlonglong(store.associates().size()));
    return 0;
}
