#include "worksheets/worksheetspanel.h"

#include "actionarea/editsession.h"
#include "actionarea/safeguardworkspace.h"
#include "actionarea/status/statusbox.h"
#include "catalogue/referencetexts.h"
#include "platform/editor/richtexteditor.h"
#include "platform/services/busycursor.h"
#include "platform/services/documentrecorder.h"
#include "screens/mainscreen.h"
#include "worksheets/worksheetfiles.h"
#include "worksheets/worksheettitlepanel.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

WorksheetsPanel::WorksheetsPanel(const Workbook &workbook, EditSession &session, SafeguardWorkspace &workspace,
                                 const PlatformServices &services, QWidget *parent)
    : QWidget(parent)
    , workbook_(workbook)
    , session_(session)
    , workspace_(workspace)
    , services_(services)
{
    setObjectName(QStringLiteral("worksheetsPanel"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QGroupBox(QStringLiteral("Risk Analysis Worksheets"), this);
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(1);
    for (int index = 0; index < Worksheets::kCount; ++index) {
        auto *button = new QPushButton(Worksheets::defaultTitle(index), frame);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QString(Worksheets::kMaxTitleLength, 'W')) / 2 + 40);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        column->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, index] { openWorksheet(index); });
        buttons_[index] = button;
    }
    column->addStretch(1);
    layout->addWidget(frame);

    // The title panel covers the workspace while it is open.
    titlePanel_ = new WorksheetTitlePanel(workspace_.parentWidget());
    titlePanel_->hide();
    connect(titlePanel_, &WorksheetTitlePanel::saveRequested, this, &WorksheetsPanel::saveTitles);
    connect(titlePanel_, &WorksheetTitlePanel::closeRequested, this, &WorksheetsPanel::closeTitlePanel);
    workspace_.installEventFilter(this);

    connect(workspace_.templateButton(), &QPushButton::clicked, this, [this] {
        if (workspace_.workMode() == WorkMode::Worksheets && isVisible())
            newWorksheet();
    });
}

QString WorksheetsPanel::title(int index) const
{
    return buttons_[index]->toolTip();
}

