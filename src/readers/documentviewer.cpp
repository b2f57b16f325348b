#include "readers/documentviewer.h"

#include "platform/editor/richtexteditor.h"
#include "platform/records/filenames.h"
#include "platform/services/busycursor.h"

#include <QDir>
#include <QFont>
#include <QResizeEvent>

DocumentViewer::DocumentViewer(const QString &contentFolder, QWidget *parent)
    : QWidget(parent)
    , contentFolder_(contentFolder)
    , editor_(new RichTextEditor(this))
    , cover_(new QTextEdit(this))
{
    editor_->setObjectName(QStringLiteral("viewer"));
    // What the user types or formats here is never saved, so the text is
    // for reading: selectable by mouse and keys, not editable.
    editor_->setReadOnly(true);
    editor_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(11.25);
    editor_->setDefaultFont(font);

    cover_->setObjectName(QStringLiteral("viewerCover"));
    cover_->setReadOnly(true);
    cover_->setFocusPolicy(Qt::NoFocus);
    cover_->hide();
}

QString DocumentViewer::documentPath(const QString &fileName) const
{
    return findFileIgnoringCase(QDir(contentFolder_), fileName);
}

bool DocumentViewer::loadDocument(const QString &fileName, OnFailure onFailure)
{
    BusyCursor busy;
    cover_->show();
    cover_->raise();
    cover_->repaint();
    if (onFailure == OnFailure::LeaveEmpty)
        editor_->clear();
    const bool loaded = !contentFolder_.isEmpty() && editor_->loadFile(documentPath(fileName));
    if (loaded)
        editor_->select(0, 0);
    cover_->hide();
    return loaded;
}

void DocumentViewer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QRect area(QPoint(0, 0), event->size());
    editor_->setGeometry(area);
    cover_->setGeometry(area);
}
