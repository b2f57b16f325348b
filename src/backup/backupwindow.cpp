#include "backup/backupwindow.h"

#include "backup/backupprocedure.h"
#include "backup/backupset.h"
#include "backup/fileoperations.h"
#include "backup/backupsetmodel.h"
#include "backup/generations.h"
#include "backup/setencryption.h"
#include "backup/restoreprocedure.h"
#include "screens/helptopics.h"

#include <QAction>
#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString kUserFiles = QStringLiteral("User Created Files");

QString backupInstructions()
{
    return QStringLiteral("This utility allows you to make a backup disk(s) of the ") + kUserFiles
         + QStringLiteral(" contained within this program.  To make the backup disk(s), first insert a blank formatted "
                          "disk in Drive a: or select location for backup, then select Drive or location from the "
                          "Drives and or Folders lists below, then Click the &Make Backup Button and follow directions "
                          "as they appear.");
}

QString restoreInstructions()
{
    return QStringLiteral("Restore ") + kUserFiles + QStringLiteral(" from backup media to Sentrivo.\n")
         + QStringLiteral("The ") + kUserFiles
         + QStringLiteral(" now in the program are not erased: those the restore replaces are kept in a folder "
                          "\"Before restore DATE\" inside the workbook.\n")
         + QStringLiteral("To restore, first place backup disk in Drive a: or select backup files location, then select "
                          "Drive and or folder from the Drive/Folders lists below, then Click &Restore ")
         + kUserFiles + QStringLiteral(" Button and follow directions as they appear.");
}

// The passphrase of an encrypted backup, typed unseen; a new one twice.
std::optional<QByteArray> askPassphraseInADialog(QWidget *parent, bool confirm)
{
    for (;;) {
        bool ok = false;
        const QString first = QInputDialog::getText(
            parent, QStringLiteral("Encrypted Backup"),
            confirm ? QStringLiteral("Passphrase for the encrypted backup (without it the backup cannot be restored):")
                    : QStringLiteral("This backup is encrypted. Passphrase:"),
            QLineEdit::Password, QString(), &ok);
        if (!ok)
            return std::nullopt;
        if (!confirm)
            return first.toUtf8();
        if (first.isEmpty())
            continue;
        const QString second = QInputDialog::getText(parent, QStringLiteral("Encrypted Backup"),
                                                     QStringLiteral("The same passphrase again:"), QLineEdit::Password,
                                                     QString(), &ok);
        if (!ok)
            return std::nullopt;
        if (second == first)
            return first.toUtf8();
    }
}

// The window's size in the smaller display, where it does not resize.
constexpr QSize kSmallerDisplaySize(640, 540);
// 415 twips below the centre of the window that opened it.
constexpr int kBelowCentre = 415 / 15;

} // namespace

// The procedure's progress shown in the window.
class BackupWindow::Feedback : public ProcedureFeedback
{
public:
    explicit Feedback(BackupWindow &window) : window_(window) {}
    ~Feedback() override { setBusy(false); }