void WorksheetsPanel::setTitle(int index, const QString &title)
{
    // A title is shown as typed: an "&" is a character, not a mnemonic.
    QString caption = title;
    buttons_[index]->setText(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
    buttons_[index]->setToolTip(title);
}

bool WorksheetsPanel::isUnderlined(int index) const
{
    return buttons_[index]->font().underline();
}

void WorksheetsPanel::enterWorksheetPanel(const QString &captionBase)
{
    BusyCursor busy;
    captionBase_ = captionBase;
    QString problem;
    const QStringList titles = Worksheets::readTitles(workbook_, &problem);
    m_titlesUnreadable = !problem.isEmpty();
    for (int index = 0; index < Worksheets::kCount; ++index) {
        const QString caption = titles.at(index).trimmed();
        setTitle(index, caption.isEmpty() ? Worksheets::defaultTitle(index) : caption);
    }
    current_ = -1;
    markCurrent();
    workspace_.setTemplateButtonCaption(kNewWorksheetCaption);
    workspace_.setTemplateAllowed(false);
    refreshUnderlines();
    closeTitlePanel();
    Q_EMIT captionChanged(captionBase_);
    if (m_titlesUnreadable) {
        services_.prompt->ask(this, Prompt::Icon::Critical, SafeguardWorkspace::kNotReadTitle,
                              QStringLiteral("The worksheet titles could not be read from the file\n%1\n\n%2\n\n"
                                             "The buttons show the default titles. The file is left as it is: "
                                             "no title is saved over it until it can be read.")
                                  .arg(QDir::toNativeSeparators(workbook_.filePath(Worksheets::kTitleFile)), problem),
                              Prompt::Buttons::Ok);
    }
}

void WorksheetsPanel::refreshUnderlines()
{
    for (int index = 0; index < Worksheets::kCount; ++index) {
        QPushButton *button = buttons_[index];
        QFont font = button->font();
        font.setUnderline(Worksheets::hasContent(workbook_.filePath(Worksheets::contentFileName(index))));
        button->setFont(font);
    }
}

void WorksheetsPanel::markCurrent()
{
    for (int index = 0; index < Worksheets::kCount; ++index) {
        QPushButton *button = buttons_[index];
        const bool underline = button->font().underline();
        drawButtonAsChosen(button, index == current_, true);
        QFont font = button->font();
        font.setUnderline(underline);
        button->setFont(font);
        button->setChecked(index == current_);
    }
}

bool WorksheetsPanel::openWorksheet(int index)
{
    if (index < 0 || index >= Worksheets::kCount)
        return false;
    // The worksheet being left is settled first: when it cannot be saved,
    // the user stays with its text.
    if (!session_.settleUnsavedChanges(this)) {
        markCurrent();
        return false;
    }
    BusyCursor busy;
    current_ = index;
    StatusBox *status = workspace_.statusBox();
    status->setSelectedIndex(index);
    status->show();
    status->showWorksheetControls();
    status->showWorksheetStatus(index, isUnderlined(index));
    markCurrent();

    workspace_.emptyEditor();
    session_.clearUnsavedChanges();
    Q_EMIT captionChanged(captionBase_ + QStringLiteral(" - ") + buttons_[index]->toolTip());
    refreshUnderlines();
    // A worksheet whose file went since the last refresh shows no status.
    status->showWorksheetStatus(index, isUnderlined(index));

    workspace_.setTemplateAllowed(true);
    workspace_.setEntryCommandsAllowed(true);
    workspace_.editor()->setReadOnly(false);
    workspace_.openDocument(workbook_.filePath(Worksheets::contentFileName(index)));
    session_.clearUnsavedChanges();
    buttons_[index]->setFocus();
    return true;
}

void WorksheetsPanel::newWorksheet()
{
    // The template never takes the place of a worksheet that could not be read.
    if (current_ < 0 || workspace_.entryUnreadable())
        return;
    RichTextEditor *editor = workspace_.editor();
    bool load = true;
    if (QFileInfo::exists(workbook_.filePath(Worksheets::contentFileName(current_)))) {
        const Prompt::Answer answer = services_.prompt->ask(
            this, Prompt::Icon::Exclamation, QStringLiteral("New Worksheet"),
            QStringLiteral("The program has detected an existing ") + buttons_[current_]->toolTip()
                + QStringLiteral(" worksheet!\n\nIf you insert template and save file the existing file will be "
                                 "overwritten!\n\nNew Worksheet?"),
            Prompt::Buttons::YesNoCancel, Prompt::Answer::No);
        load = answer == Prompt::Answer::Yes;
    }
    if (load) {
        const QString path = Reference::findContentFile(workspace_.contentFolder(), Worksheets::kTemplateFile);
        if (!path.isEmpty()) {
            LoadingGuard loading(session_);
            editor->loadFile(path);
        }
    }
    editor->setReadOnly(false);
    session_.setUnsavedChanges(true);
}

bool WorksheetsPanel::saveWorksheet()
{
    if (current_ < 0)
        return true;
    if (workspace_.refuseSavingUnreadable())
        return false;
    RichTextEditor *editor = workspace_.editor();
    const QString path = workbook_.filePath(Worksheets::contentFileName(current_));
    QString error;
    bool saved = false;
    {
        BusyCursor busy;
        saved = editor->saveFile(path, &error);
    }
    if (!saved) {
        // The text and the unsaved flag stay; the user learns why.
        services_.prompt->ask(this, Prompt::Icon::Critical, kSaveFailedTitle,
                              QStringLiteral("The worksheet \"%1\" could not be saved to the file\n%2\n\n%3\n\n"
                                             "Your text is still in the editor and has not been saved.")
                                  .arg(buttons_[current_]->toolTip(), QDir::toNativeSeparators(path), error),
                              Prompt::Buttons::Ok);
        return false;
    }
    session_.clearUnsavedChanges();
    DocumentRecording::recordSavedFile(services_.recorder.get(), services_.prompt.get(), this, path);
    if (editor->text().trimmed().isEmpty())
        workspace_.statusBox()->clearWorksheetStatus(current_);
    return true;
}

void WorksheetsPanel::revertToSaved()
{
    if (current_ < 0)
        return;
    workspace_.emptyEditor();
    workspace_.openDocument(workbook_.filePath(Worksheets::contentFileName(current_)));
    session_.clearUnsavedChanges();
}

void WorksheetsPanel::openTitlePanel(bool printPreviewShown)
{
    if (printPreviewShown) {
        QApplication::beep();
        return;
    }
    QStringList titles;
    for (int index = 0; index < Worksheets::kCount; ++index)
        titles << title(index);
    titlePanel_->setCurrentTitles(titles);
    placeTitlePanel();
    titlePanel_->show();
    titlePanel_->raise();
    titlePanel_->entryBox(0)->setFocus();
}

void WorksheetsPanel::saveTitles()
{
    const QStringList entries = titlePanel_->entries();
    QString error;
    // Titles read as defaults from a file that could not be read would be
    // written in place of the user's own.
    const bool refused = m_titlesUnreadable;
    if (refused)
        error = QStringLiteral("The file could not be read when the worksheets were opened, so nothing is "
                               "written over it.");
    if (refused || !Worksheets::saveTitles(workbook_, entries, &error)) {
        // Nothing was renamed: the typed titles stay in their boxes.
        services_.prompt->ask(this, Prompt::Icon::Critical, kSaveFailedTitle,
                              QStringLiteral("The worksheet titles could not be saved to the file\n%1\n\n%2")
                                  .arg(QDir::toNativeSeparators(workbook_.filePath(Worksheets::kTitleFile)), error),
                              Prompt::Buttons::Ok);
        return;
    }
    DocumentRecording::recordSavedFile(services_.recorder.get(), services_.prompt.get(), this,
                                       workbook_.filePath(Worksheets::kTitleFile));
    for (int index = 0; index < Worksheets::kCount; ++index) {
        if (entries.at(index).isEmpty())
            continue;
        setTitle(index, entries.at(index).trimmed());
    }
    Q_EMIT captionChanged(current_ >= 0 ? captionBase_ + QStringLiteral(" - ") + buttons_[current_]->toolTip()
                                        : captionBase_);
    closeTitlePanel();
}

void WorksheetsPanel::closeTitlePanel()
{
    titlePanel_->hide();
}

bool WorksheetsPanel::titlePanelShown() const
{
    return titlePanel_->isVisible();
}

void WorksheetsPanel::placeTitlePanel()
{
    titlePanel_->setGeometry(workspace_.geometry());
}

bool WorksheetsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &workspace_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeTitlePanel();
    return QWidget::eventFilter(watched, event);
}
