#include "printing/printpanel.h"

#include "platform/records/restoringguard.h"
#include "platform/records/settingsstore.h"
#include "platform/records/twips.h"
#include "platform/services/busycursor.h"
#include "printing/printpreview.h"
#include "printing/printservices.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Placements of the original layout, in twips.
constexpr int kToggleTop = 75;           // the Enlarge toggle below the panel's top
constexpr int kEnlargedLeft = 115;       // the enlarged preview's left edge
constexpr int kEnlargedSideSpace = 230;  // panel width minus enlarged preview width

const QString kEnlargeCaption = QStringLiteral("Enlarge");
const QString kNormalCaption = QStringLiteral("Normal");
const QString kSampleCaption = QStringLiteral("AaBbYyZz");

QString withLeadingBlank(const QString &value)
{
    return QLatin1Char(' ') + value;
}

QString sizeCaption(qreal points)
{
    return QString::number(points, 'g', 4);
}

// A file name from a document name: characters that folders do not allow
// become dashes.
QString fileNameFor(const QString &documentName)
{
    QString name = documentName.trimmed();
    if (name.isEmpty())
        name = QStringLiteral("Sentrivo");
    for (QChar &c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')
            || c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('"')
            || c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('|'))
            c = QLatin1Char('-');
    }
    return name + QStringLiteral(".pdf");
}

} // namespace

PrintPanel::PrintPanel(const Workbook &workbook, const PlatformServices &services,
                       std::shared_ptr<PrintServices> printServices, QWidget *parent)
    : QWidget(parent)
    , m_workbook(workbook)
    , m_services(services)
    , m_printServices(std::move(printServices))
{
    setObjectName(QStringLiteral("printPanel"));
    setAutoFillBackground(true);
    m_surface = new PrintSurface(this);
    m_surface->setPreview(true);
    m_printerFont = QFont(QStringLiteral("Times New Roman"), 12);
    buildControls();
    buildProgressPanel();
    setOrientation(QPageLayout::Portrait);
    showPrinterFont();
}

PrintPanel::~PrintPanel() = default;

// --- Building ---------------------------------------------------------------

void PrintPanel::buildControls()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    m_previewHost = new QWidget(this);
    m_previewHost->setMinimumSize(240, 240);
    m_previewHost->installEventFilter(this);
    grid->addWidget(m_previewHost, 0, 0);
    grid->addWidget(buildOptionsColumn(), 0, 1);
    grid->addWidget(buildButtonRow(), 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);

    m_preview = new PrintPreview(m_surface, this);
    m_preview->setNavigationBar(3);
    connect(m_preview, &PrintPreview::printRequested, this, &PrintPanel::printDocument);

    m_enlargeToggle = new QPushButton(kEnlargeCaption, this);
    m_enlargeToggle->setObjectName(QStringLiteral("enlargeToggle"));
    connect(m_enlargeToggle, &QPushButton::clicked, this, &PrintPanel::toggleEnlarged);
}