    void showStatus(const QString &text) override
    {
        window_.status_->setText(text);
        window_.status_->show();
        repaint();
    }
    void hideStatus() override { window_.status_->hide(); }
    void hideNote() override { window_.note_->hide(); }
    void showProgress(int maximum) override
    {
        window_.progress_->setMaximum(maximum);
        window_.progress_->show();
    }
    void setProgress(int value) override
    {
        window_.progress_->setValue(value);
        repaint();
    }
    void hideProgress() override { window_.progress_->hide(); }
    void setBusy(bool busy) override
    {
        if (busy == busy_)
            return;
        busy_ = busy;
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    void pause() override
    {
        // Until the clock's seconds have moved on by two, the screen kept alive.
        Clock *clock = window_.setup_.services.clock.get();
        if (!clock)
            return;
        const int start = clock->currentTime().second();
        while ((clock->currentTime().second() - start + 60) % 60 < 2) {
            QCoreApplication::processEvents();
            QThread::msleep(20);
        }
    }
    void resetDrive() override { window_.chooseDrive(0); }

private:
    void repaint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

    BackupWindow &window_;
    bool busy_ = false;
};

BackupWindow::BackupWindow(Mode mode, Setup setup, QWidget *parent)
    : QDialog(parent)
    , mode_(mode)
    , setup_(std::move(setup))
{
    setObjectName(QStringLiteral("Backup1"));
    setModal(true);
    if (!setup_.files)
        setup_.files = makeDiskFileOperations();
    if (!setup_.askPassphrase)
        setup_.askPassphrase = askPassphraseInADialog;
    drives_ = setup_.drives ? setup_.drives() : mountedDrives();
    setWindowTitle(mode_ == Mode::Backup ? QString(QStringLiteral("Backup ") + kUserFiles)
                                         : QString(QStringLiteral("Restore ") + kUserFiles + QStringLiteral(" from Backup Media")));
    buildContents();
    placeWindow();

    // The drive holding the workbook, its folder list at the workbook: the
    // action waits for the user's choice of another place.
    currentDrive_ = qMax(0, driveHolding(drives_, setup_.workbookDir));
    {
        const QSignalBlocker blocker(driveList_);
        driveList_->setCurrentIndex(currentDrive_);
    }
    if (!drives_.isEmpty()) {
        const QString root = drives_.at(currentDrive_).rootPath;
        folderModel_->setRootPath(root);
        folderList_->setRootIndex(folderModel_->index(root));
        const QModelIndex workbook = folderModel_->index(setup_.workbookDir);
        folderList_->setCurrentIndex(workbook);
        folderList_->scrollTo(workbook);
        pathLabel_->setText(QDir::toNativeSeparators(root));
    }
    targetFolder_ = setup_.workbookDir;
    setActionEnabled(false);
}

BackupWindow::~BackupWindow() = default;

void BackupWindow::buildContents()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 6);
    layout->setSpacing(6);

    auto *menuBar = new QMenuBar(this);
    optionsMenu_ = menuBar->addMenu(QStringLiteral("&Options"));
    actionEntry_ = optionsMenu_->addAction(mode_ == Mode::Backup ? QStringLiteral("&Make Backup Disk")
                                                                 : QStringLiteral("&Restore Files from Disk"));
    connect(actionEntry_, &QAction::triggered, this, &BackupWindow::runAction);
    optionsMenu_->addSeparator();
    optionsMenu_->addAction(QStringLiteral("E&xit"), this, &QDialog::reject);
    layout->setMenuBar(menuBar);

    // F1 opens the page of the backup or of the restore.
    auto *help = new QAction(this);
    help->setObjectName(QStringLiteral("windowHelp"));
    help->setShortcut(Qt::Key_F1);
    connect(help, &QAction::triggered, this, [this] {
        if (setup_.services.helpViewer)
            setup_.services.helpViewer->showTopic(this, mode_ == Mode::Backup ? HelpTopic::Backup : HelpTopic::Restore);
    });
    addAction(help);

    topStrip_ = new QFrame(this);
    topStrip_->setObjectName(QStringLiteral("topStrip"));
    topStrip_->setFixedHeight(8);
    layout->addWidget(topStrip_);

    mainPanel_ = new QFrame(this);
    mainPanel_->setObjectName(QStringLiteral("mainPanel"));
    mainPanel_->setFrameShape(QFrame::StyledPanel);
    auto *panel = new QVBoxLayout(mainPanel_);
    panel->setSpacing(6);

    instructions_ = new QLabel(mode_ == Mode::Backup ? backupInstructions() : restoreInstructions(), mainPanel_);
    instructions_->setObjectName(QStringLiteral("instructions"));
    instructions_->setWordWrap(true);
    instructions_->setTextFormat(Qt::PlainText);
    panel->addWidget(instructions_);

    note_ = new QLabel(QStringLiteral("PLEASE NOTE: If you have a entered a large amount of data and you are backing "
                                      "up to Floppy Disks, a couple disks may be needed and the backup could take "
                                      "several minutes to complete!\""),
                       mainPanel_);
    note_->setObjectName(QStringLiteral("note"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);
    QFont noteFont = note_->font();
    noteFont.setBold(true);
    note_->setFont(noteFont);
    note_->setVisible(mode_ == Mode::Backup);
    panel->addWidget(note_);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    driveList_ = new QComboBox(mainPanel_);
    driveList_->setObjectName(QStringLiteral("driveList"));
    for (const BackupDrive &drive : std::as_const(drives_))
        driveList_->addItem(drive.name);
    connect(driveList_, &QComboBox::activated, this, &BackupWindow::chooseDrive);
    grid->addWidget(new QLabel(QStringLiteral("Drives:"), mainPanel_), 0, 0);
    grid->addWidget(driveList_, 0, 1);

    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folderModel_->setReadOnly(true);
    folderList_ = new QTreeView(mainPanel_);
    folderList_->setObjectName(QStringLiteral("folderList"));
    folderList_->setModel(folderModel_);
    for (int column = 1; column < folderModel_->columnCount(); ++column)
        folderList_->hideColumn(column);
    folderList_->header()->hide();
    connect(folderList_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && !choosingDrive_)
                    chooseFolder(folderModel_->filePath(current));
            });
    auto *foldersLabel = new QLabel(QStringLiteral("Folders:"), mainPanel_);
    foldersLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(foldersLabel, 1, 0);
    grid->addWidget(folderList_, 1, 1);

    auto *pathRow = new QHBoxLayout;
    pathRow->setSpacing(2); // 30 twips
    pathRow->addWidget(new QLabel(QStringLiteral("Path:"), mainPanel_));
    pathLabel_ = new QLabel(mainPanel_);
    pathLabel_->setObjectName(QStringLiteral("pathLabel"));
    pathLabel_->setTextFormat(Qt::PlainText);
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pathRow->addWidget(pathLabel_, 1);
    grid->addLayout(pathRow, 2, 0, 1, 2);
    if (mode_ == Mode::Restore) {
        // The sets of the chosen folder, newest first; the one chosen is
        // restored (the newest that verifies when none is).
        m_setModel = new BackupSetModel(this);
        m_setList = new QTableView(mainPanel_);
        m_setList->setObjectName(QStringLiteral("setList"));
        m_setList->setModel(m_setModel);
        m_setList->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_setList->setSelectionMode(QAbstractItemView::SingleSelection);
        m_setList->verticalHeader()->hide();
        m_setList->horizontalHeader()->setStretchLastSection(true);
        m_setList->setMaximumHeight(140);
        m_setList->hide();
        grid->addWidget(m_setList, 3, 0, 1, 2);
    }
    if (mode_ == Mode::Backup) {
        // What a backup into a folder (a dated set) takes; the root of a
        // removable drive is written disk by disk, plain, as before.
        auto *setRow = new QHBoxLayout;
        m_encryptBox = new QCheckBox(QStringLiteral("&Encrypt this backup"), mainPanel_);
        m_encryptBox->setObjectName(QStringLiteral("encryptBox"));
        setRow->addWidget(m_encryptBox);
        setRow->addStretch(1);
        setRow->addWidget(new QLabel(QStringLiteral("Keep the last"), mainPanel_));
        m_keepBox = new QSpinBox(mainPanel_);
        m_keepBox->setObjectName(QStringLiteral("keepBox"));
        m_keepBox->setRange(1, 999);
        m_keepBox->setValue(std::max(setup_.keepSets, 1));
        setRow->addWidget(m_keepBox);
        setRow->addWidget(new QLabel(QStringLiteral("sets"), mainPanel_));
        grid->addLayout(setRow, 3, 0, 1, 2);
    }
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    panel->addLayout(grid, 1);

    status_ = new QLabel(mainPanel_);
    status_->setObjectName(QStringLiteral("statusPanel"));
    status_->setFrameShape(QFrame::Panel);
    status_->setFrameShadow(QFrame::Sunken);
    status_->setAlignment(Qt::AlignCenter);
    status_->setMinimumHeight(status_->fontMetrics().height() + 10);
    status_->hide();
    panel->addWidget(status_);
    progress_ = new QProgressBar(mainPanel_);
    progress_->setObjectName(QStringLiteral("progressBar"));
    progress_->setRange(0, BackupSet::kProgressMaximum);
    progress_->setTextVisible(false);
    progress_->hide();
    panel->addWidget(progress_);
    layout->addWidget(mainPanel_, 84);

    auto *buttons = new QHBoxLayout;
    actionButton_ = new QPushButton(mode_ == Mode::Backup ? QStringLiteral("&Make Backup")
                                                          : QString(QStringLiteral("&Restore ") + kUserFiles),
                                    this);
    actionButton_->setObjectName(QStringLiteral("actionButton"));
    actionButton_->setAutoDefault(false);
    connect(actionButton_, &QPushButton::clicked, this, &BackupWindow::runAction);
    exitButton_ = new QPushButton(QStringLiteral("E&xit"), this);
    exitButton_->setObjectName(QStringLiteral("exitButton"));
    exitButton_->setAutoDefault(false);
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch(1);
    buttons->addWidget(actionButton_);
    buttons->addSpacing(24);
    buttons->addWidget(exitButton_);
    buttons->addStretch(1);
    layout->addLayout(buttons, 16);

    for (QWidget *widget : {static_cast<QWidget *>(topStrip_), static_cast<QWidget *>(mainPanel_),
                            static_cast<QWidget *>(exitButton_)})
        widget->installEventFilter(this);
}

