#pragma once

#include "editors/loop/DeviceButtons.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QLabel;
class QMenu;
class QToolButton;

// The device toolbar: up to nine buttons from Protocol_Buttons.ini, each with a drop-down list
// of variants. Pressing a button or choosing a variant sets SelectedType, the type code the
// loop editor places. Used on the Loop 1, Loop 2 and Loop Summary pages.
class TDevice_Selection_Frame : public QWidget {
    Q_OBJECT

public:
    explicit TDevice_Selection_Frame(QWidget* parent = nullptr);

    // Rebuilds the buttons for the protocol from the file. The choice survives a rebuild for
    // the same protocol; another protocol starts without a choice.
    void Build(TSystemType type, const QString& iniPath);

    // The type code last chosen; 0 until the first choice (HasSelection tells).
    int SelectedType() const { return selectedType_; }
    bool HasSelection() const { return hasSelection_; }
    const TDeviceButtons& Definition() const { return definition_; }
    // Grid icon index of a type code for the built protocol (-1 when the file has none).
    int IconIndex(int typeCode) const { return definition_.IconIndex(typeCode); }

    // Button n (1..9) pressed, variant v (1..) of button n chosen: as the user does it.
    void PressButton(int n);
    void ChooseVariant(int n, int v);
    QToolButton* Button(int n) const;

signals:
    void SelectedTypeChanged(int typeCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Select(int n, int typeCode, const QString& caption);
    QString ButtonCaption(const TDeviceButton& button) const;
    QString VariantCaption(const TDeviceVariant& variant) const;

    TDeviceButtons definition_;
    bool built_ = false;
    std::array<QToolButton*, TDeviceButtons::MaxButtons> buttons_{};
    std::array<QMenu*, TDeviceButtons::MaxButtons> menus_{};
    QButtonGroup* group_ = nullptr;
    QLabel* lblSelectedType_ = nullptr;
    int selectedType_ = 0;
    bool hasSelection_ = false;
};
