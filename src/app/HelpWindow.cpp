#include "app/HelpWindow.h"
#include "editors/site/Captions.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(PlainCaption(caption));
    button->setAutoDefault(false);
    return button;
}

} // namespace

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("ZOL Programming Tools Help"));

    txtHelp_ = new QTextBrowser(this);
    txtHelp_->setObjectName(QStringLiteral("txtHelp"));
    txtHelp_->setAccessibleName(QStringLiteral("Help text"));
    txtHelp_->setOpenExternalLinks(true);

    QPushButton* back = Button(QStringLiteral("&Back"), QStringLiteral("btnHelpBack"), this);
    QPushButton* forward = Button(QStringLiteral("&Forward"), QStringLiteral("btnHelpForward"), this);
    QPushButton* index = Button(QStringLiteral("&Index"), QStringLiteral("btnHelpIndex"), this);
    QPushButton* close = Button(QStringLiteral("&Close"), QStringLiteral("btnHelpClose"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, txtHelp_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, txtHelp_, &QTextBrowser::forward);
    connect(index, &QPushButton::clicked, this, &THelpWindow::ShowIndex);
    connect(close, &QPushButton::clicked, this, &THelpWindow::close);
    connect(txtHelp_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(txtHelp_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(index);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(txtHelp_);
    const int em = fontMetrics().averageCharWidth();
    resize(em * 90, fontMetrics().height() * 36);
}

void THelpWindow::SetHelpFile(const QString& path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    helpFile_ = info.isFile() && (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        ? info.absoluteFilePath()
        : QString();
}

QUrl THelpWindow::ContextPage(int helpContext)
{
    const QString page = QStringLiteral(":/help/%1.html").arg(helpContext);
    return QFile::exists(page) ? QUrl(QStringLiteral("qrc") + page) : IndexPage();
}

QUrl THelpWindow::IndexPage()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

void THelpWindow::ShowContext(int helpContext)
{
    txtHelp_->setSource(helpFile_.isEmpty() ? ContextPage(helpContext)
                                            : QUrl::fromLocalFile(helpFile_));
    show();
    raise();
    activateWindow();
}

QUrl THelpWindow::Source() const
{
    return txtHelp_->source();
}

void THelpWindow::ShowIndex()
{
    txtHelp_->setSource(helpFile_.isEmpty() ? IndexPage() : QUrl::fromLocalFile(helpFile_));
}
