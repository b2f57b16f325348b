#include "readers/readerprint.h"

#include "printing/printpanel.h"

#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

void composeRichTextDocument(PrintSurface &surface, const PrintMargins &margins, const QByteArray &rtf)
{
    surface.setPreview(true);
    surface.clear();
    surface.setMargins(margins);
    surface.startDoc();
    surface.paragraphRtf(rtf);
    surface.endDoc();
}

ReaderPrint::ReaderPrint(const Workbook &workbook, const PlatformServices &services,
                         std::shared_ptr<PrintServices> printServices, const QString &rangeOption, QWidget *host)
    : QObject(host)
    , host_(host)
    , panel_(new PrintPanel(workbook, services, std::move(printServices), host))
{
    panel_->setSectionFrameVisible(false);
    panel_->setToDoOptionsVisible(false);
    panel_->setFontBoxesVisible(false);
    panel_->setButtonVisible(PrintPanel::PrinterFontButton, false);
    panel_->setRangeOption(rangeOption);
    // The options column is sized for the Action Area's captions; a longer
    // range option widens it rather than being cut off.
    if (QWidget *frame = panel_->rangeOption()->parentWidget(); frame && frame->parentWidget()) {
        QWidget *column = frame->parentWidget();
        const int needed = panel_->rangeOption()->sizeHint().width() + 2 * frame->contentsMargins().left() + 24;
        column->setMaximumWidth(qMax(column->maximumWidth(), needed));
    }
    panel_->setOrientation(QPageLayout::Portrait);
    // The stored guide-line choice, shown without writing it back.
    panel_->restoreGuideLines();
    panel_->setComposer(
        [this](PrintSurface &surface) { composeRichTextDocument(surface, panel_->printMargins(), rtf_); });
    panel_->hide();
    panel_->setGeometry(host_->rect());
    host_->installEventFilter(this);
}

bool ReaderPrint::isOpen() const
{
    return panel_->isOpen();
}

void ReaderPrint::print(const QByteArray &rtf, const PrintMargins &margins, const QString &documentName)
{
    rtf_ = rtf;
    panel_->setPrintMargins(margins);
    panel_->setDocumentName(documentName);
    panel_->setGeometry(host_->rect());
    panel_->open();
    panel_->recompose();
}

bool ReaderPrint::escape()
{
    if (!isOpen())
        return false;
    if (panel_->isEnlarged())
        panel_->toggleEnlarged();
    else
        panel_->cancel();
    return true;
}

void ReaderPrint::close()
{
    if (isOpen())
        panel_->cancel();
}

bool ReaderPrint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == host_ && event->type() == QEvent::Resize)
        panel_->setGeometry(host_->rect());
    return QObject::eventFilter(watched, event);
}
