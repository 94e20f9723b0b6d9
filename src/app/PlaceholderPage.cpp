#include "app/PlaceholderPage.h"

#include "app/GuiPrompts.h"

#include <QLabel>
#include <QVBoxLayout>

TPlaceholderPage::TPlaceholderPage(TEditorContext& context, TPanelPage page, int helpContext,
                                   const QString& caption, const QString& purpose, QWidget* parent)
    : TPage(context, page, helpContext, parent)
{
    auto* title = new QLabel(ShownText(caption), this);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);
    auto* text = new QLabel(purpose, this);
    text->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addStretch();
}
