#include "risk/ui/riskregisterpanel.h"

#include "risk/assetimport.h"
#include "risk/evidencestore.h"
#include "risk/riskoverview.h"
#include "risk/riskstore.h"
#include "risk/threatlibrary.h"
#include "risk/timelinehandoff.h"
#include "risk/ui/heatmapmodel.h"
#include "risk/ui/heatmapview.h"
#include "risk/ui/registerforms.h"
#include "risk/ui/registermodels.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Risk Register");
// How many overdue treatments and BAA reviews the overview lists.
constexpr int kOverviewListLength = 10;

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

RiskRegisterPanel::RiskRegisterPanel(RiskStore &store, EvidenceStore &evidence, const ThreatLibrary &threats,
                                     PlatformServices services, Hooks hooks, QWidget *parent)
    : QWidget(parent), m_store(store), m_evidence(evidence), m_threats(threats), m_services(std::move(services)),
      m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("riskRegisterPanel"));
    m_assetModel = new AssetTableModel(store, this);
    m_riskModel = new RiskTableModel(store, this);
    m_associateModel = new AssociateTableModel(store, this);
    m_assetForm = new AssetForm(store, this);
    m_riskForm = new RiskForm(store, this);
    m_associateForm = new AssociateForm(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs);

    const auto button = [this](const QString &caption, auto slot) {
        auto *b = new QPushButton(caption, this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_tabs->addTab(buildOverview(), QStringLiteral("Overview"));
    m_tabs->addTab(buildList(AssetsTab, m_assetForm,
                             {button(QStringLiteral("Sav&e"), &RiskRegisterPanel::saveCurrent),
                              button(QStringLiteral("Ne&w"), &RiskRegisterPanel::newRecord),
                              button(QStringLiteral("&Delete"), &RiskRegisterPanel::deleteCurrent),
                              button(QStringLiteral("Su&ggest Risks..."), &RiskRegisterPanel::suggestRisks),
                              button(QStringLiteral("Import &CSV..."), &RiskRegisterPanel::importAssets)}),
                   QStringLiteral("Assets"));
    m_tabs->addTab(buildList(RisksTab, m_riskForm,
                             {button(QStringLiteral("Sav&e"), &RiskRegisterPanel::saveCurrent),
                              button(QStringLiteral("Ne&w"), &RiskRegisterPanel::newRecord),
                              button(QStringLiteral("&Delete"), &RiskRegisterPanel::deleteCurrent),
                              button(QStringLiteral("Add to &Timeline"), &RiskRegisterPanel::addToTimeline)}),
                   QStringLiteral("Risks"));
    m_tabs->addTab(buildList(PlanTab, nullptr,
                             {button(QStringLiteral("&Edit in Risks"), [this] {
                                  const qint64 id = currentId(PlanTab);
                                  m_tabs->setCurrentIndex(RisksTab);
                                  selectId(RisksTab, id);
                                  m_riskForm->threatEdit()->setFocus();
                              }),
                              button(QStringLiteral("Add to &Timeline"), &RiskRegisterPanel::addToTimeline)}),
                   QStringLiteral("Management Plan"));
    m_tabs->addTab(buildList(AssociatesTab, m_associateForm,
                             {button(QStringLiteral("Sav&e"), &RiskRegisterPanel::saveCurrent),
                              button(QStringLiteral("Ne&w"), &RiskRegisterPanel::newRecord),
                              button(QStringLiteral("&Delete"), &RiskRegisterPanel::deleteCurrent)}),
                   QStringLiteral("Business Associates"));

    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        if (QLineEdit *box = m_filters[currentTab()]) {
            box->setFocus();
            box->selectAll();
        }
    });
    auto *save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, &RiskRegisterPanel::saveCurrent);
    auto *fresh = new QShortcut(QKeySequence::New, this);
    connect(fresh, &QShortcut::activated, this, &RiskRegisterPanel::newRecord);

    // Lists that name other records follow them.
    connect(&store, &RiskStore::rowInserted, this, [this](RiskTable t, int) {
        if (t == RiskTable::Associates)
            m_assetForm->refreshAssociates();
        if (t == RiskTable::Assets)
            m_riskForm->refreshAssets();
        refreshOverview();
    });
    connect(&store, &RiskStore::rowChanged, this, [this] { refreshOverview(); });
    connect(&store, &RiskStore::rowRemoved, this, [this](RiskTable t, int) {
        if (t == RiskTable::Associates)
            m_assetForm->refreshAssociates();
        if (t == RiskTable::Assets)
            m_riskForm->refreshAssets();
        refreshOverview();
    });
    connect(&store, &RiskStore::reset, this, [this] {
        m_assetForm->refreshAssociates();
        m_riskForm->refreshAssets();
        refreshOverview();
    });
    connect(&store, &RiskStore::matrixChanged, this, &RiskRegisterPanel::refreshOverview);

    m_assetForm->show(RiskAsset());
    m_associateForm->show(BusinessAssociate());
    Risk fresh1;
    fresh1.identifiedOn = m_hooks.today();
    m_riskForm->show(fresh1);
    refreshOverview();
    for (Tab tab : {AssetsTab, RisksTab, PlanTab, AssociatesTab}) {
        if (m_proxies[tab]->rowCount() > 0)
            m_views[tab]->selectRow(0);
    }
}

