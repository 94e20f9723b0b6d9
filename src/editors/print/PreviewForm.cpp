#include "editors/print/PreviewForm.h"

#include "editors/print/GoPageForm.h"
#include "editors/print/PdfExport.h"
#include "editors/print/PrinterSetup.h"

#include "Printer/PrevPrinter.h"
#include "storage/Prompts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString PageViewHint = QStringLiteral(
    "Page View.  With Zoom Tool, left or right click to zoom in/out.  Click & drag with Hand "
    "Tool to pan.");

constexpr double ZoomStep = 1.5;
// The zoom tool stops where a page would no longer fit a window's limits.
constexpr double MinScale = 0.05;
constexpr double MaxScale = 8.0;

QPixmap SvgPixmap(const QString& path, int size, qreal pixelRatio = 1.0)
{
    QPixmap pixmap(QSize(size, size) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(path);
    QPainter painter(&pixmap);
    svg.render(&painter, QRectF(0, 0, size, size));
    return pixmap;
}

QIcon SvgIcon(const QString& path)
{
    QIcon icon;
    for (const int size : {16, 20, 24, 32, 48})
        icon.addPixmap(SvgPixmap(path, size));
    return icon;
}

// Our own magnifier, its hot spot at the centre of the lens.
QCursor ZoomCursor(qreal pixelRatio)
{
    return QCursor(SvgPixmap(QStringLiteral(":/print/zoom.svg"), 32, pixelRatio), 13, 13);
}

double EntryScale(int entry)
{
    switch (entry) {
    case ze25:
        return 0.25;
    case ze50:
        return 0.5;
    case ze75:
        return 0.75;
    case ze100:
        return 1.0;
    case ze125:
        return 1.25;
    case ze150:
        return 1.5;
    case ze200:
        return 2.0;
    case ze300:
        return 3.0;
    case ze400:
        return 4.0;
    default:
        return 1.0;
    }
}

} // namespace

TPreviewForm::TPreviewForm(TPreviewPrinter& engine, TPrompts& prompts, QWidget* parent)
    : QDialog(parent), engine_(engine), prompts_(prompts), cache_(engine)
{
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Preview Form"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);

    auto* toolBar = new QFrame(this);
    toolBar->setObjectName(QStringLiteral("ToolBar"));
    BuildToolBar(toolBar);
    BuildPageArea();
    auto* statusBar = new QFrame(this);
    statusBar->setObjectName(QStringLiteral("StatusBar"));
    BuildStatusBar(statusBar);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(statusBar);

    AskPageNumber = [this](int pageCount, int current) -> std::optional<int> {
        TGoPageForm form(pageCount, current, this);
        if (form.exec() != QDialog::Accepted)
            return std::nullopt;
        return form.Value();
    };

    // Paging from the keyboard wherever the focus is.
    const auto key = [this](QKeySequence sequence, QToolButton* button) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, [button] {
            if (button->isEnabled())
                button->click();
        });
    };
    key(QKeySequence(Qt::Key_PageDown), NextPageSpeed);
    key(QKeySequence(Qt::Key_PageUp), PrevPageSpeed);
    key(QKeySequence(Qt::Key_Home), FirstPageSpeed);
    key(QKeySequence(Qt::Key_End), LastPageSpeed);

    // Creation: "Fit To Page" and the zoom tool; then the engine's own options.
    ZoomBox->setCurrentIndex(zeFitToPage);
    ZoomCursorBut->click();
    ApplyEngineOptions();
    ScrollBox1Resize();
    resize(900, 700);
}

TPreviewForm::~TPreviewForm() = default;

QToolButton* TPreviewForm::AddButton(QWidget* bar, const char* name, const QString& caption,
                                     const QString& hint, const char* icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    if (icon) {
        button->setIcon(SvgIcon(QStringLiteral(":/print/%1.svg").arg(QLatin1String(icon))));
        button->setIconSize(QSize(20, 20));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setAccessibleName(caption.isEmpty() ? hint : QString(caption).remove('&'));
    } else {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAccessibleName(QString(caption).remove('&'));
    }
    if (!caption.isEmpty())
        button->setText(caption);
    bar->layout()->addWidget(button);
    return button;
}

