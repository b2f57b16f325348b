#pragma once

#include <QDir>
#include <QString>

// One covered entity's workbook: the folder that holds every file the user's
// work creates, and the folder of the shipped, read-only content. Every store
// and screen is given this value; nothing reaches a workbook file through the
// process's current directory.
class Workbook
{
public:
    Workbook() = default;
    // folder is made absolute; it need not exist yet (see ensureExists()).
    explicit Workbook(const QString &folder, const QString &contentFolder = QString());

    bool isNull() const { return m_folder.isEmpty(); }
    // The workbook folder, absolute.
    QString folder() const { return m_folder; }
    QDir dir() const { return QDir(m_folder); }
    // The shipped content folder (may be empty where no content is needed).
    QString contentFolder() const { return m_contentFolder; }

    // The path of the workbook file called name, found whatever the case of
    // its name ("GCOLOR3.FIL" for "GColor3.Fil"); when no such file exists,
    // the path with name spelled as given, for creating it. name may carry a
    // folder part ("Evidence/3.pdf"); only its last part is matched ignoring
    // case. Empty for a null workbook.
    QString filePath(const QString &name) const;
    // The path of the shipped file called name in the content folder, found
    // whatever its case.
    QString contentPath(const QString &name) const;

    // Creates the workbook folder when it does not exist, readable and
    // writable by its owner only (0700). On failure says why.
    bool ensureExists(QString *error = nullptr) const;

    friend bool operator==(const Workbook &a, const Workbook &b)
    {
        return a.m_folder == b.m_folder && a.m_contentFolder == b.m_contentFolder;
    }

private:
    QString m_folder;
    QString m_contentFolder;
};

// Creates folder, and any missing parent, when it does not exist; the folder
// itself is made 0700 (its parents get the usual permissions). An existing
// folder is left as it is. True when the folder exists afterwards.
bool makePrivateFolder(const QString &folder);
