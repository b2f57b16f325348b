#include "risk/ui/registerforms.h"

#include "catalogue/safeguardcatalogue.h"
#include "risk/riskstore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace RegisterForms {

bool readDate(const QLineEdit *edit, const QString &field, QDate *date, QString *error)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty()) {
        *date = QDate();
        return true;
    }
    const QDate parsed = QDate::fromString(text, Qt::ISODate);
    if (!parsed.isValid() || text.size() != 10) {
        *error = QStringLiteral("%1: \"%2\" is not a date. Write it as yyyy-mm-dd, for example 2026-03-31.").arg(field, text);
        return false;
    }
    *date = parsed;
    return true;
}

} // namespace RegisterForms

namespace {

QLineEdit *dateEdit(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setPlaceholderText(QStringLiteral("yyyy-mm-dd"));
    edit->setMaxLength(10);
    return edit;
}

// A record's text from its start: setText leaves the cursor at the end,
// which scrolls a long text in a narrow field to its tail.
void showText(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QPlainTextEdit *textBox(QWidget *parent, int lines)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setTabChangesFocus(true);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines + 12);
    return edit;
}

QComboBox *levelBox(QWidget *parent, bool allowNone)
{
    auto *box = new QComboBox(parent);
    if (allowNone)
        box->addItem(QStringLiteral("Not assessed"), 0);
    for (int level = 1; level <= 5; ++level)
        box->addItem(RiskLevel::name(level), level);
    return box;
}

void selectData(QComboBox *box, const QVariant &value)
{
    const int i = box->findData(value);
    box->setCurrentIndex(i < 0 ? 0 : i);
}

void showLevel(QLabel *label, int level)
{
    label->setText(level ? RiskLevel::name(level) : QStringLiteral("Not assessed"));
    label->setAutoFillBackground(level != 0);
    label->setStyleSheet(level ? QStringLiteral("QLabel { background: %1; color: %2; padding: 2px 6px; font-weight: bold; }")
                                     .arg(RiskLevel::colour(level).name(), RiskLevel::textColour(level).name())
                               : QString());
}

} // namespace

// --- Assets -------------------------------------------------------------------

AssetForm::AssetForm(RiskStore &store, QWidget *parent) : QWidget(parent), m_store(store)
{
    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    m_name = new QLineEdit(this);
    m_kind = new QComboBox(this);
    for (AssetKind kind : AssetKinds::all())
        m_kind->addItem(AssetKinds::caption(kind), int(kind));
    m_location = new QLineEdit(this);
    m_owner = new QLineEdit(this);
    m_ephi = new QLineEdit(this);
    m_records = new QLineEdit(this);
    m_records->setPlaceholderText(QStringLiteral("about how many"));
    auto *flows = new QWidget(this);
    auto *flowRow = new QHBoxLayout(flows);
    flowRow->setContentsMargins(0, 0, 0, 0);
    m_creates = new QCheckBox(QStringLiteral("Creates"), flows);
    m_receives = new QCheckBox(QStringLiteral("Receives"), flows);
    m_maintains = new QCheckBox(QStringLiteral("Maintains"), flows);
    m_transmits = new QCheckBox(QStringLiteral("Transmits"), flows);
    for (QCheckBox *box : {m_creates, m_receives, m_maintains, m_transmits})
        flowRow->addWidget(box);
    flowRow->addStretch();
    m_associate = new QComboBox(this);
    m_notes = textBox(this, 2);
    m_retired = new QCheckBox(QStringLiteral("Retired (kept in the register, shown struck through)"), this);
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&Kind:"), m_kind);
    form->addRow(QStringLiteral("&Location:"), m_location);
    form->addRow(QStringLiteral("Owner:"), m_owner);
    form->addRow(QStringLiteral("ePHI held:"), m_ephi);
    form->addRow(QStringLiteral("Records:"), m_records);
    form->addRow(QStringLiteral("ePHI flow:"), flows);
    form->addRow(QStringLiteral("Provided &by:"), m_associate);
    form->addRow(QStringLiteral("No&tes:"), m_notes);
    form->addRow(QString(), m_retired);
    refreshAssociates();
}

void AssetForm::refreshAssociates()
{
    const QVariant current = m_associate->currentData();
    m_associate->clear();
    m_associate->addItem(QStringLiteral("(none)"), qint64(0));
    for (const BusinessAssociate &b : m_store.associates())
        m_associate->addItem(b.name, b.id);
    selectData(m_associate, current.isValid() ? current : QVariant(m_shown.associateId));
}

