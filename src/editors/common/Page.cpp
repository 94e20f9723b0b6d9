#include "editors/common/Page.h"

TPage::TPage(TEditorContext& context, TPanelPage page, int helpContext, QWidget* parent)
    : QWidget(parent), context_(context), page_(page), helpContext_(helpContext)
{
}
