#include "editors/devices/SummaryZones.h"

#include "editors/devices/CellTextDelegate.h"
#include "editors/devices/DeviceLists.h"
#include "model/Data.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

TSummaryZones::TSummaryZones(TData& data, QWidget* parent) : QWidget(parent), data_(data)
{
    auto* choice = new QGroupBox(QStringLiteral("Show zones or groups"), this);
    choice->setObjectName(QStringLiteral("grpShowZonesOrGroups"));
    optZones_ = new QRadioButton(QStringLiteral("&Zones"), choice);
    optZones_->setObjectName(QStringLiteral("optZones"));
    optZones_->setAccessibleName(QStringLiteral("Zones"));
    optZones_->setChecked(true);
    optGroups_ = new QRadioButton(QStringLiteral("&Groups"), choice);
    optGroups_->setObjectName(QStringLiteral("optGroups"));
    optGroups_->setAccessibleName(QStringLiteral("Groups"));
    auto* choiceLayout = new QHBoxLayout(choice);
    choiceLayout->addWidget(optZones_);
    choiceLayout->addWidget(optGroups_);
    choiceLayout->addStretch(1);

    tblZones_ = new QTableWidget(MaxFireZone + 1, 2, this);
    tblZones_->setObjectName(QStringLiteral("sgrdZones"));
    tblZones_->setAccessibleName(QStringLiteral("Zone list"));
    tblZones_->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("Description")});
    tblZones_->verticalHeader()->hide();
    tblZones_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblZones_->verticalHeader()->setDefaultSectionSize(tblZones_->fontMetrics().height() + 6);
    tblZones_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tblZones_->horizontalHeader()->setStretchLastSection(true);
    tblZones_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblZones_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblZones_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* delegate = new TCellTextDelegate(MaxZoneNameLength, tblZones_);
    tblZones_->setItemDelegateForColumn(1, delegate);
    delegate->OnLimit = [this] { emit NameLimitReached(); };
    connect(delegate, &TCellTextDelegate::EnterPressed, this, [this] {
        const int row = tblZones_->currentRow();
        if (row + 1 < tblZones_->rowCount())
            tblZones_->setCurrentCell(row + 1, 1);
    });
    for (int z = 0; z <= MaxFireZone; ++z) {
        auto* number = new QTableWidgetItem(QString::number(z));
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tblZones_->setItem(z, 0, number);
        tblZones_->setItem(z, 1, new QTableWidgetItem);
    }
    tblZones_->setMinimumWidth(tblZones_->fontMetrics().averageCharWidth() * 26);
    connect(tblZones_, &QTableWidget::itemChanged, this, &TSummaryZones::ZoneEdited);

    lstGroups_ = new QListWidget(this);
    lstGroups_->setObjectName(QStringLiteral("lstGroups"));
    lstGroups_->setAccessibleName(QStringLiteral("Group list"));
    lstGroups_->addItems(GroupNumberEntries());

    stack_ = new QStackedWidget(this);
    stack_->addWidget(tblZones_);
    stack_->addWidget(lstGroups_);
    connect(optGroups_, &QRadioButton::toggled, stack_,
            [this](bool groups) { stack_->setCurrentIndex(groups ? 1 : 0); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(choice);
    layout->addWidget(stack_, 1);
}

void TSummaryZones::Refresh()
{
    loading_ = true;
    for (int z = 0; z <= MaxFireZone; ++z) {
        QTableWidgetItem* item = tblZones_->item(z, 1);
        item->setText(data_.ZoneList.Zone(z).Name);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editable_ && z > 0)
            flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
    }
    loading_ = false;
}

void TSummaryZones::SetEditable(bool editable)
{
    editable_ = editable;
    tblZones_->setEditTriggers(editable ? QAbstractItemView::AllEditTriggers
                                        : QAbstractItemView::NoEditTriggers);
    Refresh();
}

int TSummaryZones::ChosenZone() const
{
    const QList<QTableWidgetItem*> selected = tblZones_->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

int TSummaryZones::ChosenGroup() const
{
    const QList<QListWidgetItem*> selected = lstGroups_->selectedItems();
    return selected.isEmpty() ? -1 : lstGroups_->row(selected.first());
}

void TSummaryZones::ZoneEdited(QTableWidgetItem* item)
{
    if (loading_ || item->column() != 1 || item->row() < 1 || item->row() > MaxFireZone)
        return;
    const QString text = item->text().left(MaxZoneNameLength);
    QString& name = data_.ZoneList.Zone(item->row()).Name;
    if (text == name)
        return;
    {
        TDocEdit edit(data_, dpZones, QStringLiteral("Zone %1 name").arg(item->row()));
        name = text;
    }
    emit ZoneNamesChanged();
}