QWidget *PrintPanel::buildOptionsColumn()
{
    auto *column = new QWidget(this);
    column->setMinimumWidth(190);
    column->setMaximumWidth(230);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    m_sectionFrame = new QGroupBox(QStringLiteral("Print Options"), column);
    auto *sections = new QVBoxLayout(m_sectionFrame);
    sections->setSpacing(2);
    for (int i = 0; i < kSectionBoxCount; ++i) {
        auto *box = new QCheckBox(m_sectionFrame);
        box->setObjectName(QStringLiteral("sectionBox%1").arg(i));
        sections->addWidget(box);
        m_sectionBoxes[i] = box;
        connect(box, &QCheckBox::toggled, this, [this, i](bool checked) {
            if (!m_suppressSectionSignals)
                Q_EMIT sectionBoxChanged(i, checked);
        });
    }
    layout->addWidget(m_sectionFrame);

    m_toDoFrame = new QGroupBox(QStringLiteral("Print Options"), column);
    auto *toDo = new QVBoxLayout(m_toDoFrame);
    toDo->setSpacing(2);
    m_gridLinesBox = new QCheckBox(QStringLiteral("Print Grid Lines"), m_toDoFrame);
    m_asOfDateBox = new QCheckBox(QStringLiteral("Print 'As of' date on each page"), m_toDoFrame);
    for (QCheckBox *box : {m_gridLinesBox, m_asOfDateBox}) {
        toDo->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!m_suppressToDoSignals)
                Q_EMIT toDoOptionsChanged();
        });
    }
    m_toDoFrame->hide();
    layout->addWidget(m_toDoFrame);

    m_rangeFrame = new QGroupBox(QStringLiteral("Print Range"), column);
    auto *range = new QVBoxLayout(m_rangeFrame);
    m_rangeOption = new QRadioButton(QStringLiteral("All Data Will Be Displayed"), m_rangeFrame);
    m_rangeOption->setChecked(true);
    range->addWidget(m_rangeOption);
    layout->addWidget(m_rangeFrame);

    m_guideFrame = new QGroupBox(QStringLiteral("Display Options"), column);
    auto *guides = new QVBoxLayout(m_guideFrame);
    guides->setSpacing(2);
    m_guideOptions[0] = new QRadioButton(QStringLiteral("Do Not Display Guide Lines"), m_guideFrame);
    m_guideOptions[1] = new QRadioButton(QStringLiteral("Display Guide Lines"), m_guideFrame);
    for (int i = 0; i < 2; ++i) {
        guides->addWidget(m_guideOptions[i]);
        connect(m_guideOptions[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                chooseGuideLines(i);
        });
    }
    {
        RestoringGuard initial(m_restoring);
        m_guideOptions[0]->setChecked(true);
    }
    layout->addWidget(m_guideFrame);

    const auto captionBox = [](QWidget *parent) {
        auto *box = new QLabel(parent);
        box->setFrameShape(QFrame::Panel);
        box->setFrameShadow(QFrame::Sunken);
        box->setMinimumWidth(90);
        return box;
    };
    m_fontBoxes = new QWidget(column);
    auto *fonts = new QGridLayout(m_fontBoxes);
    fonts->setContentsMargins(0, 0, 0, 0);
    fonts->setVerticalSpacing(3);
    m_fontNameBox = captionBox(m_fontBoxes);
    m_fontSizeBox = captionBox(m_fontBoxes);
    fonts->addWidget(new QLabel(QStringLiteral("Printer Font:"), m_fontBoxes), 0, 0);
    fonts->addWidget(m_fontNameBox, 0, 1);
    fonts->addWidget(new QLabel(QStringLiteral("Font Size:"), m_fontBoxes), 1, 0);
    fonts->addWidget(m_fontSizeBox, 1, 1);
    fonts->setColumnStretch(1, 1);
    layout->addWidget(m_fontBoxes);

    auto *orientationRow = new QWidget(column);
    auto *orientation = new QHBoxLayout(orientationRow);
    orientation->setContentsMargins(0, 0, 0, 0);
    auto *orientationLabel = new QLabel(QStringLiteral("Orientation:"), orientationRow);
    orientationLabel->setMinimumWidth(m_fontBoxes->layout()->itemAt(0)->widget()->sizeHint().width());
    orientation->addWidget(orientationLabel);
    m_orientationBox = captionBox(orientationRow);
    orientation->addWidget(m_orientationBox, 1);
    layout->addWidget(orientationRow);

    m_sampleFrame = new QGroupBox(QStringLiteral("Sample"), column);
    auto *sample = new QVBoxLayout(m_sampleFrame);
    m_sampleText = new QLabel(kSampleCaption, m_sampleFrame);
    m_sampleText->setAlignment(Qt::AlignCenter);
    m_sampleText->setMinimumHeight(34);
    sample->addWidget(m_sampleText);
    layout->addWidget(m_sampleFrame);
    layout->addStretch(1);
    return column;
}

QWidget *PrintPanel::buildButtonRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    const std::array<QString, ButtonCount> captions{
        QStringLiteral("Printer &Font"), QStringLiteral("&Page Setup"), QStringLiteral("&Cancel"),
        QStringLiteral("C&opy Current Page"), QStringLiteral("&Print"),
        QStringLiteral("Save as P&DF\u2026")};
    for (int i = 0; i < ButtonCount; ++i) {
        m_buttons[i] = new QPushButton(captions[i], row);
        m_buttons[i]->setAutoDefault(false);
        layout->addWidget(m_buttons[i]);
    }
    layout->addStretch(1);
    connect(m_buttons[PrinterFontButton], &QPushButton::clicked, this, &PrintPanel::choosePrinterFont);
    connect(m_buttons[PageSetupButton], &QPushButton::clicked, this, &PrintPanel::pageSetup);
    connect(m_buttons[CancelButton], &QPushButton::clicked, this, &PrintPanel::cancel);
    connect(m_buttons[CopyPageButton], &QPushButton::clicked, this, &PrintPanel::copyCurrentPage);
    connect(m_buttons[PrintButton], &QPushButton::clicked, this, &PrintPanel::printDocument);
    connect(m_buttons[SaveAsPdfButton], &QPushButton::clicked, this, &PrintPanel::saveAsPdf);
    return row;
}

