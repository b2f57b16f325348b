#include "actionarea/safeguardworkspace.h"

#include "platform/services/diskchangewatch.h"

#include <QFileInfo>

#include "actionarea/editsession.h"
#include "actionarea/status/statusbox.h"
#include "platform/editor/richtexteditor.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const std::array<const char *, SafeguardWorkspace::ViewOptionCount> kViewCaptions = {
    "Implementation specification", "References in Rule", "Additional Information",
    "Action Taken", "Comments/Notes", "Policies && Procedures/Plan"};
// Left, Center, Right and the editor's alignment value of each.
const std::array<const char *, 3> kLocationCaptions = {"Left", "Center", "Right"};
constexpr std::array<int, 3> kLocationAlignments = {RichTextEditor::AlignLeft, RichTextEditor::AlignCentre,
                                                    RichTextEditor::AlignRight};
const std::array<const char *, SafeguardWorkspace::kCommandCount> kCommandCaptions = {
    "&Save", "&Print", "&Font Select", "&Thesaurus", "Spell &Check"};

} // namespace

SafeguardWorkspace::SafeguardWorkspace(const Workbook &workbook, EditSession &session, StatusTable &statusTable,
                                       const PlatformServices &services, QWidget *parent)
    : QWidget(parent)
    , workbook_(workbook)
    , session_(session)
    , statusTable_(statusTable)
    , services_(services)
    , contentFolder_(workbook.contentFolder())
{
    setObjectName(QStringLiteral("safeguardWorkspace"));
    buildControls();
    command(Command::Save).setHandler([this] { save(); });
    // The entry or plan shown, watched for changes made by another program.
    auto *watch = new DiskChangeWatch(this);
    watch->setObjectName(QStringLiteral("diskChangeWatch"));
    connect(watch, &DiskChangeWatch::changed, this, [this, watch] {
        // With unsaved text the question comes at the save instead.
        if (session_.hasUnsavedChanges() || entryUnreadable_)
            return;
        const QString path = watch->path();
        if (!QFileInfo::exists(path)) {
            LoadingGuard loading(session_);
            editor_->clear();
        } else if (!loadEntryFile(path)) {
            return;
        }
        session_.clearUnsavedChanges();
        watch->watch(path);
    });
}

SafeguardWorkspace::~SafeguardWorkspace() = default;

void SafeguardWorkspace::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(4);

    // Long heading lines wrap rather than run under the status box.
    auto *top = new QHBoxLayout;
    auto *headingColumn = new QVBoxLayout;
    headingColumn->setSpacing(0);
    for (QLabel *&heading : headings_) {
        heading = new QLabel(this);
        heading->setTextFormat(Qt::PlainText);
        heading->setWordWrap(true);
        QFont font = heading->font();
        font.setBold(true);
        heading->setFont(font);
        headingColumn->addWidget(heading);
    }
    top->addLayout(headingColumn, 1);
    statusBox_ = new StatusBox(statusTable_, services_.prompt, this);
    top->addWidget(statusBox_, 0, Qt::AlignRight | Qt::AlignBottom);
    layout->addLayout(top);

    editor_ = new RichTextEditor(this);
    editor_->setObjectName(QStringLiteral("workspaceEditor"));
    editor_->setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    editor_->setKeepSelectionVisible(true);
    layout->addWidget(editor_, 1);
    connect(editor_, &RichTextEditor::contentChanged, this, &SafeguardWorkspace::onContentChanged);
    connect(editor_, &RichTextEditor::clicked, this, &SafeguardWorkspace::onEditorClicked);

    layout->addWidget(buildOptionFrames());
    layout->addWidget(buildButtonRow());
}

QWidget *SafeguardWorkspace::buildOptionFrames()
{
    auto *row = new QWidget(this);
    auto *layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(2);
    referencesFrame_ = new QGroupBox(QStringLiteral("References"), row);
    actionsFrame_ = new QGroupBox(QStringLiteral("Actions"), row);
    textLocationFrame_ = new QGroupBox(QStringLiteral("Text Location"), row);
    auto *referencesLayout = new QVBoxLayout(referencesFrame_);
    auto *actionsLayout = new QVBoxLayout(actionsFrame_);
    auto *locationLayout = new QHBoxLayout(textLocationFrame_);
    for (QBoxLayout *frameLayout : std::initializer_list<QBoxLayout *>{referencesLayout, actionsLayout, locationLayout}) {
        frameLayout->setContentsMargins(6, 2, 6, 2);
        frameLayout->setSpacing(0);
    }

    // The six view options behave as one group: choosing one clears the rest.
    viewGroup_ = new QButtonGroup(this);
    for (int option = 0; option < ViewOptionCount; ++option) {
        QGroupBox *frame = option < ActionTakenOption ? referencesFrame_ : actionsFrame_;
        // Stored with "&&", which the button shows as one "&".
        auto *button = new QRadioButton(QString::fromLatin1(kViewCaptions[option]), frame);
        frame->layout()->addWidget(button);
        viewGroup_->addButton(button, option);
        viewOptions_[option] = button;
        connect(button, &QRadioButton::clicked, this, [this, option] {
            // Choosing the view already shown changes nothing and asks
            // nothing; only an entry that could not be read is read again.
            if (option == shownOption_ && !entryUnreadable_) {
                if (currentView_ >= ActionTakenView)
                    editor_->setFocus();
                return;
            }
            chooseView(ViewOption(option));
        });
    }

    auto *locationGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto *button = new QRadioButton(QString::fromLatin1(kLocationCaptions[i]), textLocationFrame_);
        locationLayout->addWidget(button);
        locationGroup->addButton(button, i);
        textLocations_[i] = button;
        const int alignment = kLocationAlignments[i];
        connect(button, &QRadioButton::clicked, this, [this, alignment] { setTextLocation(alignment); });
    }
    textLocations_[0]->setChecked(true);

    locationLayout->addStretch(1);
    layout->addWidget(referencesFrame_, 0, 0);
    layout->addWidget(actionsFrame_, 0, 1);
    layout->addWidget(textLocationFrame_, 1, 0, 1, 2);
    return row;
}