void TPreviewForm::BuildToolBar(QWidget* bar)
{
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);

    PrintBut = AddButton(bar, "PrintBut", QStringLiteral("&Print..."),
                         QStringLiteral("Print the Current Document"));
    SavePdfBut = AddButton(bar, "SavePdfBut", QStringLiteral("&Save as PDF"),
                           QStringLiteral("Save the Document as a PDF file"));
    PrevPageBut = AddButton(bar, "PrevPageBut", QStringLiteral("Pre&v"),
                            QStringLiteral("Move to Previous Page in Document"));
    NextPageBut = AddButton(bar, "NextPageBut", QStringLiteral("&Next"),
                            QStringLiteral("Advance to Next Page in Document"));
    PrevPageBut->setEnabled(false);

    ZoomBox = new QComboBox(bar);
    ZoomBox->setObjectName(QStringLiteral("ZoomBox"));
    ZoomBox->setAccessibleName(QStringLiteral("Zoom"));
    ZoomBox->addItems({QStringLiteral("Fit To Page"), QStringLiteral("Fit To Width"),
                       QStringLiteral("Custom"), QStringLiteral("25%"), QStringLiteral("50%"),
                       QStringLiteral("75%"), QStringLiteral("100%"), QStringLiteral("125%"),
                       QStringLiteral("150%"), QStringLiteral("200%"), QStringLiteral("300%"),
                       QStringLiteral("400%")});
    ZoomBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    row->addWidget(ZoomBox);

    FitPageBut = AddButton(bar, "FitPageBut", QString(), QStringLiteral("Fit to Page"), "fitpage");
    FitWidthBut =
        AddButton(bar, "FitWidthBut", QString(), QStringLiteral("Fit to Width"), "fitwidth");
    FitPageBut->setCheckable(true);
    FitWidthBut->setCheckable(true);
    GridBut =
        AddButton(bar, "GridBut", QStringLiteral("Grid"), QStringLiteral("Turns Grid On/Off"));
    GridBut->setCheckable(true);
    ZoomCursorBut = AddButton(bar, "ZoomCursorBut", QString(),
                              QStringLiteral("Selects the Zoom Tool to zoom in or out"), "zoom");
    HandCursorBut =
        AddButton(bar, "HandCursorBut", QString(),
                  QStringLiteral("Selects the Hand Tool to pan across the Page"), "hand");
    ZoomCursorBut->setAccessibleName(QStringLiteral("Zoom Tool"));
    HandCursorBut->setAccessibleName(QStringLiteral("Hand Tool"));
    OnePageBut = AddButton(bar, "OnePageBut", QStringLiteral("&1"),
                           QStringLiteral("Display One page at a time"));
    TwoPageBut = AddButton(bar, "TwoPageBut", QStringLiteral("&2"),
                           QStringLiteral("Display Two pages side by side"));
    for (QToolButton* b : {ZoomCursorBut, HandCursorBut, OnePageBut, TwoPageBut})
        b->setCheckable(true);
    auto* tools = new QButtonGroup(this);
    tools->addButton(ZoomCursorBut);
    tools->addButton(HandCursorBut);
    auto* pages = new QButtonGroup(this);
    pages->addButton(OnePageBut);
    pages->addButton(TwoPageBut);
    OnePageBut->setChecked(true);

    row->addStretch(1);
    CloseBut = AddButton(bar, "CloseBut", QStringLiteral("&Close"),
                         QStringLiteral("Close the Print Preview window"));

    connect(PrintBut, &QToolButton::clicked, this, &TPreviewForm::OnPrint);
    connect(SavePdfBut, &QToolButton::clicked, this, &TPreviewForm::OnSavePdf);
    connect(PrevPageBut, &QToolButton::clicked, this, [this] { StepPage(currentPage_ - 1); });
    connect(NextPageBut, &QToolButton::clicked, this, [this] { StepPage(currentPage_ + 1); });
    connect(ZoomBox, &QComboBox::activated, this, [this] { ZoomChanged(); });
    connect(FitPageBut, &QToolButton::clicked, this, [this] { SelectZoom(zeFitToPage); });
    connect(FitWidthBut, &QToolButton::clicked, this, [this] { SelectZoom(zeFitToWidth); });
    connect(GridBut, &QToolButton::toggled, this, [this](bool on) {
        PB1->SetGrid(on);
        PB2->SetGrid(on);
    });
    connect(ZoomCursorBut, &QToolButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        const QCursor zoom = ZoomCursor(devicePixelRatioF());
        PB1->setCursor(zoom);
        PB2->setCursor(zoom);
    });
    connect(HandCursorBut, &QToolButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        PB1->setCursor(Qt::PointingHandCursor);
        PB2->setCursor(Qt::PointingHandCursor);
    });
    connect(OnePageBut, &QToolButton::clicked, this, &TPreviewForm::ScrollBox1Resize);
    OnePageBut->installEventFilter(this);
    connect(TwoPageBut, &QToolButton::clicked, this, [this] {
        ZoomBox->setCurrentIndex(zeFitToPage);
        ScrollBox1Resize();
    });
    connect(CloseBut, &QToolButton::clicked, this, &QDialog::reject);
}

