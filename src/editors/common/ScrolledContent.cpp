#include "editors/common/ScrolledContent.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// Asks for room for the whole page, as the page did before it could scroll: a stock scroll
// area asks for a small fixed box, which would shrink every window that shows the page.
class TPageScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

} // namespace

QWidget* ScrolledContent(QWidget* page)
{
    auto* scroll = new TPageScrollArea(page);
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
