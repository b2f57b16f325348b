#include "printing/printservices.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

std::optional<QPageLayout> QtPrintServices::pageSetup(QWidget *parent, const QPageLayout &current)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(current);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return printer.pageLayout();
}

bool QtPrintServices::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtPrintServices::choosePdfFile(QWidget *parent, const QString &suggestedPath)
{
    const QString path = QFileDialog::getSaveFileName(
        parent, QObject::tr("Save as PDF"), suggestedPath, QObject::tr("PDF documents (*.pdf)"));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool QtPrintServices::copyImage(const QImage &image)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard || image.isNull())
        return false;
    clipboard->setImage(image);
    return true;
}

std::shared_ptr<PrintServices> makeQtPrintServices()
{
    return std::make_shared<QtPrintServices>();
}