void PrintPanel::buildProgressPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("allPoliciesProgress"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(panel);
    auto *caption = new QLabel(QStringLiteral("Print All Current Policies and Procedures"), panel);
    QFont captionFont(QStringLiteral("Times New Roman"));
    captionFont.setPointSizeF(15.75);
    captionFont.setBold(true);
    caption->setFont(captionFont);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(caption);
    m_progressBar = new QProgressBar(panel);
    layout->addWidget(m_progressBar);
    auto *note = new QLabel(
        QStringLiteral("Prior to printing - all current policies will be loaded into the Print Preview "
                       "screen - this may take a couple of minutes to accomplish.  Once completed you "
                       "can then review them and click on the Print Button to Print all of them at "
                       "one time."),
        panel);
    note->setWordWrap(true);
    layout->addWidget(note);
    panel->setFixedWidth(420);
    panel->adjustSize();
    panel->hide();
    m_progressPanel = panel;
}

// --- Configuration ----------------------------------------------------------

void PrintPanel::setSectionFrameVisible(bool visible)
{
    m_sectionFrame->setVisible(visible);
}

bool PrintPanel::sectionFrameVisible() const
{
    return !m_sectionFrame->isHidden();
}

void PrintPanel::setSectionCaptions(const QStringList &captions)
{
    for (int i = 0; i < kSectionBoxCount; ++i) {
        const bool used = i < captions.size();
        if (used)
            m_sectionBoxes[i]->setText(captions[i]);
        m_sectionBoxes[i]->setVisible(used);
    }
}

void PrintPanel::setSectionBoxChecked(int index, bool checked, bool notify)
{
    if (notify) {
        m_sectionBoxes.at(index)->setChecked(checked);
        return;
    }
    RestoringGuard suppress(m_suppressSectionSignals);
    m_sectionBoxes.at(index)->setChecked(checked);
}

void PrintPanel::uncheckAllSectionBoxes()
{
    for (int i = 0; i < kSectionBoxCount; ++i)
        setSectionBoxChecked(i, false);
}

bool PrintPanel::isSectionBoxChecked(int index) const
{
    return m_sectionBoxes.at(index)->isChecked();
}

void PrintPanel::setToDoOptionsVisible(bool visible)
{
    m_toDoFrame->setVisible(visible);
}

bool PrintPanel::toDoOptionsVisible() const
{
    return !m_toDoFrame->isHidden();
}

void PrintPanel::setToDoOptionChecked(QCheckBox *box, bool checked)
{
    RestoringGuard suppress(m_suppressToDoSignals);
    box->setChecked(checked);
}

void PrintPanel::setUpForWholeDocument(const QString &name)
{
    setSectionFrameVisible(false);
    setToDoOptionsVisible(false);
    setFontBoxesVisible(false);
    setButtonEnabled(PrinterFontButton, false);
    setButtonEnabled(PageSetupButton, true);
    setRangeOption(QStringLiteral("All Data Will Be Displayed"));
    setOrientation(QPageLayout::Portrait);
    setDocumentName(name);
}

void PrintPanel::setRangeOption(const QString &caption)
{
    m_rangeOption->setText(caption);
    m_rangeOption->setChecked(true);
}

void PrintPanel::setRangeFrameVisible(bool visible)
{
    m_rangeFrame->setVisible(visible);
}

void PrintPanel::setFontBoxesVisible(bool visible)
{
    m_fontBoxes->setVisible(visible);
    m_sampleFrame->setVisible(visible);
}

bool PrintPanel::fontBoxesVisible() const
{
    return !m_fontBoxes->isHidden();
}

void PrintPanel::setButtonVisible(Button button, bool visible)
{
    m_buttons.at(button)->setVisible(visible);
}

void PrintPanel::setButtonEnabled(Button button, bool enabled)
{
    m_buttons.at(button)->setEnabled(enabled);
}

void PrintPanel::recompose()
{
    if (!m_composer)
        return;
    BusyCursor busy;
    m_composer(*m_surface);
}

QString PrintPanel::suggestedPdfPath() const
{
    const QString folder = m_pdfFolder.isEmpty() ? m_workbook.folder() : m_pdfFolder;
    return QDir(folder).filePath(fileNameFor(m_documentName));
}