void AssetForm::show(const RiskAsset &asset)
{
    m_shown = asset;
    showText(m_name, asset.name);
    selectData(m_kind, int(asset.kind));
    showText(m_location, asset.location);
    showText(m_owner, asset.owner);
    showText(m_ephi, asset.ephi);
    showText(m_records, asset.recordCount ? QString::number(*asset.recordCount) : QString());
    m_creates->setChecked(asset.creates);
    m_receives->setChecked(asset.receives);
    m_maintains->setChecked(asset.maintains);
    m_transmits->setChecked(asset.transmits);
    refreshAssociates();
    selectData(m_associate, asset.associateId);
    m_notes->setPlainText(asset.notes);
    m_retired->setChecked(asset.retired);
}

bool AssetForm::read(RiskAsset *asset, QString *error) const
{
    RiskAsset a = m_shown;
    a.name = m_name->text().trimmed();
    if (a.name.isEmpty()) {
        *error = QStringLiteral("Name: an asset needs a name.");
        return false;
    }
    a.kind = static_cast<AssetKind>(m_kind->currentData().toInt());
    a.location = m_location->text();
    a.owner = m_owner->text();
    a.ephi = m_ephi->text();
    QString records = m_records->text().trimmed();
    records.remove(QLatin1Char(','));
    if (records.isEmpty()) {
        a.recordCount.reset();
    } else {
        bool ok = false;
        const qint64 n = records.toLongLong(&ok);
        if (!ok || n < 0) {
            *error = QStringLiteral("Records: \"%1\" is not a number of records.").arg(m_records->text().trimmed());
            return false;
        }
        a.recordCount = n;
    }
    a.creates = m_creates->isChecked();
    a.receives = m_receives->isChecked();
    a.maintains = m_maintains->isChecked();
    a.transmits = m_transmits->isChecked();
    a.associateId = m_associate->currentData().toLongLong();
    a.notes = m_notes->toPlainText();
    a.retired = m_retired->isChecked();
    *asset = a;
    return true;
}

// --- Business associates --------------------------------------------------------

AssociateForm::AssociateForm(QWidget *parent) : QWidget(parent)
{
    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    m_name = new QLineEdit(this);
    m_service = new QLineEdit(this);
    m_ephi = new QLineEdit(this);
    m_contact = new QLineEdit(this);
    m_signed = dateEdit(this);
    m_review = dateEdit(this);
    m_notes = textBox(this, 3);
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("Servi&ce:"), m_service);
    form->addRow(QStringLiteral("ePHI &touched:"), m_ephi);
    form->addRow(QStringLiteral("Contact:"), m_contact);
    form->addRow(QStringLiteral("BAA si&gned on:"), m_signed);
    form->addRow(QStringLiteral("&BAA next review on:"), m_review);
    form->addRow(QStringLiteral("Notes:"), m_notes);
}

void AssociateForm::show(const BusinessAssociate &b)
{
    m_shown = b;
    showText(m_name, b.name);
    showText(m_service, b.service);
    showText(m_ephi, b.ephi);
    showText(m_contact, b.contact);
    showText(m_signed, dateText(b.baaSignedOn));
    showText(m_review, dateText(b.baaReviewOn));
    m_notes->setPlainText(b.notes);
}

bool AssociateForm::read(BusinessAssociate *associate, QString *error) const
{
    BusinessAssociate b = m_shown;
    b.name = m_name->text().trimmed();
    if (b.name.isEmpty()) {
        *error = QStringLiteral("Name: a business associate needs a name.");
        return false;
    }
    b.service = m_service->text();
    b.ephi = m_ephi->text();
    b.contact = m_contact->text();
    if (!RegisterForms::readDate(m_signed, QStringLiteral("BAA signed on"), &b.baaSignedOn, error)
        || !RegisterForms::readDate(m_review, QStringLiteral("BAA next review on"), &b.baaReviewOn, error))
        return false;
    b.notes = m_notes->toPlainText();
    *associate = b;
    return true;
}

// --- Risks -----------------------------------------------------------------------