RiskRegisterPanel::~RiskRegisterPanel() = default;

QTableView *RiskRegisterPanel::view(Tab tab) const
{
    return m_views[tab];
}

QLineEdit *RiskRegisterPanel::filterBox(Tab tab) const
{
    return m_filters[tab];
}

RiskRegisterPanel::Tab RiskRegisterPanel::currentTab() const
{
    return static_cast<Tab>(m_tabs->currentIndex());
}

QWidget *RiskRegisterPanel::buildOverview()
{
    auto *page = new QWidget;
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *grid = new QVBoxLayout(page);

    m_review = new QLabel(page);
    m_review->setWordWrap(true);
    grid->addWidget(m_review);

    auto *maps = new HeatMapRow(page);
    m_currentMap = new HeatMapModel(m_store, HeatMapModel::Kind::Current, this);
    m_residualMap = new HeatMapModel(m_store, HeatMapModel::Kind::Residual, this);
    m_matrix = new HeatMapModel(m_store, HeatMapModel::Kind::Matrix, this);
    const auto mapBox = [page](const QString &title, HeatMapModel *model, const QString &longestLine) {
        auto *box = new QGroupBox(title, page);
        auto *l = new QVBoxLayout(box);
        QTableView *view = makeHeatMapView(model, longestLine, box);
        view->setObjectName(title);
        l->addWidget(view);
        return std::make_pair(box, view);
    };
    maps->addMap(mapBox(QStringLiteral("Current risk (likelihood down, impact across)"), m_currentMap,
                        RiskLevel::name(RiskLevel::kHighest)).first);
    maps->addMap(mapBox(QStringLiteral("Residual risk"), m_residualMap, RiskLevel::name(RiskLevel::kHighest)).first);
    auto [matrixBox, matrixView] = mapBox(QStringLiteral("Risk matrix (F2 to edit a cell)"), m_matrix,
                                                RiskLevel::name(3));
    matrixView->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    connect(m_matrix, &QAbstractItemModel::dataChanged, this, [] {});
    maps->addMap(matrixBox);
    grid->addWidget(maps);
    // Where the maps are too narrow for the levels' names they show the
    // short ones: the key to them.
    QStringList key;
    for (int level = RiskLevel::kLowest; level <= RiskLevel::kHighest; ++level)
        key << RiskLevel::shortName(level) + QStringLiteral(" ") + RiskLevel::name(level);
    auto *legend = new QLabel(key.join(QStringLiteral(" \u00b7 ")), page);
    legend->setObjectName(QStringLiteral("levelKey"));
    grid->addWidget(legend);

    auto *facts = new QHBoxLayout;
    const auto factBox = [page](const QString &title, QLabel **label) {
        auto *box = new QGroupBox(title, page);
        auto *l = new QVBoxLayout(box);
        *label = new QLabel(box);
        (*label)->setWordWrap(true);
        (*label)->setTextFormat(Qt::RichText);
        (*label)->setAlignment(Qt::AlignTop | Qt::AlignLeft);
        l->addWidget(*label);
        return box;
    };
    facts->addWidget(factBox(QStringLiteral("Risks per level"), &m_counts), 1);
    facts->addWidget(factBox(QStringLiteral("Ten highest risks"), &m_top), 2);
    auto *due = new QVBoxLayout;
    due->addWidget(factBox(QStringLiteral("Overdue treatments"), &m_overdue));
    due->addWidget(factBox(QStringLiteral("BAA reviews due (30 days)"), &m_baa));
    facts->addLayout(due, 2);
    grid->addLayout(facts);

    auto *detailsBox = new QGroupBox(QStringLiteral("Analysis details"), page);
    auto *detailsLayout = new QVBoxLayout(detailsBox);
    m_details = new AnalysisDetailsForm(detailsBox);
    detailsLayout->addWidget(m_details);
    auto *saveDetailsButton = new QPushButton(QStringLiteral("Save &Details"), detailsBox);
    connect(saveDetailsButton, &QPushButton::clicked, this, &RiskRegisterPanel::saveDetails);
    detailsLayout->addWidget(saveDetailsButton, 0, Qt::AlignLeft);
    grid->addWidget(detailsBox);
    grid->addStretch();
    return scroll;
}

