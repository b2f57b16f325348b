#pragma once

#include "platform/records/workbook.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

// An empty workbook folder for one test, removed with its files when the
// object goes. The code under test is handed workbook(); nothing changes the
// process's current directory.
class TempWorkbook
{
public:
    TempWorkbook() = default;
    TempWorkbook(const TempWorkbook &) = delete;
    TempWorkbook &operator=(const TempWorkbook &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QDir dir() const { return QDir(m_dir.path()); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // The folder as the program's workbook, with the content folder given.
    Workbook workbook(const QString &contentFolder = QString()) const { return Workbook(m_dir.path(), contentFolder); }

    // Whole-file helpers for setting up and checking files byte by byte.
    bool writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;
    bool exists(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
