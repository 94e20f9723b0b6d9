#pragma once

#include <QWidget>

class QListWidget;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class QTableWidgetItem;
class TData;

// The Loop Summary's right-hand list, "Show zones or groups": zones 0..32 with their
// descriptions (1..32 editable in place while changes are enabled, cut to 14 characters), or
// the sounder groups. The row the engineer picks preselects the Zone/Group/Set drop-down.
class TSummaryZones : public QWidget {
    Q_OBJECT

public:
    static constexpr int MaxZoneNameLength = 14;

    explicit TSummaryZones(TData& data, QWidget* parent = nullptr);

    void Refresh();
    void SetEditable(bool editable);
    // The zone (0..32) or group (0..16) the engineer picked, -1 when none.
    int ChosenZone() const;
    int ChosenGroup() const;

signals:
    // A zone description was edited: the loop table shows zone descriptions too.
    void ZoneNamesChanged();
    // A key was refused because a zone description is at its 14 characters.
    void NameLimitReached();

private:
    void ZoneEdited(QTableWidgetItem* item);

    TData& data_;
    bool loading_ = false;
    bool editable_ = false;
    QRadioButton* optZones_ = nullptr;
    QRadioButton* optGroups_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QTableWidget* tblZones_ = nullptr;
    QListWidget* lstGroups_ = nullptr;
};
