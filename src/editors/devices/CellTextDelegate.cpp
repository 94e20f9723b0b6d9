#include "editors/devices/CellTextDelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

TCellTextDelegate::TCellTextDelegate(int maxLength, QObject* parent)
    : QStyledItemDelegate(parent), maxLength_(maxLength)
{
}

QWidget* TCellTextDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("txtCellEditor"));
    editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    editor->setFrame(false);
    editor->setMaxLength(maxLength_);
    connect(editor, &QLineEdit::inputRejected, editor, [this] {
        if (OnLimit)
            OnLimit();
    });
    return editor;
}

bool TCellTextDelegate::eventFilter(QObject* editor, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            auto* widget = qobject_cast<QWidget*>(editor);
            emit commitData(widget);
            emit closeEditor(widget, QAbstractItemDelegate::NoHint);
            emit EnterPressed();
            return true;
        }
        if (!key->text().isEmpty() && key->text().at(0).isPrint() && OnKeyTyped)
            OnKeyTyped();
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}
