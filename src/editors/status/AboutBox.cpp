#include "editors/status/AboutBox.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));

    auto* lblProduct = new QLabel(QStringLiteral("ZOL Programming Tools"), this);
    lblProduct->setObjectName(QStringLiteral("lblProductName"));
    QFont big = lblProduct->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblProduct->setFont(big);
    lblProduct->setAlignment(Qt::AlignCenter);

    lblVersion_ = new QLabel(this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    lblVersion_->setAlignment(Qt::AlignCenter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TAboutBox::accept);
    buttons->setCenterButtons(true);

    lblDiagnostics_ = new QLabel(QStringLiteral("."), this);
    lblDiagnostics_->setObjectName(QStringLiteral("lblDiagnostics"));
    lblDiagnostics_->setAccessibleName(QStringLiteral("Diagnostics"));
    lblDiagnostics_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblProduct);
    layout->addWidget(lblVersion_);
    layout->addSpacing(lblVersion_->fontMetrics().height());
    layout->addWidget(buttons);
    layout->addWidget(lblDiagnostics_, 0, Qt::AlignLeft);
}

void TAboutBox::SetVersion(const QString& text)
{
    lblVersion_->setText(text);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblDiagnostics_ && event->type() == QEvent::MouseButtonRelease)
        emit DiagnosticsRequested();
    return QDialog::eventFilter(watched, event);
}
