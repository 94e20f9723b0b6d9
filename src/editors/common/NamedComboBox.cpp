#include "editors/common/NamedComboBox.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class TNamedComboAccessible : public QAccessibleWidget {
public:
    explicit TNamedComboAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto* combo = static_cast<const QComboBox*>(widget());
        if (t == QAccessible::Name && !combo->accessibleName().isEmpty())
            return combo->accessibleName();
        if (t == QAccessible::Name || t == QAccessible::Value)
            return combo->currentText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return {showMenuAction(), pressAction()};
    }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            static_cast<QComboBox*>(widget())->showPopup();
    }
};

QAccessibleInterface* NamedComboFactory(const QString& className, QObject* object)
{
    // Asked with the most derived class name first, so this wins over the stock combo box.
    if (className == QLatin1String(TNamedComboBox::staticMetaObject.className()))
        return new TNamedComboAccessible(static_cast<TNamedComboBox*>(object));
    return nullptr;
}

} // namespace

TNamedComboBox::TNamedComboBox(QWidget* parent) : QComboBox(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(NamedComboFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