RiskForm::RiskForm(RiskStore &store, QWidget *parent) : QWidget(parent), m_store(store)
{
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    auto *left = new QFormLayout;
    auto *right = new QFormLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    m_asset = new QComboBox(this);
    m_threat = new QLineEdit(this);
    m_vulnerability = textBox(this, 2);
    m_current = textBox(this, 2);
    m_safeguards = new QListWidget(this);
    m_safeguards->setFixedHeight(m_safeguards->fontMetrics().lineSpacing() * 4 + 8);
    for (int no = 0; no < Catalogue::SafeguardCount; ++no) {
        auto *item = new QListWidgetItem(QString::fromLatin1(Catalogue::safeguardAt(no).fullName), m_safeguards);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, no);
    }
    m_likelihood = levelBox(this, false);
    m_impact = levelBox(this, false);
    m_level = new QLabel(this);
    m_treatment = new QComboBox(this);
    for (Treatment t : {Treatment::Undecided, Treatment::Mitigate, Treatment::Accept, Treatment::Transfer, Treatment::Avoid})
        m_treatment->addItem(t == Treatment::Undecided ? QStringLiteral("(not decided)") : Treatments::caption(t), int(t));
    m_planned = textBox(this, 2);
    m_owner = new QLineEdit(this);
    m_due = dateEdit(this);
    m_status = new QComboBox(this);
    for (TreatmentStatus s : {TreatmentStatus::Open, TreatmentStatus::InProgress, TreatmentStatus::Done})
        m_status->addItem(Treatments::statusCaption(s), int(s));
    m_residualLikelihood = levelBox(this, true);
    m_residualImpact = levelBox(this, true);
    m_residualLevel = new QLabel(this);
    m_acceptedBy = new QLineEdit(this);
    m_acceptedOn = dateEdit(this);
    m_identifiedOn = dateEdit(this);
    m_reviewedOn = dateEdit(this);
    left->addRow(QStringLiteral("Asset:"), m_asset);
    left->addRow(QStringLiteral("Threat:"), m_threat);
    left->addRow(QStringLiteral("Vulnerabilit&y:"), m_vulnerability);
    left->addRow(QStringLiteral("&Current measures:"), m_current);
    left->addRow(QStringLiteral("Safe&guards:"), m_safeguards);
    left->addRow(QStringLiteral("P&lanned measures:"), m_planned);
    right->addRow(QStringLiteral("Li&kelihood:"), m_likelihood);
    right->addRow(QStringLiteral("Impact:"), m_impact);
    right->addRow(QStringLiteral("Level of risk:"), m_level);
    right->addRow(QStringLiteral("Treatme&nt:"), m_treatment);
    right->addRow(QStringLiteral("Owner:"), m_owner);
    right->addRow(QStringLiteral("Due on:"), m_due);
    right->addRow(QStringLiteral("Stat&us:"), m_status);
    right->addRow(QStringLiteral("Residual likelihood:"), m_residualLikelihood);
    right->addRow(QStringLiteral("Residual impact:"), m_residualImpact);
    right->addRow(QStringLiteral("Residual level:"), m_residualLevel);
    right->addRow(QStringLiteral("Accepted &by:"), m_acceptedBy);
    right->addRow(QStringLiteral("Accepted on:"), m_acceptedOn);
    right->addRow(QStringLiteral("Identified on:"), m_identifiedOn);
    right->addRow(QStringLiteral("Last reviewed on:"), m_reviewedOn);
    for (QComboBox *box : {m_likelihood, m_impact, m_residualLikelihood, m_residualImpact})
        connect(box, &QComboBox::currentIndexChanged, this, &RiskForm::updateLevels);
    connect(&store, &RiskStore::matrixChanged, this, &RiskForm::updateLevels);
    refreshAssets();
    updateLevels();
}

void RiskForm::refreshAssets()
{
    const QVariant current = m_asset->currentData();
    m_asset->clear();
    m_asset->addItem(QStringLiteral("Organization-wide"), qint64(0));
    for (const RiskAsset &a : m_store.assets()) {
        if (!a.retired || a.id == m_shown.assetId)
            m_asset->addItem(a.retired ? a.name + QStringLiteral(" (retired)") : a.name, a.id);
    }
    selectData(m_asset, current.isValid() ? current : QVariant(m_shown.assetId));
}

void RiskForm::updateLevels()
{
    showLevel(m_level, m_store.matrix().level(m_likelihood->currentData().toInt(), m_impact->currentData().toInt()));
    showLevel(m_residualLevel, m_store.matrix().level(m_residualLikelihood->currentData().toInt(),
                                                      m_residualImpact->currentData().toInt()));
}

void RiskForm::show(const Risk &r)
{
    m_shown = r;
    refreshAssets();
    selectData(m_asset, r.assetId);
    showText(m_threat, r.threat);
    m_vulnerability->setPlainText(r.vulnerability);
    m_current->setPlainText(r.currentMeasures);
    for (int i = 0; i < m_safeguards->count(); ++i)
        m_safeguards->item(i)->setCheckState(r.safeguards.contains(i) ? Qt::Checked : Qt::Unchecked);
    selectData(m_likelihood, r.likelihood);
    selectData(m_impact, r.impact);
    selectData(m_treatment, int(r.treatment));
    m_planned->setPlainText(r.plannedMeasures);
    showText(m_owner, r.owner);
    showText(m_due, dateText(r.dueOn));
    selectData(m_status, int(r.status));
    selectData(m_residualLikelihood, r.residualLikelihood);
    selectData(m_residualImpact, r.residualImpact);
    showText(m_acceptedBy, r.acceptedBy);
    showText(m_acceptedOn, dateText(r.acceptedOn));
    showText(m_identifiedOn, dateText(r.identifiedOn));
    showText(m_reviewedOn, dateText(r.reviewedOn));
    updateLevels();
}

