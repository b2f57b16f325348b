#pragma once

#include "backup/drivelist.h"
#include "backup/procedure.h"
#include "platform/services/services.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <memory>

class FileOperations;
class QAction;
class QCheckBox;
class QComboBox;
class QSpinBox;
class QFileSystemModel;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableView;
class QTreeView;
class BackupSetModel;

// The backup utility's window (Backup1), modal, in backup or restore mode:
// the instructions, the drives and folders to choose the medium from, the
// status panel and progress bar of the running procedure, the action button
// and the Options menu (also on a right click over the window's background,
// the strip above the main panel and "E&xit").
class BackupWindow : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { Backup, Restore };

    struct Setup
    {
        QString workbookDir;
        bool smallerDisplay = false;
        PlatformServices services;
        std::shared_ptr<FileOperations> files;
        // The drives offered; mountedDrives() when unset.
        std::function<QList<BackupDrive>()> drives;
        // The time that names a restore's safety folder; the clock when unset.
        std::function<QDateTime()> now;
        // The open database's snapshot for a backup (see ProcedureEnvironment).
        std::function<bool(const QString &path, QString *error)> snapshotDatabase;
        // Backup sets kept in a folder ("Keep the last N sets").
        int keepSets = 10;
        // Told when a backup completed (to keep its date in the workbook).
        std::function<void(const QDateTime &)> backupCompleted;
        // Told when the user changed the number of sets to keep.
        std::function<void(int)> keepSetsChanged;
        // Asks for the passphrase of an encrypted backup (twice, to confirm,
        // for a new one); nothing when the user cancels. A password dialog
        // when unset.
        std::function<std::optional<QByteArray>(QWidget *parent, bool confirm)> askPassphrase;
    };

    BackupWindow(Mode mode, Setup setup, QWidget *parent = nullptr);
    ~BackupWindow() override;

    Mode mode() const { return mode_; }
    // Chooses drive `index` of the drive list, as the user does.
    void chooseDrive(int index);
    // Chooses a folder in the folder list, as the user does.
    void chooseFolder(const QString &path);
    // The action button ("&Make Backup" or "&Restore User Created Files").
    void runAction();
    QString targetFolder() const { return targetFolder_; }
    // True once a restore replaced the workbook's files.
    bool workbookChanged() const { return workbookChanged_; }
    const ProcedureResult &lastResult() const { return lastResult_; }

    QLabel *instructions() const { return instructions_; }
    QLabel *note() const { return note_; }
    QComboBox *driveList() const { return driveList_; }
    QTreeView *folderList() const { return folderList_; }
    QLabel *pathLabel() const { return pathLabel_; }
    QLabel *statusPanel() const { return status_; }
    QProgressBar *progressBar() const { return progress_; }
    QPushButton *actionButton() const { return actionButton_; }
    QPushButton *exitButton() const { return exitButton_; }
    QMenu *optionsMenu() const { return optionsMenu_; }
    QAction *actionEntry() const { return actionEntry_; }
    QCheckBox *encryptBox() const { return m_encryptBox; }
    QSpinBox *keepBox() const { return m_keepBox; }
    QTableView *setList() const { return m_setList; }
    QFrame *topStrip() const { return topStrip_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    class Feedback;
    void buildContents();
    void placeWindow();
    void showPath(const QString &path);
    void updateActionEnabled();
    void showSets();
    void setActionEnabled(bool enabled);

    Mode mode_;
    Setup setup_;
    QList<BackupDrive> drives_;
    int currentDrive_ = -1;
    QString targetFolder_;
    bool workbookChanged_ = false;
    bool choosingDrive_ = false;
    ProcedureResult lastResult_;

    QFrame *topStrip_ = nullptr;
    QFrame *mainPanel_ = nullptr;
    QLabel *instructions_ = nullptr;
    QLabel *note_ = nullptr;
    QComboBox *driveList_ = nullptr;
    QTreeView *folderList_ = nullptr;
    QFileSystemModel *folderModel_ = nullptr;
    QLabel *pathLabel_ = nullptr;
    QLabel *status_ = nullptr;
    QProgressBar *progress_ = nullptr;
    QPushButton *actionButton_ = nullptr;
    QPushButton *exitButton_ = nullptr;
    QMenu *optionsMenu_ = nullptr;
    QAction *actionEntry_ = nullptr;
    QCheckBox *m_encryptBox = nullptr;
    BackupSetModel *m_setModel = nullptr;
    QTableView *m_setList = nullptr;
    QSpinBox *m_keepBox = nullptr;
};

// Opens the window modally over `parent`; true when a restore replaced the
// workbook's files.
bool runBackupWindow(BackupWindow::Mode mode, BackupWindow::Setup setup, QWidget *parent);
