#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

// The program's help: HTML pages, one per help context, with back, forward and the index.
// The shipped pages live in the resources (":/help"); a help file named in
// Protocol_Buttons.ini that exists and is HTML is shown instead.
class THelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // The help file of the program settings; ignored when missing or not HTML.
    void SetHelpFile(const QString& path);
    // Shows the page of a help context and brings the window up.
    void ShowContext(int helpContext);
    QUrl Source() const;

    static QUrl ContextPage(int helpContext);
    static QUrl IndexPage();

private:
    void ShowIndex();

    QTextBrowser* txtHelp_;
    QString helpFile_;
};