bool RiskForm::read(Risk *risk, QString *error) const
{
    Risk r = m_shown;
    r.assetId = m_asset->currentData().toLongLong();
    r.threat = m_threat->text().trimmed();
    if (r.threat.isEmpty()) {
        *error = QStringLiteral("Threat: a risk needs a threat.");
        return false;
    }
    r.vulnerability = m_vulnerability->toPlainText();
    r.currentMeasures = m_current->toPlainText();
    r.safeguards.clear();
    for (int i = 0; i < m_safeguards->count(); ++i) {
        if (m_safeguards->item(i)->checkState() == Qt::Checked)
            r.safeguards << i;
    }
    r.likelihood = m_likelihood->currentData().toInt();
    r.impact = m_impact->currentData().toInt();
    r.treatment = static_cast<Treatment>(m_treatment->currentData().toInt());
    r.plannedMeasures = m_planned->toPlainText();
    r.owner = m_owner->text();
    r.status = static_cast<TreatmentStatus>(m_status->currentData().toInt());
    r.residualLikelihood = m_residualLikelihood->currentData().toInt();
    r.residualImpact = m_residualImpact->currentData().toInt();
    if ((r.residualLikelihood == 0) != (r.residualImpact == 0)) {
        *error = QStringLiteral("Residual risk: give both the residual likelihood and the residual impact, or neither.");
        return false;
    }
    r.acceptedBy = m_acceptedBy->text();
    if (!RegisterForms::readDate(m_due, QStringLiteral("Due on"), &r.dueOn, error)
        || !RegisterForms::readDate(m_acceptedOn, QStringLiteral("Accepted on"), &r.acceptedOn, error)
        || !RegisterForms::readDate(m_identifiedOn, QStringLiteral("Identified on"), &r.identifiedOn, error)
        || !RegisterForms::readDate(m_reviewedOn, QStringLiteral("Last reviewed on"), &r.reviewedOn, error))
        return false;
    *risk = r;
    return true;
}

AnalysisDetailsForm::AnalysisDetailsForm(QWidget *parent)
    : QWidget(parent)
    , m_scope(new QPlainTextEdit(this))
    , m_method(new QPlainTextEdit(this))
    , m_preparedBy(new QLineEdit(this))
    , m_approvedBy(new QLineEdit(this))
    , m_approvedOn(dateEdit(this))
    , m_lastReview(dateEdit(this))
{
    for (QPlainTextEdit *e : {m_scope, m_method}) {
        e->setTabChangesFocus(true);
        e->setFixedHeight(e->fontMetrics().lineSpacing() * 3 + 12);
    }
    m_scope->setObjectName(QStringLiteral("scope"));
    m_method->setObjectName(QStringLiteral("method"));
    m_preparedBy->setObjectName(QStringLiteral("preparedBy"));
    m_approvedBy->setObjectName(QStringLiteral("approvedBy"));
    m_approvedOn->setObjectName(QStringLiteral("approvedOn"));
    m_lastReview->setObjectName(QStringLiteral("lastFullReviewOn"));
    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("S&cope:"), m_scope);
    form->addRow(QStringLiteral("M&ethod:"), m_method);
    form->addRow(QStringLiteral("&Prepared by:"), m_preparedBy);
    form->addRow(QStringLiteral("Appro&ved by:"), m_approvedBy);
    form->addRow(QStringLiteral("Approved o&n:"), m_approvedOn);
    form->addRow(QStringLiteral("&Last full review on:"), m_lastReview);
}

void AnalysisDetailsForm::show(const AnalysisDetails &details)
{
    m_shown = details;
    m_scope->setPlainText(details.scope);
    m_method->setPlainText(details.method);
    showText(m_preparedBy, details.preparedBy);
    showText(m_approvedBy, details.approvedBy);
    showText(m_approvedOn, dateText(details.approvedOn));
    showText(m_lastReview, dateText(details.lastFullReviewOn));
}

bool AnalysisDetailsForm::read(AnalysisDetails *details, QString *error) const
{
    details->scope = m_scope->toPlainText();
    details->method = m_method->toPlainText();
    details->preparedBy = m_preparedBy->text();
    details->approvedBy = m_approvedBy->text();
    return RegisterForms::readDate(m_approvedOn, QStringLiteral("Approved on"), &details->approvedOn, error)
        && RegisterForms::readDate(m_lastReview, QStringLiteral("Last full review on"), &details->lastFullReviewOn,
                                   error);
}

bool AnalysisDetailsForm::hasEdits() const
{
    return m_scope->toPlainText() != m_shown.scope || m_method->toPlainText() != m_shown.method
        || m_preparedBy->text() != m_shown.preparedBy || m_approvedBy->text() != m_shown.approvedBy
        || m_approvedOn->text() != dateText(m_shown.approvedOn)
        || m_lastReview->text() != dateText(m_shown.lastFullReviewOn);
}
