#pragma once

#include "platform/records/workbook.h"

#include "printing/printsurface.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class PrintPanel;
class PrintServices;
class QWidget;
struct PlatformServices;

// The print preview panel as the Security Rule reader and the Miscellaneous
// screen carry it: the Action Area's panel without section boxes, print
// options, font boxes, sample or "Printer &Font", with one fixed range
// option. It covers the whole host widget while open and prints one rich
// text document, composed again with the panel's margins after Page Setup.
class ReaderPrint : public QObject
{
    Q_OBJECT
public:
    ReaderPrint(const Workbook &workbook, const PlatformServices &services,
                std::shared_ptr<PrintServices> printServices, const QString &rangeOption, QWidget *host);

    PrintPanel *panel() const { return panel_; }
    bool isOpen() const;

    // Sets the margins, composes the document and opens the panel.
    void print(const QByteArray &rtf, const PrintMargins &margins, const QString &documentName);
    // Esc on the screen: back to normal size if enlarged, else close; false
    // when the panel was not open.
    bool escape();
    void close();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *host_;
    PrintPanel *panel_;
    QByteArray rtf_;
};

// The Security Rule reader's print margins: those of the Action Area's
// safeguard print.
inline constexpr PrintMargins kRulePrintMargins{350, 300, 350, 100};

// Composes one rich-text document as the readers print it: cleared, the
// margins set, the document as one paragraph.
void composeRichTextDocument(PrintSurface &surface, const PrintMargins &margins, const QByteArray &rtf);
