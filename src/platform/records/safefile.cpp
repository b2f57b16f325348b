#include "platform/records/safefile.h"

#include "platform/records/readonlyworkbooks.h"

#include <QFile>
#include <QSaveFile>

bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *error)
{
    if (ReadOnlyWorkbooks::refusesWriteTo(path)) {
        if (error)
            *error = ReadOnlyWorkbooks::kRefusal;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool readWholeFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
