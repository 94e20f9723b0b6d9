#pragma once

#include <QComboBox>

// A drop-down whose accessible name says what it is ("Event 3 Action"). On Linux the stock
// accessible combo box reports its current item as its name, so a screen reader (and a test
// tool finding controls by name) would hear only the value; this one reports its accessible
// name, and the current item as its value.
class TNamedComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TNamedComboBox(QWidget* parent = nullptr);
};
