#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

// An empty workbook folder for one test: it becomes the current directory
// (as start-up makes the real one) and the previous current directory comes
// back when the object goes, together with the folder and its files.
class TempWorkbook
{
public:
    TempWorkbook();
    ~TempWorkbook();
    TempWorkbook(const TempWorkbook &) = delete;
    TempWorkbook &operator=(const TempWorkbook &) = delete;

    bool isValid() const { return m_dir.isValid() && m_entered; }
    QString path() const { return m_dir.path(); }
    QDir dir() const { return QDir(m_dir.path()); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Whole-file helpers for setting up and checking files byte by byte.
    bool writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;
    bool exists(const QString &name) const;

private:
    QString m_previous;
    QTemporaryDir m_dir;
    bool m_entered = false;
};
