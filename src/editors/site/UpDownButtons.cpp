#include "editors/site/UpDownButtons.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const QString& name,
                       const QString& accessible)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(name);
    button->setAccessibleName(accessible);
    button->setToolTip(accessible);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    const int side = button->fontMetrics().height();
    button->setFixedWidth(side);
    button->setIconSize(QSize(side / 2, side / 2));
    return button;
}

} // namespace

TUpDownButtons::TUpDownButtons(const QString& name, const QString& what, QWidget* parent)
    : QWidget(parent),
      up_(MakeArrow(this, Qt::UpArrow, name + QStringLiteral("Up"), what + QStringLiteral(" up"))),
      down_(MakeArrow(this, Qt::DownArrow, name + QStringLiteral("Down"),
                      what + QStringLiteral(" down")))
{
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { emit Stepped(1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
}
