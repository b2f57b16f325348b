#pragma once

#include "risk/ui/riskregisterpanel.h"

#include <QDialog>
#include <QList>

class QListWidget;
struct ThreatEntry;

// "Suggest Risks": the threats of the library that apply to an asset's kind,
// each with a check box and its typical vulnerabilities; the user ticks the
// ones to add as risks. Nothing is ticked at first, so OK without a choice
// adds nothing.
class ThreatChooser : public QDialog
{
    Q_OBJECT

public:
    ThreatChooser(const QString &assetName, const QList<ThreatEntry> &offered, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    // The indexes of the ticked threats, in the library's order.
    QList<int> chosen() const;

private:
    QListWidget *m_list = nullptr;
};

// The panel's hooks for a desktop session: the standard file dialog, the
// threat chooser above, and the desktop's default application for evidence.
RiskRegisterPanel::Hooks desktopRiskRegisterHooks(const QString &timelineFolder);
