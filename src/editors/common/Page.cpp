#include "editors/common/Page.h"

TPage::TPage(TEditorContext& context, TPanelPage page, int helpContext, QWidget* parent)
    : QWidget(parent), context_(context), page_(page), helpContext_(helpContext)
{
}

QString TPage::EditLabel(const QWidget* control)
{
    QString name = control->accessibleName().trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}
