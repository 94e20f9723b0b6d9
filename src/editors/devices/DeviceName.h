#pragma once

#include <QDialog>

class QComboBox;
class TData;
class TPrompts;

// "Device Name": picks a description from the shared name table or adds a new one. The table
// holds at most 256 descriptions; a new one beyond that is refused with the panel's message.
class TfrmDeviceName : public QDialog {
    Q_OBJECT

public:
    TfrmDeviceName(TData& data, TPrompts& prompts, QWidget* parent = nullptr);

    // Fills the list from the name table and shows text (cut to 24 characters).
    void Prepare(const QString& text);

    // The text and index of the entry added by the last Accept; empty and -1 when none was.
    QString New_Description() const { return newDescription_; }
    int New_Index() const { return newIndex_; }
    // The chosen entry of the name table, -1 when the text is not (or could not become) one.
    int SelectedIndex() const;
    QString Text() const;

    // Accept, as the button and Enter do.
    void AcceptName();

private:
    TData& data_;
    TPrompts& prompts_;
    QComboBox* cmbDescription_ = nullptr;
    QString newDescription_;
    int newIndex_ = -1;
};
