// The workspace's behaviour: selecting a safeguard, the six views, saving,
// templates, text location and the clipboard.
#include "actionarea/safeguardworkspace.h"
#include "platform/services/documentrecorder.h"

#include "platform/records/storedfile.h"
#include "platform/services/choiceprompt.h"
#include "platform/services/diskchangewatch.h"

#include "actionarea/editsession.h"
#include "actionarea/entrytemplates.h"
#include "actionarea/status/statusbox.h"
#include "actionarea/status/statusvalues.h"
#include "platform/editor/richtexteditor.h"
#include "platform/records/filenames.h"
#include "platform/records/storedfile.h"
#include "platform/rtf/rtf.h"
#include "screens/mainscreen.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>

namespace {

Catalogue::SafeguardGroup groupOfMode(WorkMode mode)
{
    return Catalogue::SafeguardGroup(safeguardGroupIndex(mode));
}

const QString kPolicyNoticeTitle = QStringLiteral("Policies and Procedures/Plan");
const QString kPolicyNotice = QStringLiteral(
    "This Policy was first written using a full function word processing\n"
    "program and then copied and pasted into the program.\n"
    "\n"
    "You can use the program to enter in this information, but the program\n"
    "doesn't give you all of the capabilities of a commercial word processor!");

const QString kRecoveryNoticeTitle = QStringLiteral("Disaster Recovery Plan Information");
const QString kRecoveryNotice = QStringLiteral(
    "In response to a request from a user, we have included a copy of a sample Disaster Recovery Plan. \n"
    "\n"
    "This plan is for a larger organization and may or may not be applicable to your organization.\n"
    "\n"
    "Hopefully, it will give you some ideas on how to address disaster recovery in your situation.\n"
    "\n"
    "If you are a small provider then much of this plan can be cut down or covered in a few \n"
    "sentences instead of the lists and so forth as contained in this plan.\n"
    "\n"
    "You can use this template to make changes in this program and save your changes, etc. \n"
    "or you can copy and paste this document into your word processor and work on it there.");

Catalogue::EntryKind entryKindOfView(int view)
{
    switch (view) {
    case SafeguardWorkspace::CommentsNotesView: return Catalogue::EntryKind::CommentsNotes;
    case SafeguardWorkspace::PoliciesView: return Catalogue::EntryKind::PoliciesProcedures;
    default: return Catalogue::EntryKind::ActionTaken;
    }
}

} // namespace

int SafeguardWorkspace::currentSafeguardNo() const
{
    if (workMode_ == WorkMode::Sample)
        return Catalogue::Sample::SafeguardNo;
    if (!isSafeguardGroupMode(workMode_))
        return -1;
    return Catalogue::safeguardNo(groupOfMode(workMode_), buttonIndex_);
}

namespace {

DiskChangeWatch *diskWatchOf(const QObject *workspace)
{
    return workspace->findChild<DiskChangeWatch *>(QStringLiteral("diskChangeWatch"), Qt::FindDirectChildrenOnly);
}

} // namespace

void SafeguardWorkspace::emptyEditor()
{
    diskWatchOf(this)->stop();
    LoadingGuard loading(session_);
    editor_->clear();
}

void SafeguardWorkspace::onContentChanged()
{
    // The recovery plan and the risk worksheets are the user's text whatever
    // view was chosen before.
    session_.noteContentChanged(workMode_ == WorkMode::RecoveryPlan || workMode_ == WorkMode::Worksheets
                                || currentView_ >= ActionTakenView);
}

void SafeguardWorkspace::onEditorClicked()
{
    switch (editor_->selAlignment()) {
    case RichTextEditor::AlignCentre: textLocations_[1]->setChecked(true); break;
    case RichTextEditor::AlignRight: textLocations_[2]->setChecked(true); break;
    default: textLocations_[0]->setChecked(true); break;
    }
}

