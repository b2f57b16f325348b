#pragma once

#include "platform/records/workbook.h"
#include "platform/services/services.h"
#include "printing/printsurface.h"

#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class PrintPreview;
class PrintServices;
class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

// The print preview panel: a PrintSurface preview with the options that
// choose what is composed and the buttons to set up, copy, print and save
// the document as PDF. One class serves every screen that prints; each
// screen configures it (which frames, which buttons, which range option) and
// hands it a composer, the function that composes the current document on
// the surface. "Printer &Font" and "&Page Setup" change the print settings
// and compose again through that composer, so a screen only has to keep the
// composer pointing at the document it shows.
//
//     panel->setSectionFrameVisible(false);
//     panel->setToDoOptionsVisible(false);
//     panel->setFontBoxesVisible(false);
//     panel->setButtonVisible(PrintPanel::PrinterFontButton, false);
//     panel->setRangeOption(QStringLiteral("All Data Will Be Displayed"));
//     panel->setDocumentName(QStringLiteral("Security Rule - Section 3"));
//     panel->setComposer([this](PrintSurface &surface) { ... });
//     panel->recompose();
//     panel->open();
class PrintPanel : public QWidget
{
    Q_OBJECT

public:
    enum Button {
        PrinterFontButton, // "Printer &Font"
        PageSetupButton,   // "&Page Setup"
        CancelButton,      // "&Cancel"
        CopyPageButton,    // "C&opy Current Page"
        PrintButton,       // "&Print"
        SaveAsPdfButton,   // "Save as P&DF..."
        ButtonCount
    };
    static constexpr int kSectionBoxCount = 6;
    static inline const QString kCopyTitle = QStringLiteral("Copy Option");
    static inline const QString kCopiedText =
        QStringLiteral("Current Page has been copied to the Windows Clipboard.");
    static inline const QString kPrintTitle = QStringLiteral("Print");
    static inline const QString kPdfTitle = QStringLiteral("Save as PDF");

    // Composes the current document on the surface (Clear, StartDoc ... EndDoc).
    using Composer = std::function<void(PrintSurface &surface)>;

    // The workbook holds the print settings; PDFs are suggested in its folder.
    PrintPanel(const Workbook &workbook, const PlatformServices &services,
               std::shared_ptr<PrintServices> printServices, QWidget *parent = nullptr);
    ~PrintPanel() override;

    PrintSurface *surface() const { return m_surface; }
    PrintPreview *preview() const { return m_preview; }
    // The dialogs and clipboard used (tests hand in scripted ones).
    void setPrintServices(std::shared_ptr<PrintServices> services) { m_printServices = std::move(services); }

    // --- Configuration ---------------------------------------------------
    // The "Print Options" frame of the six section boxes.
    void setSectionFrameVisible(bool visible);
    bool sectionFrameVisible() const;
    // Captions of the first boxes; those boxes are shown, the others hidden.
    // "&&" shows a single "&".
    void setSectionCaptions(const QStringList &captions);
    QCheckBox *sectionBox(int index) const { return m_sectionBoxes.at(index); }
    // Checks or unchecks a box. A program change does not raise
    // sectionBoxChanged unless `notify` is true (as if the user clicked).
    void setSectionBoxChecked(int index, bool checked, bool notify = false);
    void uncheckAllSectionBoxes();
    bool isSectionBoxChecked(int index) const;

    // The to-do "Print Options" frame ("Print Grid Lines", "Print 'As of' date
    // on each page"); hidden unless a screen shows it.
    void setToDoOptionsVisible(bool visible);
    bool toDoOptionsVisible() const;
    QCheckBox *gridLinesBox() const { return m_gridLinesBox; }
    QCheckBox *asOfDateBox() const { return m_asOfDateBox; }
    // Sets a to-do box without raising toDoOptionsChanged.
    void setToDoOptionChecked(QCheckBox *box, bool checked);

    // The "Print Range" frame's single option.
    void setRangeOption(const QString &caption);
    QRadioButton *rangeOption() const { return m_rangeOption; }
    void setRangeFrameVisible(bool visible);

    // The printer font boxes ("Printer Font:", "Font Size:") and the sample.
    void setFontBoxesVisible(bool visible);
    bool fontBoxesVisible() const;

    void setButtonVisible(Button button, bool visible);
    void setButtonEnabled(Button button, bool enabled);
    QPushButton *button(Button button) const { return m_buttons.at(button); }

    // What later recomposition (Printer Font, Page Setup, recompose()) composes.
    // Setting a composer also drops a PDF writer set for the previous document.
    void setComposer(Composer composer)
    {
        m_composer = std::move(composer);
        m_pdfWriter = {};
    }
    // How "Save as P&DF..." writes this document, when not as the surface's
    // plain PDF (the binder adds its bookmarks).
    using PdfWriter = std::function<bool(const PrintSurface &surface, const QString &path, QString *error)>;
    void setPdfWriter(PdfWriter writer) { m_pdfWriter = std::move(writer); }
    bool hasComposer() const { return bool(m_composer); }
    // Composes the current document with the busy cursor.
    void recompose();
    // The document's name: the PDF's title and the suggested file name.
    void setDocumentName(const QString &name) { m_documentName = name; }
    // The panel for a document printed whole, portrait, with no section
    // boxes, to-do options or printer font (the binder, the register's
    // reports): Page Setup available, the one range "All Data Will Be
    // Displayed". The caller then sets the composer and opens the panel.
    void setUpForWholeDocument(const QString &name);
    QString documentName() const { return m_documentName; }
    // Where "Save as P&DF..." suggests saving (default: the workbook folder).
    void setPdfFolder(const QString &folder) { m_pdfFolder = folder; }
    QString suggestedPdfPath() const;