QWidget *RiskRegisterPanel::buildList(Tab tab, QWidget *form, const QList<QWidget *> &buttons)
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    auto *filterRow = new QHBoxLayout;
    auto *filter = new QLineEdit(page);
    filter->setPlaceholderText(QStringLiteral("Filter: words to find in any column"));
    filter->setClearButtonEnabled(true);
    auto *filterLabel = new QLabel(QStringLiteral("&Filter:"), page);
    filterLabel->setBuddy(filter);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter);
    column->addLayout(filterRow);

    auto *proxy = new RegisterFilterModel(this);
    QAbstractItemModel *source = tab == AssetsTab ? static_cast<QAbstractItemModel *>(m_assetModel)
                                 : tab == AssociatesTab ? static_cast<QAbstractItemModel *>(m_associateModel)
                                                        : static_cast<QAbstractItemModel *>(m_riskModel);
    proxy->setSourceModel(source);
    if (tab == PlanTab)
        proxy->setOpenTreatmentsOnly(true);
    auto *view = new QTableView(page);
    view->setModel(proxy);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->setWordWrap(false);
    if (tab == RisksTab)
        view->sortByColumn(RiskTableModel::Level, Qt::DescendingOrder);
    else if (tab == PlanTab)
        view->sortByColumn(RiskTableModel::Due, Qt::AscendingOrder);
    else
        view->sortByColumn(0, Qt::AscendingOrder);
    if (tab == RisksTab || tab == PlanTab) {
        view->setColumnWidth(RiskTableModel::Threat, 260);
        view->setColumnWidth(RiskTableModel::Asset, 150);
    } else {
        view->setColumnWidth(0, 180);
    }
    connect(filter, &QLineEdit::textChanged, proxy, &RegisterFilterModel::setFilterText);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this, tab] { showRow(tab); });
    m_proxies[tab] = proxy;
    m_views[tab] = view;
    m_filters[tab] = filter;
    setTabOrder(filter, view);

    auto *split = new QSplitter(Qt::Vertical, page);
    split->addWidget(view);
    auto *lower = new QWidget(split);
    auto *lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    if (form) {
        auto *scroll = new QScrollArea(lower);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(form);
        lowerLayout->addWidget(scroll, 1);
    }
    auto *buttonRow = new QHBoxLayout;
    for (QWidget *b : buttons)
        buttonRow->addWidget(b);
    if (tab != PlanTab) {
        auto *list = new QListWidget(lower);
        list->setMaximumHeight(list->fontMetrics().lineSpacing() * 3 + 8);
        list->setToolTip(QStringLiteral("Evidence attached to this record; Enter opens the file"));
        m_evidenceList[tab] = list;
        auto *attach = new QPushButton(QStringLiteral("Attach E&vidence..."), lower);
        connect(attach, &QPushButton::clicked, this, &RiskRegisterPanel::attachEvidence);
        auto *open = new QPushButton(QStringLiteral("O&pen"), lower);
        const auto openItem = [this, list] {
            QListWidgetItem *item = list->currentItem();
            if (!item || !m_hooks.openFile)
                return;
            if (!m_hooks.openFile(m_evidence.folder() + QLatin1Char('/') + item->data(Qt::UserRole + 1).toString()))
                fail(QStringLiteral("The evidence file could not be opened."));
        };
        connect(open, &QPushButton::clicked, this, openItem);
        connect(list, &QListWidget::itemActivated, this, openItem);
        auto *remove = new QPushButton(QStringLiteral("Remove"), lower);
        connect(remove, &QPushButton::clicked, this, [this, list] {
            QListWidgetItem *item = list->currentItem();
            if (!item)
                return;
            if (m_services.prompt->ask(this, Prompt::Icon::Question, kTitle,
                                       QStringLiteral("Remove the evidence file \"%1\" from the workbook?").arg(item->text()),
                                       Prompt::Buttons::YesNo, Prompt::Answer::No)
                != Prompt::Answer::Yes)
                return;
            QString error;
            if (!m_evidence.remove(item->data(Qt::UserRole).toLongLong(), &error))
                fail(error);
            refreshEvidence();
        });
        auto *evidenceRow = new QHBoxLayout;
        auto *evidenceLabel = new QLabel(QStringLiteral("Evidence:"), lower);
        evidenceLabel->setBuddy(list);
        evidenceRow->addWidget(evidenceLabel);
        evidenceRow->addWidget(list, 1);
        auto *evidenceButtons = new QVBoxLayout;
        evidenceButtons->addWidget(attach);
        evidenceButtons->addWidget(open);
        evidenceButtons->addWidget(remove);
        evidenceRow->addLayout(evidenceButtons);
        lowerLayout->addLayout(evidenceRow);
    }
    buttonRow->addStretch();
    lowerLayout->addLayout(buttonRow);
    split->addWidget(lower);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    if (tab == PlanTab)
        split->setStretchFactor(0, 1);
    column->addWidget(split, 1);
    return page;
}

