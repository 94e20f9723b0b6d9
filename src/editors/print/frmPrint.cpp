#include "editors/print/frmPrint.h"

#include "editors/common/EditorContext.h"
#include "editors/print/PreviewForm.h"
#include "editors/print/PrinterSetup.h"

#include "model/Data.h"
#include "reports/Reports.h"
#include "safety/ChangeRecord.h"
#include "storage/Prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QString Plain(const QString& caption)
{
    return QString(caption).remove(QLatin1Char('&'));
}

} // namespace

TfrmPrint::TfrmPrint(TEditorContext& context, QWidget* parent)
    : QDialog(parent), context_(context), prompts_(context.Prompts)
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("Select Print Options."));
    // On top of the other windows, without title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);
    BuildControls();
    Refresh();

    TPreviewPrinter::SetWindows({[this](TPreviewPrinter& engine) { ShowPreview(engine); },
                                 [this](TPreviewPrinter& engine, int pageCount) {
                                     return AskPreviewPrint(engine, pageCount);
                                 }});
}

TfrmPrint::~TfrmPrint()
{
    TPreviewPrinter::SetWindows({});
}

QRadioButton* TfrmPrint::AddRadio(QGroupBox* group, const char* name, const QString& caption)
{
    auto* radio = new QRadioButton(caption, group);
    radio->setObjectName(QLatin1String(name));
    radio->setAccessibleName(Plain(caption));
    group->layout()->addWidget(radio);
    return radio;
}

QCheckBox* TfrmPrint::AddCheck(const char* name, const QString& caption,
                               bool TPrintSelection::*option)
{
    auto* check = new QCheckBox(caption, checks_);
    check->setObjectName(QLatin1String(name));
    check->setAccessibleName(Plain(caption));
    checks_->layout()->addWidget(check);
    connect(check, &QCheckBox::toggled, this, [this, option](bool on) { selection_.*option = on; });
    return check;
}

void TfrmPrint::BuildControls()
{
    const auto group = [this](const char* name, const QString& title) {
        auto* box = new QGroupBox(title, this);
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(title);
        box->setLayout(new QVBoxLayout);
        return box;
    };
    radgrpLoopInfo = group("radgrpLoopInfo", QStringLiteral("Loop Devices"));
    radAllDevices =
        AddRadio(radgrpLoopInfo, "radAllDevices", QStringLiteral("Print &all loop devices"));
    radFittedDevices =
        AddRadio(radgrpLoopInfo, "radFittedDevices", QStringLiteral("Print only &fitted devices"));
    radgrpOrder = group("radgrpOrder", QStringLiteral("Loop Order"));
    radOrderNumber =
        AddRadio(radgrpOrder, "radOrderNumber", QStringLiteral("Order by &device number"));
    radOrderType = AddRadio(radgrpOrder, "radOrderType", QStringLiteral("Order by device &type"));
    radOrderZone = AddRadio(radgrpOrder, "radOrderZone", QStringLiteral("Order by zone num&ber"));

    auto* sections = group("grpSections", QStringLiteral("Report Sections"));
    checks_ = sections;
    chkPrintSite = AddCheck("chkPrintSite", QStringLiteral("Print &site information"),
                            &TPrintSelection::PrintSite);
    chkPrintLoop = AddCheck("chkPrintLoop", QStringLiteral("Print l&oop information"),
                            &TPrintSelection::PrintLoop);
    chkPrintZone = AddCheck("chkPrintZone", QStringLiteral("Print &zone information"),
                            &TPrintSelection::PrintZone);
    chkPrintGroup = AddCheck("chkPrintGroup", QStringLiteral("Print &group information"),
                             &TPrintSelection::PrintGroup);
    chkPrintSet = AddCheck("chkPrintSet", QStringLiteral("Print output s&et information"),
                           &TPrintSelection::PrintSet);
    chkPrintNetwork = AddCheck("chkPrintNetwork", QStringLiteral("Print &network details"),
                               &TPrintSelection::PrintNetwork);
    chkPrintC_E = AddCheck("chkPrintC_E", QStringLiteral("Print &Cause/Effect details"),
                           &TPrintSelection::PrintCauseEffect);
    chkComments = AddCheck("chkComments", QStringLiteral("Print co&mments page"),
                           &TPrintSelection::PrintComments);
    chkPrintLog = AddCheck("chkPrintLog", QStringLiteral("Print &log"), &TPrintSelection::PrintLog);
    chkPrintChanges = AddCheck("chkPrintChanges", QStringLiteral("Print c&hange record"),
                               &TPrintSelection::PrintChangeRecord);

    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(Plain(caption));
        b->setAutoDefault(false);
        return b;
    };
    btnProperties = button("btnProperties", QStringLiteral("P&roperties"));
    AcceptButton = button("AcceptButton", QStringLiteral("&Print"));
    BitBtn1 = button("BitBtn1", QStringLiteral("Print Pre&view"));
    CancelButton = button("CancelButton", QStringLiteral("Cancel."));
    AcceptButton->setDefault(true);

    auto* loops = new QVBoxLayout;
    loops->addWidget(radgrpLoopInfo);
    loops->addWidget(radgrpOrder);
    loops->addStretch(1);
    auto* choices = new QHBoxLayout;
    choices->addLayout(loops);
    choices->addWidget(sections);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnProperties);
    buttons->addStretch(1);
    buttons->addWidget(AcceptButton);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(radFittedDevices, &QRadioButton::toggled, this,
            [this](bool on) { selection_.OnlyFitted = on; });
    connect(radOrderNumber, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            selection_.Order = loDeviceNumber;
    });
    connect(radOrderType, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            selection_.Order = loDeviceType;
    });
    connect(radOrderZone, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            selection_.Order = loZoneNumber;
    });
    connect(chkPrintLoop, &QCheckBox::toggled, this, [this] {
        radgrpLoopInfo->setEnabled(selection_.LoopOptionsEnabled());
        radgrpOrder->setEnabled(selection_.LoopOptionsEnabled());
    });

    connect(btnProperties, &QPushButton::clicked, this, [this] { ShowPrinterProperties(this); });
    connect(AcceptButton, &QPushButton::clicked, this, &TfrmPrint::OnPrint);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmPrint::OnPreview);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPrint::Refresh()
{
    (selection_.OnlyFitted ? radFittedDevices : radAllDevices)->setChecked(true);
    switch (selection_.Order) {
    case loDeviceNumber:
        radOrderNumber->setChecked(true);
        break;
    case loDeviceType:
        radOrderType->setChecked(true);
        break;
    case loZoneNumber:
        radOrderZone->setChecked(true);
        break;
    }
    chkPrintSite->setChecked(selection_.PrintSite);
    chkPrintLoop->setChecked(selection_.PrintLoop);
    chkPrintZone->setChecked(selection_.PrintZone);
    chkPrintGroup->setChecked(selection_.PrintGroup);
    chkPrintSet->setChecked(selection_.PrintSet);
    chkPrintNetwork->setChecked(selection_.PrintNetwork);
    chkPrintC_E->setChecked(selection_.PrintCauseEffect);
    chkComments->setChecked(selection_.PrintComments);
    chkPrintLog->setChecked(selection_.PrintLog);
    chkPrintChanges->setChecked(selection_.PrintChangeRecord);
    chkPrintSet->setEnabled(selection_.SetEnabled);
    chkPrintNetwork->setEnabled(selection_.NetworkEnabled);
    radgrpLoopInfo->setEnabled(selection_.LoopOptionsEnabled());
    radgrpOrder->setEnabled(selection_.LoopOptionsEnabled());
}

