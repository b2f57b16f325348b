#include "risk/ui/threatchooser.h"

#include "risk/threatlibrary.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

ThreatChooser::ThreatChooser(const QString &assetName, const QList<ThreatEntry> &offered, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Suggest Risks"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("Threats that commonly apply to \"%1\". Tick the ones to add as risks; "
                                              "each is added at Moderate likelihood and impact for you to assess.")
                                   .arg(assetName),
                               this);
    heading->setWordWrap(true);
    layout->addWidget(heading);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("threatList"));
    m_list->setAccessibleName(QStringLiteral("Threats"));
    heading->setBuddy(m_list);
    for (const ThreatEntry &entry : offered) {
        auto *item = new QListWidgetItem(entry.threat, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        if (!entry.vulnerabilities.isEmpty())
            item->setToolTip(QStringLiteral("Typical vulnerabilities: ") + entry.vulnerabilities.join(QStringLiteral("; ")));
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    layout->addWidget(m_list, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *all = buttons->addButton(QStringLiteral("Tick &All"), QDialogButtonBox::ActionRole);
    connect(all, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < m_list->count(); ++i)
            m_list->item(i)->setCheckState(Qt::Checked);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 420);
}

QList<int> ThreatChooser::chosen() const
{
    QList<int> indexes;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->checkState() == Qt::Checked)
            indexes << i;
    }
    return indexes;
}

RiskRegisterPanel::Hooks desktopRiskRegisterHooks(const QString &timelineFolder)
{
    RiskRegisterPanel::Hooks hooks;
    hooks.timelineFolder = timelineFolder;
    hooks.chooseOpenFile = [](QWidget *parent, const QString &title, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, title, QString(), filter);
    };
    hooks.chooseThreats = [](QWidget *parent, const QString &assetName, const QList<ThreatEntry> &offered) {
        ThreatChooser chooser(assetName, offered, parent);
        return chooser.exec() == QDialog::Accepted ? chooser.chosen() : QList<int>();
    };
    hooks.openFile = [](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    return hooks;
}
