#pragma once

#include "editors/devices/DeviceDialogResult.h"

#include <functional>

class QHBoxLayout;
class QPushButton;
class QString;
class QWidget;

// A dialog button named as the program names it, its caption without "&" as its accessible
// name; it never takes Enter from another control.
QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent);

// The button row every device dialog ends with: "<- Prev" and "Next ->" on the left,
// "Accept" (the default) and "Cancel" on the right. Cancel rejects the dialog; the others
// run finish with their result.
struct TSequenceButtons {
    QPushButton* Prev;
    QPushButton* Next;
    QPushButton* Accept;
    QPushButton* Cancel;
    QHBoxLayout* Row;
};
TSequenceButtons MakeSequenceButtons(QDialog* dialog,
                                     const std::function<void(TDeviceDialogResult)>& finish);