bool SafeguardWorkspace::selectSafeguard(int buttonIndex)
{
    if (!isSafeguardGroupMode(workMode_))
        return false;
    const Catalogue::SafeguardGroup group = groupOfMode(workMode_);
    const int safeguardNo = Catalogue::safeguardNo(group, buttonIndex);
    if (safeguardNo < 0)
        return false;
    // The save question saves to the previously selected safeguard's file.
    if (!session_.settleUnsavedChanges(this))
        return false;
    const bool ruleGroup = group == Catalogue::SafeguardGroup::Administrative
                           || group == Catalogue::SafeguardGroup::Physical
                           || group == Catalogue::SafeguardGroup::Technical;
    if (ruleGroup)
        setImplementationSpecificationAvailable(true);

    emptyEditor();
    buttonIndex_ = buttonIndex;
    if (!ruleGroup)
        setImplementationSpecificationAvailable(!Catalogue::isOverview(safeguardNo));

    // The chosen view stays chosen and is shown for the new safeguard.
    static constexpr std::array<ViewOption, ViewOptionCount> kOrder = {
        ReferencesInRuleOption, ActionTakenOption, CommentsNotesOption,
        PoliciesOption, ImplementationSpecificationOption, AdditionalInformationOption};
    const int checked = checkedViewOption();
    if (checked < 0)
        noEntryShown();
    for (ViewOption option : kOrder) {
        if (option == checked) {
            chooseView(option);
            break;
        }
    }

    statusBox_->setSelectedIndex(buttonIndex);
    statusBox_->showStatus(Catalogue::statusRecordNo(safeguardNo));
    Q_EMIT captionChanged(Catalogue::windowCaption(safeguardNo));
    if (group == Catalogue::SafeguardGroup::Administrative)
        setTemplateAllowed(checked == PoliciesOption);

    const Catalogue::HeadingLines lines = Catalogue::headingLines(safeguardNo);
    headings_[0]->setText(lines.standard);
    headings_[1]->setText(lines.section);
    headings_[2]->setText(lines.specification);
    session_.clearUnsavedChanges();
    return true;
}

void SafeguardWorkspace::chooseView(ViewOption option)
{
    switch (option) {
    case ImplementationSpecificationOption:
        showReferenceView(Reference::ReferenceKind::ImplementationSpecification);
        break;
    case ReferencesInRuleOption: showReferenceView(Reference::ReferenceKind::ReferencesInRule); break;
    case AdditionalInformationOption:
        showReferenceView(Reference::ReferenceKind::AdditionalInformation);
        break;
    case ActionTakenOption: showEntryView(Catalogue::EntryKind::ActionTaken); break;
    case CommentsNotesOption: showEntryView(Catalogue::EntryKind::CommentsNotes); break;
    case PoliciesOption: showEntryView(Catalogue::EntryKind::PoliciesProcedures); break;
    default: break;
    }
}

bool SafeguardWorkspace::askToLeave()
{
    if (session_.settleUnsavedChanges(this)) {
        shownOption_ = checkedViewOption();
        return true;
    }
    // The edits stay: so does the view that holds them.
    if (shownOption_ >= 0)
        checkViewOption(shownOption_);
    else
        deselectAllViews();
    return false;
}

void SafeguardWorkspace::showReferenceView(Reference::ReferenceKind kind)
{
    const int option = int(kind);
    checkViewOption(option);
    if (!askToLeave())
        return;
    setTemplateAllowed(false);
    currentView_ = NoEntryView;
    currentEntryFile_.clear();
    entryUnreadable_ = false;
    session_.clearUnsavedChanges();
    editor_->setReadOnly(true);
    command(Command::Print).setAllowed(true);
    for (Command entryCommand : {Command::Save, Command::FontSelect, Command::Thesaurus, Command::SpellCheck})
        command(entryCommand).setAllowed(false);
    textLocationFrame_->setEnabled(false);

    emptyEditor();
    const int safeguardNo = currentSafeguardNo();
    if (safeguardNo >= 0) {
        LoadingGuard loading(session_);
        Reference::build(kind, safeguardNo, editor_->document(), Reference::BuildMode::Display,
                         contentFolder_);
        editor_->setSelStart(0);
    }
    if (exitButton_->isVisible())
        exitButton_->setFocus();
    session_.clearUnsavedChanges();
    Q_EMIT shownDocumentChanged();
}

