#pragma once

class QCheckBox;
class QDialog;
class QVBoxLayout;

// The foot of the program's notices: "Do Not show this message again" and an "OK" that is the
// default button, added to layout; gives the check box.
QCheckBox* AddDoNotShowAndOk(QDialog* dialog, QVBoxLayout* layout);
