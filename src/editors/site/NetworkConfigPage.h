#pragma once

#include "editors/common/Page.h"
#include "model/IndexedArray.h"
#include "model/SiteConfig.h"

class QCheckBox;
class QLineEdit;

// "Network Config": the names and presence of the eight network panels, and which kinds of
// events this panel accepts from each of them.
class TfrmNetworkConfig : public TPage {
    Q_OBJECT

public:
    explicit TfrmNetworkConfig(TEditorContext& context, QWidget* parent = nullptr);

    void Refresh() override;

    static constexpr int MatrixRows = 5;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildNamesBox();
    QWidget* BuildMatrixBox();
    void RenamePanel(int panel, const QString& name);
    void ShowThisPanelName();
    // Arrow keys move the focus across the matrix, passing over the disabled column.
    bool MoveInMatrix(int row, int panel, int key);

    TIndexedArray<QLineEdit*, 1, MaxNetworkPanels> txtNames_{};
    TIndexedArray<QCheckBox*, 1, MaxNetworkPanels> chkFitted_{};
    // Rows: faults, alarms, controls, disablements, occupied/unoccupied.
    TIndexedArray<TIndexedArray<QCheckBox*, 1, MaxNetworkPanels>, 1, MatrixRows> chkAccept_{};
    QLineEdit* txtThisPanelName_ = nullptr;
};
