#pragma once

#include "editors/common/Page.h"

class QComboBox;
class QTextCharFormat;
class QTextEdit;
class QToolButton;

// "Comments": free text kept with the configuration (in the comments file beside it), with
// the formatting the comments file keeps: bold, italic, underline, size and colour.
class TfrmComments : public TPage {
    Q_OBJECT

public:
    TfrmComments(TEditorContext& context, QWidget* parent = nullptr);

    // Loads the document's comments unless the editor already shows them.
    void Refresh() override;

    QTextEdit& Editor() { return *txtComments_; }

private:
    void Edited();
    void Apply(const QTextCharFormat& format);
    void ShowFormat(const QTextCharFormat& format);
    void ChooseColour();

    QTextEdit* txtComments_;
    QToolButton* btnBold_;
    QToolButton* btnItalic_;
    QToolButton* btnUnderline_;
    QComboBox* cboSize_;
    QToolButton* btnColour_;
    // The comments as this page last read or wrote them.
    QString shown_;
    bool filled_ = false;
    bool loading_ = false;
};

class QTextDocument;
struct TRichText;

// The comments' formatting model of the editor's document (FillDocument lays it back in).
TRichText RichTextOf(const QTextDocument& document);
