#include "actionarea/status/statusbox.h"

#include "actionarea/status/statustable.h"
#include "actionarea/status/statusvalues.h"
#include "platform/records/restoringguard.h"
#include "platform/records/twips.h"
#include "platform/services/documentrecorder.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {


bool opensList(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F4:
    case Qt::Key_Space:
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return event->modifiers() & Qt::AltModifier;
    default:
        return false;
    }
}

} // namespace

StatusComboBox::StatusComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
}

void StatusComboBox::showPopup()
{
    // Opening the list is the one way to unlock the box.
    locked_ = false;
    Q_EMIT listOpening();
    QComboBox::showPopup();
}

void StatusComboBox::keyPressEvent(QKeyEvent *event)
{
    if (locked_ && !opensList(event)) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void StatusComboBox::wheelEvent(QWheelEvent *event)
{
    if (locked_) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

StatusBox::Placement StatusBox::placementFor(WorkMode mode)
{
    if (mode == WorkMode::Worksheets)
        return {0.06, 0.11, 2160, 12};
    return {0.19, 0.232, 2100, 10};
}

QString StatusBox::notImplementedMessage()
{
    return QStringList{
        QStringLiteral("If this safeguard is not being implemented, be sure and"),
        QStringLiteral("document in the Action Taken or Comments/Notes"),
        QStringLiteral("area why it is not being implemented!"),
    }.join(QLatin1Char('\n'));
}

QString StatusBox::complianceTermsMessage()
{
    return QStringList{
        QStringLiteral("Explanation of Compliance Status Terms:"),
        QString(),
        QStringLiteral("Yes - Actions, policies and or software tools, etc. have been put in "),
        QStringLiteral("         place to bring this risk into reasonable compliance with the rule."),
        QString(),
        QStringLiteral("No  - This risk is not currently in reasonable compliance with the rule."),
        QString(),
        QStringLiteral("Partial - Actions, policies and or software tools, etc. have been put in place     "),
        QStringLiteral("             to partially bring this risk into reasonable compliance with the rule."),
        QString(),
        QStringLiteral("Planned - Actions, etc. are being planned to be implemented in the future"),
        QStringLiteral("                to bring this risk into reasonable compliance with the rule."),
    }.join(QLatin1Char('\n'));
}

StatusBox::StatusBox(StatusTable &table, std::shared_ptr<Prompt> prompt, QWidget *parent)
    : QWidget(parent)
    , table_(table)
    , prompt_(std::move(prompt))
{
    caption_ = new QLabel(StatusValues::kCurrentStatusCaption, this);
    combo_ = new StatusComboBox(this);
    combo_->setObjectName(QStringLiteral("statusList"));
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    explanationButton_ = new QPushButton(QStringLiteral("Compliance Status"), this);
    explanationButton_->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(caption_);
    layout->addWidget(combo_);
    layout->addWidget(explanationButton_);
    layout->addStretch();

    // activated fires only for the user's picks, never for the program's own
    // changes of the current entry.
    connect(combo_, &QComboBox::activated, this, [this] { chooseStatus(); });
    connect(explanationButton_, &QPushButton::clicked, this, &StatusBox::showComplianceTerms);
}

void StatusBox::fillList(const QStringList &entries)
{
    RestoringGuard restoring(restoring_);
    combo_->clear();
    combo_->addItems(entries);
    // Clearing the placeholder selects the first entry; choose none after it.
    combo_->setPlaceholderText(QString());
    combo_->setCurrentIndex(-1);
}

void StatusBox::setupStatusList(WorkMode mode)
{
    mode_ = mode;
    explanationButton_->hide();

    const bool worksheets = mode == WorkMode::Worksheets;
    const bool safeguards = isSafeguardGroupMode(mode) || mode == WorkMode::Sample;
    if (safeguards || worksheets) {
        fillList(worksheets ? StatusValues::kComplianceStatusList : StatusValues::kCurrentStatusList);
        caption_->setText(worksheets ? StatusValues::kComplianceStatusCaption
                                     : StatusValues::kCurrentStatusCaption);
        const Placement placement = placementFor(mode);
        caption_->setMinimumWidth(Twips::toPixels(placement.captionWidthTwips));
        QFont font = combo_->font();
        font.setPointSize(placement.boxFontPointSize);
        combo_->setFont(font);
    }
    if (showsWorkspace(mode))
        table_.reloadStandardStatuses();
}

void StatusBox::setStatusText(const QString &text)
{
    RestoringGuard restoring(restoring_);
    const int index = text.isEmpty() ? -1 : combo_->findText(text, Qt::MatchExactly);
    // A stored text that is not in this list (an older or foreign file) is
    // still shown as it is, but never counts as a choice. The placeholder goes
    // first: clearing it selects the first entry.
    combo_->setPlaceholderText(index < 0 ? text : QString());
    combo_->setCurrentIndex(index);
}

QString StatusBox::statusText() const
{
    return combo_->currentIndex() >= 0 ? combo_->currentText() : combo_->placeholderText();
}

void StatusBox::showStatus(int record)
{
    setStatusText(table_.slot(record));
}

void StatusBox::showWorksheetStatus(int worksheetIndex, bool hasContent)
{
    setStatusText(QString());
    if (worksheetIndex < 0 || worksheetIndex >= StatusTable::kWorksheetCount)
        return;
    setStatusText(table_.slot(StatusTable::kFirstWorksheetRecord + worksheetIndex));
    if (!hasContent)
        setStatusText(QString());
}

void StatusBox::clearWorksheetStatus(int worksheetIndex)
{
    table_.clearWorksheetStatus(worksheetIndex);
    setStatusText(QString());
}

void StatusBox::chooseStatus()
{
    if (restoring_ || mode_ == WorkMode::RecoveryPlan || mode_ == WorkMode::Sample)
        return;
    const auto record = StatusValues::statusRecordFor(mode_, selectedIndex_);
    if (!record)
        return;
    const QString text = combo_->currentText();
    if (!table_.writeStatus(*record, text)) {
        // The box goes back to the status actually stored, and the user
        // learns that the choice was not kept.
        setStatusText(table_.slot(*record));
        if (prompt_)
            prompt_->ask(window(), Prompt::Icon::Critical, kNotStoredTitle,
                         QStringLiteral("The status \"%1\" could not be stored in the file\n%2\n\n"
                                        "The file cannot be written (it may be read-only, in use, or not a "
                                        "file at all).\n\nThe box shows the status that is stored.")
                             .arg(text.trimmed(), QDir::toNativeSeparators(QFileInfo(table_.filePath())
                                                                               .absoluteFilePath())),
                         Prompt::Buttons::Ok);
        return;
    }
    combo_->setLocked(true);
    if (const QString failure = table_.takeRecordingFailure(); !failure.isEmpty() && prompt_)
        prompt_->ask(window(), Prompt::Icon::Exclamation, DocumentRecording::kNotRecordedTitle,
                     QStringLiteral("The status \"%1\" is stored, but the change could not be kept in the "
                                    "workbook's history:\n\n%2").arg(text.trimmed(), failure),
                     Prompt::Buttons::Ok);
    Q_EMIT statusChosen(*record, text);
    if (text.trimmed() == StatusValues::kNotImplemented && prompt_)
        prompt_->ask(window(), Prompt::Icon::Critical, kNotImplementedTitle, notImplementedMessage(),
                     Prompt::Buttons::Ok);
}

void StatusBox::showWorksheetControls()
{
    caption_->show();
    combo_->show();
    explanationButton_->show();
}

void StatusBox::showComplianceTerms()
{
    if (prompt_)
        prompt_->ask(window(), Prompt::Icon::Information, kComplianceTermsTitle, complianceTermsMessage(),
                     Prompt::Buttons::Ok);
}

bool StatusBox::isLocked() const
{
    return combo_->isLocked();
}