void TPreviewForm::BuildStatusBar(QWidget* bar)
{
    bar->setLayout(new QHBoxLayout);
    bar->layout()->setContentsMargins(4, 1, 4, 1);
    bar->layout()->setSpacing(2);
    FirstPageSpeed = AddButton(bar, "FirstPageSpeed", QString(),
                               QStringLiteral("Go to First Page in Document"), "first");
    PrevPageSpeed = AddButton(bar, "PrevPageSpeed", QString(),
                              QStringLiteral("Move to Previous Page in Document"), "prev");
    NextPageSpeed = AddButton(bar, "NextPageSpeed", QString(),
                              QStringLiteral("Advance to Next Page in Document"), "next");
    LastPageSpeed = AddButton(bar, "LastPageSpeed", QString(),
                              QStringLiteral("Go to Last Page in Document"), "last");
    PageNumSpeed = AddButton(bar, "PageNumSpeed", QString(),
                             QStringLiteral("Go to Page by Page Number"), "gopage");
    for (QToolButton* b :
         {FirstPageSpeed, PrevPageSpeed, NextPageSpeed, LastPageSpeed, PageNumSpeed})
        b->setIconSize(QSize(16, 16));

    const auto panel = [bar](const char* name, const QString& hint) {
        auto* label = new QLabel(bar);
        label->setObjectName(QLatin1String(name));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setToolTip(hint);
        label->setStatusTip(hint);
        label->setContentsMargins(4, 0, 4, 0);
        bar->layout()->addWidget(label);
        return label;
    };
    CurPageLabel =
        panel("CurPageLabel", QStringLiteral("Displays the Current Page of the Document"));
    ZoomLabel =
        panel("ZoomLabel", QStringLiteral("Displays the Current Zoom Level (100% = normal)"));
    HintLabel = panel("HintLabel", QString());
    HintLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    static_cast<QHBoxLayout*>(bar->layout())->setStretchFactor(HintLabel, 1);

    connect(FirstPageSpeed, &QToolButton::clicked, this, [this] { StepPage(0); });
    connect(PrevPageSpeed, &QToolButton::clicked, this, [this] { StepPage(currentPage_ - 1); });
    connect(NextPageSpeed, &QToolButton::clicked, this, [this] { StepPage(currentPage_ + 1); });
    connect(LastPageSpeed, &QToolButton::clicked, this,
            [this] { StepPage(engine_.PageCount() - 1); });
    connect(PageNumSpeed, &QToolButton::clicked, this, &TPreviewForm::OnGoToPageNumber);
}