qint64 RiskRegisterPanel::currentId(Tab tab) const
{
    const QModelIndex index = m_views[tab]->selectionModel()->currentIndex();
    return index.isValid() ? index.siblingAtColumn(0).data(RegisterRoles::IdRole).toLongLong() : 0;
}

void RiskRegisterPanel::selectId(Tab tab, qint64 id)
{
    auto *source = static_cast<RegisterTableModel *>(m_proxies[tab]->sourceModel());
    const int row = source->rowOf(id);
    if (row < 0)
        return;
    const QModelIndex index = m_proxies[tab]->mapFromSource(source->index(row, 0));
    if (index.isValid()) {
        m_views[tab]->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_views[tab]->scrollTo(index);
    }
}

void RiskRegisterPanel::showRow(Tab tab)
{
    const qint64 id = currentId(tab);
    switch (tab) {
    case AssetsTab: {
        const int row = m_store.assetRow(id);
        m_assetForm->show(row >= 0 ? m_store.assets().at(row) : RiskAsset());
        break;
    }
    case RisksTab: {
        const int row = m_store.riskRow(id);
        if (row >= 0)
            m_riskForm->show(m_store.risks().at(row));
        break;
    }
    case AssociatesTab: {
        const int row = m_store.associateRow(id);
        m_associateForm->show(row >= 0 ? m_store.associates().at(row) : BusinessAssociate());
        break;
    }
    default: break;
    }
    refreshEvidence();
}

