#pragma once

#include <QDialog>

class QSpinBox;

// "Go to Page Number": asks for a page between 1 and the document's page count.
class TGoPageForm : public QDialog {
    Q_OBJECT

public:
    TGoPageForm(int pageCount, int current, QWidget* parent = nullptr);

    int Value() const;

private:
    QSpinBox* pageNum_;
};
