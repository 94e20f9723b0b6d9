#pragma once

#include "safety/ConfigDiff.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;

// The differences between two configurations, grouped by page, with a filter that keeps the
// rows whose page, item, field or values contain its text.
class TCompareDialog : public QDialog {
    Q_OBJECT

public:
    // caption: "Compare with File" or "Compare with Panel"; leftCaption/rightCaption head the
    // value columns ("This configuration", the file's name, "Panel").
    TCompareDialog(const QString& caption, const QString& leftCaption, const QString& rightCaption,
                   const QList<TDifference>& differences, QWidget* parent = nullptr);

    void SetFilter(const QString& text);
    // Rows the filter leaves visible.
    int VisibleDifferences() const;

private:
    void ApplyFilter(const QString& text);

    QLabel* summary_;
    QLineEdit* filter_;
    QTreeWidget* tree_;
};
