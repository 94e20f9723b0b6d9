#include "editors/common/ScrolledContent.h"

#include <QScrollArea>
#include <QVBoxLayout>

QWidget* ScrolledContent(QWidget* page)
{
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QStringLiteral("scrPage"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("pnlPage"));
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return content;
}