void SafeguardWorkspace::showEntryView(Catalogue::EntryKind kind)
{
    const int option = ActionTakenOption + int(kind);
    checkViewOption(option);
    if (!askToLeave())
        return;
    const int safeguardNo = currentSafeguardNo();
    currentView_ = ActionTakenView + int(kind);
    const bool policies = kind == Catalogue::EntryKind::PoliciesProcedures;
    const bool overviewOfItsOwnGroup = (workMode_ == WorkMode::Organizational || workMode_ == WorkMode::Documentation) && Catalogue::isOverview(safeguardNo);
    setTemplateAllowed(policies && !overviewOfItsOwnGroup);

    editor_->setReadOnly(false);
    setEntryCommandsAllowed(true);
    entryUnreadable_ = false;

    emptyEditor();
    QString path;
    if (workMode_ == WorkMode::Sample) {
        currentEntryFile_ = Catalogue::Sample::entryFileName(kind);
        path = Reference::findContentFile(contentFolder_, currentEntryFile_);
        if (policies) {
            if (!policyNoticeShown_)
                showPolicyNotice();
            setTemplateAllowed(true);
        }
    } else if (safeguardNo >= 0) {
        currentEntryFile_ = Catalogue::entryFileName(kind, safeguardNo);
        path = workbook_.filePath(currentEntryFile_);
    }
    if (workMode_ == WorkMode::Sample) {
        if (!path.isEmpty())
            loadEntryFile(path);
    } else if (!path.isEmpty() && openDocument(path) == DocumentOpening::Unreadable) {
        return;
    }

    // The sample's Action Taken and Comments/Notes can be read, not changed.
    editor_->setReadOnly(workMode_ == WorkMode::Sample && !policies);
    session_.clearUnsavedChanges();
    if (workMode_ != WorkMode::Sample && !path.isEmpty())
        diskWatchOf(this)->watch(path);
    if (editor_->isVisible())
        editor_->setFocus();
}

bool SafeguardWorkspace::existsInWorkbook(const QString &path) const
{
    return StoredFile::isPresent(path);
}

SafeguardWorkspace::DocumentOpening SafeguardWorkspace::openDocument(const QString &path)
{
    const DocumentOpening opening = readDocument(path);
    Q_EMIT shownDocumentChanged();
    return opening;
}

SafeguardWorkspace::DocumentOpening SafeguardWorkspace::readDocument(const QString &path)
{
    entryUnreadable_ = false;
    currentEntryFile_ = QFileInfo(path).fileName();
    // A missing file is a document not written yet: the editor stays empty.
    if (!existsInWorkbook(path))
        return DocumentOpening::Missing;
    if (loadEntryFile(path))
        return DocumentOpening::Loaded;
    // Neither a template nor what the empty editor would save may take the
    // place of the document the user wrote.
    entryUnreadable_ = true;
    setEntryCommandsAllowed(false);
    setTemplateAllowed(false);
    editor_->setReadOnly(true);
    session_.clearUnsavedChanges();
    return DocumentOpening::Unreadable;
}

void SafeguardWorkspace::revertToSaved()
{
    QString path;
    if (workMode_ == WorkMode::RecoveryPlan)
        path = workbook_.filePath(kRecoveryPlanFile);
    else if (isSafeguardGroupMode(workMode_) && currentView_ >= ActionTakenView && currentSafeguardNo() >= 0)
        path = workbook_.filePath(Catalogue::entryFileName(entryKindOfView(currentView_), currentSafeguardNo()));
    if (path.isEmpty())
        return;
    const bool readOnly = editor_->isReadOnly();
    emptyEditor();
    if (openDocument(path) != DocumentOpening::Unreadable)
        editor_->setReadOnly(readOnly);
    session_.clearUnsavedChanges();
}

bool SafeguardWorkspace::refuseSavingUnreadable()
{
    if (!entryUnreadable_)
        return false;
    services_.prompt->ask(this, Prompt::Icon::Exclamation, kSaveFailedTitle,
                          QStringLiteral("The file %1 could not be read, so nothing is saved over it.")
                              .arg(currentEntryFile_),
                          Prompt::Buttons::Ok);
    return true;
}

bool SafeguardWorkspace::loadEntryFile(const QString &path)
{
    QString error;
    {
        LoadingGuard loading(session_);
        if (editor_->loadFile(path, &error)) {
            // The shipped sample is not the user's document.
            if (workMode_ != WorkMode::Sample)
                DocumentRecording::recordShownFile(services_.recorder.get(), services_.prompt.get(), this, path);
            return true;
        }
    }
    reportUnreadable(path, error,
                     QStringLiteral("The file is left as it is: nothing can be saved over it until it can be "
                                    "read. Choose the view again once the file can be read."));
    return false;
}