void RiskRegisterPanel::refreshEvidence()
{
    const auto fill = [this](Tab tab, EvidenceOwner owner, qint64 id) {
        QListWidget *list = m_evidenceList[tab];
        if (!list)
            return;
        list->clear();
        if (id == 0)
            return;
        for (const EvidenceItem &item : m_evidence.itemsOf(owner, id)) {
            auto *row = new QListWidgetItem(
                QStringLiteral("%1  (%2 bytes, added %3)%4")
                    .arg(item.originalName, QLocale::c().toString(item.size),
                         item.addedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                         item.note.isEmpty() ? QString() : QStringLiteral(": ") + item.note),
                list);
            row->setData(Qt::UserRole, item.id);
            row->setData(Qt::UserRole + 1, item.storedName);
            row->setToolTip(QStringLiteral("SHA-256 %1").arg(item.sha256));
        }
    };
    fill(AssetsTab, EvidenceOwner::Asset, m_assetForm->shown().id);
    fill(RisksTab, EvidenceOwner::Risk, m_riskForm->shown().id);
    fill(AssociatesTab, EvidenceOwner::Associate, m_associateForm->shown().id);
}

void RiskRegisterPanel::fail(const QString &text)
{
    m_services.prompt->ask(this, Prompt::Icon::Exclamation, kTitle, text, Prompt::Buttons::Ok);
}

void RiskRegisterPanel::revertForms()
{
    m_details->show(m_store.details());
    for (Tab tab : {AssetsTab, RisksTab, AssociatesTab}) {
        if (tab == RisksTab && m_store.riskRow(currentId(RisksTab)) < 0)
            m_riskForm->show(Risk());
        else
            showRow(tab);
    }
}

bool RiskRegisterPanel::formHasEdits(Tab tab) const
{
    QString ignored;
    switch (tab) {
    case AssetsTab: {
        RiskAsset a;
        return m_assetForm->read(&a, &ignored) ? !(a == m_assetForm->shown())
                                               : !m_assetForm->nameEdit()->text().isEmpty();
    }
    case RisksTab: {
        Risk r;
        return m_riskForm->read(&r, &ignored) ? !(r == m_riskForm->shown())
                                              : !m_riskForm->threatEdit()->text().isEmpty();
    }
    case AssociatesTab: {
        BusinessAssociate b;
        return m_associateForm->read(&b, &ignored) ? !(b == m_associateForm->shown())
                                                   : !m_associateForm->nameEdit()->text().isEmpty();
    }
    case OverviewTab:
    case PlanTab:
        break;
    }
    return false;
}

bool RiskRegisterPanel::saveEditedForms()
{
    const int shown = m_tabs->currentIndex();
    if (m_details->hasEdits()) {
        m_tabs->setCurrentIndex(OverviewTab);
        if (!saveDetails())
            return false;
    }
    for (Tab tab : {AssetsTab, RisksTab, AssociatesTab}) {
        if (!formHasEdits(tab))
            continue;
        m_tabs->setCurrentIndex(tab);
        // A save that fails has said why; its tab stays in front with the edits.
        if (!saveCurrent())
            return false;
    }
    m_tabs->setCurrentIndex(shown);
    return true;
}

bool RiskRegisterPanel::hasUnsavedEdits() const
{
    return m_details->hasEdits() || formHasEdits(AssetsTab) || formHasEdits(RisksTab)
        || formHasEdits(AssociatesTab);
}

