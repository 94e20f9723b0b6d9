#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

// A caption as read out: without its mnemonic marks ("&&" stays one "&").
QString PlainCaption(const QString& caption);

// A label for buddy (its mnemonic moves the focus there); the buddy is read out by the
// caption.
QLabel* BuddyLabel(const QString& caption, QWidget* buddy, QWidget* parent);

// Names a widget the user acts on: object name and the name it is read out by.
void NameWidget(QWidget* widget, const QString& objectName, const QString& accessibleName);
