#pragma once

#include <QStyledItemDelegate>

#include <functional>

// In-place text editing of one table column with a length limit. Enter commits the text and
// reports EnterPressed, so the page can step to the next row as the engineer types a column
// of descriptions; OnKeyTyped runs at every printable key typed into an editor.
class TCellTextDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    TCellTextDelegate(int maxLength, QObject* parent = nullptr);

    std::function<void()> OnKeyTyped;
    // A key refused because the text is at its length limit.
    std::function<void()> OnLimit;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

signals:
    void EnterPressed();

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    int maxLength_;
};