bool RiskRegisterPanel::saveCurrent()
{
    QString error;
    switch (currentTab()) {
    case AssetsTab: {
        RiskAsset a;
        if (!m_assetForm->read(&a, &error) || !m_store.saveAsset(a, &error)) {
            fail(error);
            return false;
        }
        m_assetForm->show(a);
        selectId(AssetsTab, a.id);
        return true;
    }
    case RisksTab: {
        Risk r;
        if (!m_riskForm->read(&r, &error) || !m_store.saveRisk(r, &error)) {
            fail(error);
            return false;
        }
        m_riskForm->show(r);
        selectId(RisksTab, r.id);
        return true;
    }
    case AssociatesTab: {
        BusinessAssociate b;
        if (!m_associateForm->read(&b, &error) || !m_store.saveAssociate(b, &error)) {
            fail(error);
            return false;
        }
        m_associateForm->show(b);
        selectId(AssociatesTab, b.id);
        return true;
    }
    case OverviewTab: return saveDetails();
    default: return false;
    }
}

void RiskRegisterPanel::newRecord()
{
    switch (currentTab()) {
    case AssetsTab:
        m_views[AssetsTab]->clearSelection();
        m_assetForm->show(RiskAsset());
        m_assetForm->nameEdit()->setFocus();
        break;
    case RisksTab: {
        m_views[RisksTab]->clearSelection();
        Risk r;
        r.identifiedOn = m_hooks.today();
        m_riskForm->show(r);
        m_riskForm->threatEdit()->setFocus();
        break;
    }
    case AssociatesTab:
        m_views[AssociatesTab]->clearSelection();
        m_associateForm->show(BusinessAssociate());
        m_associateForm->nameEdit()->setFocus();
        break;
    default: break;
    }
    refreshEvidence();
}

bool RiskRegisterPanel::deleteCurrent()
{
    const Tab tab = currentTab();
    qint64 id = 0;
    QString name;
    switch (tab) {
    case AssetsTab: id = m_assetForm->shown().id; name = m_assetForm->shown().name; break;
    case RisksTab: id = m_riskForm->shown().id; name = m_riskForm->shown().threat; break;
    case AssociatesTab: id = m_associateForm->shown().id; name = m_associateForm->shown().name; break;
    default: return false;
    }
    if (id == 0)
        return false;
    const int evidenceCount = int(m_evidence.itemsOf(tab == AssetsTab ? EvidenceOwner::Asset
                                                     : tab == RisksTab ? EvidenceOwner::Risk
                                                                       : EvidenceOwner::Associate, id).size());
    QString question = QStringLiteral("Delete \"%1\" from the register?").arg(name);
    if (evidenceCount > 0)
        question += QStringLiteral("\nIts %1 evidence file(s) will be removed too.").arg(evidenceCount);
    if (m_services.prompt->ask(this, Prompt::Icon::Question, kTitle, question, Prompt::Buttons::YesNo, Prompt::Answer::No)
        != Prompt::Answer::Yes)
        return false;
    QString error;
    const bool ok = tab == AssetsTab ? m_store.removeAsset(id, &error)
                    : tab == RisksTab ? m_store.removeRisk(id, &error)
                                      : m_store.removeAssociate(id, &error);
    if (!ok) {
        fail(error);
        return false;
    }
    showRow(tab);
    return true;
}