void TPreviewForm::BuildPageArea()
{
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setFrameShape(QFrame::NoFrame);

    ContainPanel = new QWidget;
    ContainPanel->setObjectName(QStringLiteral("ContainPanel"));
    ContainPanel->setAutoFillBackground(true);
    QPalette shadow = ContainPanel->palette();
    shadow.setColor(QPalette::Window, shadow.color(QPalette::Dark));
    ContainPanel->setPalette(shadow);

    const auto frame = [this](const char* name, TPageBox*& box, const char* boxName) {
        auto* panel = new QFrame(ContainPanel);
        panel->setObjectName(QLatin1String(name));
        box = new TPageBox(engine_, cache_, panel);
        box->setObjectName(QLatin1String(boxName));
        box->setAccessibleName(QStringLiteral("Page View"));
        box->setToolTip(PageViewHint);
        box->setStatusTip(PageViewHint);
        auto* fill = new QVBoxLayout(panel);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(box);
        return panel;
    };
    PagePanel = frame("PagePanel", PB1, "PB1");
    PagePanel2 = frame("PagePanel2", PB2, "PB2");
    PagePanel2->hide();
    PB1->installEventFilter(this);

    ScrollBox1->setWidget(ContainPanel);
    ScrollBox1->viewport()->installEventFilter(this);
}

void TPreviewForm::ApplyEngineOptions()
{
    GridBut->setChecked(engine_.ShowGrid);
    switch (engine_.ZoomOption) {
    case zoFitToPage:
        ZoomBox->setCurrentIndex(zeFitToPage);
        break;
    case zoFitToWidth:
        ZoomBox->setCurrentIndex(zeFitToWidth);
        break;
    case zoTwoPages:
        TwoPageBut->setChecked(true);
        break;
    case zoCustom:
        ZoomBox->setCurrentIndex(zeCustom);
        scale_ = qBound(MinScale, engine_.ZoomVal / 100.0, MaxScale);
        break;
    }
}

void TPreviewForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    ScrollBox1Resize();
    ScrollBox1Resize();
    GoToPage(0);
    UpdateNavigation();
}