void SafeguardWorkspace::reportUnreadable(const QString &path, const QString &reason, const QString &consequence)
{
    services_.prompt->ask(this, Prompt::Icon::Critical, kNotReadTitle,
                          QStringLiteral("The file\n%1\ncould not be read.\n\n%2\n\n%3")
                              .arg(QDir::toNativeSeparators(path), reason, consequence),
                          Prompt::Buttons::Ok);
}

void SafeguardWorkspace::showPolicyNotice()
{
    policyNoticeShown_ = true;
    services_.prompt->ask(this, Prompt::Icon::Information, kPolicyNoticeTitle, kPolicyNotice,
                          Prompt::Buttons::Ok);
}

bool SafeguardWorkspace::save()
{
    if ((workMode_ == WorkMode::RecoveryPlan || isSafeguardGroupMode(workMode_)) && refuseSavingUnreadable())
        return false;
    if (workMode_ == WorkMode::RecoveryPlan)
        return writeEditorTo(kRecoveryPlanFile, QStringLiteral("disaster recovery plan"));
    if (workMode_ == WorkMode::Sample) {
        services_.prompt->ask(this, Prompt::Icon::Question, QStringLiteral("Save Command"),
                              QStringLiteral("Unable to save changes to sample."), Prompt::Buttons::Ok);
        return true;
    }
    if (!isSafeguardGroupMode(workMode_))
        return true;
    if (currentView_ < ActionTakenView) {
        // A reference text is never saved.
        session_.clearUnsavedChanges();
        return true;
    }
    const int safeguardNo = currentSafeguardNo();
    if (safeguardNo < 0)
        return true;
    return writeEditorTo(Catalogue::entryFileName(entryKindOfView(currentView_), safeguardNo),
                         QStringLiteral("entry"));
}

bool SafeguardWorkspace::writeEditorTo(const QString &fileName, const QString &description)
{
    const QString path = workbook_.filePath(fileName);
    DiskChangeWatch *watch = diskWatchOf(this);
    if (watch->path() == path && watch->changedOnDisk()) {
        // Something else changed the file since it was shown: it is never
        // saved over unseen.
        const int choice = chooseButton(
            *services_.prompt, this, Prompt::Icon::Exclamation, DiskChangeWatch::kTitle,
            QStringLiteral("The file\n%1\nwas changed by another program (or a restore) after it was shown "
                           "here.\n\nKeep Mine saves your text over it. Load Theirs shows the file as it is "
                           "now; your unsaved changes are dropped.")
                .arg(QDir::toNativeSeparators(path)),
            {DiskChangeWatch::kKeepMine, DiskChangeWatch::kLoadTheirs}, 0);
        if (choice == 1) {
            session_.clearUnsavedChanges();
            watch->takeTheirs();
            return true;
        }
        // Closed without an answer: nothing is saved, the text stays.
        if (choice != 0)
            return false;
    }
    QString error;
    {
        BusyCursor busy;
        if (editor_->saveFile(path, &error)) {
            watch->watch(path);
            session_.clearUnsavedChanges();
            DocumentRecording::recordSavedFile(services_.recorder.get(), services_.prompt.get(), this, path);
            Q_EMIT saved(savedMessage());
            return true;
        }
    }
    // A save that did not happen must never look like one that did: the
    // text and the unsaved-changes flag stay, and the user learns why.
    services_.prompt->ask(this, Prompt::Icon::Critical, kSaveFailedTitle,
                          QStringLiteral("The %1 could not be saved to the file\n%2\n\n%3\n\n"
                                         "Your text is still in the editor and has not been saved.")
                              .arg(description, QDir::toNativeSeparators(path), error),
                          Prompt::Buttons::Ok);
    return false;
}

QString SafeguardWorkspace::savedMessage() const
{
    if (workMode_ == WorkMode::RecoveryPlan)
        return QStringLiteral("Saved Disaster Recovery Plan");
    const int option = ActionTakenOption + int(entryKindOfView(currentView_));
    const QString view = viewOptions_[option]->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
    const int safeguardNo = currentSafeguardNo();
    if (!Catalogue::isValidSafeguardNo(safeguardNo))
        return QStringLiteral("Saved ") + view;
    return QStringLiteral("Saved %1 for %2").arg(view, QLatin1String(Catalogue::safeguardAt(safeguardNo).fullName));
}

