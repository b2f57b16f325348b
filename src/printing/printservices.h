#pragma once

#include <QImage>
#include <QPageLayout>
#include <QString>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

// The dialogs and the clipboard the print panel needs, behind one interface
// so tests can answer them: page setup, the printer choice, the PDF file
// name, and a page picture on the clipboard.
class PrintServices
{
public:
    virtual ~PrintServices() = default;
    // The page-setup dialog preset with `current`; the new layout, or nothing
    // when the user cancels.
    virtual std::optional<QPageLayout> pageSetup(QWidget *parent, const QPageLayout &current) = 0;
    // The print dialog on `printer`; true when the user chose to print (the
    // printer then holds the choice).
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
    // The save dialog for a PDF, preset with `suggestedPath`; the chosen path,
    // or nothing when the user cancels.
    virtual std::optional<QString> choosePdfFile(QWidget *parent, const QString &suggestedPath) = 0;
    // Puts a picture on the clipboard; false when the clipboard refused it.
    virtual bool copyImage(const QImage &image) = 0;
};

// The real dialogs (QPageSetupDialog, QPrintDialog, QFileDialog) and the
// system clipboard.
class QtPrintServices : public PrintServices
{
public:
    std::optional<QPageLayout> pageSetup(QWidget *parent, const QPageLayout &current) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
    std::optional<QString> choosePdfFile(QWidget *parent, const QString &suggestedPath) override;
    bool copyImage(const QImage &image) override;
};

std::shared_ptr<PrintServices> makeQtPrintServices();