QWidget *SafeguardWorkspace::buildButtonRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(2);
    for (int i = 0; i < kCommandCount; ++i) {
        auto *button = new QPushButton(QString::fromLatin1(kCommandCaptions[i]), row);
        commandButtons_[i] = button;
        commands_[i].attachButton(button);
    }
    exitButton_ = new QPushButton(QStringLiteral("E&xit"), row);
    connect(exitButton_, &QPushButton::clicked, this, &SafeguardWorkspace::exitRequested);
    templateButton_ = new QPushButton(QStringLiteral("&Insert Template"), row);
    templateButton_->setEnabled(false);
    connect(templateButton_, &QPushButton::clicked, this, &SafeguardWorkspace::insertTemplate);

    // Two rows: the entry's own commands, then the writing aids and templates.
    layout->addWidget(commandButton(Command::Save), 0, 0);
    layout->addWidget(exitButton_, 0, 1);
    layout->addWidget(commandButton(Command::Print), 0, 2);
    layout->addWidget(templateButton_, 0, 3);
    layout->addWidget(commandButton(Command::FontSelect), 1, 0);
    layout->addWidget(commandButton(Command::Thesaurus), 1, 1);
    layout->addWidget(commandButton(Command::SpellCheck), 1, 2);
    // Captions are never cut off in the narrow 800 x 600 window.
    for (QPushButton *button : row->findChildren<QPushButton *>())
        button->setMinimumWidth(button->sizeHint().width());
    return row;
}

QPushButton *SafeguardWorkspace::commandButton(Command command) const
{
    return commandButtons_[int(command)];
}

int SafeguardWorkspace::checkedViewOption() const
{
    return viewGroup_->checkedId();
}

void SafeguardWorkspace::checkViewOption(int option)
{
    viewOptions_[option]->setChecked(true);
}

void SafeguardWorkspace::deselectAllViews()
{
    viewGroup_->setExclusive(false);
    for (QRadioButton *button : viewOptions_)
        button->setChecked(false);
    viewGroup_->setExclusive(true);
    shownOption_ = -1;
    noEntryShown();
}

void SafeguardWorkspace::noEntryShown()
{
    // With no view chosen there is no entry to type into or to save to.
    currentView_ = NoEntryView;
    currentEntryFile_.clear();
    entryUnreadable_ = false;
    editor_->setReadOnly(true);
    setEntryCommandsAllowed(false);
}

void SafeguardWorkspace::setImplementationSpecificationAvailable(bool available, bool deselect)
{
    QRadioButton *option = viewOptions_[ImplementationSpecificationOption];
    option->setEnabled(available);
    if (deselect && option->isChecked()) {
        viewGroup_->setExclusive(false);
        option->setChecked(false);
        viewGroup_->setExclusive(true);
    }
}

void SafeguardWorkspace::setSafeguardControlsVisible(bool visible)
{
    for (QLabel *heading : headings_)
        heading->setVisible(visible);
    statusBox_->setVisible(visible);
    referencesFrame_->setVisible(visible);
    actionsFrame_->setVisible(visible);
}

void SafeguardWorkspace::setEntryCommandsAllowed(bool allowed)
{
    for (WorkspaceCommand &entryCommand : commands_)
        entryCommand.setAllowed(allowed);
    textLocationFrame_->setEnabled(allowed);
}

void SafeguardWorkspace::setTemplateButtonCaption(const QString &caption)
{
    templateButton_->setText(caption);
}

void SafeguardWorkspace::setTemplateAllowed(bool allowed)
{
    templateButton_->setEnabled(allowed);
}

void SafeguardWorkspace::showSampleHeadings()
{
    const Catalogue::HeadingLines lines = Catalogue::Sample::headingLines();
    headings_[0]->setText(lines.standard);
    headings_[1]->setText(lines.section);
    headings_[2]->setText(lines.specification);
}
