// Saves files the way the program saves an entry (the safe save), for the
// kill test: safesave SOURCE TARGET [SOURCE TARGET ...] writes each SOURCE's
// bytes over its TARGET, one after the other.
#include "platform/records/safefile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.size() % 2 != 0) {
        std::fprintf(stderr, "usage: safesave SOURCE TARGET [SOURCE TARGET ...]\n");
        return 2;
    }
    for (qsizetype i = 0; i < args.size(); i += 2) {
        QByteArray bytes;
        QString error;
        if (!readWholeFile(args.at(i), &bytes, &error) || !writeFileSafely(args.at(i + 1), bytes, &error)) {
            std::fprintf(stderr, "safesave: %s: %s\n", qPrintable(args.at(i + 1)), qPrintable(error));
            return 1;
        }
    }
    return 0;
}