void BackupWindow::placeWindow()
{
    const QWidget *opener = parentWidget() ? parentWidget()->window() : nullptr;
    QRect around = opener ? opener->frameGeometry() : QRect();
    if (around.isEmpty() && screen())
        around = screen()->availableGeometry();
    if (setup_.smallerDisplay) {
        setFixedSize(kSmallerDisplaySize);
    } else {
        // 0.6 of the program window's width, 0.712 of its height.
        const QSize size(qMax(kSmallerDisplaySize.width(), int(around.width() * 0.6)),
                         qMax(kSmallerDisplaySize.height(), int(around.height() * 0.712)));
        resize(size);
    }
    QRect frame(QPoint(0, 0), setup_.smallerDisplay ? kSmallerDisplaySize : size());
    frame.moveCenter(around.center() + QPoint(0, kBelowCentre));
    // Centred on a program window smaller than itself (the start screen),
    // the window would stand partly off the screen: it is kept on it.
    if (const QScreen *on = opener ? opener->screen() : screen()) {
        const QRect room = on->availableGeometry();
        frame.moveLeft(qBound(room.left(), frame.left(), qMax(room.left(), room.right() + 1 - frame.width())));
        frame.moveTop(qBound(room.top(), frame.top(), qMax(room.top(), room.bottom() + 1 - frame.height())));
    }
    move(frame.topLeft());
}