void RiskRegisterPanel::suggestRisks()
{
    const RiskAsset &asset = m_assetForm->shown();
    if (asset.id == 0) {
        fail(QStringLiteral("Save the asset first: suggested risks are added to a saved asset."));
        return;
    }
    const QList<ThreatEntry> offered = m_threats.entriesFor(asset.kind);
    if (offered.isEmpty()) {
        fail(QStringLiteral("The threat library has no entries for the kind \"%1\".").arg(AssetKinds::caption(asset.kind)));
        return;
    }
    if (!m_hooks.chooseThreats)
        return;
    const QList<int> chosen = m_hooks.chooseThreats(this, asset.name, offered);
    int added = 0;
    for (int i : chosen) {
        if (i < 0 || i >= offered.size())
            continue;
        Risk r = ThreatLibrary::draftRisk(offered.at(i), asset, m_hooks.today());
        QString error;
        if (!m_store.saveRisk(r, &error)) {
            fail(error);
            break;
        }
        ++added;
    }
    if (added > 0)
        m_services.prompt->ask(this, Prompt::Icon::Information, kTitle,
                               QStringLiteral("%1 risk(s) added for \"%2\" at Moderate likelihood and impact. Assess "
                                              "each on the Risks tab.").arg(added).arg(asset.name),
                               Prompt::Buttons::Ok);
}

bool RiskRegisterPanel::addToTimeline()
{
    qint64 id = currentTab() == PlanTab ? currentId(PlanTab) : m_riskForm->shown().id;
    const int row = m_store.riskRow(id);
    if (row < 0) {
        fail(QStringLiteral("Choose a saved risk whose planned measure should go on the timeline."));
        return false;
    }
    const TimelineHandoff::Result result = TimelineHandoff::add(Workbook(m_hooks.timelineFolder), m_store.risks().at(row));
    m_services.prompt->ask(this, result.ok ? Prompt::Icon::Information : Prompt::Icon::Exclamation, kTitle,
                           result.message, Prompt::Buttons::Ok);
    return result.ok;
}

bool RiskRegisterPanel::importAssets()
{
    if (!m_hooks.chooseOpenFile)
        return false;
    const QString path = m_hooks.chooseOpenFile(this, QStringLiteral("Import Assets"),
                                                QStringLiteral("CSV files (*.csv *.txt);;All files (*)"));
    if (path.isEmpty())
        return false;
    const AssetImport::Result result = AssetImport::importFile(m_store, path);
    if (!result.ok()) {
        fail(QStringLiteral("Nothing was imported. Correct these lines of the file and import it again:\n\n")
             + result.errors.join(QLatin1Char('\n')));
        return false;
    }
    m_services.prompt->ask(this, Prompt::Icon::Information, kTitle,
                           QStringLiteral("%1 asset(s) imported.").arg(result.assets.size()), Prompt::Buttons::Ok);
    return true;
}

bool RiskRegisterPanel::attachEvidence()
{
    const Tab tab = currentTab();
    EvidenceOwner owner = EvidenceOwner::Asset;
    qint64 id = 0;
    switch (tab) {
    case AssetsTab: id = m_assetForm->shown().id; break;
    case RisksTab: owner = EvidenceOwner::Risk; id = m_riskForm->shown().id; break;
    case AssociatesTab: owner = EvidenceOwner::Associate; id = m_associateForm->shown().id; break;
    default: return false;
    }
    if (id == 0) {
        fail(QStringLiteral("Save the record first: evidence is attached to a saved record."));
        return false;
    }
    if (!m_hooks.chooseOpenFile)
        return false;
    const QString path = m_hooks.chooseOpenFile(this, QStringLiteral("Attach Evidence"), QStringLiteral("All files (*)"));
    if (path.isEmpty())
        return false;
    QString error;
    if (!m_evidence.attach(owner, id, path, QString(), nullptr, &error)) {
        fail(error);
        return false;
    }
    refreshEvidence();
    return true;
}

bool RiskRegisterPanel::saveDetails()
{
    AnalysisDetails details;
    QString error;
    if (!m_details->read(&details, &error) || !m_store.saveDetails(details, &error)) {
        fail(error);
        return false;
    }
    m_details->show(details);
    refreshOverview();
    return true;
}

QString RiskRegisterPanel::reviewWarning() const
{
    return RiskOverview::reviewWarning(m_store.details(), m_hooks.today());
}

