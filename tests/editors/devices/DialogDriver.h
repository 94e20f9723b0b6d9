#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

// Acts on the modal dialog that opens next (as an engineer would, between its show and the
// answer), so a test can drive code that runs exec().
inline void OnNextDialog(std::function<void(QDialog&)> action)
{
    QTimer::singleShot(0, [action = std::move(action)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog)
            action(*dialog);
    });
}

// Clicks the button named name of a dialog.
inline void ClickButton(QWidget& parent, const char* name)
{
    auto* button = parent.findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (button)
        QTest::mouseClick(button, Qt::LeftButton);
}