void BackupWindow::chooseDrive(int index)
{
    if (index < 0 || index >= drives_.size())
        return;
    const QString root = drives_.at(index).rootPath;
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable() || !QDir(root).isReadable()) {
        setup_.services.prompt->ask(this, Prompt::Icon::Critical, QStringLiteral("Device/Drive Error"),
                                    QStringLiteral("Device/Drive is Unavailable!"), Prompt::Buttons::Ok);
        // Back to the first drive that can be read, the action off.
        for (int i = 0; i < drives_.size(); ++i) {
            if (i != index && QDir(drives_.at(i).rootPath).isReadable()) {
                chooseDrive(i);
                break;
            }
        }
        setActionEnabled(false);
        return;
    }
    currentDrive_ = index;
    {
        const QSignalBlocker blocker(driveList_);
        driveList_->setCurrentIndex(index);
    }
    choosingDrive_ = true;
    folderModel_->setRootPath(root);
    folderList_->setRootIndex(folderModel_->index(root));
    folderList_->setCurrentIndex(QModelIndex());
    choosingDrive_ = false;
    targetFolder_ = root;
    showPath(root);
    updateActionEnabled();
}

void BackupWindow::chooseFolder(const QString &path)
{
    targetFolder_ = path;
    const QModelIndex index = folderModel_->index(path);
    if (index.isValid() && folderList_->currentIndex() != index) {
        choosingDrive_ = true;
        folderList_->setCurrentIndex(index);
        choosingDrive_ = false;
    }
    showPath(path);
    showSets();
    updateActionEnabled();
}

void BackupWindow::showSets()
{
    if (!m_setModel)
        return;
    m_setModel->setSets(BackupGenerations::listSets(targetFolder_, *setup_.files));
    m_setList->setVisible(m_setModel->rowCount() > 0);
    m_setList->resizeColumnsToContents();
    // The newest that verifies, chosen to begin with.
    for (int row = 0; row < m_setModel->rowCount(); ++row) {
        if (m_setModel->sets().at(row).verifies) {
            m_setList->selectRow(row);
            break;
        }
    }
}

