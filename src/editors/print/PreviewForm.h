#pragma once

#include "editors/print/PageBox.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QComboBox;
class QFrame;
class QLabel;
class QScrollArea;
class QToolButton;
class TPreviewPrinter;
class TPrompts;

// The zoom box's entries, in their order.
enum TZoomEntry {
    zeFitToPage,
    zeFitToWidth,
    zeCustom,
    ze25,
    ze50,
    ze75,
    ze100,
    ze125,
    ze150,
    ze200,
    ze300,
    ze400,
};

// "Preview Form": the pages of a closed engine document on screen, one page or two side by
// side, at a chosen zoom, with an optional one-inch grid; paging, zooming and panning with
// the mouse, printing through the engine's print dialog and saving as PDF.
class TPreviewForm : public QDialog {
    Q_OBJECT

public:
    TPreviewForm(TPreviewPrinter& engine, TPrompts& prompts, QWidget* parent = nullptr);
    ~TPreviewForm() override;

    // Where "Save as PDF" proposes to save.
    QString SuggestedPdfPath;
    // Asks for a page number (1 to the page count, starting at current); no answer keeps
    // the page. A "Go to Page Number" dialog unless a test replaces it.
    std::function<std::optional<int>(int pageCount, int current)> AskPageNumber;

    int CurrentPage() const { return currentPage_; }

    void GoToPage(int page);
    void UpdateNavigation();
    // The layout of the page frames for the zoom entry, the view and the scrolling area.
    void ScrollBox1Resize();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildToolBar(QWidget* bar);
    void BuildStatusBar(QWidget* bar);
    void BuildPageArea();
    QToolButton* AddButton(QWidget* bar, const char* name, const QString& caption,
                           const QString& hint, const char* icon = nullptr);
    void ApplyEngineOptions();

    void OnPrint();
    void OnSavePdf();
    void OnGoToPageNumber();
    void SelectZoom(TZoomEntry entry);
    void ZoomChanged();
    void StepPage(int page);
    void RepaintPages();
    void OnViewportResized();
    void PrefetchPages();

    void PB1MouseDown(QMouseEvent* event);
    void PB1MouseMove(QMouseEvent* event);
    void WheelZoom(QWheelEvent* event);
    void ZoomAt(double factor, QPointF framePoint, QPoint viewportPoint);

    TPreviewPrinter& engine_;
    TPrompts& prompts_;
    TPageCache cache_;

    QToolButton* PrintBut = nullptr;
    QToolButton* SavePdfBut = nullptr;
    QToolButton* PrevPageBut = nullptr;
    QToolButton* NextPageBut = nullptr;
    QComboBox* ZoomBox = nullptr;
    QToolButton* FitPageBut = nullptr;
    QToolButton* FitWidthBut = nullptr;
    QToolButton* GridBut = nullptr;
    QToolButton* ZoomCursorBut = nullptr;
    QToolButton* HandCursorBut = nullptr;
    QToolButton* OnePageBut = nullptr;
    QToolButton* TwoPageBut = nullptr;
    QToolButton* CloseBut = nullptr;
    QToolButton* FirstPageSpeed = nullptr;
    QToolButton* PrevPageSpeed = nullptr;
    QToolButton* NextPageSpeed = nullptr;
    QToolButton* LastPageSpeed = nullptr;
    QToolButton* PageNumSpeed = nullptr;
    QLabel* CurPageLabel = nullptr;
    QLabel* ZoomLabel = nullptr;
    QLabel* HintLabel = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* ContainPanel = nullptr;
    QFrame* PagePanel = nullptr;
    QFrame* PagePanel2 = nullptr;
    TPageBox* PB1 = nullptr;
    TPageBox* PB2 = nullptr;

    int currentPage_ = 0;
    double scale_ = 1.0;
    QPoint dragStart_;
    bool dragging_ = false;
    bool laying_ = false;
    bool shown_ = false;
    int wheelSteps_ = 0;
    QSize layoutOuterSize_;
    int scrollBarRelayouts_ = 0;
};
