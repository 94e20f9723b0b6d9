#include "editors/loop/DeviceSelectionFrame.h"

#include "editors/loop/DeviceArtwork.h"
#include "model/DeviceCatalogue.h"

#include <QAction>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProxyStyle>
#include <QToolButton>

namespace {

// Drop-down lists show their pictures at 34 x 34.
class TDropDownStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_SmallIconSize)
            return DeviceArtwork::DropDownSize;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle* DropDownStyle()
{
    // Shared by every toolbar and kept to the end of the program, as widgets may ask for
    // their style while they are destroyed.
    static QStyle* const style = new TDropDownStyle;
    return style;
}

} // namespace

TDevice_Selection_Frame::TDevice_Selection_Frame(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDeviceSelection"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (int i = 0; i < TDeviceButtons::MaxButtons; ++i) {
        const int n = i + 1;
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("btnDevice%1").arg(n));
        button->setCheckable(true);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        button->setIconSize(QSize(DeviceArtwork::ToolbarWidth, DeviceArtwork::ToolbarHeight));
        button->setFocusPolicy(Qt::StrongFocus);
        button->installEventFilter(this);
        auto* menu = new QMenu(button);
        menu->setObjectName(QStringLiteral("mnuDevice%1").arg(n));
        menu->setStyle(DropDownStyle());
        button->setMenu(menu);
        button->hide();
        group_->addButton(button, n);
        connect(button, &QToolButton::clicked, this, [this, n] { PressButton(n); });
        buttons_[static_cast<std::size_t>(i)] = button;
        menus_[static_cast<std::size_t>(i)] = menu;
        layout->addWidget(button);
    }
    lblSelectedType_ = new QLabel(this);
    lblSelectedType_->setObjectName(QStringLiteral("lblSelectedType"));
    lblSelectedType_->setAccessibleName(QStringLiteral("Selected device"));
    layout->addSpacing(8);
    layout->addWidget(lblSelectedType_);
    layout->addStretch(1);
}

QToolButton* TDevice_Selection_Frame::Button(int n) const
{
    if (n < 1 || n > TDeviceButtons::MaxButtons)
        return nullptr;
    return buttons_[static_cast<std::size_t>(n - 1)];
}

QString TDevice_Selection_Frame::VariantCaption(const TDeviceVariant& variant) const
{
    if (!variant.Description.isEmpty())
        return variant.Description;
    if (variant.TypeCode >= NotFittedCode)
        return QStringLiteral("Remove device");
    return DeviceLongName(definition_.SystemType(), variant.TypeCode);
}

QString TDevice_Selection_Frame::ButtonCaption(const TDeviceButton& button) const
{
    for (const TDeviceVariant& v : button.Variants)
        if (v.TypeCode == button.TypeCode && !v.Description.isEmpty())
            return v.Description;
    if (button.TypeCode >= NotFittedCode)
        return QStringLiteral("Remove device");
    return DeviceLongName(definition_.SystemType(), button.TypeCode);
}

void TDevice_Selection_Frame::Build(TSystemType type, const QString& iniPath)
{
    const bool sameProtocol = built_ && definition_.SystemType() == type;
    definition_ = TDeviceButtons::Load(iniPath, type);
    built_ = true;
    const qreal dpr = devicePixelRatioF();
    const QList<TDeviceButton>& defs = definition_.Buttons();
    for (int i = 0; i < TDeviceButtons::MaxButtons; ++i) {
        QToolButton* button = buttons_[static_cast<std::size_t>(i)];
        QMenu* menu = menus_[static_cast<std::size_t>(i)];
        menu->clear();
        if (i >= defs.size()) {
            button->hide();
            continue;
        }
        const TDeviceButton& def = defs[i];
        const QString caption = ButtonCaption(def);
        button->setIcon(QIcon(DeviceArtwork::ToolbarPicture(type, def.Image, dpr)));
        button->setToolTip(caption);
        button->setAccessibleName(caption);
        for (int v = 0; v < def.Variants.size(); ++v) {
            const TDeviceVariant& variant = def.Variants[v];
            QAction* action = menu->addAction(
                QIcon(DeviceArtwork::DropDownPicture(type, variant.Image, dpr)), VariantCaption(variant));
            action->setObjectName(QStringLiteral("actDevice%1_%2").arg(i + 1).arg(v + 1));
            connect(action, &QAction::triggered, this, [this, n = i + 1, v] { ChooseVariant(n, v + 1); });
        }
        button->show();
    }

    if (!sameProtocol) {
        hasSelection_ = false;
        selectedType_ = 0;
        group_->setExclusive(false);
        for (QToolButton* b : buttons_)
            b->setChecked(false);
        group_->setExclusive(true);
        lblSelectedType_->setText(QStringLiteral("No device chosen"));
    } else if (QAbstractButton* down = group_->checkedButton(); down && !down->isVisible()) {
        group_->setExclusive(false);
        down->setChecked(false);
        group_->setExclusive(true);
    }
}

void TDevice_Selection_Frame::PressButton(int n)
{
    const QList<TDeviceButton>& defs = definition_.Buttons();
    if (n < 1 || n > defs.size())
        return;
    Select(n, defs[n - 1].TypeCode, ButtonCaption(defs[n - 1]));
}

void TDevice_Selection_Frame::ChooseVariant(int n, int v)
{
    const QList<TDeviceButton>& defs = definition_.Buttons();
    if (n < 1 || n > defs.size() || v < 1 || v > defs[n - 1].Variants.size())
        return;
    const TDeviceVariant& variant = defs[n - 1].Variants[v - 1];
    Select(n, variant.TypeCode, VariantCaption(variant));
}

void TDevice_Selection_Frame::Select(int n, int typeCode, const QString& caption)
{
    buttons_[static_cast<std::size_t>(n - 1)]->setChecked(true);
    selectedType_ = typeCode;
    hasSelection_ = true;
    lblSelectedType_->setText(caption);
    emit SelectedTypeChanged(typeCode);
}

bool TDevice_Selection_Frame::eventFilter(QObject* watched, QEvent* event)
{
    // The drop-down list opens from the keyboard too (Down, Alt+Down or F4).
    if (event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QToolButton*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (button && (key == Qt::Key_Down || key == Qt::Key_F4)) {
            button->showMenu();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
