#pragma once

#include "printing/printservices.h"

#include <QList>
#include <QPrinter>
#include <QQueue>
#include <QTest>

// A test double of the print dialogs and the picture clipboard. Each dialog
// answers from a queue; an unscripted dialog fails the running test and
// answers as a user cancelling it would. The printer "chosen" prints to a
// PDF file the test names, so what reaches the printer can be read back.
class ScriptedPrintServices : public PrintServices
{
public:
    std::optional<QPageLayout> pageSetup(QWidget *, const QPageLayout &current) override
    {
        pageSetupPresets.append(current);
        if (pageSetupAnswers.isEmpty()) {
            QTest::qFail("unexpected page-setup dialog", __FILE__, __LINE__);
            return std::nullopt;
        }
        return pageSetupAnswers.dequeue();
    }

    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        ++printDialogs;
        if (printerAnswers.isEmpty()) {
            QTest::qFail("unexpected print dialog", __FILE__, __LINE__);
            return false;
        }
        const std::optional<QString> outputFile = printerAnswers.dequeue();
        if (!outputFile)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*outputFile);
        return true;
    }

    std::optional<QString> choosePdfFile(QWidget *, const QString &suggestedPath) override
    {
        suggestedPdfPaths.append(suggestedPath);
        if (pdfFileAnswers.isEmpty()) {
            QTest::qFail("unexpected PDF file dialog", __FILE__, __LINE__);
            return std::nullopt;
        }
        return pdfFileAnswers.dequeue();
    }

    bool copyImage(const QImage &image) override
    {
        copiedImages.append(image);
        return !refuseClipboard;
    }

    QQueue<std::optional<QPageLayout>> pageSetupAnswers; // nothing: Cancel
    QQueue<std::optional<QString>> printerAnswers;      // the PDF file printed to; nothing: Cancel
    QQueue<std::optional<QString>> pdfFileAnswers;      // nothing: Cancel
    bool refuseClipboard = false;

    QList<QPageLayout> pageSetupPresets;
    int printDialogs = 0;
    QStringList suggestedPdfPaths;
    QList<QImage> copiedImages;
};