void TfrmPrint::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        selection_.ApplyVersionGates(context_.Data.SiteConfig.GetMainVersion());
        Refresh();
    }
    QDialog::showEvent(event);
}

void TfrmPrint::OnPrint()
{
    try {
        if (!(PrinterSetup().PrintsToPdf() ? PrintToPdf() : PrintToPrinter()))
            return;
    } catch (const TPrintError& e) {
        prompts_.error(QString::fromStdString(e.what()));
        return;
    }
    accept();
}

void TfrmPrint::ReadChangeRecord(TReports& reports)
{
    if (!selection_.PrintChangeRecord || context_.Data.FileName.isEmpty())
        return;
    QList<TChangeEntry> entries;
    QString error;
    if (!ChangeRecord::Read(context_.Data.FileName, entries, &error)) {
        reports.ChangeRecord = {error};
        return;
    }
    for (const TChangeEntry& entry : entries)
        reports.ChangeRecord += ChangeRecord::Describe(entry).split(QLatin1Char('\n'));
}

bool TfrmPrint::HasPages(TPreviewPrinter& engine)
{
    if (engine.PageCount() > 0)
        return true;
    prompts_.warning(NothingToPrintText);
    return false;
}

bool TfrmPrint::PrintToPdf()
{
    TPrinterSetup& setup = PrinterSetup();
    TReports reports(context_.Data, setup.MakeReference());
    ReadChangeRecord(reports);
    TPreviewPrinter& engine = reports.Engine();
    selection_.RecordAll(reports);
    engine.EndDoc();
    if (!HasPages(engine))
        return false;
    const QString path = setup.AskPdfPath(this, SuggestedPdfPath(context_.Data.FileName));
    if (path.isEmpty())
        return false;

    // One file, every page in the preview's order.
    engine.PdfFileForJob = [path](const QString&) { return path; };
    engine.PrintAll();
    prompts_.information(
        QStringLiteral("The report was saved as %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

bool TfrmPrint::PrintToPrinter()
{
    // Every page at once on the printer chosen in "Printer Properties"; no second dialog.
    TReports reports(context_.Data, PrinterSetup().MakeReference());
    ReadChangeRecord(reports);
    selection_.RecordAll(reports);
    reports.Engine().EndDoc();
    if (!HasPages(reports.Engine()))
        return false;
    reports.Engine().PrintAll();
    return true;
}

void TfrmPrint::OnPreview()
{
    TReports reports(context_.Data, PrinterSetup().MakeReference());
    ReadChangeRecord(reports);
    selection_.RunPreview(reports);
    accept();
}

QWidget* TfrmPrint::PreviewOwner()
{
    QWidget* owner = QApplication::activeModalWidget();
    if (owner && owner != this)
        return owner;
    return parentWidget() ? parentWidget()->window() : this;
}

// The dialog stays on top of the other windows: it steps aside while the preview is shown
// (the preview ends the dialog, as a print does).
void TfrmPrint::ShowPreview(TPreviewPrinter& engine)
{
    hide();
    TPreviewForm form(engine, prompts_, PreviewOwner());
    form.SuggestedPdfPath = SuggestedPdfPath(context_.Data.FileName);
    form.setWindowState(Qt::WindowMaximized);
    form.exec();
}

std::optional<TPrintChoice> TfrmPrint::AskPreviewPrint(TPreviewPrinter& engine, int pageCount)
{
    TPrinterSetup& setup = PrinterSetup();
    QWidget* owner = PreviewOwner();
    if (!engine.PrintsToPdf())
        return setup.AskPrint(engine.Printer(), pageCount, owner);
    const QString path = setup.AskPdfPath(owner, SuggestedPdfPath(context_.Data.FileName));
    if (path.isEmpty())
        return std::nullopt;
    engine.PdfFileForJob = [path](const QString&) { return path; };
    return TPrintChoice{};
}
