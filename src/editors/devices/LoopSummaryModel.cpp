#include "editors/devices/LoopSummaryModel.h"

#include "editors/devices/DeviceLists.h"
#include "model/Data.h"

namespace {

// Codes from here up (the switch and call-point range) list a zone, not the I/O caption.
constexpr int FirstCodeWithoutIOCaption = 240;

} // namespace

TLoopSummaryModel::TLoopSummaryModel(TData& data, QObject* parent)
    : QAbstractTableModel(parent), data_(data)
{
}

TQEMLoop& TLoopSummaryModel::Loop() const
{
    return data_.Loop(loop_);
}

void TLoopSummaryModel::SetLoop(int loop)
{
    loop_ = loop == 2 ? 2 : 1;
    Rebuild();
}

void TLoopSummaryModel::Rebuild()
{
    const TQEMLoop& loop = Loop();
    const int count = loop.MaxCellCount();
    std::vector<TRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int point = 1; point <= count; ++point)
        rows.push_back(BuildRow(point));

    if (rows.size() == rows_.size()) {
        rows_.swap(rows);
        if (!rows_.empty())
            emit dataChanged(index(0, 0), index(static_cast<int>(rows_.size()) - 1, scColumnCount - 1),
                             {Qt::DisplayRole});
    } else {
        beginResetModel();
        rows_.swap(rows);
        endResetModel();
    }
}

TLoopSummaryModel::TRow TLoopSummaryModel::BuildRow(int point) const
{
    const TQEMLoop& loop = Loop();
    const TDeviceType& d = loop.Devices[point];
    TRow row;
    row[scLoop] = QString::number(loop_);
    row[scDev] = loop.PointLabel(point);
    if (loop.HasChannelNames(point))
        row[scDev] += QLatin1Char('+');
    const QString shortName = loop.DeviceShortName(d.TypeCode);
    if (shortName == UnsupportedTypeName) {
        row[scType] = shortName + QStringLiteral(" (0x")
            + QStringLiteral("%1").arg(d.TypeCode & 0xFF, 2, 16, QLatin1Char('0')).toUpper()
            + QLatin1Char(')');
        return row;
    }
    row[scType] = d.TypeMismatch ? shortName + QStringLiteral(" -Changed") : shortName;
    if (d.TypeCode >= FirstReservedCode)
        return row;

    if (loop.HasChannelNames(point) && d.TypeCode < FirstCodeWithoutIOCaption)
        row[scZone] = QStringLiteral("Click for I/O Configuration.");
    else if (loop.IsSounderClass(point))
        row[scZone] = GroupText(data_, d.Zone);
    else if (loop.IsIOClass(point))
        row[scZone] = SetText(data_, d.Zone);
    else
        row[scZone] = ZoneText(data_, d.Zone);
    row[scName] = data_.NameTable.Name(d.NameIndex());
    if (loop.BaseSounderFitted(point)) {
        const int group = loop.Devices[point + TQEMLoop::BaseSounderOffset].Zone;
        row[scBaseSounder] = group >= 0 && group <= MaxGroup
            ? QStringLiteral("Group ") + QString::number(group)
            : UnknownEntry;
    } else {
        row[scBaseSounder] = QStringLiteral("no");
    }
    return row;
}

bool TLoopSummaryModel::NameEditable(int row) const
{
    if (row < 0 || row >= rowCount())
        return false;
    return Loop().IsEditable(PointOfRow(row));
}

int TLoopSummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TLoopSummaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : scColumnCount;
}

QVariant TLoopSummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= scColumnCount)
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole)
        return rows_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    return QVariant();
}

QVariant TLoopSummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    static const std::array<QString, scColumnCount> headings{
        QStringLiteral("Loop"),        QStringLiteral("Dev"), QStringLiteral("Type"),
        QStringLiteral("Zone/Group/Set"), QStringLiteral("Device Name"), QString(),
        QStringLiteral("Base Sounder")};
    return section >= 0 && section < scColumnCount ? headings[static_cast<std::size_t>(section)]
                                                   : QString();
}

Qt::ItemFlags TLoopSummaryModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == scName && NameEditable(index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TLoopSummaryModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != scName || !NameEditable(index.row()))
        return false;
    TDeviceType& d = Loop().Devices[PointOfRow(index.row())];
    const QString text = value.toString().left(MaxDescriptionLength);
    if (text == rows_[static_cast<std::size_t>(index.row())][scName] && text == d.Name)
        return false;
    {
        TDocEdit edit(data_, LoopPart(loop_) | dpNames,
                      PointLabel(loop_, PointOfRow(index.row())) + QStringLiteral(" name"));
        d.Name = text;
        data_.RebuildNameTable();
    }
    // Name indexes of other points may have moved with the rebuild.
    for (std::size_t r = 0; r < rows_.size(); ++r)
        rows_[r][scName] = BuildRow(PointOfRow(static_cast<int>(r)))[scName];
    emit dataChanged(this->index(0, scName), this->index(rowCount() - 1, scName),
                     {Qt::DisplayRole});
    return true;
}
