#pragma once

#include <QWidget>

class QToolButton;

// A pair of small arrow buttons, one above the other, beside a field. They take no focus:
// the field they serve steps with the Up and Down keys itself.
class TUpDownButtons : public QWidget {
    Q_OBJECT

public:
    // name is the object name; the buttons are name + "Up" / "Down" and are read out as
    // what + " up" / " down".
    TUpDownButtons(const QString& name, const QString& what, QWidget* parent = nullptr);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    // +1 for the up arrow, -1 for the down arrow.
    void Stepped(int delta);

private:
    QToolButton* up_;
    QToolButton* down_;
};