// --- Print settings ---------------------------------------------------------

void PrintPanel::setPrinterFont(const QFont &font, const QColor &colour)
{
    m_printerFont = font;
    if (m_printerFont.pointSizeF() <= 0)
        m_printerFont.setPointSizeF(10);
    m_printerColour = colour.isValid() ? colour : QColor(Qt::black);
}

void PrintPanel::setOrientation(QPageLayout::Orientation orientation)
{
    m_orientation = orientation;
    m_surface->setOrientation(orientation);
    m_orientationBox->setText(withLeadingBlank(orientation == QPageLayout::Landscape
                                                   ? QStringLiteral("Landscape")
                                                   : QStringLiteral("Portrait")));
}

void PrintPanel::setFontCaptions(const QString &name, const QString &size)
{
    m_fontNameBox->setText(withLeadingBlank(name));
    m_fontSizeBox->setText(withLeadingBlank(size));
}

void PrintPanel::setSample(const QFont &font, const QColor &colour)
{
    QFont shown(font);
    // The sample box is small: very large print sizes are shown at most 20 pt.
    if (shown.pointSizeF() > 20)
        shown.setPointSizeF(20);
    m_sampleText->setFont(shown);
    QPalette palette = m_sampleText->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_sampleText->setPalette(palette);
}

void PrintPanel::showPrinterFont()
{
    setFontCaptions(m_printerFont.family(), sizeCaption(m_printerFont.pointSizeF()));
    setSample(m_printerFont, m_printerColour);
}

// --- Guide lines ------------------------------------------------------------

void PrintPanel::restoreGuideLines()
{
    RestoringGuard restoring(m_restoring);
    const int shown = SettingsStore(m_workbook).guideLinesShown() == 1 ? 1 : 0;
    m_guideOptions[shown]->setChecked(true);
    m_preview->setShowGuides(shown);
}

void PrintPanel::chooseGuideLines(int index)
{
    if (m_preview)
        m_preview->setShowGuides(index);
    if (!m_restoring)
        SettingsStore(m_workbook).setGuideLinesShown(index);
}

// --- Showing ----------------------------------------------------------------

void PrintPanel::open()
{
    show();
    raise();
    placePreview();
    m_enlargeToggle->raise();
    if (m_progressPanel->isVisible())
        m_progressPanel->raise();
    setFocus();
    m_buttons[CancelButton]->setFocus();
}

void PrintPanel::cancel()
{
    hide();
    Q_EMIT closed();
}

bool PrintPanel::isEnlarged() const
{
    return m_enlargeToggle->text() == kNormalCaption;
}

void PrintPanel::toggleEnlarged()
{
    if (!isEnlarged()) {
        m_enlargeToggle->setText(kNormalCaption);
        m_preview->setZoomMode(PrintPreview::EnlargedPanel);
    } else {
        m_enlargeToggle->setText(kEnlargeCaption);
        m_preview->setZoomMode(PrintPreview::NormalPanel);
        m_buttons[CancelButton]->setFocus();
    }
    placePreview();
}

void PrintPanel::placePreview()
{
    if (!m_preview || !m_previewHost)
        return;
    QRect area = m_previewHost->geometry();
    if (isEnlarged()) {
        area.setLeft(Twips::toPixels(kEnlargedLeft));
        area.setWidth(width() - Twips::toPixels(kEnlargedSideSpace));
    }
    m_preview->setGeometry(area);
    m_preview->raise();
    m_enlargeToggle->adjustSize();
    m_enlargeToggle->move(area.right() - m_enlargeToggle->width() - 4, Twips::toPixels(kToggleTop));
    m_enlargeToggle->raise();
    if (m_progressPanel && m_progressPanel->isVisible())
        m_progressPanel->raise();
}

void PrintPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placePreview();
}

void PrintPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    placePreview();
}

bool PrintPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_previewHost && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placePreview();
    return QWidget::eventFilter(watched, event);
}

// --- Buttons ----------------------------------------------------------------

void PrintPanel::tell(Prompt::Icon icon, const QString &title, const QString &text)
{
    if (m_services.prompt)
        m_services.prompt->ask(this, icon, title, text, Prompt::Buttons::Ok);
}

void PrintPanel::choosePrinterFont()
{
    if (!m_services.fontDialog)
        return;
    const std::optional<QFont> chosen = m_services.fontDialog->chooseFont(this, m_printerFont);
    if (!chosen)
        return;
    setPrinterFont(*chosen, m_printerColour);
    showPrinterFont();
    recompose();
}

