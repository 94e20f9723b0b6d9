#include "editors/print/PrinterProperties.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString PdfEntry = QStringLiteral("Save as PDF file");

const QPageSize::PageSizeId Papers[] = {QPageSize::A4, QPageSize::Letter, QPageSize::A3,
                                        QPageSize::Legal, QPageSize::A5};

} // namespace

TPrinterPropertiesDialog::TPrinterPropertiesDialog(const TPrinterChoice& current,
                                                   const QStringList& queues, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PrinterProperties"));
    setWindowTitle(QStringLiteral("Printer Properties"));

    cboPrinter = new QComboBox(this);
    cboPrinter->setObjectName(QStringLiteral("cboPrinter"));
    cboPrinter->setAccessibleName(QStringLiteral("Printer"));
    cboPrinter->addItem(PdfEntry, QString());
    for (const QString& queue : queues)
        cboPrinter->addItem(queue, queue);
    // A queue that has gone away since it was chosen is not offered again.
    const int chosen = cboPrinter->findData(current.Queue);
    cboPrinter->setCurrentIndex(chosen < 0 ? 0 : chosen);

    cboPaper = new QComboBox(this);
    cboPaper->setObjectName(QStringLiteral("cboPaper"));
    cboPaper->setAccessibleName(QStringLiteral("Paper"));
    for (const QPageSize::PageSizeId id : Papers)
        cboPaper->addItem(QPageSize::name(id), int(id));
    const int paper = cboPaper->findData(int(current.Paper.id()));
    if (paper < 0)
        cboPaper->addItem(current.Paper.name(), int(current.Paper.id()));
    cboPaper->setCurrentIndex(paper < 0 ? cboPaper->count() - 1 : paper);

    radPortrait = new QRadioButton(QStringLiteral("P&ortrait"), this);
    radPortrait->setObjectName(QStringLiteral("radPortrait"));
    radLandscape = new QRadioButton(QStringLiteral("&Landscape"), this);
    radLandscape->setObjectName(QStringLiteral("radLandscape"));
    (current.Orientation == QPageLayout::Landscape ? radLandscape : radPortrait)->setChecked(true);

    auto* orientation = new QHBoxLayout;
    orientation->addWidget(radPortrait);
    orientation->addWidget(radLandscape);
    orientation->addStretch(1);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Printer:"), cboPrinter);
    form->addRow(QStringLiteral("P&aper:"), cboPaper);
    form->addRow(QStringLiteral("Orientation:"), orientation);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    cboPrinter->setMinimumContentsLength(24);
}

TPrinterChoice TPrinterPropertiesDialog::Choice() const
{
    TPrinterChoice choice;
    choice.Queue = cboPrinter->currentData().toString();
    choice.Paper = QPageSize(QPageSize::PageSizeId(cboPaper->currentData().toInt()));
    choice.Orientation = radLandscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return choice;
}
