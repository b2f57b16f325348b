// The timeline panel's printout in the print preview panel.
#include "timeline/timelinepanel.h"

#include "printing/printpanel.h"
#include "timeline/todoprintout.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void TimelinePanel::setPrintPanel(PrintPanel *panel)
{
    if (printPanel_)
        disconnect(printPanel_, nullptr, this, nullptr);
    printPanel_ = panel;
    buttons_[Print]->setEnabled(panel != nullptr);
    if (!panel)
        return;
    connect(panel, &PrintPanel::toDoOptionsChanged, this, [this] {
        if (printPanel_ && printPanel_->toDoOptionsVisible())
            printPanel_->recompose();
    });
}

void TimelinePanel::openToDoPrint()
{
    if (!printPanel_)
        return;
    if (printPanel_->isOpen()) {
        printPanel_->printDocument();
        return;
    }
    printPanel_->setRangeOption(QStringLiteral("Only Rows with a To Do Item"));
    if (!ToDoPrintout::hasEntries(list())) {
        services_.prompt->ask(this, Prompt::Icon::Information, ToDoPrintout::kNothingToPrintTitle,
                              ToDoPrintout::kNothingToPrint, Prompt::Buttons::Ok);
        return;
    }
    setEditMode(NoEditing);
    hideCalendar();

    // The printout takes the item box's font at the printer font's size.
    printPanel_->setPrinterFont(
        ToDoPrintout::printerFontFrom(itemBox_->font(), printPanel_->printerFont().pointSizeF()),
        printPanel_->printerColour());
    if (!printOptionsSet_) {
        // Grid lines and the "As of" line are on until the user turns them off.
        printPanel_->setToDoOptionChecked(printPanel_->gridLinesBox(), true);
        printPanel_->setToDoOptionChecked(printPanel_->asOfDateBox(), true);
        printOptionsSet_ = true;
    }
    printPanel_->setSectionFrameVisible(false);
    printPanel_->setToDoOptionsVisible(true);
    printPanel_->setRangeFrameVisible(true);
    printPanel_->setFontBoxesVisible(true);
    printPanel_->setButtonVisible(PrintPanel::PrinterFontButton, true);
    printPanel_->setButtonVisible(PrintPanel::PageSetupButton, true);
    printPanel_->setButtonEnabled(PrintPanel::PrinterFontButton, true);
    printPanel_->setButtonEnabled(PrintPanel::PageSetupButton, true);
    printPanel_->showPrinterFont();
    printPanel_->setDocumentName(QStringLiteral("Project Timeline"));
    printPanel_->setOrientation(m_printOrientation);
    printPanel_->setComposer([this](PrintSurface &surface) {
        m_printOrientation = printPanel_->orientation();
        ToDoPrintout::Options options;
        options.font = printPanel_->printerFont();
        options.colour = printPanel_->printerColour();
        options.gridLines = printPanel_->gridLinesBox()->isChecked();
        options.asOfDate = printPanel_->asOfDateBox()->isChecked();
        options.today = today();
        ToDoPrintout::compose(surface, list(), options);
    });
    printPanel_->open();
    printPanel_->recompose();
}