bool SafeguardWorkspace::entryFileHasText(const QString &fileName) const
{
    QTextDocument document;
    if (!Rtf::loadFile(workbook_.filePath(fileName), &document))
        return false;
    return !document.toPlainText().trimmed().isEmpty();
}

void SafeguardWorkspace::loadTemplate(int templateNumber)
{
    const QString path = Reference::findContentFile(contentFolder_,
                                                    EntryTemplates::templateFileName(templateNumber));
    if (path.isEmpty())
        return;
    // Loaded as the user's edit: the entry is written only when saved.
    QString error;
    if (!editor_->loadFile(path, &error))
        reportUnreadable(path, error, QStringLiteral("The template was not inserted; the editor is unchanged."));
}

void SafeguardWorkspace::insertTemplate()
{
    const std::optional<int> number = EntryTemplates::templateNumber(workMode_, currentSafeguardNo());
    if (!number || workMode_ == WorkMode::Worksheets || entryUnreadable_)
        return;
    bool fileHasText = true;
    if (workMode_ != WorkMode::Sample) {
        const QString entryFile =
            workMode_ == WorkMode::RecoveryPlan
                ? kRecoveryPlanFile
                : Catalogue::entryFileName(Catalogue::EntryKind::PoliciesProcedures, currentSafeguardNo());
        fileHasText = entryFileHasText(entryFile);
        // Typing not saved yet is the user's work too: it is never replaced
        // without the question.
        if (!fileHasText && !session_.hasUnsavedChanges()) {
            loadTemplate(*number);
            return;
        }
    }
    const QString existing = workMode_ == WorkMode::RecoveryPlan ? QStringLiteral("Disaster Recovery Plan.")
                                                            : QStringLiteral("Policy and Procedure/Plan.");
    const QString text =
        fileHasText ? QStringLiteral("The program has detected an existing ") + existing
                          + QStringLiteral("\n\nIf you insert template and save file the existing file will be "
                                           "overwritten!\n\nInsert new Template?")
                    : QStringLiteral("The editor holds text that has not been saved.\n\nIf you insert template "
                                     "that text will be replaced!\n\nInsert new Template?");
    const Prompt::Answer answer = services_.prompt->ask(this, Prompt::Icon::Exclamation,
                                                        QStringLiteral("Insert Template"), text,
                                                        Prompt::Buttons::YesNoCancel, Prompt::Answer::No);
    if (answer == Prompt::Answer::Yes)
        loadTemplate(*number);
}

void SafeguardWorkspace::setTextLocation(int alignment)
{
    editor_->setSelAlignment(alignment);
    editor_->setFocus();
}

void SafeguardWorkspace::copyToClipboard()
{
    const QByteArray rtf = editor_->rtf();
    if (!services_.clipboard || !services_.clipboard->setRichText(rtf, QString())) {
        // Saying it was copied when it was not would mislead the user.
        services_.prompt->ask(this, Prompt::Icon::Exclamation, QStringLiteral("Copy Option"),
                              QStringLiteral("The text could not be placed on the clipboard."),
                              Prompt::Buttons::Ok);
        return;
    }
    services_.prompt->ask(this, Prompt::Icon::Information, QStringLiteral("Copy Option"),
                          QStringLiteral("A copy has been copied to the Windows Clipboard."),
                          Prompt::Buttons::Ok);
}

void SafeguardWorkspace::loadRecoveryPlan()
{
    editor_->setReadOnly(false);
    if (openDocument(workbook_.filePath(kRecoveryPlanFile)) == DocumentOpening::Unreadable)
        return;
    diskWatchOf(this)->watch(workbook_.filePath(kRecoveryPlanFile));
    if (editor_->text().trimmed().isEmpty()) {
        const QString path = Reference::findContentFile(
            contentFolder_, EntryTemplates::templateFileName(EntryTemplates::kRecoveryPlanTemplate));
        if (!path.isEmpty()) {
            LoadingGuard loading(session_);
            editor_->loadFile(path);
        }
        services_.prompt->ask(this, Prompt::Icon::Information, kRecoveryNoticeTitle, kRecoveryNotice,
                              Prompt::Buttons::Ok);
    }
    session_.clearUnsavedChanges();
}