void RiskRegisterPanel::refreshOverview()
{
    const QDate today = m_hooks.today();
    const std::array<int, 6> counts = RiskOverview::countsPerLevel(m_store);
    QString html = QStringLiteral("<table>");
    for (int level = 5; level >= 1; --level) {
        html += QStringLiteral("<tr><td style=\"background:%1;color:%2;padding:2px 6px\"><b>%3</b></td><td>&nbsp;%4</td></tr>")
                    .arg(RiskLevel::colour(level).name(), RiskLevel::textColour(level).name(), RiskLevel::name(level))
                    .arg(counts[level]);
    }
    html += QStringLiteral("</table><p>%1 risks, %2 assets, %3 business associates</p>")
                .arg(m_store.risks().size())
                .arg(m_store.assets().size())
                .arg(m_store.associates().size());
    m_counts->setText(html);

    QStringList top;
    for (int row : RiskOverview::highestRisks(m_store, 10)) {
        const Risk &r = m_store.risks().at(row);
        const int level = m_store.level(r);
        top << QStringLiteral("<span style=\"background:%1;color:%2\">&nbsp;%3&nbsp;</span> %4 <i>(%5)</i>")
                   .arg(RiskLevel::colour(level).name(), RiskLevel::textColour(level).name(), RiskLevel::name(level),
                        escaped(r.threat), escaped(m_store.assetName(r.assetId)));
    }
    m_top->setText(top.isEmpty() ? QStringLiteral("No risks recorded yet.") : top.join(QStringLiteral("<br>")));

    // The overview lists the first few, soonest first; the tab that holds
    // them all is named for the rest (a long list would also make every
    // relayout of the page slow).
    const auto listed = [](const QStringList &lines, int total, const QString &whereTheRestAre) {
        if (lines.isEmpty())
            return QStringLiteral("None.");
        QString text = lines.join(QStringLiteral("<br>"));
        if (total > lines.size())
            text += QStringLiteral("<br><i>and %1 more: see the %2 tab.</i>").arg(total - lines.size()).arg(whereTheRestAre);
        return text;
    };
    QStringList overdue;
    const QList<int> overdueRows = RiskOverview::overdueTreatments(m_store, today);
    for (int row : overdueRows.mid(0, kOverviewListLength)) {
        const Risk &r = m_store.risks().at(row);
        overdue << QStringLiteral("%1: %2 <i>(%3)</i>").arg(dateText(r.dueOn), escaped(r.threat), escaped(r.owner));
    }
    m_overdue->setText(listed(overdue, int(overdueRows.size()), QStringLiteral("Management Plan")));

    QStringList baa;
    const QList<int> baaRows = RiskOverview::baaReviewsDue(m_store, today);
    for (int row : baaRows.mid(0, kOverviewListLength)) {
        const BusinessAssociate &b = m_store.associates().at(row);
        baa << (b.baaSignedOn.isValid() ? QStringLiteral("%1: review by %2").arg(escaped(b.name), dateText(b.baaReviewOn))
                                        : QStringLiteral("%1: no signed BAA recorded").arg(escaped(b.name)));
    }
    m_baa->setText(listed(baa, int(baaRows.size()), QStringLiteral("Business Associates")));

    const AnalysisDetails &details = m_store.details();
    const QString warning = RiskOverview::reviewWarning(details, today);
    m_review->setText(QStringLiteral("<b>Last full review:</b> %1%2")
                          .arg(details.lastFullReviewOn.isValid() ? dateText(details.lastFullReviewOn)
                                                                  : QStringLiteral("not recorded"),
                               warning.isEmpty() ? QString()
                                                 : QStringLiteral(" &nbsp; <span style=\"color:#b71c1c\"><b>%1</b></span>")
                                                       .arg(escaped(warning))));
    // The details the user is typing are never overwritten by a redraw.
    if (!m_details->hasEdits() && !(m_details->shown() == details))
        m_details->show(details);
    Q_EMIT reviewWarningChanged(warning);
}
