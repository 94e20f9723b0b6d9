#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <vector>

class TData;
class TQEMLoop;

// Columns of the Loop Summary table.
enum TSummaryColumn : int {
    scLoop,
    scDev,
    scType,
    scZone,
    scName,
    scSpare,
    scBaseSounder,
    scColumnCount,
};

// One text row per shown address of a loop (row r is point r + 1), empty addresses included.
// The texts are built once per rebuild, so painting and screen readers only read them.
class TLoopSummaryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TLoopSummaryModel(TData& data, QObject* parent = nullptr);

    // Loop 1 or 2; rebuilds.
    void SetLoop(int loop);
    int LoopNumber() const { return loop_; }
    TQEMLoop& Loop() const;
    // Rebuilds every row from the document. Before an address is listed its base-sounder flag
    // follows slot address + 127.
    void Rebuild();

    static int PointOfRow(int row) { return row + 1; }
    static int RowOfPoint(int point) { return point - 1; }
    // Whether the point at row is a device whose description can be edited in place.
    bool NameEditable(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Device Name: the text (cut to 24 characters) becomes the point's description.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    using TRow = std::array<QString, scColumnCount>;
    TRow BuildRow(int point) const;

    TData& data_;
    int loop_ = 1;
    std::vector<TRow> rows_;
};
