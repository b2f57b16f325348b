#include "actionarea/standards/gridbackground.h"

#include "platform/records/restoringguard.h"
#include "platform/records/settingsstore.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMenu>
#include <QPalette>

GridBackground::GridBackground(const Workbook &workbook, QObject *parent)
    : QObject(parent)
    , contentFolder_(workbook.contentFolder())
    , workbook_(workbook)
    , menu_(new QMenu(QStringLiteral("&Grid Background Selector")))
    , beep_([] { QApplication::beep(); })
{
    menu_->setObjectName(QStringLiteral("gridBackgroundSelector"));
    for (int choice = 0; choice < kChoiceCount; ++choice) {
        QAction *action = menu_->addAction(choice == 0 ? QStringLiteral("&None")
                                                       : QStringLiteral("&%1").arg(choice));
        action->setCheckable(true);
        // triggered fires for the user's picks only; restoring checks entries
        // without it.
        connect(action, &QAction::triggered, this, [this, choice] { chooseGridBackground(choice); });
        entries_[choice] = action;
    }
    checkEntry(0);
}

GridBackground::~GridBackground()
{
    delete menu_;
}

QAction *GridBackground::entry(int choice) const
{
    return choice >= 0 && choice < kChoiceCount ? entries_[choice] : nullptr;
}

QString GridBackground::pictureFileName(int choice)
{
    return QStringLiteral("WP%1.jpg").arg(choice);
}

void GridBackground::addGrid(QAbstractScrollArea *grid)
{
    if (!grid || grids_.contains(grid))
        return;
    grids_.append(grid);
    // A picture is fitted to the visible cell area, so it follows its size.
    grid->viewport()->installEventFilter(this);
    paint(grid);
}

void GridBackground::setEditorBackground(const QColor &colour)
{
    editorBackground_ = colour;
    for (const auto &grid : grids_)
        if (grid)
            paint(grid);
}

void GridBackground::restore()
{
    RestoringGuard restoring(restoring_);
    const int stored = SettingsStore(workbook_).gridBackground();
    checkEntry(stored);
    apply(stored);
}

void GridBackground::chooseGridBackground(int choice)
{
    if (choice < 0 || choice >= kChoiceCount)
        return;
    if (printPreviewShown()) {
        // Triggering a checkable entry toggled its mark; put the marks back.
        checkEntry(current_);
        if (beep_)
            beep_();
        return;
    }
    checkEntry(choice);
    apply(choice);
    if (!restoring_)
        SettingsStore(workbook_).setGridBackground(choice);
}

void GridBackground::checkEntry(int choice)
{
    for (int n = 0; n < kChoiceCount; ++n)
        entries_[n]->setChecked(n == choice);
}

void GridBackground::apply(int choice)
{
    current_ = choice;
    picture_ = QPixmap();
    if (choice > 0) {
        // A picture that cannot be loaded leaves the grids without one.
        picture_.load(QDir(contentFolder_).filePath(pictureFileName(choice)));
    }
    for (const auto &grid : grids_)
        if (grid)
            paint(grid);
}

void GridBackground::paint(QAbstractScrollArea *grid) const
{
    QWidget *viewport = grid->viewport();
    QPalette palette = viewport->palette();
    if (picture_.isNull()) {
        palette.setBrush(QPalette::Base, editorBackground_);
    } else {
        const QSize size = viewport->size().expandedTo(QSize(1, 1));
        const QPixmap fitted = picture_.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        palette.setBrush(QPalette::Base, QBrush(fitted));
    }
    viewport->setPalette(palette);
    viewport->setAutoFillBackground(true);
    viewport->update();
}

bool GridBackground::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && !picture_.isNull()) {
        for (const auto &grid : grids_)
            if (grid && grid->viewport() == watched)
                paint(grid);
    }
    return QObject::eventFilter(watched, event);
}
