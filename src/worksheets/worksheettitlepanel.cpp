#include "worksheets/worksheettitlepanel.h"

#include "worksheets/worksheetfiles.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QValidator>
#include <QVBoxLayout>

namespace {

// A title box takes only what a title record can store.
class TitleValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return input.size() <= Worksheets::kMaxTitleLength && Worksheets::isStorableInTitle(input) ? Acceptable
                                                                                                 : Invalid;
    }
};

} // namespace

WorksheetTitlePanel::WorksheetTitlePanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("worksheetTitlePanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);

    auto *heading = new QLabel(kHeading, this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() + 2);
    heading->setFont(headingFont);
    layout->addWidget(heading);
    auto *limit = new QLabel(kLimitNote, this);
    limit->setObjectName(QStringLiteral("titleLimitNote"));
    limit->setWordWrap(true);
    layout->addWidget(limit);

    // 21 rows do not fit every window: they scroll, the buttons stay.
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *rows = new QWidget(scroll);
    auto *grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    const QStringList headers = {QStringLiteral("Button Number"), QStringLiteral("Current Title"),
                                 QStringLiteral("Change Title To:")};
    for (int column = 0; column < headers.size(); ++column) {
        auto *header = new QLabel(headers.at(column), rows);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        grid->addWidget(header, 0, column);
    }
    for (int row = 0; row < kRows; ++row) {
        auto *number = new QLabel(QString::number(row + 1), rows);
        number->setAlignment(Qt::AlignCenter);
        currentTitles_[row] = new QLabel(rows);
        currentTitles_[row]->setTextFormat(Qt::PlainText);
        entries_[row] = new QLineEdit(rows);
        entries_[row]->setMaxLength(Worksheets::kMaxTitleLength);
        entries_[row]->setValidator(new TitleValidator(entries_[row]));
        entries_[row]->setToolTip(kLimitNote);
        entries_[row]->setObjectName(QStringLiteral("titleEntry%1").arg(row + 1));
        grid->addWidget(number, row + 1, 0);
        grid->addWidget(currentTitles_[row], row + 1, 1);
        grid->addWidget(entries_[row], row + 1, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    scroll->setWidget(rows);
    layout->addWidget(scroll, 1);

    auto *buttons = new QHBoxLayout;
    save_ = new QPushButton(QStringLiteral("Save &Changes and Exit"), this);
    exit_ = new QPushButton(QStringLiteral("&Exit Without Saving Changes"), this);
    buttons->addWidget(save_);
    buttons->addWidget(exit_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(save_, &QPushButton::clicked, this, &WorksheetTitlePanel::saveRequested);
    connect(exit_, &QPushButton::clicked, this, &WorksheetTitlePanel::closeRequested);
}

void WorksheetTitlePanel::setCurrentTitles(const QStringList &titles)
{
    for (int row = 0; row < kRows; ++row)
        currentTitles_[row]->setText(titles.value(row));
}

QString WorksheetTitlePanel::currentTitle(int row) const
{
    return currentTitles_[row]->text();
}

QStringList WorksheetTitlePanel::entries() const
{
    QStringList texts;
    for (const QLineEdit *entry : entries_)
        texts << entry->text();
    return texts;
}
