#include "readers/searchpanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SearchPanel::SearchPanel(QWidget *parent)
    : QFrame(parent)
    , searchText_(new QLineEdit(this))
    , searchButton_(new QPushButton(QStringLiteral("&Search"), this))
    , closeButton_(new QPushButton(QStringLiteral("&Close"), this))
{
    setObjectName(QStringLiteral("searchPanel"));
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 3, 4, 3);
    auto *label = new QLabel(QStringLiteral("  Enter Word(s) for Search"), this);
    label->setBuddy(searchText_);
    searchText_->setObjectName(QStringLiteral("searchText"));
    searchButton_->setObjectName(QStringLiteral("searchPanelSearch"));
    closeButton_->setObjectName(QStringLiteral("searchPanelClose"));
    layout->addWidget(label);
    layout->addWidget(searchText_, 1);
    layout->addWidget(searchButton_);
    layout->addWidget(closeButton_);
    connect(searchButton_, &QPushButton::clicked, this, &SearchPanel::searchRequested);
    connect(closeButton_, &QPushButton::clicked, this, &SearchPanel::closeRequested);
    connect(searchText_, &QLineEdit::textChanged, this, &SearchPanel::searchTextChanged);
}