bool TPreviewForm::event(QEvent* event)
{
    // The hints of the control under the mouse show in the status bar.
    if (event->type() == QEvent::StatusTip) {
        HintLabel->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void TPreviewForm::GoToPage(int page)
{
    currentPage_ = page;
    CurPageLabel->setText(QStringLiteral("Page %1 of %2").arg(page + 1).arg(engine_.PageCount()));
    RepaintPages();
}

void TPreviewForm::UpdateNavigation()
{
    const int count = engine_.PageCount();
    NextPageBut->setEnabled(currentPage_ + 1 < count);
    PrevPageBut->setEnabled(currentPage_ > 0);
    NextPageSpeed->setEnabled(NextPageBut->isEnabled());
    LastPageSpeed->setEnabled(NextPageBut->isEnabled());
    PrevPageSpeed->setEnabled(PrevPageBut->isEnabled());
    FirstPageSpeed->setEnabled(PrevPageBut->isEnabled());
    PageNumSpeed->setEnabled(count > 1);
    SavePdfBut->setEnabled(count > 0);
}

void TPreviewForm::StepPage(int page)
{
    GoToPage(qBound(0, page, qMax(0, engine_.PageCount() - 1)));
    UpdateNavigation();
}

void TPreviewForm::RepaintPages()
{
    PB1->SetPage(currentPage_);
    PB2->SetPage(TwoPageBut->isChecked() ? currentPage_ + 1 : -1);
    // The next pages are drawn while the user reads this one, so paging on is a copy.
    QTimer::singleShot(0, this, &TPreviewForm::PrefetchPages);
}

void TPreviewForm::PrefetchPages()
{
    const int ahead = TwoPageBut->isChecked() ? 2 : 1;
    const QSize size = PagePanel->size();
    for (int page = currentPage_ + ahead; page < currentPage_ + 2 * ahead; ++page) {
        if (page < engine_.PageCount() && !cache_.Holds(page)) {
            // Renderings too large to keep are drawn as they are shown, never ahead.
            if (cache_.Rendering(page, size, PB1->devicePixelRatioF()))
                QTimer::singleShot(0, this, &TPreviewForm::PrefetchPages);
            return;
        }
    }
}

void TPreviewForm::OnGoToPageNumber()
{
    if (!AskPageNumber)
        return;
    const std::optional<int> page = AskPageNumber(engine_.PageCount(), currentPage_ + 1);
    if (page)
        StepPage(*page - 1);
}

void TPreviewForm::SelectZoom(TZoomEntry entry)
{
    ZoomBox->setCurrentIndex(entry);
    ZoomChanged();
}

void TPreviewForm::ZoomChanged()
{
    // Twice: the first pass may show or hide a scroll bar, which changes the room.
    ScrollBox1Resize();
    ScrollBox1Resize();
}

void TPreviewForm::ScrollBox1Resize()
{
    if (laying_)
        return;
    const QScopedValueRollback<bool> guard(laying_, true);
    scrollBarRelayouts_ = 0;
    layoutOuterSize_ = ScrollBox1->size();

    if (ZoomBox->currentIndex() < 0)
        ZoomBox->setCurrentIndex(zeFitToPage);
    const int entry = ZoomBox->currentIndex();
    FitPageBut->setChecked(entry == zeFitToPage);
    FitWidthBut->setChecked(entry == zeFitToWidth);

    const double ppi = logicalDpiY();
    const double pageWidth = qMax(1, engine_.PageWidth());
    const double pageHeight = qMax(1, engine_.PageHeight());
    const double resolutionX = qMax(1, engine_.ResolutionX());
    const double resolutionY = qMax(1, engine_.ResolutionY());
    const int clientWidth = ScrollBox1->viewport()->width();
    const int clientHeight = ScrollBox1->viewport()->height();

    double s = 1.0;
    if (entry == zeFitToPage)
        s = (clientHeight - 20) / ppi / (pageHeight / resolutionY);
    else if (entry == zeFitToWidth)
        s = (clientWidth - 20) / ppi / (pageWidth / resolutionX);
    else if (entry == zeCustom)
        s = scale_;
    else
        s = EntryScale(entry);
    // A window too small for any page still shows a speck of one.
    s = qMax(s, 0.01);

    if (entry != zeFitToPage)
        OnePageBut->setChecked(true);

    const int frameHeight = qMax(1, qRound(ppi * s * pageHeight / resolutionY));
    const int frameWidth = qMax(1, qRound(ppi * s * pageWidth / resolutionX));
    const bool two = TwoPageBut->isChecked();

    int w = frameWidth + 20;
    if (two)
        w += frameWidth + 20;
    const int containerHeight = qMax(frameHeight + 20, clientHeight - 1);
    const int containerWidth = qMax(w, clientWidth - 1);
    const int top = containerHeight > frameHeight + 20 ? containerHeight / 2 - frameHeight / 2 : 10;
    const int left = w < containerWidth ? containerWidth / 2 - (w - 20) / 2 : 10;

    ContainPanel->resize(containerWidth, containerHeight);
    PagePanel->setGeometry(left, top, frameWidth, frameHeight);
    PagePanel2->setGeometry(left + frameWidth + 20, top, frameWidth, frameHeight);
    PagePanel2->setVisible(two);
    PB2->SetPage(two ? currentPage_ + 1 : -1);

    scale_ = s;
    ZoomLabel->setText(QLocale().toString(s * 100, 'f', 0) + QLatin1Char('%'));
}

void TPreviewForm::OnViewportResized()
{
    // A scroll bar that comes or goes changes the room, and the new layout may make it go
    // or come again: a layout that only follows the scroll bars runs at most twice.
    const bool scrollBarsOnly = ScrollBox1->size() == layoutOuterSize_;
    const int relayouts = scrollBarsOnly ? scrollBarRelayouts_ + 1 : 0;
    if (relayouts > 2)
        return;
    ScrollBox1Resize();
    scrollBarRelayouts_ = relayouts;
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PB1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            PB1MouseDown(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            PB1MouseMove(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            return true;
        default:
            break;
        }
    } else if (watched == OnePageBut && event->type() == QEvent::MouseButtonRelease) {
        ZoomBox->setCurrentIndex(zeFitToPage);
        ScrollBox1Resize();
    } else if (watched == ScrollBox1->viewport()) {
        if (event->type() == QEvent::Resize) {
            OnViewportResized();
        } else if (event->type() == QEvent::Wheel) {
            auto* wheel = static_cast<QWheelEvent*>(event);
            if (wheel->modifiers() & Qt::ControlModifier) {
                WheelZoom(wheel);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::PB1MouseDown(QMouseEvent* event)
{
    if (HandCursorBut->isChecked()) {
        dragStart_ = event->position().toPoint();
        dragging_ = true;
        return;
    }
    double factor = 1.0;
    if (event->button() == Qt::LeftButton)
        factor = ZoomStep;
    else if (event->button() == Qt::RightButton)
        factor = 1.0 / ZoomStep;
    else
        return;

    const int oldWidth = PagePanel->width();
    const int oldHeight = PagePanel->height();
    scale_ = qBound(MinScale, scale_ * factor, MaxScale);
    ZoomBox->setCurrentIndex(zeCustom);
    ScrollBox1Resize();
    // The clicked point of the sheet comes to the middle of the view.
    const QPointF at = event->position();
    const int nx = qRound(PagePanel->width() * float(at.x() / oldWidth));
    const int ny = qRound(PagePanel->height() * float(at.y() / oldHeight));
    ScrollBox1->horizontalScrollBar()->setValue(nx - ScrollBox1->width() / 2);
    ScrollBox1->verticalScrollBar()->setValue(ny - ScrollBox1->height() / 2);
}

void TPreviewForm::PB1MouseMove(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const QPoint at = event->position().toPoint();
    QScrollBar* h = ScrollBox1->horizontalScrollBar();
    QScrollBar* v = ScrollBox1->verticalScrollBar();
    h->setValue(h->value() + dragStart_.x() - at.x());
    v->setValue(v->value() + dragStart_.y() - at.y());
}

void TPreviewForm::WheelZoom(QWheelEvent* event)
{
    wheelSteps_ += event->angleDelta().y();
    const int steps = wheelSteps_ / 120;
    if (steps == 0)
        return;
    wheelSteps_ -= steps * 120;
    const QPoint inViewport = event->position().toPoint();
    const QPointF onFrame = PagePanel->mapFrom(ScrollBox1->viewport(), QPointF(inViewport));
    double factor = 1.0;
    for (int i = 0; i < qAbs(steps); ++i)
        factor *= steps > 0 ? ZoomStep : 1.0 / ZoomStep;
    ZoomAt(factor, onFrame, inViewport);
}

void TPreviewForm::ZoomAt(double factor, QPointF framePoint, QPoint viewportPoint)
{
    const double oldWidth = PagePanel->width();
    const double oldHeight = PagePanel->height();
    scale_ = qBound(MinScale, scale_ * factor, MaxScale);
    ZoomBox->setCurrentIndex(zeCustom);
    ZoomChanged();
    // The point under the mouse stays under it.
    const QPoint frameOrigin = PagePanel->pos();
    const double x = frameOrigin.x() + framePoint.x() * PagePanel->width() / oldWidth;
    const double y = frameOrigin.y() + framePoint.y() * PagePanel->height() / oldHeight;
    ScrollBox1->horizontalScrollBar()->setValue(qRound(x) - viewportPoint.x());
    ScrollBox1->verticalScrollBar()->setValue(qRound(y) - viewportPoint.y());
}

void TPreviewForm::OnPrint()
{
    if (engine_.PageCount() == 0) {
        prompts_.warning(NothingToPrintText);
        return;
    }
    try {
        // Only what was written is reported.
        if (engine_.PrintDialog() && engine_.PrintsToPdf() && !engine_.WrittenFiles().isEmpty())
            prompts_.information(QStringLiteral("The report was saved as %1.")
                                     .arg(engine_.WrittenFiles().join(QStringLiteral(", "))));
    } catch (const TPrintError& e) {
        prompts_.error(QString::fromStdString(e.what()));
    }
}

void TPreviewForm::OnSavePdf()
{
    const QString path = PrinterSetup().AskPdfPath(this, SuggestedPdfPath);
    if (path.isEmpty())
        return;
    const QString failure = SavePagesAsPdf(engine_, path);
    if (failure.isEmpty())
        prompts_.information(QStringLiteral("The report was saved as %1.").arg(path));
    else
        prompts_.error(failure);
}
