#pragma once

#include <QComboBox>

// A drop-down list opened over a table cell. It hides itself when its list closes, chosen
// or not, so the table shows through again.
class TCellDropDown : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void hidePopup() override
    {
        QComboBox::hidePopup();
        hide();
    }
};