void PrintPanel::pageSetup()
{
    if (!m_printServices)
        return;
    // The dialog starts from the margins of the document shown, which a
    // composer may have set itself (the all-policies run uses its own).
    const PrintMargins shown = m_surface->pageCount() > 0 ? m_surface->margins() : m_printMargins;
    const QMarginsF margins(shown.left / 20.0, shown.top / 20.0, shown.right / 20.0, shown.bottom / 20.0);
    const QPageLayout current(m_surface->pageSize(), m_orientation, margins, QPageLayout::Point);
    const std::optional<QPageLayout> chosen = m_printServices->pageSetup(this, current);
    if (!chosen || !chosen->isValid())
        return;
    m_surface->setPageSize(chosen->pageSize());
    // Every later printout starts on the paper chosen here.
    PrintSurface::rememberPageSize(chosen->pageSize());
    setOrientation(chosen->orientation());
    const QMarginsF points = chosen->margins(QPageLayout::Point);
    m_printMargins = PrintMargins{qRound(points.left() * 20), qRound(points.top() * 20),
                                  qRound(points.right() * 20), qRound(points.bottom() * 20)};
    recompose();
}

void PrintPanel::copyCurrentPage()
{
    const QImage page = m_preview->currentPageImage();
    if (page.isNull() || !m_printServices || !m_printServices->copyImage(page)) {
        tell(Prompt::Icon::Exclamation, kCopyTitle,
             page.isNull() ? tr("There is no page to copy: the preview is empty.")
                           : tr("The current page could not be copied to the clipboard."));
    } else {
        tell(Prompt::Icon::Information, kCopyTitle, kCopiedText);
    }
    m_buttons[CancelButton]->setFocus();
}

bool PrintPanel::printDocument()
{
    if (m_surface->pageCount() == 0) {
        tell(Prompt::Icon::Information, kPrintTitle, tr("There is nothing to print: the preview is empty."));
        return false;
    }
    if (!m_printServices)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_documentName.isEmpty() ? QStringLiteral("Sentrivo") : m_documentName);
    printer.setPageSize(m_surface->pageSize());
    printer.setPageOrientation(m_orientation);
    printer.setFromTo(1, m_surface->pageCount());
    if (!m_printServices->choosePrinter(this, printer))
        return false;
    // The pages are composed on the paper the printer was given: another
    // paper chosen in the dialog means composing them again on it, or an A4
    // job would be sent as Letter pages.
    const QPageSize chosenPaper = printer.pageLayout().pageSize();
    if (chosenPaper.isValid() && !chosenPaper.isEquivalentTo(m_surface->pageSize()) && m_composer) {
        m_surface->setPageSize(chosenPaper);
        recompose();
    }
    QString error;
    if (!m_surface->print(printer, &error)) {
        tell(Prompt::Icon::Critical, kPrintTitle,
             tr("The document could not be printed.") + QLatin1Char('\n') + error);
        return false;
    }
    return true;
}

bool PrintPanel::saveAsPdf()
{
    if (m_surface->pageCount() == 0) {
        tell(Prompt::Icon::Information, kPdfTitle, tr("There is nothing to save: the preview is empty."));
        return false;
    }
    if (!m_printServices)
        return false;
    const std::optional<QString> path = m_printServices->choosePdfFile(this, suggestedPdfPath());
    if (!path)
        return false;
    QString target = *path;
    if (!target.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        target += QStringLiteral(".pdf");
    QString error;
    const bool written = m_pdfWriter ? m_pdfWriter(*m_surface, target, &error)
                                     : m_surface->writePdf(target, PdfInfo{m_documentName}, &error);
    if (!written) {
        tell(Prompt::Icon::Critical, kPdfTitle,
             tr("The PDF could not be written to %1.").arg(QDir::toNativeSeparators(target))
                 + QLatin1Char('\n') + error);
        return false;
    }
    return true;
}

// --- Progress ---------------------------------------------------------------

void PrintPanel::showProgress(int maximum)
{
    m_progressBar->setRange(0, maximum);
    m_progressBar->setValue(0);
    m_progressPanel->adjustSize();
    m_progressPanel->move((width() - m_progressPanel->width()) / 2,
                          (height() - m_progressPanel->height()) / 2);
    m_progressPanel->show();
    m_progressPanel->raise();
    m_progressPanel->setFocus();
}

void PrintPanel::setProgress(int value)
{
    m_progressBar->setValue(value);
}

void PrintPanel::hideProgress()
{
    m_progressPanel->hide();
}