    // --- Print settings (kept while the panel is closed) -------------------
    void setPrinterFont(const QFont &font, const QColor &colour = Qt::black);
    QFont printerFont() const { return m_printerFont; }
    QColor printerColour() const { return m_printerColour; }
    void setPrintMargins(const PrintMargins &margins) { m_printMargins = margins; }
    PrintMargins printMargins() const { return m_printMargins; }
    // Also shows " Portrait" or " Landscape" in the orientation box.
    void setOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation orientation() const { return m_orientation; }
    // The font boxes show a blank followed by each value; the sample draws
    // "AaBbYyZz" in the font and colour given.
    void setFontCaptions(const QString &name, const QString &size);
    void setSample(const QFont &font, const QColor &colour = Qt::black);
    // Font boxes and sample from the printer font.
    void showPrinterFont();
    QLabel *fontNameBox() const { return m_fontNameBox; }
    QLabel *fontSizeBox() const { return m_fontSizeBox; }
    QLabel *orientationBox() const { return m_orientationBox; }
    QLabel *sampleText() const { return m_sampleText; }

    // --- Guide lines (GColor3.Fil record 11, shared by every print panel) ----
    // Reads the stored choice and applies it without writing it back.
    void restoreGuideLines();
    // 0 "Do Not Display Guide Lines", 1 "Display Guide Lines".
    QRadioButton *guideLineOption(int index) const { return m_guideOptions.at(index); }

    // --- Showing ---------------------------------------------------------
    // Shows the panel over its parent, in front, focus on "&Cancel".
    void open();
    // "&Cancel": hides the panel (closed is emitted).
    void cancel();
    bool isOpen() const { return isVisible(); }
    QPushButton *enlargeToggle() const { return m_enlargeToggle; }
    // True while the toggle reads "Normal".
    bool isEnlarged() const;
    void toggleEnlarged();

    // --- Buttons' actions (also callable from menus) ------------------------
    void choosePrinterFont();
    void pageSetup();
    void copyCurrentPage();
    // PrintDocument: the print dialog, then the printer. False when nothing
    // was printed (cancelled, or failed: the user was told why).
    bool printDocument();
    bool saveAsPdf();

    // --- The all-policies progress panel ------------------------------------
    QWidget *progressPanel() const { return m_progressPanel; }
    QProgressBar *progressBar() const { return m_progressBar; }
    // Centres the progress panel, shows it with the bar at 0 of `maximum`.
    void showProgress(int maximum);
    void setProgress(int value);
    void hideProgress();

Q_SIGNALS:
    // A section box was checked or unchecked by the user (or by the program
    // with notify).
    void sectionBoxChanged(int index, bool checked);
    // One of the to-do check boxes changed by the user.
    void toDoOptionsChanged();
    // The panel was closed with "&Cancel" (or cancel()).
    void closed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QWidget *buildOptionsColumn();
    QWidget *buildButtonRow();
    void buildProgressPanel();
    void placePreview();
    void chooseGuideLines(int index);
    void tell(Prompt::Icon icon, const QString &title, const QString &text);

    Workbook m_workbook;
    PlatformServices m_services;
    std::shared_ptr<PrintServices> m_printServices;
    PrintSurface *m_surface = nullptr;
    PrintPreview *m_preview = nullptr;
    QWidget *m_previewHost = nullptr;
    QPushButton *m_enlargeToggle = nullptr;

    QGroupBox *m_sectionFrame = nullptr;
    std::array<QCheckBox *, kSectionBoxCount> m_sectionBoxes{};
    QGroupBox *m_toDoFrame = nullptr;
    QCheckBox *m_gridLinesBox = nullptr;
    QCheckBox *m_asOfDateBox = nullptr;
    QGroupBox *m_rangeFrame = nullptr;
    QRadioButton *m_rangeOption = nullptr;
    QGroupBox *m_guideFrame = nullptr;
    std::array<QRadioButton *, 2> m_guideOptions{};
    QWidget *m_fontBoxes = nullptr;
    QLabel *m_fontNameBox = nullptr;
    QLabel *m_fontSizeBox = nullptr;
    QLabel *m_orientationBox = nullptr;
    QGroupBox *m_sampleFrame = nullptr;
    QLabel *m_sampleText = nullptr;
    std::array<QPushButton *, ButtonCount> m_buttons{};

    QWidget *m_progressPanel = nullptr;
    QProgressBar *m_progressBar = nullptr;

    Composer m_composer;
    PdfWriter m_pdfWriter;
    QString m_documentName;
    QString m_pdfFolder;
    QFont m_printerFont;
    QColor m_printerColour = Qt::black;
    PrintMargins m_printMargins{350, 300, 350, 100};
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    bool m_suppressSectionSignals = false;
    bool m_suppressToDoSignals = false;
    bool m_restoring = false;
};