void BackupWindow::showPath(const QString &path)
{
    pathLabel_->setText(QDir::toNativeSeparators(path));
}

void BackupWindow::updateActionEnabled()
{
    // Never the workbook itself: a backup there, or a restore from there,
    // would mix the two.
    setActionEnabled(!isSameFolder(targetFolder_, setup_.workbookDir));
}

void BackupWindow::setActionEnabled(bool enabled)
{
    actionButton_->setEnabled(enabled);
    actionEntry_->setEnabled(enabled);
}

void BackupWindow::runAction()
{
    if (!actionButton_->isEnabled())
        return;
    Feedback feedback(*this);
    ProcedureEnvironment environment;
    environment.workbookDir = setup_.workbookDir;
    environment.targetDir = targetFolder_;
    environment.files = setup_.files.get();
    environment.prompt = setup_.services.prompt.get();
    environment.parent = this;
    environment.feedback = &feedback;
    environment.now = setup_.now;
    environment.snapshotDatabase = setup_.snapshotDatabase;
    // The root of a removable drive takes the backup disk by disk, as it
    // always did; any other folder a new dated set beside the earlier ones.
    const bool driveRoot = currentDrive_ >= 0 && currentDrive_ < drives_.size() && drives_.at(currentDrive_).removable
                        && isSameFolder(targetFolder_, drives_.at(currentDrive_).rootPath);
    if (mode_ == Mode::Backup) {
        if (!driveRoot && m_encryptBox->isChecked()) {
            const std::optional<QByteArray> passphrase = setup_.askPassphrase(this, true);
            if (!passphrase)
                return;
            std::optional<SetEncryption::NewSet> set = SetEncryption::newSet(*passphrase);
            if (!set) {
                environment.prompt->ask(this, Prompt::Icon::Critical, QStringLiteral("Backup Error"),
                                        QStringLiteral("The key for the encrypted backup could not be made."),
                                        Prompt::Buttons::Ok);
                return;
            }
            environment.encryption = std::make_shared<const SetEncryption::NewSet>(std::move(*set));
        }
        if (m_keepBox->value() != setup_.keepSets && setup_.keepSetsChanged)
            setup_.keepSetsChanged(m_keepBox->value());
        setup_.keepSets = m_keepBox->value();
        lastResult_ = driveRoot ? BackupProcedure(environment).run()
                                : BackupGenerations::backUp(environment, setup_.keepSets);
        if (lastResult_.completed() && setup_.backupCompleted)
            setup_.backupCompleted(environment.now ? environment.now() : QDateTime::currentDateTime());
    } else {
        QString chosenSet;
        const QModelIndexList chosen = m_setList->selectionModel()->selectedRows();
        if (!chosen.isEmpty() && m_setList->isVisible())
            chosenSet = m_setModel->sets().value(chosen.first().row()).name;
        const BackupGenerations::Source source =
            BackupGenerations::restoreSource(targetFolder_, chosenSet, *environment.files);
        if (!source.error.isEmpty()) {
            environment.prompt->ask(this, Prompt::Icon::Critical, QStringLiteral("Disk Error"), source.error,
                                    Prompt::Buttons::Ok);
            return;
        }
        environment.targetDir = source.folder;
        environment.passphrase = [this] { return setup_.askPassphrase(this, false); };
        lastResult_ = RestoreProcedure(environment).run();
        workbookChanged_ = workbookChanged_ || lastResult_.workbookChanged;
    }
    using Outcome = ProcedureResult::Outcome;
    if (lastResult_.outcome == Outcome::Completed || lastResult_.outcome == Outcome::Cancelled)
        setActionEnabled(false);
}

bool BackupWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            optionsMenu_->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BackupWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        optionsMenu_->popup(event->globalPosition().toPoint());
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

bool runBackupWindow(BackupWindow::Mode mode, BackupWindow::Setup setup, QWidget *parent)
{
    BackupWindow window(mode, std::move(setup), parent);
    window.exec();
    return window.workbookChanged();
}
