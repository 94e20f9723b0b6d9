#pragma once

#include "safety/ConfigCheck.h"

#include <QDockWidget>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Check Configuration": the findings of the last check in a dockable list, errors first.
// Activating a finding (double-click or Enter) asks the main window to open its page with the
// item selected; "Check Again" asks for a new check of the configuration as it is now.
class TCheckConfigurationDock : public QDockWidget {
    Q_OBJECT

public:
    explicit TCheckConfigurationDock(QWidget* parent = nullptr);

    void ShowFindings(const QList<TFinding>& findings);
    const QList<TFinding>& Findings() const { return findings_; }

signals:
    // item: the point, zone, group, set, event or network panel number (0 for the page or a
    // named field); field: the document field of a site finding, otherwise empty.
    void FindingActivated(TPanelPage page, int item, const QString& field);
    void CheckRequested();

private:
    void Activated(QTreeWidgetItem* item);

    QLabel* summary_;
    QTreeWidget* list_;
    QPushButton* again_;
    QList<TFinding> findings_;
};
