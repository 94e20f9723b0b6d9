#pragma once

#include <QDialog>

// How a device dialog was closed: "Cancel" (or Esc), "Accept", "Next ->" or "<- Prev".
enum TDeviceDialogResult : int {
    ddrCancel = QDialog::Rejected,
    ddrAccept = QDialog::Accepted,
    ddrNext = 2,
    ddrPrev = 3,
};
